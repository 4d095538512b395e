// Runs a processor block by block the way a host's audio thread does: buffers, ProcessData, the block's
// ProcessContext and its input parameter changes, all prepared up front so a block allocates nothing.
#pragma once

#include "host/PendingParameterEdits.h"
#include "host/Transport.h"

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "public.sdk/source/vst/hosting/parameterchanges.h"

#include <vector>

namespace QuorvaneHost
{

class BlockProcessor
{
public:
	struct Setup
	{
		Steinberg::int32 maxSamplesPerBlock{512};
		Steinberg::int32 symbolicSampleSize{Steinberg::Vst::kSample32};
		Steinberg::int32 inputChannels{2};
		Steinberg::int32 outputChannels{2};
		/** Output channels share the input channels' buffers, as many hosts arrange for insert effects. */
		bool inPlace{false};
		/** Parameter queues kept ready; a block with changes to more parameters has to allocate. */
		Steinberg::int32 maxParameters{16};
	};

	explicit BlockProcessor (Steinberg::Vst::IAudioProcessor* processor);

	/** Allocates the buffers for the set-up and clears them; call before the first block, off the audio path. */
	void prepare (const Setup& setup);
	const Setup& setup () const { return currentSetup; }

	/** Channel buffers of maxSamplesPerBlock samples, of the set-up's sample size (null for the other size). */
	float* input32 (Steinberg::int32 channel);
	float* output32 (Steinberg::int32 channel);
	double* input64 (Steinberg::int32 channel);
	double* output64 (Steinberg::int32 channel);

	Transport& transport () { return clock; }
	/** Whether blocks carry a ProcessContext at all (hosts may omit it); on by default. */
	void setSendContext (bool state) { sendContext = state; }

	/** Where user-interface edits wait (PluginInstance::parameterEdits): each block starts by taking them as
	    points at offset 0 of its queues. Null stops it. */
	void takeEditsFrom (PendingParameterEdits* source) { editSource = source; }

	/** Queues a change for the next block. A later point for the same parameter at the same offset replaces
	    the earlier one, as the queue's own addPoint does. */
	bool addParameterChange (Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue value,
	                         Steinberg::int32 sampleOffset = 0);

	/** Runs one block of numSamples (0 to maxSamplesPerBlock): context from the transport, the queued
	    changes and the pending edits, then the transport moves on and the queues are emptied. Allocates
	    nothing while the parameters changed fit the set-up's maxParameters. Returns the
	    processor's result, or kInvalidArgument without calling it when numSamples does not fit the buffers. */
	Steinberg::tresult process (Steinberg::int32 numSamples);

	/** The data of the next block, for callers that need to hand the processor something unusual. process()
	    rewrites numSamples, the context pointer and the parameter changes each time. */
	Steinberg::Vst::ProcessData& processData () { return data; }
	Steinberg::Vst::ProcessContext& processContext () { return context; }

private:
	Steinberg::IPtr<Steinberg::Vst::IAudioProcessor> processor;
	Setup currentSetup;
	Transport clock;
	bool sendContext{true};
	PendingParameterEdits* editSource{nullptr};

	std::vector<float> samples32;
	std::vector<double> samples64;
	std::vector<float*> inputPointers32, outputPointers32;
	std::vector<double*> inputPointers64, outputPointers64;
	Steinberg::Vst::AudioBusBuffers inputBus{};
	Steinberg::Vst::AudioBusBuffers outputBus{};
	Steinberg::Vst::ProcessContext context{};
	Steinberg::IPtr<Steinberg::Vst::ParameterChanges> inputChanges;
	Steinberg::Vst::ProcessData data{};
};

} // namespace QuorvaneHost
