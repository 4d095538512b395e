// The controller's stored record: the editor size that a project keeps so its editor reopens as left.
#pragma once

#include "controller/WinSize.h"

#include "pluginterfaces/base/ibstream.h"

/** Nine little-endian bytes: int8 version, then int32 width and int32 height. */
struct ControllerState
{
	static constexpr Steinberg::int8 kVersion = 1;

	Steinberg::int8 version = kVersion;
	WinSize size = kDefaultWinSize;

	/** Writes the whole record. A stream that refuses bytes is not detected. */
	void write (Steinberg::IBStream* stream) const;

	/** Reads all three fields, whatever the version says; false for a missing stream or a short record, and
	    then nothing here changes. Bytes after the record are left unread. */
	bool read (Steinberg::IBStream* stream);
};
