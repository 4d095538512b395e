// The ducking gain as a host hears it: DC input of 1.0 makes every output sample the gain applied to it.
// The envelope's arithmetic is covered sample by sample at the processor level; these cases show what
// only a host can: the worked example through the loaded bundle, the host's clock driving the cycle
// across blocks, the two sample sizes, and parameter queues.

#include "tests/host/HostTestSupport.h"

#include "plugin/ids.h"

#include <algorithm>
#include <cmath>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

// The gains of the worked example (120 quarter notes per minute, 48000 Hz, "1/4", Duration 0.5, Mix 1.0),
// formed as the envelope forms them in float32.
struct WorkedExample
{
	float reciprocal = 1.0f / 12000.0f;
	float firstSlope = 2.0f * (0.25f - 0.0f) * reciprocal;  // s0
	float secondSlope = (2.0f - 2.0f * 0.25f) * reciprocal; // s1
	float step = -static_cast<float> (60.0 / 48000.0);      // glide down by maxStep

	// Sample k of a follow run from `start`: the running float32 sum.
	static float follow (float start, float slope, int k)
	{
		float value = start;
		for (int i = 0; i < k; ++i)
			value += slope;
		return value;
	}
};

std::vector<double> renderWorkedExample (bool use64)
{
	// In place, so every run goes sample by sample, as the example is stated.
	auto running = QuorvaneTest::startProcessor (QuorvaneTest::stereoSetup (48000, use64, true));
	if (!running.blocks)
		return {};
	QuorvaneTest::fillInputs (*running.blocks, 1.0);
	EXPECT_EQ (running.blocks->process (48000), kResultOk);
	return QuorvaneTest::outputOf (*running.blocks, 0, 48000);
}

} // namespace

TEST (EnvelopeThroughBundle, WorkedExampleSampleExact)
{
	const auto gain = renderWorkedExample (false);
	ASSERT_EQ (gain.size (), 48000u);
	const WorkedExample ex;

	EXPECT_EQ (gain[0], 0.0);
	EXPECT_EQ (gain[1], static_cast<double> (ex.firstSlope));
	EXPECT_EQ (gain[5999], static_cast<double> (WorkedExample::follow (0.0f, ex.firstSlope, 5999)));
	EXPECT_NEAR (gain[5999], 0.2499455, 1e-7);
	EXPECT_EQ (gain[6000], 0.25);
	EXPECT_EQ (gain[6001], static_cast<double> (0.25f + ex.secondSlope));
	EXPECT_NEAR (gain[6001], 0.250125, 1e-7);
	EXPECT_EQ (gain[11999], static_cast<double> (WorkedExample::follow (0.25f, ex.secondSlope, 5999)));
	EXPECT_NEAR (gain[11999], 0.9998206, 1e-7);
	for (int i = 12000; i < 24000; ++i)
		ASSERT_EQ (gain[static_cast<size_t> (i)], 1.0) << "hold, sample " << i;

	// The next cycle: a glide of 774 samples at -0.00125 per sample from 1.0 ...
	EXPECT_EQ (gain[24000], static_cast<double> (1.0f + ex.step));
	EXPECT_NEAR (gain[24000], 0.99875, 1e-7);
	EXPECT_EQ (gain[24773], static_cast<double> (WorkedExample::follow (1.0f, ex.step, 774)));
	EXPECT_NEAR (gain[24773], 0.0324890, 1e-7);
	// ... that meets the first ramp, which it then follows from T = 774 x s0.
	const float met = 0.0f + 774.0f * ex.firstSlope;
	EXPECT_EQ (gain[24774], static_cast<double> (met));
	EXPECT_NEAR (gain[24774], 0.03225, 1e-7);
	EXPECT_EQ (gain[29999], static_cast<double> (WorkedExample::follow (met, ex.firstSlope, 5225)));
	EXPECT_NEAR (gain[29999], 0.2499453, 1e-7);
	EXPECT_EQ (gain[30000], 0.25);
	for (int i = 36000; i < 48000; ++i)
		ASSERT_EQ (gain[static_cast<size_t> (i)], 1.0) << "hold, sample " << i;

	// In steady state the lowest gain of a cycle is that meeting point, about -29.8 dB and never 0.
	const auto lowest = std::min_element (gain.begin () + 24000, gain.end ());
	EXPECT_EQ (lowest - gain.begin (), 24774);
	EXPECT_GT (*lowest, 0.032);
}

