#include "controller/ControllerState.h"

#include "base/source/fstreamer.h"

using namespace Steinberg;

void ControllerState::write (IBStream* stream) const
{
	IBStreamer streamer (stream, kLittleEndian);
	streamer.writeInt8 (version);
	streamer.writeInt32 (size.width);
	streamer.writeInt32 (size.height);
}

ControllerState::ReadResult ControllerState::read (IBStream* stream)
{
	if (!stream)
		return ReadResult::incomplete;
	IBStreamer streamer (stream, kLittleEndian);
	int8 readVersion = 0;
	int32 width = 0;
	int32 height = 0;
	if (!streamer.readInt8 (readVersion))
		return ReadResult::empty;
	if (!streamer.readInt32 (width) || !streamer.readInt32 (height))
		return ReadResult::incomplete;
	version = readVersion;
	size = {width, height};
	return ReadResult::whole;
}
