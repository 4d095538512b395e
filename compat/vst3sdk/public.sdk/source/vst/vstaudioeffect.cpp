#include "public.sdk/source/vst/vstaudioeffect.h"

namespace Steinberg {
namespace Vst {

AudioEffect::AudioEffect ()
{
	processSetup.maxSamplesPerBlock = 1024;
	processSetup.processMode = kRealtime;
	processSetup.sampleRate = 44100.0;
	processSetup.symbolicSampleSize = kSample32;
}

// The list takes the bus's one reference.
template <typename BusType>
static BusType* append (BusList& list, BusType* bus)
{
	list.push_back (IPtr<Bus> (bus, false));
	return bus;
}

AudioBus* AudioEffect::addAudioInput (const TChar* name, SpeakerArrangement arr, BusType busType, int32 flags)
{
	return append (audioInputs, new AudioBus (name, busType, flags, arr));
}

AudioBus* AudioEffect::addAudioOutput (const TChar* name, SpeakerArrangement arr, BusType busType, int32 flags)
{
	return append (audioOutputs, new AudioBus (name, busType, flags, arr));
}

static Bus* busAt (BusList& list, int32 index)
{
	if (index < 0 || index >= static_cast<int32> (list.size ()))
		return nullptr;
	return list.at (static_cast<size_t> (index));
}

AudioBus* AudioEffect::getAudioInput (int32 index)
{
	return FCast<AudioBus> (busAt (audioInputs, index));
}

AudioBus* AudioEffect::getAudioOutput (int32 index)
{
	return FCast<AudioBus> (busAt (audioOutputs, index));
}

EventBus* AudioEffect::addEventInput (const TChar* name, int32 channels, BusType busType, int32 flags)
{
	return append (eventInputs, new EventBus (name, busType, flags, channels));
}

EventBus* AudioEffect::addEventOutput (const TChar* name, int32 channels, BusType busType, int32 flags)
{
	return append (eventOutputs, new EventBus (name, busType, flags, channels));
}

EventBus* AudioEffect::getEventInput (int32 index)
{
	return FCast<EventBus> (busAt (eventInputs, index));
}

EventBus* AudioEffect::getEventOutput (int32 index)
{
	return FCast<EventBus> (busAt (eventOutputs, index));
}

tresult PLUGIN_API AudioEffect::setBusArrangements (SpeakerArrangement* inputs, int32 numIns,
                                                    SpeakerArrangement* outputs, int32 numOuts)
{
	if (numIns < 0 || numOuts < 0)
		return kInvalidArgument;
	if (numIns > static_cast<int32> (audioInputs.size ()) || numOuts > static_cast<int32> (audioOutputs.size ()))
		return kResultFalse;

	for (int32 i = 0; i < numIns; ++i)
		if (auto* bus = FCast<AudioBus> (audioInputs.at (static_cast<size_t> (i))))
			bus->setArrangement (inputs[i]);
	for (int32 i = 0; i < numOuts; ++i)
		if (auto* bus = FCast<AudioBus> (audioOutputs.at (static_cast<size_t> (i))))
			bus->setArrangement (outputs[i]);
	return kResultTrue;
}

tresult PLUGIN_API AudioEffect::getBusArrangement (BusDirection dir, int32 index, SpeakerArrangement& arr)
{
	BusList* list = getBusList (kAudio, dir);
	if (!list || index < 0 || index >= static_cast<int32> (list->size ()))
		return kInvalidArgument;
	if (auto* bus = FCast<AudioBus> (list->at (static_cast<size_t> (index))))
	{
		arr = bus->getArrangement ();
		return kResultTrue;
	}
	return kResultFalse;
}

tresult PLUGIN_API AudioEffect::canProcessSampleSize (int32 symbolicSampleSize)
{
	return symbolicSampleSize == kSample32 ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API AudioEffect::setupProcessing (ProcessSetup& newSetup)
{
	processSetup.maxSamplesPerBlock = newSetup.maxSamplesPerBlock;
	processSetup.processMode = newSetup.processMode;
	processSetup.sampleRate = newSetup.sampleRate;

	if (canProcessSampleSize (newSetup.symbolicSampleSize) != kResultTrue)
		return kResultFalse;

	processSetup.symbolicSampleSize = newSetup.symbolicSampleSize;
	return kResultOk;
}

tresult PLUGIN_API AudioEffect::setProcessing (TBool /*state*/)
{
	return kNotImplemented;
}

tresult PLUGIN_API AudioEffect::process (ProcessData& /*data*/)
{
	return kNotImplemented;
}

} // namespace Vst
} // namespace Steinberg