TEST (EnvelopeThroughBundle, GainCarriesIntoTheNextBlock)
{
	// The example's call ends with currentGain 1.0: the next block, at the start of the next cycle,
	// glides down from exactly there.
	auto running = QuorvaneTest::startProcessor (QuorvaneTest::stereoSetup (48000, false, true));
	ASSERT_TRUE (running.blocks);
	QuorvaneTest::fillInputs (*running.blocks, 1.0);
	ASSERT_EQ (running.blocks->process (48000), kResultOk);
	EXPECT_DOUBLE_EQ (running.blocks->transport ().position (), 2.0);
	QuorvaneTest::fillInputs (*running.blocks, 1.0);
	ASSERT_EQ (running.blocks->process (1000), kResultOk);
	const auto next = QuorvaneTest::outputOf (*running.blocks, 0, 1000);
	EXPECT_EQ (next[0], static_cast<double> (1.0f - static_cast<float> (60.0 / 48000.0)));
	EXPECT_NEAR (next[774], 0.03225, 1e-7);
}

TEST (EnvelopeThroughBundle, SixtyFourBitMatchesThirtyTwoBitWithinFloatRounding)
{
	const auto single = renderWorkedExample (false);
	const auto twice = renderWorkedExample (true);
	ASSERT_EQ (single.size (), twice.size ());
	double largest = 0.0;
	for (size_t i = 0; i < single.size (); ++i)
		largest = std::max (largest, std::abs (single[i] - twice[i]));
	RecordProperty ("largestDifference", ::testing::PrintToString (largest));
	EXPECT_LE (largest, 1.5e-11);
	// The named points are the same in both forms.
	EXPECT_EQ (twice[6000], 0.25);
	EXPECT_EQ (twice[30000], 0.25);
	EXPECT_EQ (twice[47999], 1.0);
}

TEST (EnvelopeThroughBundle, SeparateBuffersGiveTheInPlaceGains)
{
	// Hosts hand the processor either separate or shared input and output buffers. Separate ones take the
	// vectorised path, which forms each gain by multiplication where the sample-by-sample path sums; over a
	// ramp of 6000 samples the sum drifts by up to about 5.4e-5 (0.9998206 against 0.9998749 at its end).
	auto inPlace = renderWorkedExample (false);
	auto running = QuorvaneTest::startProcessor (QuorvaneTest::stereoSetup (48000, false, false));
	ASSERT_TRUE (running.blocks);
	QuorvaneTest::fillInputs (*running.blocks, 1.0);
	ASSERT_EQ (running.blocks->process (48000), kResultOk);
	const auto separate = QuorvaneTest::outputOf (*running.blocks, 0, 48000);
	double largest = 0.0;
	for (size_t i = 0; i < separate.size (); ++i)
		largest = std::max (largest, std::abs (separate[i] - inPlace[i]));
	RecordProperty ("largestDifference", ::testing::PrintToString (largest));
	EXPECT_LE (largest, 6e-5);
	EXPECT_GT (largest, 0.0); // the two paths really were taken
	EXPECT_EQ (separate[6000], 0.25);
	EXPECT_EQ (separate[24000], inPlace[24000]);
	EXPECT_NEAR (separate[11999], 0.25 + 5999.0 * (1.5 / 12000.0), 1e-6);
	EXPECT_NEAR (separate[24773], 1.0 - 774.0 * 0.00125, 1e-6);
	// The input buffers are only read.
	EXPECT_EQ (running.blocks->input32 (0)[24774], 1.0f);
}

