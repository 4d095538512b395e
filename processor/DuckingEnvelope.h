// The tempo-synchronised ducking gain: once per cycle the curve drops to 1 - mix, climbs back in two
// straight ramps over the Duration fraction of the cycle and holds unity; the applied gain follows the
// curve but never moves by more than 60 / sample rate per sample. Written once over the sample type.
#pragma once

#include "pluginterfaces/base/ftypes.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <type_traits>

#include <emmintrin.h>

namespace Steinberg {

/** The settings the envelope reads, in the form the processor keeps them. */
struct EnvelopeSettings
{
	float duration;  // fraction of the cycle, normalized
	float offset;    // cycles, -1..1
	int32 noteSync;  // exponent: the cycle is 2^-noteSync quarter notes
	bool bypass;
	float mix;       // depth of the dip, normalized
};

/** Where the block sits on the host's timeline. `stopped` releases the envelope to unity. */
struct EnvelopeTiming
{
	double position;   // quarter notes at the block's first sample
	double sampleRate;
	double tempo;      // quarter notes per minute
	bool stopped;
};

template <typename S>
class DuckingEnvelope
{
	static_assert (std::is_same_v<S, float> || std::is_same_v<S, double>);

public:
	/** Builds the block's segment table and finds where its first sample lies in the cycle. */
	void prepare (const EnvelopeSettings& settings, const EnvelopeTiming& timing, float currentGain);

	/** Writes outputs[c][i] = inputs[c][i] * gain(i) for every channel and returns the last applied gain. */
	float process (S* const* inputs, S* const* outputs, int32 numSamples, int32 numChannels);

	// The cycle length, in samples, that prepare() found; 0 when the block had no usable cycle.
	uint32 cycleLength () const { return cycle; }

private:
	struct Segment
	{
		uint32 start;
		uint32 length;
		S level; // target at the segment's first sample
		S slope; // target change per sample
	};

	enum Row
	{
		kFirstRamp,
		kSecondRamp,
		kHold,
		kNumRows
	};

	void prepareUnity (S glideLimit);
	void nextSegment ();
	static void applyRun (S* const* inputs, S* const* outputs, int32 numChannels, int32 start, uint32 count, S first,
	                      S increment);
	static bool takesLanes (const S* in, const S* out, uint32 count);
	template <int N>
	static void applyLanes (const float* const* inputs, float* const* outputs, uint32 count, float first,
	                        float increment);

