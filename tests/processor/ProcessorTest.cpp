// The processor's per-block entry: context reading, parameter changes, buses and sample sizes.

#include "plugin/ids.h"
#include "tests/processor/TestProcessor.h"

#include "public.sdk/source/common/memorystream.h"
#include "public.sdk/source/vst/hosting/parameterchanges.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using QuorvaneTest::ProcessorHolder;
using QuorvaneTest::floatAt;
using QuorvaneTest::stateBytes;
using namespace Steinberg;
using Vst::ProcessContext;

namespace {

constexpr float kMaxStep = static_cast<float> (60.0 / 48000.0);

/** One stereo block over a constant input of 1, so the output is the applied gain. */
struct Block
{
	explicit Block (int32 n, int32 inChannels = 2, int32 outChannels = 2)
	    : input (static_cast<size_t> (inChannels), std::vector<float> (static_cast<size_t> (n), 1.0f)),
	      output (static_cast<size_t> (outChannels), std::vector<float> (static_cast<size_t> (n), -9.0f))
	{
		for (auto& c : input)
			inPtrs.push_back (c.data ());
		for (auto& c : output)
			outPtrs.push_back (c.data ());
		inBus.numChannels = inChannels;
		inBus.channelBuffers32 = inPtrs.data ();
		outBus.numChannels = outChannels;
		outBus.channelBuffers32 = outPtrs.data ();
		data.numSamples = n;
		data.symbolicSampleSize = Vst::kSample32;
		data.numInputs = 1;
		data.numOutputs = 1;
		data.inputs = &inBus;
		data.outputs = &outBus;
	}

	void setContext (uint32 state, double tempo = 120.0, double position = 0.0, double sampleRate = 48000.0)
	{
		context = {};
		context.state = state;
		context.tempo = tempo;
		context.projectTimeMusic = position;
		context.sampleRate = sampleRate;
		data.processContext = &context;
	}

	void change (Vst::ParamID id, std::initializer_list<double> values)
	{
		int32 index = 0;
		Vst::IParamValueQueue* queue = changes.addParameterData (id, index);
		int32 offset = 0;
		for (double v : values)
			queue->addPoint (offset++ * 10, v, index);
		data.inputParameterChanges = &changes;
	}