TEST (EnvelopeThroughBundle, HostClockDrivesTheCycleAcrossBlocks)
{
	// One 48000-sample render in blocks of 500 gives the cycle of the single call: the host's advancing
	// position puts every block where the last one ended (within the truncation of the cycle position).
	auto running = QuorvaneTest::startProcessor (QuorvaneTest::stereoSetup (500, false, true));
	ASSERT_TRUE (running.blocks);
	std::vector<double> gain;
	for (int block = 0; block < 96; ++block)
	{
		QuorvaneTest::fillInputs (*running.blocks, 1.0);
		ASSERT_EQ (running.blocks->process (500), kResultOk);
		const auto out = QuorvaneTest::outputOf (*running.blocks, 0, 500);
		gain.insert (gain.end (), out.begin (), out.end ());
	}
	const auto whole = renderWorkedExample (false);
	for (size_t i : {size_t (0), size_t (6000), size_t (12000), size_t (23999), size_t (30000), size_t (36000)})
		EXPECT_NEAR (gain[i], whole[i], 2e-4) << "sample " << i;
	const auto lowest = std::min_element (gain.begin () + 24000, gain.end ());
	EXPECT_NEAR (lowest - gain.begin (), 24774, 1);
}

TEST (EnvelopeThroughBundle, OffsetAndStartPositionMoveTheDip)
{
	// Offset 0.25 at "1/4" from position 0: the dip begins 6000 samples into the block.
	auto running = QuorvaneTest::startProcessor (QuorvaneTest::stereoSetup (12000, false, true));
	ASSERT_TRUE (running.blocks);
	auto& blocks = *running.blocks;
	blocks.addParameterChange (kOffsetId, 0.625); // 2 x 0.625 - 1 = 0.25 cycles
	QuorvaneTest::fillInputs (blocks, 1.0);
	ASSERT_EQ (blocks.process (12000), kResultOk);
	auto gain = QuorvaneTest::outputOf (blocks, 0, 12000);
	// From gain 0 the first 6000 samples are the hold, reached by an 800-sample glide up.
	EXPECT_NEAR (gain[799], 1.0, 2e-5); // 800 float32 steps of 0.00125 sum to 1.0000110
	EXPECT_EQ (gain[5999], 1.0);
	EXPECT_LT (gain[6000], 1.0);
	EXPECT_EQ (gain[6000], static_cast<double> (1.0f - static_cast<float> (60.0 / 48000.0)));

	// A start position of -0.5 quarter notes (pre-roll) is the cycle position of +0.5: the hold.
	auto preroll = QuorvaneTest::startProcessor (QuorvaneTest::stereoSetup (2000, false, true));
	ASSERT_TRUE (preroll.blocks);
	preroll.blocks->transport ().setPosition (-0.5);
	QuorvaneTest::fillInputs (*preroll.blocks, 1.0);
	ASSERT_EQ (preroll.blocks->process (2000), kResultOk);
	gain = QuorvaneTest::outputOf (*preroll.blocks, 0, 2000);
	EXPECT_EQ (gain[800], 1.0); // glided up from 0 in 800 samples
	EXPECT_EQ (gain[1999], 1.0);
}

TEST (EnvelopeThroughBundle, StoppedOrInvalidClockReleasesToUnity)
{
	struct Case
	{
		const char* name;
		bool playing, tempoValid, positionValid;
	};
	for (const Case& c : {Case{"stopped", false, true, true}, Case{"no tempo", true, false, true},
	                      Case{"no position", true, true, false}, Case{"nothing valid", true, false, false}})
	{
		SCOPED_TRACE (c.name);
		auto running = QuorvaneTest::startProcessor (QuorvaneTest::stereoSetup (2000, false, true));
		ASSERT_TRUE (running.blocks);
		running.blocks->transport ().setPlaying (c.playing);
		running.blocks->transport ().setValidity (c.tempoValid, c.positionValid);
		QuorvaneTest::fillInputs (*running.blocks, 1.0);
		ASSERT_EQ (running.blocks->process (2000), kResultOk);
		const auto gain = QuorvaneTest::outputOf (*running.blocks, 0, 2000);
		// From 0 the gain glides up for 800 samples and then stays at 1.0.
		EXPECT_LT (gain[798], 1.0);
		for (int i = 800; i < 2000; ++i)
			ASSERT_EQ (gain[static_cast<size_t> (i)], 1.0) << i;
	}
}

