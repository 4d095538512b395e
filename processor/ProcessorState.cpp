#include "processor/ProcessorState.h"

#include "base/source/fstreamer.h"

namespace Steinberg {

tresult ProcessorState::write (IBStream* stream) const
{
	if (!stream)
		return kResultFalse;

	IBStreamer streamer (stream, kLittleEndian);
	streamer.writeInt8 (kVersion);
	streamer.writeFloat (duration);
	streamer.writeFloat (mix);
	streamer.writeFloat (offset);
	streamer.writeFloat (noteSync);
	streamer.writeInt32 (bypass);
	return kResultOk;
}

tresult ProcessorState::read (IBStream* stream)
{
	if (!stream)
		return kResultFalse;

	IBStreamer streamer (stream, kLittleEndian);
	int8 version = 0;
	if (!streamer.readInt8 (version) || version != kVersion)
		return kResultFalse;

	ProcessorState record;
	if (!streamer.readFloat (record.duration) || !streamer.readFloat (record.mix) ||
	    !streamer.readFloat (record.offset) || !streamer.readFloat (record.noteSync) ||
	    !streamer.readInt32 (record.bypass))
		return kResultFalse;

	*this = record;
	return kResultOk;
}

} // namespace Steinberg
