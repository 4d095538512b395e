#include "processor/DuckerProcessor.h"

#include "plugin/ids.h"
#include "processor/DuckingEnvelope.h"
#include "processor/ProcessorState.h"
#include "processor/ScopedSubnormalFlush.h"

#include "pluginterfaces/vst/ivstparameterchanges.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"

#include <algorithm>
#include <cmath>

namespace Steinberg {

namespace {

constexpr auto relaxed = std::memory_order_relaxed;

// Note Sync arrives as list index / 8; nine entries share the range, the last one closed at 1.
int32 noteSyncExponent (double normalized)
{
	double index = normalized * 9.0;
	if (!(index < 8.0))
		index = 8.0;
	// Only a damaged record reaches far below 0; keep the truncation defined.
	index = std::max (index, -1.0e9);
	return static_cast<int32> (index) - 4;
}

} // namespace

DuckerProcessor::DuckerProcessor ()
{
	setControllerClass (ControllerUID);
	processContextRequirements.needProjectTimeMusic ().needTempo ();
}

FUnknown* DuckerProcessor::createInstance (void* /*context*/)
{
	return static_cast<Vst::IAudioProcessor*> (new DuckerProcessor);
}

tresult PLUGIN_API DuckerProcessor::initialize (FUnknown* context)
{
	tresult result = Vst::AudioEffect::initialize (context);
	if (result != kResultOk)
		return result;

	addAudioInput (STR16 ("Stereo In"), Vst::SpeakerArr::kStereo, Vst::kMain, Vst::BusInfo::kDefaultActive);
	addAudioOutput (STR16 ("Stereo Out"), Vst::SpeakerArr::kStereo, Vst::kMain, Vst::BusInfo::kDefaultActive);
	addEventInput (STR16 ("Event In"), 1, Vst::kMain, Vst::BusInfo::kDefaultActive);
	return kResultOk;
}

tresult PLUGIN_API DuckerProcessor::terminate ()
{
	return Vst::AudioEffect::terminate ();
}

tresult PLUGIN_API DuckerProcessor::setActive (TBool state)
{
	// The envelope keeps its gain across deactivation: a reactivated processor glides on from there.
	return Vst::AudioEffect::setActive (state);
}

tresult PLUGIN_API DuckerProcessor::setState (IBStream* state)
{
	ProcessorState record;
	if (record.read (state) != kResultOk)
		return kResultFalse;

	duration.store (record.duration, relaxed);
	mix.store (record.mix, relaxed);
	offset.store (record.offset + record.offset - 1.0f, relaxed);
	noteSync.store (noteSyncExponent (double (record.noteSync)), relaxed);
	bypass.store (record.bypass > 0, relaxed);
	return kResultOk;
}

tresult PLUGIN_API DuckerProcessor::getState (IBStream* state)
{
	ProcessorState record;
	record.duration = duration.load (relaxed);
	record.mix = mix.load (relaxed);
	record.offset = offset.load (relaxed) * 0.5f + 0.5f;
	record.noteSync = static_cast<float> (noteSync.load (relaxed) + 4) * 0.125f;
	record.bypass = bypass.load (relaxed) ? 1 : 0;
	return record.write (state);
}

tresult PLUGIN_API DuckerProcessor::canProcessSampleSize (int32 symbolicSampleSize)
{
	return (symbolicSampleSize == Vst::kSample32 || symbolicSampleSize == Vst::kSample64) ? kResultTrue
	                                                                                      : kResultFalse;
}

tresult PLUGIN_API DuckerProcessor::setupProcessing (Vst::ProcessSetup& setup)
{
	return Vst::AudioEffect::setupProcessing (setup);
}

tresult PLUGIN_API DuckerProcessor::process (Vst::ProcessData& data)
{
	using Vst::ProcessContext;

	// The whole call, settings included, so that every value this block computes obeys one rule.
	const ScopedSubnormalFlush flushSubnormals;

	double sampleRate = 48000.0;
	double tempo = 120.0;
	double position = 0.0;
	bool stopped = false;
	if (const ProcessContext* context = data.processContext)
	{
		sampleRate = context->sampleRate;
		const bool tempoValid = (context->state & ProcessContext::kTempoValid) != 0;
		const bool positionValid = (context->state & ProcessContext::kProjectTimeMusicValid) != 0;
		if (tempoValid)
			tempo = context->tempo;
		if (positionValid)
			position = context->projectTimeMusic;
		stopped = !(tempoValid && positionValid && (context->state & ProcessContext::kPlaying) != 0);
	}

	if (Vst::IParameterChanges* changes = data.inputParameterChanges)
	{
		const int32 count = changes->getParameterCount ();
		for (int32 index = 0; index < count; ++index)
		{
			Vst::IParamValueQueue* queue = changes->getParameterData (index);
			if (!queue)
				continue;
			const int32 pointCount = queue->getPointCount ();
			int32 sampleOffset = 0;
			Vst::ParamValue value = 0.0;
			// Only the block's last value counts; it applies to the whole block.
			if (queue->getPoint (pointCount - 1, sampleOffset, value) != kResultOk)
				continue;

			switch (queue->getParameterId ())
			{
				case kDurationId: duration.store (static_cast<float> (value), relaxed); break;
				case kMixId: mix.store (static_cast<float> (value), relaxed); break;
				case kOffsetId: offset.store (static_cast<float> (2.0 * value - 1.0), relaxed); break;
				case kNoteSyncId: noteSync.store (noteSyncExponent (value), relaxed); break;
				case kBypassId: bypass.store (value > 0.5, relaxed); break;
				default: break;
			}
		}
	}

	// Hosts that break the bus contract (counts without arrays) are treated like hosts without buses.
	if (data.numInputs == 0 || data.numOutputs == 0 || !data.inputs || !data.outputs)
		return kResultOk;

	const int32 numChannels = std::max (0, std::min (data.inputs[0].numChannels, data.outputs[0].numChannels));

	switch (data.symbolicSampleSize)
	{
		case Vst::kSample64:
			return processAudio<Vst::Sample64> (data.inputs[0].channelBuffers64, data.outputs[0].channelBuffers64,
			                                    data.numSamples, numChannels, position, sampleRate, tempo, stopped);
		case Vst::kSample32:
			return processAudio<Vst::Sample32> (data.inputs[0].channelBuffers32, data.outputs[0].channelBuffers32,
			                                    data.numSamples, numChannels, position, sampleRate, tempo, stopped);
		default: return kResultFalse;
	}
}

template <typename SampleType>
tresult DuckerProcessor::processAudio (SampleType** inputs, SampleType** outputs, int32 numSamples, int32 numChannels,
                                       double position, double sampleRate, double tempo, bool stopped)
{
	if (numSamples <= 0)
		return kResultOk;
	if (!inputs || !outputs)
		numChannels = 0;

	const EnvelopeSettings settings {duration.load (relaxed), offset.load (relaxed), noteSync.load (relaxed),
	                                 bypass.load (relaxed), mix.load (relaxed)};
	DuckingEnvelope<SampleType> envelope;
	envelope.prepare (settings, {position, sampleRate, tempo, stopped}, currentGain.load (relaxed));
	currentGain.store (envelope.process (inputs, outputs, numSamples, numChannels), relaxed);
	return kResultOk;
}

template tresult DuckerProcessor::processAudio<Vst::Sample32> (Vst::Sample32**, Vst::Sample32**, int32, int32, double,
                                                               double, double, bool);
template tresult DuckerProcessor::processAudio<Vst::Sample64> (Vst::Sample64**, Vst::Sample64**, int32, int32, double,
                                                               double, double, bool);

} // namespace Steinberg
