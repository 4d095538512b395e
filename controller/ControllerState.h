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

	enum class ReadResult
	{
		whole,      // all three fields read, whatever the version says
		empty,      // the stream held no byte at all: what write-nothing-while-no-size leaves behind
		incomplete, // no stream, or a record cut after 1 to 8 bytes
	};

	/** Reads all three fields; on anything but `whole` nothing here changes. Bytes after the record are left
	    unread. */
	ReadResult read (Steinberg::IBStream* stream);
};