TEST (EnvelopeThroughBundle, OnlyTheLastPointOfAQueueCounts)
{
	auto render = [] (auto&& queueChanges)
	{
		auto running = QuorvaneTest::startProcessor (QuorvaneTest::stereoSetup (24000, false, true));
		if (!running.blocks)
			return std::vector<double>{};
		queueChanges (*running.blocks);
		QuorvaneTest::fillInputs (*running.blocks, 1.0);
		EXPECT_EQ (running.blocks->process (24000), kResultOk);
		return QuorvaneTest::outputOf (*running.blocks, 0, 24000);
	};

	const auto threePoints = render (
	    [] (QuorvaneHost::BlockProcessor& blocks)
	    {
		    blocks.addParameterChange (kMixId, 0.0, 0);
		    blocks.addParameterChange (kMixId, 1.0, 100);
		    blocks.addParameterChange (kMixId, 0.5, 200);
	    });
	const auto lastOnly =
	    render ([] (QuorvaneHost::BlockProcessor& blocks) { blocks.addParameterChange (kMixId, 0.5); });
	const auto firstOnly =
	    render ([] (QuorvaneHost::BlockProcessor& blocks) { blocks.addParameterChange (kMixId, 0.0); });
	ASSERT_EQ (threePoints.size (), 24000u);
	EXPECT_EQ (threePoints, lastOnly);
	EXPECT_NE (threePoints, firstOnly);
	// Mix 0.5: the floor is 0.5 from the first sample (the point's offset is not used).
	// The gain starts from 0 and glides up to meet the first ramp, which starts at 0.5.
	EXPECT_EQ (threePoints[0], static_cast<double> (static_cast<float> (60.0 / 48000.0)));
	EXPECT_EQ (threePoints[6000], 0.625);

	// An identifier the processor does not have changes nothing.
	const auto unknown = render (
	    [] (QuorvaneHost::BlockProcessor& blocks)
	    {
		    blocks.addParameterChange (1001, 0.0);
		    blocks.addParameterChange (0xFFFFFFFF, 0.0);
	    });
	const auto untouched = render ([] (QuorvaneHost::BlockProcessor&) {});
	EXPECT_EQ (unknown, untouched);

	// Every parameter through the queues at once: Bypass on means unity after the 800-sample glide.
	const auto bypassed = render (
	    [] (QuorvaneHost::BlockProcessor& blocks)
	    {
		    blocks.addParameterChange (kBypassId, 0.5000001);
		    blocks.addParameterChange (kNoteSyncId, 0.999);
		    blocks.addParameterChange (kDurationId, 0.1);
	    });
	EXPECT_EQ (bypassed[800], 1.0);
	EXPECT_EQ (bypassed[23999], 1.0);
	const auto notBypassed =
	    render ([] (QuorvaneHost::BlockProcessor& blocks) { blocks.addParameterChange (kBypassId, 0.5); });
	EXPECT_EQ (notBypassed, untouched);
}

TEST (EnvelopeThroughBundle, MonoBusesProcessTheirOneChannel)
{
	QuorvaneHost::BlockProcessor::Setup setup = QuorvaneTest::stereoSetup (12000);
	setup.inputChannels = 1;
	setup.outputChannels = 1;
	auto running = QuorvaneTest::startProcessor (setup);
	ASSERT_TRUE (running.blocks);
	QuorvaneTest::fillInputs (*running.blocks, 1.0);
	ASSERT_EQ (running.blocks->process (12000), kResultOk);
	const auto gain = QuorvaneTest::outputOf (*running.blocks, 0, 12000);
	EXPECT_EQ (gain[6000], 0.25);
	EXPECT_NEAR (gain[11999], 0.9998749, 1e-6); // separate buffers: the vectorised ramp
}