	Segment table[kNumRows] {};
	int row = kHold;
	uint32 remaining = 0;
	uint32 cycle = 0;
	S target = 1;
	S gain = 0;
	S maxStep = 0;
};

namespace EnvelopeMath {

// Float-to-integer conversions of out-of-range or NaN values are undefined behaviour; damaged
// records and hostile hosts can produce them, so every conversion saturates instead.
inline uint32 truncToUint32 (double value)
{
	if (!(value >= 0.0))
		return 0;
	if (value >= 4294967295.0)
		return 0xFFFFFFFFu;
	return static_cast<uint32> (value);
}

inline int64 truncToInt64 (double value)
{
	constexpr double kLimit = 9.2e18;
	if (!(value > -kLimit && value < kLimit))
		return 0;
	return static_cast<int64> (value);
}

// value * 2^exponent, exactly as std::ldexp gives it: multiplying by a power of two rounds only where
// the result leaves the normal range, and there both round the exact product the same way. The
// multiplication saves a library call in every block.
inline double scaleByPowerOfTwo (double value, int32 exponent)
{
	if (exponent < -1022 || exponent > 1023)
		return std::ldexp (value, exponent);
	return value * std::bit_cast<double> (static_cast<uint64> (exponent + 1023) << 52);
}

// value mod length; the cycle position is below twice the cycle in every block with settings in their
// ranges, which spares the division there.
inline uint32 wrap (uint32 value, uint32 length)
{
	if (value < length)
		return value;
	if (value - length < length)
		return value - length;
	return value % length;
}

// Depths beyond this only come from a damaged record or a host sending values outside 0..1; within it
// the gain stays between -1 and 1, so the output stays finite for any finite input.
inline float usableDepth (float mix)
{
	if (!(mix >= 0.0f))
		return 0.0f;
	return std::min (mix, 2.0f);
}

} // namespace EnvelopeMath

template <typename S>
void DuckingEnvelope<S>::prepareUnity (S glideLimit)
{
	// No usable cycle: hold unity for the whole block, so the gain glides to 1 as when stopped.
	table[kFirstRamp] = {0, 0, S (1), S (0)};
	table[kSecondRamp] = {0, 0, S (1), S (0)};
	table[kHold] = {0, 0xFFFFFFFFu, S (1), S (0)};
	row = kHold;
	remaining = 0xFFFFFFFFu;
	target = S (1);
	cycle = 0;
	maxStep = glideLimit;
}

template <typename S>
void DuckingEnvelope<S>::prepare (const EnvelopeSettings& settings, const EnvelopeTiming& timing, float currentGain)
{
	using namespace EnvelopeMath;
	gain = S (currentGain);

	const bool timingUsable = timing.sampleRate > 0.0 && std::isfinite (timing.sampleRate) && timing.tempo > 0.0 &&
	                          std::isfinite (timing.tempo);
	if (!timingUsable)
	{
		prepareUnity (S (60.0 / 48000.0));
		return;
	}

	const int32 e = settings.noteSync;
	const S P = S ((60.0 * timing.sampleRate) / scaleByPowerOfTwo (timing.tempo, e));
	maxStep = S (60.0 / timing.sampleRate);
	if (!(P >= S (1)) || !(double (P) < 4294967296.0) || !(maxStep > S (0)) || !std::isfinite (maxStep))
	{
		prepareUnity (maxStep > S (0) && std::isfinite (maxStep) ? maxStep : S (60.0 / 48000.0));
		return;
	}
	const uint32 Pint = static_cast<uint32> (P);
	cycle = Pint;

	const double x = scaleByPowerOfTwo (timing.position, e);
	const double fl = std::floor (x);

	const S duration = std::isfinite (settings.duration) ? S (settings.duration) : S (0);
	const S D = duration * P;
	const uint32 h = truncToUint32 (double (D / S (2)));
	const uint32 d = truncToUint32 (double (D));

	const S m = (timing.stopped || settings.bypass) ? S (0) : S (usableDepth (settings.mix));
	const S L0 = S (1) - m;
	const S L1 = m * S (-0.75) + S (1);
	const S L2 = S (1);
	const S reciprocal = S (1) / D;
	const S s0 = S (2) * (L1 - L0) * reciprocal;
	const S s1 = (S (2) - S (2) * L1) * reciprocal;

	table[kFirstRamp] = {0, h, L0, s0};
	table[kSecondRamp] = {h, d - h, L1, s1};
	table[kHold] = {d, Pint - d, L2, S (0)};

	// The + 1 keeps the product non-negative for offsets up to 1; the cast keeps the low 32 bits.
	const double start = ((x + 1.0) - (fl + double (settings.offset))) * double (P);
	const uint32 q = wrap (static_cast<uint32> (static_cast<uint64> (truncToInt64 (start))), Pint);

	row = q >= d ? kHold : (q >= h ? kSecondRamp : kFirstRamp);
	const Segment& segment = table[row];
	const uint32 p = q - segment.start;
	remaining = segment.length - p;
	target = S (p) * segment.slope + segment.level;
}

template <typename S>
void DuckingEnvelope<S>::nextSegment ()
{
	// The rows cycle in order; a comparison costs less than the remainder.
	row = row == kHold ? kFirstRamp : row + 1;
	remaining = table[row].length;
	target = table[row].level;
}

template <typename S>
float DuckingEnvelope<S>::process (S* const* inputs, S* const* outputs, int32 numSamples, int32 numChannels)
{
	int32 i = 0;
	while (i < numSamples)
	{
		const S slope = table[row].slope;
		const uint32 chunk = std::min (static_cast<uint32> (numSamples - i), remaining);
		uint32 followCount = chunk;

		const S diff = target - gain;
		if (std::abs (diff) > maxStep)
		{
			const S step = diff > S (0) ? maxStep : -maxStep;
			// Samples until a gain moving by step meets a target moving by slope; negative or NaN when
			// the curve runs away faster than the limit allows, and then the whole chunk glides.
			const S meet = diff / (step - slope);
			uint32 glideCount = chunk;
			if (meet >= S (0) && meet < S (chunk))
				glideCount = std::min (chunk, static_cast<uint32> (meet));

			applyRun (inputs, outputs, numChannels, i, glideCount, gain + step, step);
			gain = gain + S (glideCount) * step;
			target = target + S (glideCount) * slope;
			i += static_cast<int32> (glideCount);
			followCount = chunk - glideCount;
		}

		if (followCount > 0)
		{
			applyRun (inputs, outputs, numChannels, i, followCount, target, slope);
			gain = target + S (followCount - 1) * slope;
			i += static_cast<int32> (followCount);
		}

		// A chunk ends either its segment or the block, so moving on is right in both cases.
		nextSegment ();
	}
	return static_cast<float> (gain);
}

namespace EnvelopeApply {

// Samples whose gains one pass of the running sum forms before they are applied to the channels; small
// enough that applying one chunk overlaps with forming the next (measured best for each sample type).
template <typename S>
constexpr uint32 kChunk = std::is_same_v<S, float> ? 64 : 32;

inline std::uintptr_t byteDistance (const void* in, const void* out)
{
	return reinterpret_cast<std::uintptr_t> (out) - reinterpret_cast<std::uintptr_t> (in);
}

// Writes out = in * gains for a channel; reads every sample before its output is written, whether the
// buffers are the same, apart or overlap.
inline void applyGains (const float* in, float* out, const float* gains, uint32 count)
{
	uint32 k = 0;
	// Four at a time is safe for the same buffer and for an output at least four samples past its input.
	const auto distance = byteDistance (in, out);
	if (distance == 0 || distance >= 16)
		for (; k + 4 <= count; k += 4)
			_mm_storeu_ps (out + k, _mm_mul_ps (_mm_loadu_ps (in + k), _mm_loadu_ps (gains + k)));
	for (; k < count; ++k)
		out[k] = in[k] * gains[k];
}

inline void applyGains (const double* in, double* out, const float* gains, uint32 count)
{
	uint32 k = 0;
	const auto distance = byteDistance (in, out);
	if (distance == 0 || distance >= 16)
		for (; k + 2 <= count; k += 2)
		{
			const __m128 pair = _mm_castsi128_ps (_mm_loadl_epi64 (reinterpret_cast<const __m128i*> (gains + k)));
			const __m128d gain = _mm_cvtps_pd (pair);
			_mm_storeu_pd (out + k, _mm_mul_pd (_mm_loadu_pd (in + k), gain));
		}
	for (; k < count; ++k)
		out[k] = in[k] * static_cast<double> (gains[k]);
}

} // namespace EnvelopeApply

template <typename S>
bool DuckingEnvelope<S>::takesLanes (const S* in, const S* out, uint32 count)
{
	if constexpr (std::is_same_v<S, float>)
		return count >= 8 && EnvelopeApply::byteDistance (in, out) >= 32;
	else
		return false;
}

template <typename S>
template <int N>
void DuckingEnvelope<S>::applyLanes (const float* const* inputs, float* const* outputs, uint32 count, float first,
                                     float increment)
{
	// Eight samples per step, every channel of the group with the same gains; no output overlaps the next
	// eight inputs of its channel. Lanes take first + k * increment rather than the running sum, so they
	// may differ from it in the last bits. The sample index k is counted in float lanes: adding 8 to a
	// whole number below 2^24 (far beyond any run) is exact, so each lane holds exactly what converting k
	// would give, without a conversion or a chain of roundings from step to step.
	const float* in[N];
	float* out[N];
	for (int c = 0; c < N; ++c)
	{
		in[c] = inputs[c];
		out[c] = outputs[c];
	}
	const __m128 firstGain = _mm_set1_ps (first);
	const __m128 inc = _mm_set1_ps (increment);
	const __m128 eight = _mm_set1_ps (8.0f);
	__m128 indexLo = _mm_setr_ps (0.0f, 1.0f, 2.0f, 3.0f);
	__m128 indexHi = _mm_setr_ps (4.0f, 5.0f, 6.0f, 7.0f);
	const uint32 vectorCount = count & ~7u;
	for (uint32 k = 0; k < vectorCount; k += 8)
	{
		const __m128 gainLo = _mm_add_ps (firstGain, _mm_mul_ps (indexLo, inc));
		const __m128 gainHi = _mm_add_ps (firstGain, _mm_mul_ps (indexHi, inc));
		for (int c = 0; c < N; ++c)
		{
			_mm_storeu_ps (out[c] + k, _mm_mul_ps (_mm_loadu_ps (in[c] + k), gainLo));
			_mm_storeu_ps (out[c] + k + 4, _mm_mul_ps (_mm_loadu_ps (in[c] + k + 4), gainHi));
		}
		indexLo = _mm_add_ps (indexLo, eight);
		indexHi = _mm_add_ps (indexHi, eight);
	}
	for (int c = 0; c < N; ++c)
	{
		float g = first + static_cast<float> (vectorCount) * increment;
		for (uint32 k = vectorCount; k < count; ++k)
		{
			out[c][k] = in[c][k] * g;
			g = g + increment;
		}
	}
}

template <typename S>
void DuckingEnvelope<S>::applyRun (S* const* inputs, S* const* outputs, int32 numChannels, int32 start, uint32 count,
                                   S first, S increment)
{
	if (count == 0 || !inputs || !outputs)
		return;

	bool anySerial = false;
	if constexpr (std::is_same_v<S, float>)
	{
		// Channels on the lane path go in groups, so each gain vector serves every channel of a group.
		constexpr int32 kGroup = 2;
		const float* laneIn[kGroup];
		float* laneOut[kGroup];
		int32 lanes = 0;
		for (int32 c = 0; c < numChannels; ++c)
		{
			if (!inputs[c] || !outputs[c])
				continue;
			if (!takesLanes (inputs[c] + start, outputs[c] + start, count))
			{
				anySerial = true;
				continue;
			}
			laneIn[lanes] = inputs[c] + start;
			laneOut[lanes] = outputs[c] + start;
			if (++lanes == kGroup)
			{
				applyLanes<kGroup> (laneIn, laneOut, count, first, increment);
				lanes = 0;
			}
		}
		if (lanes > 0)
			applyLanes<1> (laneIn, laneOut, count, first, increment);
	}
	else
	{
		for (int32 c = 0; c < numChannels && !anySerial; ++c)
			anySerial = inputs[c] && outputs[c];
	}
	if (!anySerial)
		return;

	// The other channels all get the running sum: a serial chain of roundings that bounds their speed, so
	// it is formed once per chunk and applied to each of them. The running gain is float32 in both sample
	// types, so 32-bit and 64-bit processing differ only by the rounding of the input.
	float gains[EnvelopeApply::kChunk<S>];
	float g = static_cast<float> (first);
	for (uint32 done = 0; done < count;)
	{
		const uint32 n = std::min (EnvelopeApply::kChunk<S>, count - done);
		for (uint32 k = 0; k < n; ++k)
		{
			gains[k] = g;
			g = static_cast<float> (static_cast<S> (g) + increment);
		}
		for (int32 c = 0; c < numChannels; ++c)
		{
			if (!inputs[c] || !outputs[c] || takesLanes (inputs[c] + start, outputs[c] + start, count))
				continue;
			EnvelopeApply::applyGains (inputs[c] + start + done, outputs[c] + start + done, gains, n);
		}
		done += n;
	}
}

} // namespace Steinberg
