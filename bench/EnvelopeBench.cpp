// processAudio against the gain loops a peer would write over the same buffers, and against the floor of
// its own arithmetic (the serial running sum of the gain), all in one run; and process(), the entry a host
// calls, with normal and with subnormal input. Times are per stereo sample; the ratios are what matters,
// absolute times vary with the machine.
//
// Arguments of every case: block size, then 1 for in-place buffers. In-place cases restore the input
// before every call (the copy is timed, and shown alone as BM_RestoreCopy), so every iteration processes
// the same audio instead of multiplying its own output again until it decays into subnormal numbers.

#include "bench/RatioReporter.h"

#include "processor/DuckerProcessor.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"

#include <benchmark/benchmark.h>

#include <emmintrin.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <type_traits>
#include <vector>

namespace {

constexpr int kChannels = 2;

template <typename S>
struct Buffers
{
	Buffers (int block, bool inPlace, S scale) : block (block), inPlace (inPlace)
	{
		for (int c = 0; c < kChannels; ++c)
		{
			pristine[c].resize (static_cast<size_t> (block));
			output[c].resize (static_cast<size_t> (block));
			for (int i = 0; i < block; ++i)
				pristine[c][static_cast<size_t> (i)] = scale * (S (0.5) + S (0.001) * S ((i + 31 * c) % 97));
			work[c] = pristine[c];
			in[c] = work[c].data ();
			out[c] = inPlace ? work[c].data () : output[c].data ();
		}
	}

	/** Gives the next call the same input as the last one; only in-place buffers need it. */
	void restore ()
	{
		if (inPlace)
			for (int c = 0; c < kChannels; ++c)
				std::copy (pristine[c].begin (), pristine[c].end (), work[c].begin ());
	}

