// processAudio against the plainest possible gain loop over the same buffers, in the same run.
// The ratio of the two is what matters; absolute times vary with the machine.

#include "processor/DuckerProcessor.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int kBlock = 512;
constexpr int kChannels = 2;

template <typename S>
struct Buffers
{
	explicit Buffers (bool inPlace)
	{
		for (int c = 0; c < kChannels; ++c)
		{
			input[c].resize (kBlock);
			output[c].resize (kBlock);
			for (int i = 0; i < kBlock; ++i)
				input[c][static_cast<size_t> (i)] = S (0.5) + S (0.001) * S (i % 97);
			in[c] = input[c].data ();
			out[c] = inPlace ? input[c].data () : output[c].data ();
		}
	}
	std::vector<S> input[kChannels];
	std::vector<S> output[kChannels];
	S* in[kChannels];
	S* out[kChannels];
};

class Processor : public Steinberg::DuckerProcessor
{
public:
	// A fresh processor starts at gain 0; bring it to the steady state a running host sees.
	void settle () { currentGain.store (1.0f); }
};

template <typename S>
void BM_ProcessAudio (benchmark::State& state)
{
	const bool inPlace = state.range (0) != 0;
	Buffers<S> buffers (inPlace);
	auto* processor = new Processor;
	processor->settle ();
	double position = 0.0;
	for (auto _ : state)
	{
		processor->processAudio<S> (buffers.in, buffers.out, kBlock, kChannels, position, 48000.0, 120.0, false);
		benchmark::DoNotOptimize (buffers.out[0][0]);
		benchmark::ClobberMemory ();
		// Walk through the cycle so every segment kind, and the glide at each cycle start, is measured.
		position += kBlock * 120.0 / 60.0 / 48000.0;
	}
	processor->release ();
	state.SetItemsProcessed (state.iterations () * kBlock * kChannels);
}

template <typename S>
void BM_PlainGainLoop (benchmark::State& state)
{
	const bool inPlace = state.range (0) != 0;
	Buffers<S> buffers (inPlace);
	S g = S (0.75);
	for (auto _ : state)
	{
		for (int c = 0; c < kChannels; ++c)
		{
			const S* in = buffers.in[c];
			S* out = buffers.out[c];
			for (int i = 0; i < kBlock; ++i)
				out[i] = in[i] * g;
		}
		benchmark::DoNotOptimize (buffers.out[0][0]);
		benchmark::ClobberMemory ();
		g = S (1.5) - g; // keeps the gain from being hoisted out of the loop, stays bounded
	}
	state.SetItemsProcessed (state.iterations () * kBlock * kChannels);
}

BENCHMARK_TEMPLATE (BM_PlainGainLoop, float)->ArgName ("inPlace")->Arg (0)->Arg (1);
BENCHMARK_TEMPLATE (BM_ProcessAudio, float)->ArgName ("inPlace")->Arg (0)->Arg (1);
BENCHMARK_TEMPLATE (BM_PlainGainLoop, double)->ArgName ("inPlace")->Arg (0)->Arg (1);
BENCHMARK_TEMPLATE (BM_ProcessAudio, double)->ArgName ("inPlace")->Arg (0)->Arg (1);

} // namespace

BENCHMARK_MAIN ();
