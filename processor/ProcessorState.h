// The processor's stored settings: the record hosts save with a project and hand back on load.
#pragma once

#include "pluginterfaces/base/ibstream.h"

namespace Steinberg {

/** The 21-byte little-endian settings record. Every float is the parameter's normalized value, the form
    in which hosts and the controller know it; field order is Duration, Mix, Offset, Note Sync, Bypass. */
struct ProcessorState
{
	static constexpr int8 kVersion = 1;
	static constexpr int32 kSize = 21;

	float duration = 0.5f;
	float mix = 1.0f;
	float offset = 0.5f;   // normalized: 0.5 is no offset
	float noteSync = 0.5f; // normalized: list index / 8
	int32 bypass = 0;

	/** Writes the whole record; a stream that refuses bytes still gives kResultOk. */
	tresult write (IBStream* stream) const;

	/** All or nothing: on a missing stream, a short record or another version, nothing here changes
	    and the answer is kResultFalse. Bytes after the record are left unread. */
	tresult read (IBStream* stream);
};

} // namespace Steinberg
