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

using Block = QuorvaneTest::HostBlock<float>;

constexpr uint32 kAllValid = ProcessContext::kPlaying | ProcessContext::kTempoValid | ProcessContext::kProjectTimeMusicValid;




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


TEST (Processor, ChangesApplyEvenWhenTheBlockIsNotProcessed)
{
	ProcessorHolder p;
	p->setGain (0.25f);
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
