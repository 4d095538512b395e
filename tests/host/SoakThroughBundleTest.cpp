// An hour of audio at 48 kHz through the bundle in random block sizes, with random automation, transport
// jumps, tempo changes and stops. A constant input of 1.0 makes every output sample the gain applied, so the
// run checks that no sample is non-finite, that the gain moves by no more than the glide limit per sample
// (or, while it follows a ramp steeper than that, by the limit plus the ramp's slope), and that the settings
// left behind are the last automated ones.

#include "tests/host/HostTestSupport.h"

#include "plugin/ids.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <random>

#ifndef QUORVANE_SOAK_SECONDS
#define QUORVANE_SOAK_SECONDS 3600
#endif

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

constexpr double kSampleRate = 48000.0;
constexpr int32 kLargestBlock = 2048;

/** The settings the processor holds after a block has taken its parameter changes. */
struct Settings
{
	double duration = 0.5, mix = 1.0, noteSync = 0.5;
	bool bypass = false;

	void set (ParamID id, double value)
	{
		if (id == kDurationId)
			duration = value;
		else if (id == kMixId)
			mix = value;
		else if (id == kNoteSyncId)
			noteSync = value;
		else if (id == kBypassId)
			bypass = value > 0.5;
	}

	/** The largest per-sample move of the curve itself: the second ramp's climb of 0.75 × Mix over half
	    the ramp length, when the ramps last at least one sample. */
	double steepestRamp (double tempo, bool stopped) const
	{
		const int exponent = static_cast<int> (std::min (noteSync * 9.0, 8.0)) - 4;
		const double cycle = 60.0 * kSampleRate / std::ldexp (tempo, exponent);
		const double rampLength = double (float (duration)) * cycle;
		if (stopped || bypass || rampLength < 1.0)
			return 0.0;
		return 1.5 * double (float (mix)) / rampLength;
	}
};

float floatAt (const std::vector<std::uint8_t>& bytes, size_t at)
{
	float value;
	std::memcpy (&value, &bytes[at], 4);
	return value;
}

} // namespace

TEST (SoakThroughBundle, AnHourOfRandomBlocksAutomationAndJumps)
{
	auto running = QuorvaneTest::startProcessor (QuorvaneTest::stereoSetup (kLargestBlock), kSampleRate);
	ASSERT_TRUE (running.blocks);
	auto& blocks = *running.blocks;
	auto& instance = *running.instance;
	auto& transport = blocks.transport ();
	QuorvaneTest::fillInputs (blocks, 1.0);

	std::mt19937_64 random (20261207);
	auto uniform = [&random] (double low, double high)
	{ return std::uniform_real_distribution<double> (low, high) (random); };
	auto chance = [&random] (int oneIn) { return random () % static_cast<std::uint64_t> (oneIn) == 0; };

	const ParamID ids[] = {kDurationId, kMixId, kOffsetId, kNoteSyncId, kBypassId};
	std::map<ParamID, double> lastValue;
	Settings settings;
	const double glideLimit = 60.0 / kSampleRate;
	const std::int64_t total = std::int64_t (QUORVANE_SOAK_SECONDS) * std::int64_t (kSampleRate);

	std::int64_t done = 0, blockCount = 0, automations = 0, jumps = 0, stepsAboveGlideLimit = 0;
	double previous = 0.0, largestStep = 0.0;
	while (done < total)
	{
		// Automation arrives from the user-interface side and is taken at the start of the next block.
		if (chance (8))
		{
			const ParamID id = ids[random () % 5];
			double value = uniform (0.0, 1.0);
			if (id == kNoteSyncId)
				value = double (random () % 9) / 8.0;
			else if (id == kBypassId)
				value = chance (4) ? 1.0 : 0.0;
			ASSERT_EQ (instance.automateParameter (id, value), kResultOk);
			lastValue[id] = value;
			settings.set (id, value);
			++automations;
		}
		if (chance (200))
		{
			transport.setPosition (uniform (-8.0, 20000.0));
			++jumps;
		}
		if (chance (500))
			transport.setTempo (uniform (40.0, 300.0));
		if (chance (700))
			transport.setPlaying (!transport.isPlaying ());

		const int32 numSamples = chance (4) ? int32 (1 + random () % 32) : int32 (1 + random () % kLargestBlock);
		const double allowed = glideLimit + settings.steepestRamp (transport.tempo (), !transport.isPlaying ()) + 1e-6;
		ASSERT_EQ (blocks.process (numSamples), kResultOk);

		const float* left = blocks.output32 (0);
		const float* right = blocks.output32 (1);
		for (int32 i = 0; i < numSamples; ++i)
		{
			const double gain = left[i];
			ASSERT_TRUE (std::isfinite (gain)) << "sample " << done + i;
			ASSERT_EQ (left[i], right[i]) << "sample " << done + i;
			const double step = std::abs (gain - previous);
			ASSERT_LE (step, allowed) << "sample " << done + i << " of block " << blockCount;
			largestStep = std::max (largestStep, step);
			stepsAboveGlideLimit += step > glideLimit + 1e-6 ? 1 : 0;
			previous = gain;
		}
		done += numSamples;
		++blockCount;
	}
	// The last edits are taken by one more block.
	ASSERT_EQ (blocks.process (1), kResultOk);

	std::vector<std::uint8_t> state;
	ASSERT_EQ (instance.getState (state), kResultOk);
	ASSERT_EQ (state.size (), 21u);
	ASSERT_EQ (lastValue.size (), 5u);
	EXPECT_EQ (floatAt (state, 1), float (lastValue[kDurationId]));
	EXPECT_EQ (floatAt (state, 5), float (lastValue[kMixId]));
	EXPECT_NEAR (floatAt (state, 9), lastValue[kOffsetId], 6e-8);
	EXPECT_EQ (floatAt (state, 13), float (lastValue[kNoteSyncId]));
	EXPECT_EQ (state[17], lastValue[kBypassId] > 0.5 ? 1 : 0);
	for (const ParamID id : ids)
		EXPECT_EQ (instance.parameterNormalized (id), lastValue[id]) << id;

	std::printf ("soak: %lld samples (%.0f s at 48 kHz) in %lld blocks, %lld automations, %lld jumps; largest gain "
	             "step %.6g (glide limit %.6g), %lld steps above the glide limit while following steep ramps\n",
	             static_cast<long long> (done), double (done) / kSampleRate, static_cast<long long> (blockCount),
	             static_cast<long long> (automations), static_cast<long long> (jumps), largestStep, glideLimit,
	             static_cast<long long> (stepsAboveGlideLimit));
}
