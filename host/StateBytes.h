// Stored state as bytes: what a plug-in writes into a host's memory stream, and a fresh stream over saved
// bytes to hand back, the way a host keeps states with a project.
#pragma once

#include "pluginterfaces/base/ibstream.h"
#include "pluginterfaces/base/smartpointer.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace QuorvaneHost
{

/** Calls `writer` with an empty memory stream and copies what it wrote into `bytes` (cleared first; left
    empty when the writer fails). Returns the writer's result. */
Steinberg::tresult captureState (const std::function<Steinberg::tresult (Steinberg::IBStream*)>& writer,
                                 std::vector<std::uint8_t>& bytes);

/** A stream positioned at the start of a copy of `bytes`: a plug-in may read past what it reports, and must
    never write into the caller's bytes. */
Steinberg::IPtr<Steinberg::IBStream> streamOverCopy (const std::vector<std::uint8_t>& bytes);

} // namespace QuorvaneHost
