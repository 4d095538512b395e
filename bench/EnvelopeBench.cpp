// processAudio against the plainest possible gain loop over the same buffers, in the same run.
// The ratio of the two is what matters; absolute times vary with the machine.

#include "processor/DuckerProcessor.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
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

// The same loop with the buffers declared unaliased, which lets the compiler vectorise it at -O2.
template <typename S>
void BM_PlainGainLoopRestrict (benchmark::State& state)
{
	Buffers<S> buffers (false);
	S g = S (0.75);
	for (auto _ : state)
	{
		for (int c = 0; c < kChannels; ++c)
		{
			const S* __restrict in = buffers.in[c];
			S* __restrict out = buffers.out[c];
			for (int i = 0; i < kBlock; ++i)
				out[i] = in[i] * g;
		}
		benchmark::DoNotOptimize (buffers.out[0][0]);
		benchmark::ClobberMemory ();
		g = S (1.5) - g;
	}
	state.SetItemsProcessed (state.iterations () * kBlock * kChannels);
}

BENCHMARK_TEMPLATE (BM_PlainGainLoop, float)->ArgName ("inPlace")->Arg (0)->Arg (1);
BENCHMARK_TEMPLATE (BM_PlainGainLoopRestrict, float);
BENCHMARK_TEMPLATE (BM_PlainGainLoopRestrict, double);
BENCHMARK_TEMPLATE (BM_ProcessAudio, float)->ArgName ("inPlace")->Arg (0)->Arg (1);
BENCHMARK_TEMPLATE (BM_PlainGainLoop, double)->ArgName ("inPlace")->Arg (0)->Arg (1);
BENCHMARK_TEMPLATE (BM_ProcessAudio, double)->ArgName ("inPlace")->Arg (0)->Arg (1);

/** Prints each run as usual, then processAudio's time as a ratio of the plain loop's on the same buffers. */
class RatioReporter : public benchmark::ConsoleReporter
{
public:
	void ReportRuns (const std::vector<Run>& runs) override
	{
		for (const auto& run : runs)
			times[run.benchmark_name ()] = run.GetAdjustedRealTime ();
		ConsoleReporter::ReportRuns (runs);
	}

	void Finalize () override
	{
		ConsoleReporter::Finalize ();
		std::printf ("\nprocessAudio time / plain loop time (same buffers, same run):\n");
		for (const char* type : {"float", "double"})
			for (const char* arg : {"inPlace:0", "inPlace:1"})
				ratio (std::string ("BM_ProcessAudio<") + type + ">/" + arg,
				       std::string ("BM_PlainGainLoop<") + type + ">/" + arg);
		for (const char* type : {"float", "double"})
			ratio (std::string ("BM_ProcessAudio<") + type + ">/inPlace:0",
			       std::string ("BM_PlainGainLoopRestrict<") + type + ">");
	}

private:
	void ratio (const std::string& measured, const std::string& baseline)
	{
		if (times.count (measured) && times.count (baseline) && times[baseline] > 0.0)
			std::printf ("  %-34s / %-36s = %.2f\n", measured.c_str (), baseline.c_str (),
			             times[measured] / times[baseline]);
	}

	std::map<std::string, double> times;
};

} // namespace

int main (int argc, char** argv)
{
	benchmark::Initialize (&argc, argv);
	RatioReporter reporter;
	benchmark::RunSpecifiedBenchmarks (&reporter);
	benchmark::Shutdown ();
	return 0;
}
