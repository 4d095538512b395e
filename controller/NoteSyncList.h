// The note lengths that Note Sync offers, longest first; an entry's index i lasts 2^(4 - i) quarter notes.
#pragma once

#include "pluginterfaces/vst/vsttypes.h"

#include <array>

inline constexpr std::array<const Steinberg::Vst::TChar*, 9> kNoteSyncList = {
    u"4/1", u"2/1", u"1/1", u"1/2", u"1/4", u"1/8", u"1/16", u"1/32", u"1/64",
};
