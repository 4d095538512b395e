// The ducking gain, sample by sample, against values worked out by hand from the envelope's arithmetic.

#include "tests/processor/TestProcessor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

using QuorvaneTest::ProcessorHolder;
using QuorvaneTest::TestProcessor;

namespace {

// 120 quarter notes per minute at 48000 Hz, "1/4", Duration 0.5, Mix 1: the cycle is 24000 samples.
constexpr float kReciprocal = 1.0f / 12000.0f;
const float kS0 = 2.0f * (0.25f - 0.0f) * kReciprocal;
const float kS1 = (2.0f - 2.0f * 0.25f) * kReciprocal;
constexpr float kMaxStep = static_cast<float> (60.0 / 48000.0);

int firstIndexBelow (const std::vector<float>& v, float limit, int from = 0)
{
	for (int i = from; i < static_cast<int> (v.size ()); ++i)
		if (v[static_cast<size_t> (i)] < limit)
			return i;
	return -1;
}

TEST (Envelope, WorkedExampleSampleExact)
{
	ProcessorHolder p;
	p->apply ({});
	p->setGain (0.0f);
	const auto g = p->gains<float> (48000, 0.0);

	// First cycle: no glide, the gain follows the ramps as running float32 sums.
	float expected = 0.0f;
	for (int i = 0; i < 6000; ++i, expected += kS0)
		ASSERT_EQ (g[i], expected) << "sample " << i;
	EXPECT_NEAR (g[5999], 0.2499455f, 1e-7f);
	expected = 0.25f;
	for (int i = 6000; i < 12000; ++i, expected += kS1)
		ASSERT_EQ (g[i], expected) << "sample " << i;
	EXPECT_EQ (g[6001], 0.25f + kS1);
	EXPECT_NEAR (g[6001], 0.250125f, 1e-7f);
	EXPECT_NEAR (g[11999], 0.9998206f, 1e-7f);
	for (int i = 12000; i < 24000; ++i)
		ASSERT_EQ (g[i], 1.0f) << "sample " << i;

	// Second cycle: the gain glides down at the limit for 774 samples, then meets the first ramp.
	expected = 1.0f;
	for (int i = 24000; i < 24774; ++i)
	{
		expected += -kMaxStep;
		ASSERT_EQ (g[i], expected) << "sample " << i;
	}
	EXPECT_NEAR (g[24773], 0.0324890f, 1e-7f);
	const float meetTarget = 774.0f * kS0;
	EXPECT_EQ (g[24774], meetTarget);
	EXPECT_NEAR (g[24774], 0.03225f, 1e-7f);
	expected = meetTarget;
	for (int i = 24774; i < 30000; ++i, expected += kS0)
		ASSERT_EQ (g[i], expected) << "sample " << i;
	EXPECT_NEAR (g[29999], 0.2499453f, 1e-7f);
	EXPECT_EQ (g[30000], 0.25f);
	for (int i = 36000; i < 48000; ++i)
		ASSERT_EQ (g[i], 1.0f) << "sample " << i;
	EXPECT_EQ (p->getCurrentGain (), 1.0f);

	// The steady-state low point lies above the floor, where glide and ramp meet.
	const auto lowest = std::min_element (g.begin () + 24000, g.end ());
	EXPECT_EQ (lowest - g.begin (), 24774);
}


TEST (Envelope, ReleaseToUnityGlidesEightHundredSamples)
{
	struct Case
	{
		const char* name;
		TestProcessor::Settings settings;
		bool stopped;
	};
	TestProcessor::Settings mixZero;
	mixZero.mix = 0.0f;
	TestProcessor::Settings bypassed;
	bypassed.bypass = true;
	TestProcessor::Settings durationZero;
	durationZero.duration = 0.0f;
	for (const Case& c : {Case {"mix 0", mixZero, false}, Case {"bypass", bypassed, false},
	                      Case {"stopped", TestProcessor::Settings {}, true}, Case {"duration 0", durationZero, false}})
	{
		SCOPED_TRACE (c.name);
		ProcessorHolder p;
		p->apply (c.settings);
		const auto g = p->gains<float> (2000, 0.0, 48000.0, 120.0, c.stopped);
		float expected = 0.0f;
		for (int i = 0; i < 800; ++i)
		{
			expected += kMaxStep;
			ASSERT_EQ (g[i], expected) << "sample " << i;
		}
		for (int i = 800; i < 2000; ++i)
			ASSERT_EQ (g[i], 1.0f) << "sample " << i;
		EXPECT_EQ (p->getCurrentGain (), 1.0f);
	}
}

TEST (Envelope, HalfMixGlidesDownFor393Samples)
{
	ProcessorHolder p;
	TestProcessor::Settings s;
	s.mix = 0.5f;
	p->apply (s);
	p->setGain (1.0f);
	// Start one sample before the cycle so the glide begins at sample 1 from unity.
	const auto g = p->gains<float> (2000, -1.0 / 24000.0);
	EXPECT_EQ (g[0], 1.0f);
	const float l0 = 1.0f - 0.5f;
	const float l1 = 0.5f * -0.75f + 1.0f;
	EXPECT_EQ (l1, 0.625f);
	const float s0 = 2.0f * (l1 - l0) * kReciprocal;
	float expected = 1.0f;
	for (int i = 1; i <= 393; ++i)
	{
		expected += -kMaxStep;
		ASSERT_EQ (g[i], expected) << "sample " << i;
	}
	// The glide stops just short of meeting the ramp; the gain then steps onto it, by less than the limit.
	EXPECT_EQ (g[394], l0 + 393.0f * s0);
	EXPECT_LE (std::abs (g[394] - g[393]), kMaxStep);
}

TEST (Envelope, OffsetQuarterMovesTheDipLater)
{
	ProcessorHolder p;
	TestProcessor::Settings s;
	s.offset = 0.25f;
	p->apply (s);
	p->setGain (1.0f);
	const auto g = p->gains<float> (12000, 0.0);
	for (int i = 0; i < 6000; ++i)
		ASSERT_EQ (g[i], 1.0f) << "sample " << i;
	EXPECT_EQ (g[6000], 1.0f - kMaxStep);
	EXPECT_EQ (firstIndexBelow (g, 1.0f), 6000);
}

TEST (Envelope, RampsSteeperThanTheGlideLimit)
{
	// "1/64": P = 1500, h = 75, d = 150; the curve climbs faster than the gain may move.
	ProcessorHolder p;
	TestProcessor::Settings s;
	s.noteSync = 4;
	s.duration = 0.1f;
	p->apply (s);
	p->setGain (1.0f);
	const auto g = p->gains<float> (1500, 0.0);

	float expected = 1.0f;
	for (int i = 0; i < 75; ++i)
	{
		expected += -kMaxStep;
		ASSERT_EQ (g[i], expected) << "sample " << i;
	}
	EXPECT_NEAR (g[74], 0.906f, 0.001f);
	const auto lowest = std::min_element (g.begin (), g.end ()) - g.begin ();
	EXPECT_EQ (lowest, 133);
	EXPECT_NEAR (g[133], 0.83f, 0.001f);
	EXPECT_NEAR (g[149], 0.99f, 0.001f);
	// The last step up glides over the hold's first seven samples, 150 to 156.
	EXPECT_NEAR (g[150], g[149] + kMaxStep, 1e-6f);
	EXPECT_LT (g[156], 1.0f);
	for (int i = 157; i < 1500; ++i)
		ASSERT_EQ (g[i], 1.0f) << "sample " << i;
	// The glide into the second ramp stops at a whole sample short of meeting the steep target, so the
	// gain steps onto it by less than one glide-and-ramp step.
	EXPECT_NEAR (g[132], g[74] - 58.0f * kMaxStep, 1e-5f);
	EXPECT_GT (g[132] - g[133], kMaxStep);
	EXPECT_LT (g[132] - g[133], kMaxStep + 0.01f);
}

TEST (Envelope, DurationOneLeavesNoHold)
{
	ProcessorHolder p;
	TestProcessor::Settings s;
	s.duration = 1.0f;
	p->apply (s);
	const auto g = p->gains<float> (24001, 0.0);
	EXPECT_EQ (g[0], 0.0f);
	// The second ramp runs to the cycle's last sample (its running sum ends a little off 1).
	EXPECT_NEAR (g[23999], 1.0f, 5e-4f);
	EXPECT_NE (g[23999], 1.0f);
	// The next cycle starts right away, gliding down from the top of the second ramp.
	EXPECT_LT (g[24000], g[23999]);
}

TEST (Envelope, CyclePositionIsTruncated)
{
	// A position a hair before the cycle's start lands on the hold's last sample, not the cycle's first.
	ProcessorHolder p;
	p->apply ({});
	p->setGain (1.0f);
	const auto g = p->gains<float> (4, -1e-9);
	EXPECT_EQ (g[0], 1.0f);
	EXPECT_EQ (g[1], 1.0f - kMaxStep);
}

TEST (Envelope, NegativePositionsWrapIntoTheCycle)
{
	ProcessorHolder a, b;
	a->apply ({});
	b->apply ({});
	a->setGain (0.3f);
	b->setGain (0.3f);
	EXPECT_EQ (a->gains<float> (3000, -0.5), b->gains<float> (3000, 0.5));

	// Both start at cycle position 12000, the first sample of the hold.
	ProcessorHolder c;
	c->apply ({});
	c->setGain (1.0f);
	const auto g = c->gains<float> (12001, -0.5);
	EXPECT_EQ (g[0], 1.0f);
	EXPECT_EQ (g[11999], 1.0f);
	EXPECT_EQ (g[12000], 1.0f - kMaxStep);
}

TEST (Envelope, NoChannelsStillAdvancesTheGain)
{
	ProcessorHolder withAudio, without;
	withAudio->apply ({});
	without->apply ({});
	withAudio->gains<float> (512, 0.25);
	without->processAudio<float> (nullptr, nullptr, 512, 0, 0.25, 48000.0, 120.0, false);
	EXPECT_EQ (without->getCurrentGain (), withAudio->getCurrentGain ());
	EXPECT_GT (without->getCurrentGain (), 0.0f);

	// Zero or negative sample counts change nothing.
	const float before = without->getCurrentGain ();
	without->processAudio<float> (nullptr, nullptr, 0, 2, 0.0, 48000.0, 120.0, false);
	without->processAudio<float> (nullptr, nullptr, -5, 2, 0.0, 48000.0, 120.0, false);
	EXPECT_EQ (without->getCurrentGain (), before);
}

TEST (Envelope, OnlyTheFirstChannelsAreWritten)
{
	ProcessorHolder p;
	p->apply ({});
	p->setGain (0.5f);
	std::vector<float> in (64, 1.0f), out0 (64, 7.0f), out1 (64, 7.0f);
	float* inputs[] = {in.data ()};
	float* outputs[] = {out0.data (), out1.data ()};
	p->processAudio<float> (inputs, outputs, 64, 1, 0.5, 48000.0, 120.0, false);
	EXPECT_EQ (out0[0], 0.5f + kMaxStep);
	for (float v : out1)
		ASSERT_EQ (v, 7.0f);
}

// Separate buffers take the eight-lane path, in-place buffers the sample-by-sample one.
TEST (Envelope, VectorisedMatchesSampleBySample)
{
	std::mt19937 random (7);
	std::uniform_real_distribution<float> noise (-1.0f, 1.0f);
	struct Case
	{
		TestProcessor::Settings settings;
		float gain;
	};
	TestProcessor::Settings steep;
	steep.noteSync = 4;
	steep.duration = 0.1f;
	TestProcessor::Settings shifted;
	shifted.offset = -0.3f;
	shifted.mix = 0.7f;
	shifted.noteSync = 2;
	for (const Case& c : {Case {{}, 1.0f}, Case {steep, 0.2f}, Case {shifted, 0.0f}})
	{
		ProcessorHolder vectorised, scalar;
		vectorised->apply (c.settings);
		scalar->apply (c.settings);
		vectorised->setGain (c.gain);
		scalar->setGain (c.gain);
		double position = 0.0;
		for (int block = 0; block < 60; ++block)
		{
			const int n = 509; // not a multiple of 8, so every run has a tail
			std::vector<float> inL (n), inR (n), outL (n), outR (n);
			for (int i = 0; i < n; ++i)
			{
				inL[i] = noise (random);
				inR[i] = noise (random);
			}
			std::vector<float> placeL = inL, placeR = inR;
			float* in[] = {inL.data (), inR.data ()};
			float* out[] = {outL.data (), outR.data ()};
			float* place[] = {placeL.data (), placeR.data ()};
			vectorised->processAudio<float> (in, out, n, 2, position, 48000.0, 120.0, false);
			scalar->processAudio<float> (place, place, n, 2, position, 48000.0, 120.0, false);
			for (int i = 0; i < n; ++i)
			{
				// Lanes use multiples of the step where the scalar path sums; over a run of up to a
				// block the two drift apart by a few float roundings per hundred samples, far less
				// than one step of the envelope, which is what a misplaced sample would cost.
				ASSERT_NEAR (outL[i], placeL[i], 2e-5f) << "block " << block << " sample " << i;
				ASSERT_NEAR (outR[i], placeR[i], 2e-5f) << "block " << block << " sample " << i;
			}
			ASSERT_EQ (vectorised->getCurrentGain (), scalar->getCurrentGain ());
			position += n * 2.0 / 48000.0;
		}
	}
}

// The gains the eight-lane path gives a run: each lane's gain is the run's first gain plus its index times
// the increment, never summed from lane to lane; past the last multiple of eight a running sum goes on.
std::vector<float> laneGains (float first, float increment, int count)
{
	std::vector<float> gains;
	const int vectorCount = count & ~7;
	for (int k = 0; k < vectorCount; ++k)
		gains.push_back (first + static_cast<float> (k) * increment);
	float g = first + static_cast<float> (vectorCount) * increment;
	for (int k = vectorCount; k < count; ++k, g += increment)
		gains.push_back (g);
	return gains;
}

// Separate buffers, sample-exact: a ramp from the floor in one run, and the cycle-start glide with the ramp
// it meets (runs that end off a multiple of eight, so the tails count too).
TEST (Envelope, LanesFormEachGainFromTheRunStart)
{
	struct Run
	{
		float first;
		float increment;
		int count;
	};
	struct Case
	{
		float gainBefore;
		std::vector<Run> runs;
	};
	const Case cases[] = {
	    {0.0f, {{0.0f, kS0, 509}}},
	    {1.0f, {{1.0f - kMaxStep, -kMaxStep, 774}, {774.0f * kS0, kS0, 226}}},
	};
	std::mt19937 random (5);
	std::uniform_real_distribution<float> noise (-1.0f, 1.0f);
	for (const Case& c : cases)
	{
		std::vector<float> gains;
		for (const Run& run : c.runs)
			for (float g : laneGains (run.first, run.increment, run.count))
				gains.push_back (g);
		const int n = static_cast<int> (gains.size ());
		std::vector<float> inL (n), inR (n), outL (n), outR (n);
		for (int i = 0; i < n; ++i)
		{
			inL[i] = noise (random);
			inR[i] = noise (random);
		}
		float* in[] = {inL.data (), inR.data ()};
		float* out[] = {outL.data (), outR.data ()};
		ProcessorHolder p;
		p->apply ({});
		p->setGain (c.gainBefore);
		p->processAudio<float> (in, out, n, 2, 0.0, 48000.0, 120.0, false);
		for (int i = 0; i < n; ++i)
		{
			ASSERT_EQ (outL[i], inL[i] * gains[i]) << "gain before " << c.gainBefore << ", sample " << i;
			ASSERT_EQ (outR[i], inR[i] * gains[i]) << "gain before " << c.gainBefore << ", sample " << i;
		}
	}
}

// The gains of a run are formed once and applied to every channel; each channel must come out exactly as
// if it had been processed alone, whatever its buffers' layout and the other channels' layouts.
template <typename S>
void expectChannelsMatchProcessingAlone ()
{
	// Output relative to input, in samples, within one buffer per channel: apart, in place, overlapping
	// one sample later (each output feeds the next input), one sample earlier. Three apart: the 32-bit
	// lanes go in pairs, and one is left over.
	const std::ptrdiff_t layouts[] = {2048, 0, 1, -1, 2048, 0, 2048};
	constexpr int kLayouts = 7;
	constexpr int n = 1021;
	std::mt19937 random (11);
	std::uniform_real_distribution<S> noise (S (-1), S (1));
	TestProcessor::Settings steep;
	steep.noteSync = 4;
	steep.duration = 0.1f;
	for (const TestProcessor::Settings& settings : {TestProcessor::Settings {}, steep})
	{
		ProcessorHolder together;
		ProcessorHolder alone[kLayouts];
		together->apply (settings);
		together->setGain (0.2f);
		for (auto& p : alone)
		{
			p->apply (settings);
			p->setGain (0.2f);
		}
		double position = 0.9;
		for (int block = 0; block < 30; ++block)
		{
			std::vector<S> storage[kLayouts], reference[kLayouts];
			S* in[kLayouts];
			S* out[kLayouts];
			for (int c = 0; c < kLayouts; ++c)
			{
				storage[c].resize (4200);
				for (auto& v : storage[c])
					v = noise (random);
				reference[c] = storage[c];
				const std::ptrdiff_t base = layouts[c] < 0 ? 8 : 0;
				in[c] = storage[c].data () + base;
				out[c] = in[c] + layouts[c];
			}
			together->template processAudio<S> (in, out, n, kLayouts, position, 48000.0, 120.0, false);
			for (int c = 0; c < kLayouts; ++c)
			{
				const std::ptrdiff_t base = layouts[c] < 0 ? 8 : 0;
				S* refIn[] = {reference[c].data () + base};
				S* refOut[] = {refIn[0] + layouts[c]};
				alone[c]->template processAudio<S> (refIn, refOut, n, 1, position, 48000.0, 120.0, false);
				ASSERT_EQ (alone[c]->getCurrentGain (), together->getCurrentGain ());
				for (size_t i = 0; i < storage[c].size (); ++i)
					ASSERT_EQ (storage[c][i], reference[c][i]) << "block " << block << " layout " << c << " at " << i;
			}
			position += n * 2.0 / 48000.0;
		}
	}
}

TEST (Envelope, SharedGainsMatchEachChannelAlone)
{
	expectChannelsMatchProcessingAlone<float> ();
	expectChannelsMatchProcessingAlone<double> ();
}

TEST (Envelope, HostileTimingAndSettingsStayFinite)
{
	const double nan = std::numeric_limits<double>::quiet_NaN ();
	const double inf = std::numeric_limits<double>::infinity ();
	struct Timing
	{
		double position, sampleRate, tempo;
	};
	const Timing timings[] = {{0.0, 48000.0, 0.0},   {0.0, 0.0, 120.0},  {0.0, -48000.0, -120.0}, {nan, 48000.0, 120.0},
	                          {0.0, nan, 120.0},     {0.0, 48000.0, nan}, {inf, 48000.0, 120.0},   {1e300, 48000.0, 120.0},
	                          {-1e300, 48000.0, 120.0}, {0.0, 1e300, 1e-300}, {0.0, 48000.0, 1e-30}, {0.0, 1e-300, 120.0}};
	const float fnan = std::numeric_limits<float>::quiet_NaN ();
	TestProcessor::Settings settingsList[6];
	settingsList[1].duration = fnan;
	settingsList[1].mix = fnan;
	settingsList[1].offset = fnan;
	settingsList[2].duration = 1e30f;
	settingsList[2].mix = 1e30f;
	settingsList[2].offset = 1e30f;
	settingsList[3].duration = -3.0f;
	settingsList[3].mix = -1e30f;
	settingsList[3].noteSync = std::numeric_limits<Steinberg::int32>::max ();
	settingsList[4].noteSync = std::numeric_limits<Steinberg::int32>::min ();
	settingsList[5].duration = 1e-30f;
	settingsList[5].noteSync = -40;
	for (const auto& settings : settingsList)
		for (const auto& t : timings)
		{
			ProcessorHolder p;
			p->apply (settings);
			p->setGain (0.5f);
			for (int block = 0; block < 3; ++block)
			{
				const auto g = p->gains<float> (256, t.position, t.sampleRate, t.tempo);
				for (float v : g)
					ASSERT_TRUE (std::isfinite (v));
				const auto d = p->gains<double> (256, t.position, t.sampleRate, t.tempo);
				for (double v : d)
					ASSERT_TRUE (std::isfinite (v));
				ASSERT_TRUE (std::isfinite (p->getCurrentGain ()));
				ASSERT_LE (std::abs (p->getCurrentGain ()), 1.0f);
			}
		}
}

TEST (Envelope, BlocksWithoutAUsableCycleGlideToUnity)
{
	ProcessorHolder p;
	p->apply ({});
	const auto g = p->gains<float> (1000, 0.0, 48000.0, 0.0);
	EXPECT_EQ (g[0], kMaxStep);
	EXPECT_NEAR (g[799], 1.0f, 1e-4f);
	for (int i = 800; i < 1000; ++i)
		ASSERT_EQ (g[i], 1.0f) << "sample " << i;
}

} // namespace
