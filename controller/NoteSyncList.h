// The note lengths that Note Sync offers, longest first; an entry's index i lasts 2^(4 - i) quarter notes.
#pragma once

#include "pluginterfaces/base/fstrdefs.h"
#include "pluginterfaces/vst/vsttypes.h"

#include <array>

inline constexpr std::array<const Steinberg::Vst::TChar*, 9> kNoteSyncList = {
    STR16 ("4/1"), STR16 ("2/1"),  STR16 ("1/1"),  STR16 ("1/2"),  STR16 ("1/4"),
    STR16 ("1/8"), STR16 ("1/16"), STR16 ("1/32"), STR16 ("1/64"),
};