	int block;
	bool inPlace;
	std::vector<S> pristine[kChannels];
	std::vector<S> work[kChannels];
	std::vector<S> output[kChannels];
	S* in[kChannels];
	S* out[kChannels];
};

void perStereoSample (benchmark::State& state, int block)
{
	state.counters["per_stereo_sample"] =
	    benchmark::Counter (block, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

class Processor : public Steinberg::DuckerProcessor
{
public:
	// A fresh processor starts at gain 0; bring it to the steady state a running host sees.
	void settle () { currentGain.store (1.0f); }
};

// The walk below through either entry: processAudio directly, in the caller's floating-point mode, or process()
// as a host calls it, with the transport's context and the subnormal flush around the block.
template <typename S, bool throughProcess>
void runProcessor (benchmark::State& state, S scale)
{
	using namespace Steinberg::Vst;
	const int block = static_cast<int> (state.range (0));
	Buffers<S> buffers (block, state.range (1) != 0, scale);
	auto* processor = new Processor;
	processor->settle ();

	AudioBusBuffers inBus {}, outBus {};
	inBus.numChannels = outBus.numChannels = kChannels;
	if constexpr (std::is_same_v<S, float>)
	{
		inBus.channelBuffers32 = buffers.in;
		outBus.channelBuffers32 = buffers.out;
	}
	else
	{
		inBus.channelBuffers64 = buffers.in;
		outBus.channelBuffers64 = buffers.out;
	}
	ProcessContext context {};
	context.state = ProcessContext::kPlaying | ProcessContext::kTempoValid | ProcessContext::kProjectTimeMusicValid;
	context.sampleRate = 48000.0;
	context.tempo = 120.0;
	ProcessData data;
	data.symbolicSampleSize = std::is_same_v<S, float> ? kSample32 : kSample64;
	data.numSamples = block;
	data.numInputs = data.numOutputs = 1;
	data.inputs = &inBus;
	data.outputs = &outBus;
	data.processContext = &context;

	double position = 0.0;
	for (auto _ : state)
	{
		buffers.restore ();
		if constexpr (throughProcess)
		{
			context.projectTimeMusic = position;
			processor->process (data);
		}
		else
			processor->processAudio<S> (buffers.in, buffers.out, block, kChannels, position, 48000.0, 120.0, false);
		benchmark::DoNotOptimize (buffers.out[0][0]);
		benchmark::ClobberMemory ();
		// Walk through the cycle (24000 samples) so every segment kind, and the glide at each cycle
		// start, is measured in its share.
		position += block * 120.0 / 60.0 / 48000.0;
		if (position >= 1000.0)
			position = 0.0;
	}
	processor->release ();
	perStereoSample (state, block);
}

// A reverb tail fading out: every sample subnormal, and so is every product with the gain.
template <typename S>
constexpr S kSubnormalScale = std::is_same_v<S, float> ? S (1e-39) : S (1e-309);

template <typename S>
void BM_ProcessAudio (benchmark::State& state)
{
	runProcessor<S, false> (state, S (1));
}

// Subnormal input without the flush: what the arithmetic costs in a caller's default mode.
template <typename S>
void BM_ProcessAudioSubnormal (benchmark::State& state)
{
	runProcessor<S, false> (state, kSubnormalScale<S>);
}

// What a host gets.
template <typename S>
void BM_Process (benchmark::State& state)
{
	runProcessor<S, true> (state, S (1));
}

template <typename S>
void BM_ProcessSubnormal (benchmark::State& state)
{
	runProcessor<S, true> (state, kSubnormalScale<S>);
}

// The loop as written plainly, kept scalar whatever the optimiser would do with it.
template <typename S>
__attribute__ ((optimize ("no-tree-vectorize"))) void BM_PlainScalar (benchmark::State& state)
{
	const int block = static_cast<int> (state.range (0));
	Buffers<S> buffers (block, state.range (1) != 0, S (1));
	S g = S (0.75);
	for (auto _ : state)
	{
		buffers.restore ();
		for (int c = 0; c < kChannels; ++c)
		{
			const S* in = buffers.in[c];
			S* out = buffers.out[c];
			for (int i = 0; i < block; ++i)
				out[i] = in[i] * g;
		}
		benchmark::DoNotOptimize (buffers.out[0][0]);
		benchmark::ClobberMemory ();
		g = S (1.5) - g; // keeps the gain from being hoisted out of the loop, stays bounded
	}
	perStereoSample (state, block);
}

inline void multiplyVectorised (const float* in, float* out, int count, float gain)
{
	const __m128 g = _mm_set1_ps (gain);
	int i = 0;
	for (; i + 8 <= count; i += 8)
	{
		_mm_storeu_ps (out + i, _mm_mul_ps (_mm_loadu_ps (in + i), g));
		_mm_storeu_ps (out + i + 4, _mm_mul_ps (_mm_loadu_ps (in + i + 4), g));
	}
	for (; i < count; ++i)
		out[i] = in[i] * gain;
}

inline void multiplyVectorised (const double* in, double* out, int count, double gain)
{
	const __m128d g = _mm_set1_pd (gain);
	int i = 0;
	for (; i + 4 <= count; i += 4)
	{
		_mm_storeu_pd (out + i, _mm_mul_pd (_mm_loadu_pd (in + i), g));
		_mm_storeu_pd (out + i + 2, _mm_mul_pd (_mm_loadu_pd (in + i + 2), g));
	}
	for (; i < count; ++i)
		out[i] = in[i] * gain;
}

// The same loop with SSE, as a peer who cares about speed writes it: one constant gain, no envelope.
template <typename S>
void BM_PlainVectorised (benchmark::State& state)
{
	const int block = static_cast<int> (state.range (0));
	Buffers<S> buffers (block, state.range (1) != 0, S (1));
	S g = S (0.75);
	for (auto _ : state)
	{
		buffers.restore ();
		for (int c = 0; c < kChannels; ++c)
			multiplyVectorised (buffers.in[c], buffers.out[c], block, g);
		benchmark::DoNotOptimize (buffers.out[0][0]);
		benchmark::ClobberMemory ();
		g = S (1.5) - g;
	}
	perStereoSample (state, block);
}

// The floor of the sample-by-sample arithmetic: the gain's running sum alone, each step rounded to
// float32 (in the 64-bit form through a float64 addition), one chain per block shared by both channels.
template <typename S>
void BM_RunningSumFloor (benchmark::State& state)
{
	const int block = static_cast<int> (state.range (0));
	S increment = S (4.1666666e-5);
	for (auto _ : state)
	{
		float g = 0.25f;
		for (int i = 0; i < block; ++i)
			g = static_cast<float> (static_cast<S> (g) + increment);
		benchmark::DoNotOptimize (g);
		benchmark::DoNotOptimize (increment);
	}
	perStereoSample (state, block);
}

// What restoring the in-place input costs by itself.
template <typename S>
void BM_RestoreCopy (benchmark::State& state)
{
	const int block = static_cast<int> (state.range (0));
	Buffers<S> buffers (block, true, S (1));
	for (auto _ : state)
	{
		buffers.restore ();
		benchmark::DoNotOptimize (buffers.in[0][0]);
		benchmark::ClobberMemory ();
	}
	perStereoSample (state, block);
}

void layouts (benchmark::internal::Benchmark* b)
{
	b->ArgNames ({"block", "inPlace"});
	for (int inPlace : {0, 1})
		for (int block : {32, 512, 4096})
			b->Args ({block, inPlace});
}

void blocks (benchmark::internal::Benchmark* b)
{
	b->ArgNames ({"block"});
	for (int block : {32, 512, 4096})
		b->Args ({block});
}

BENCHMARK_TEMPLATE (BM_ProcessAudio, float)->Apply (layouts);
BENCHMARK_TEMPLATE (BM_PlainScalar, float)->Apply (layouts);
BENCHMARK_TEMPLATE (BM_PlainVectorised, float)->Apply (layouts);
BENCHMARK_TEMPLATE (BM_RunningSumFloor, float)->Apply (blocks);
BENCHMARK_TEMPLATE (BM_RestoreCopy, float)->Apply (blocks);
BENCHMARK_TEMPLATE (BM_ProcessAudio, double)->Apply (layouts);
BENCHMARK_TEMPLATE (BM_PlainScalar, double)->Apply (layouts);
BENCHMARK_TEMPLATE (BM_PlainVectorised, double)->Apply (layouts);
BENCHMARK_TEMPLATE (BM_RunningSumFloor, double)->Apply (blocks);
BENCHMARK_TEMPLATE (BM_RestoreCopy, double)->Apply (blocks);
BENCHMARK_TEMPLATE (BM_ProcessAudioSubnormal, float)->Apply (layouts);
BENCHMARK_TEMPLATE (BM_ProcessAudioSubnormal, double)->Apply (layouts);
BENCHMARK_TEMPLATE (BM_Process, float)->Apply (layouts);
BENCHMARK_TEMPLATE (BM_Process, double)->Apply (layouts);
BENCHMARK_TEMPLATE (BM_ProcessSubnormal, float)->Apply (layouts);
BENCHMARK_TEMPLATE (BM_ProcessSubnormal, double)->Apply (layouts);

/** processAudio's time as ratios of its baselines in the same run, and subnormal input's cost. */
class EnvelopeRatios : public RatioReporter
{
	void printRatios () override
	{
		std::printf ("\nprocessAudio time / baseline time (same buffers, same run):\n");
		std::printf ("  %-8s %-6s %-8s %10s %10s %10s %10s %10s %10s\n", "type", "block", "buffers", "/scalar",
		             "/vector", "/floor", "process", "subnormal", "unflushed");
		for (const char* type : {"float", "double"})
			for (const char* inPlace : {"0", "1"})
				for (const char* block : {"32", "512", "4096"})
				{
					const std::string of = std::string ("<") + type + ">/block:" + block + "/inPlace:" + inPlace;
					const std::string measured = "BM_ProcessAudio" + of;
					std::printf (
					    "  %-8s %-6s %-8s %10s %10s %10s %10s %10s %10s\n", type, block,
					    *inPlace == '1' ? "in place" : "separate", ratio (measured, "BM_PlainScalar" + of).c_str (),
					    ratio (measured, "BM_PlainVectorised" + of).c_str (),
					    ratio (measured, std::string ("BM_RunningSumFloor<") + type + ">/block:" + block).c_str (),
					    ratio ("BM_Process" + of, measured).c_str (),
					    ratio ("BM_ProcessSubnormal" + of, "BM_Process" + of).c_str (),
					    ratio ("BM_ProcessAudioSubnormal" + of, measured).c_str ());
				}
		std::printf ("(process: process()'s time / processAudio's, normal input; subnormal: process() with subnormal "
		             "input / normal input; unflushed: the same through processAudio, without the flush)\n");
	}
};

} // namespace

int main (int argc, char** argv)
{
	EnvelopeRatios reporter;
	return runBenchmarks (argc, argv, reporter);
}