	std::vector<std::vector<float>> input, output;
	std::vector<float*> inPtrs, outPtrs;
	Vst::AudioBusBuffers inBus {}, outBus {};
	ProcessContext context {};
	Vst::ParameterChanges changes {8};
	Vst::ProcessData data;
};

constexpr uint32 kAllValid = ProcessContext::kPlaying | ProcessContext::kTempoValid | ProcessContext::kProjectTimeMusicValid;



TEST (Processor, InterfacesBusesAndRequirements)
{
	ProcessorHolder p;
	ASSERT_EQ (p->initialize (nullptr), kResultOk);
	EXPECT_EQ (p->getBusCount (Vst::kAudio, Vst::kInput), 1);
	EXPECT_EQ (p->getBusCount (Vst::kAudio, Vst::kOutput), 1);
	EXPECT_EQ (p->getBusCount (Vst::kEvent, Vst::kInput), 1);
	EXPECT_EQ (p->getBusCount (Vst::kEvent, Vst::kOutput), 0);
	Vst::BusInfo info {};
	ASSERT_EQ (p->getBusInfo (Vst::kEvent, Vst::kInput, 0, info), kResultOk);
	EXPECT_EQ (info.channelCount, 1);
	EXPECT_EQ (info.flags, static_cast<uint32> (Vst::BusInfo::kDefaultActive));
	EXPECT_EQ (p->getProcessContextRequirements (), 68u);
	EXPECT_EQ (p->getLatencySamples (), 0u);
	EXPECT_EQ (p->getTailSamples (), 0u);

	EXPECT_EQ (p->canProcessSampleSize (Vst::kSample32), kResultTrue);
	EXPECT_EQ (p->canProcessSampleSize (Vst::kSample64), kResultTrue);
	EXPECT_EQ (p->canProcessSampleSize (2), kResultFalse);
	Vst::ProcessSetup setup {Vst::kRealtime, 2, 512, 44100.0};
	EXPECT_EQ (p->setupProcessing (setup), kResultFalse);
	setup.symbolicSampleSize = Vst::kSample64;
	EXPECT_EQ (p->setupProcessing (setup), kResultOk);

	TUID controller;
	ASSERT_EQ (p->getControllerClassId (controller), kResultOk);
	EXPECT_EQ (std::memcmp (controller, ControllerUID.toTUID (), sizeof (TUID)), 0);
	EXPECT_EQ (p->terminate (), kResultOk);
	EXPECT_EQ (p->getBusCount (Vst::kAudio, Vst::kInput), 0);
}

TEST (Processor, WithoutContextEveryBlockRestartsTheCycle)
{
	ProcessorHolder p;
	p->setGain (1.0f);
	for (int i = 0; i < 3; ++i)
	{
		Block block (256);
		ASSERT_EQ (p->process (block.data), kResultOk);
		// The dip starts at the block's first sample each time: the gain glides down from where it was.
		EXPECT_LT (block.output[0][0], block.output[0][255] + 1.0f);
		EXPECT_LT (block.output[0][255], 1.0f);
	}
	Block fresh (4);
	ProcessorHolder q;
	q->setGain (1.0f);
	q->process (fresh.data);
	EXPECT_EQ (fresh.output[0][0], 1.0f - kMaxStep);
}

TEST (Processor, StoppedOrInvalidContextReleasesToUnity)
{
	const uint32 states[] = {ProcessContext::kTempoValid | ProcessContext::kProjectTimeMusicValid,
	                         ProcessContext::kPlaying | ProcessContext::kTempoValid,
	                         ProcessContext::kPlaying | ProcessContext::kProjectTimeMusicValid, ProcessContext::kPlaying, 0};
	for (uint32 state : states)
	{
		ProcessorHolder p;
		Block block (1000);
		block.setContext (state, 60.0, 0.0);
		ASSERT_EQ (p->process (block.data), kResultOk);
		EXPECT_EQ (block.output[0][0], kMaxStep) << state;
		EXPECT_EQ (block.output[0][800], 1.0f) << state;
		EXPECT_EQ (block.output[1][999], 1.0f) << state;
	}
}

TEST (Processor, ContextSampleRateIsUsedWhateverTheFlags)
{
	ProcessorHolder p;
	Block block (10);
	block.setContext (0, 120.0, 0.0, 96000.0);
	p->process (block.data);
	EXPECT_EQ (block.output[0][0], static_cast<float> (60.0 / 96000.0));
}

TEST (Processor, ParameterConversions)
{
	ProcessorHolder p;
	auto run = [&] (Vst::ParamID id, double value) {
		Block block (0);
		block.change (id, {value});
		EXPECT_EQ (p->process (block.data), kResultOk);
		return stateBytes (*p);
	};
	EXPECT_EQ (run (kBypassId, 0.5)[17], 0);
	EXPECT_EQ (run (kBypassId, 0.5000001)[17], 1);
	EXPECT_EQ (floatAt (run (kNoteSyncId, 0.0), 13), 0.0f);
	EXPECT_EQ (floatAt (run (kNoteSyncId, 0.5), 13), 0.5f);
	EXPECT_EQ (floatAt (run (kNoteSyncId, 1.0), 13), 1.0f);
	EXPECT_EQ (floatAt (run (kNoteSyncId, 0.999), 13), 1.0f);
	EXPECT_EQ (floatAt (run (kNoteSyncId, 0.888), 13), 0.875f);
	EXPECT_EQ (floatAt (run (kDurationId, 0.3), 1), 0.3f);
	EXPECT_EQ (floatAt (run (kMixId, 0.125), 5), 0.125f);
	EXPECT_EQ (floatAt (run (kOffsetId, 0.625), 9), 0.625f);
	EXPECT_EQ (floatAt (run (kOffsetId, 0.0), 9), 0.0f);
}

TEST (Processor, OnlyTheLastPointOfAQueueCounts)
{
	ProcessorHolder p;
	Block block (0);
	block.change (kMixId, {0.1, 0.2, 0.3});
	block.change (1001, {0.0});
	p->process (block.data);
	const auto bytes = stateBytes (*p);
	EXPECT_EQ (floatAt (bytes, 5), 0.3f);
	EXPECT_EQ (floatAt (bytes, 1), 0.5f);
	EXPECT_EQ (floatAt (bytes, 9), 0.5f);
	EXPECT_EQ (floatAt (bytes, 13), 0.5f);
}

TEST (Processor, ChangesApplyEvenWhenTheBlockIsNotProcessed)
{
	ProcessorHolder p;
	p->setGain (0.25f);
	{
		Block block (64);
		block.data.symbolicSampleSize = 2;
		block.change (kMixId, {0.5});
		EXPECT_EQ (p->process (block.data), kResultFalse);
		EXPECT_EQ (block.output[0][0], -9.0f);
		EXPECT_EQ (floatAt (stateBytes (*p), 5), 0.5f);
	}
	{
		Block block (64);
		block.data.numOutputs = 0;
		block.change (kDurationId, {0.75});
		EXPECT_EQ (p->process (block.data), kResultOk);
		EXPECT_EQ (block.output[0][0], -9.0f);
		EXPECT_EQ (floatAt (stateBytes (*p), 1), 0.75f);
	}
	{
		Block block (0);
		EXPECT_EQ (p->process (block.data), kResultOk);
	}
	EXPECT_EQ (p->getCurrentGain (), 0.25f);
}

TEST (Processor, MonoInputStereoOutputWritesOneChannel)
{
	ProcessorHolder p;
	p->setGain (1.0f);
	Block block (32, 1, 2);
	ASSERT_EQ (p->process (block.data), kResultOk);
	EXPECT_EQ (block.output[0][0], 1.0f - kMaxStep);
	for (float v : block.output[1])
		ASSERT_EQ (v, -9.0f);
}

TEST (Processor, SixtyFourBitBlocks)
{
	ProcessorHolder p;
	std::vector<double> left (100, 1.0), right (100, 2.0);
	double* channels[] = {left.data (), right.data ()};
	Vst::AudioBusBuffers bus {};
	bus.numChannels = 2;
	bus.channelBuffers64 = channels;
	Vst::ProcessData data;
	data.numSamples = 100;
	data.symbolicSampleSize = Vst::kSample64;
	data.numInputs = data.numOutputs = 1;
	data.inputs = data.outputs = &bus;
	ASSERT_EQ (p->process (data), kResultOk);
	// Without a context the block starts at the cycle's floor, where gain 0 already sits.
	EXPECT_EQ (left[0], 0.0);
	for (int i = 0; i < 100; ++i)
		ASSERT_EQ (right[i], 2.0 * left[i]);
	EXPECT_GT (left[99], 0.0);
	EXPECT_NEAR (p->getCurrentGain (), left[99], 1e-9);
}

TEST (Processor, ActivationKeepsTheGain)
{
	ProcessorHolder p;
	ASSERT_EQ (p->initialize (nullptr), kResultOk);
	p->setGain (0.4f);
	EXPECT_EQ (p->setActive (true), kResultOk);
	EXPECT_EQ (p->setActive (false), kResultOk);
	EXPECT_EQ (p->setActive (true), kResultOk);
	EXPECT_EQ (p->getCurrentGain (), 0.4f);
	p->terminate ();
}

} // namespace
