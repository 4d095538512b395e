// From nothing to the first processed block, as a host does it through the host library: load the bundle,
// create and pair processor and controller, set up, activate, process one block. Against the dynamic
// loader alone opening and closing the same module, in the same run. Teardown is not timed.

#include "bench/RatioReporter.h"

#include "host/BlockProcessor.h"
#include "host/PluginInstance.h"
#include "host/PluginModule.h"

#include <benchmark/benchmark.h>

#include <dlfcn.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

constexpr Steinberg::int32 kBlock = 512;

struct Running
{
	std::shared_ptr<QuorvaneHost::PluginModule> module;
	std::unique_ptr<QuorvaneHost::PluginInstance> instance;
	std::unique_ptr<QuorvaneHost::BlockProcessor> blocks;
};

// Every step a host takes before the first block; false (with the reason in `error`) on any refusal.
bool startAndProcessOneBlock (Running& running, const std::shared_ptr<QuorvaneHost::PluginModule>& loaded,
                              std::string& error)
{
	using namespace Steinberg;
	running.module = loaded ? loaded : QuorvaneHost::PluginModule::load (QUORVANE_MODULE_PATH, error);
	if (!running.module)
		return false;
	running.instance = QuorvaneHost::PluginInstance::createFirstAudioEffect (running.module, error);
	if (!running.instance)
		return false;
	QuorvaneHost::BlockProcessor::Setup setup;
	setup.maxSamplesPerBlock = kBlock;
	setup.symbolicSampleSize = Vst::kSample32;
	setup.inputChannels = 2;
	setup.outputChannels = 2;
	if (running.instance->setMainBusChannels (2, 2) != kResultOk ||
	    running.instance->activateDefaultBuses (true) != kResultOk ||
	    running.instance->setupProcessing (48000.0, kBlock, Vst::kSample32) != kResultOk ||
	    running.instance->setActive (true) != kResultOk)
	{
		error = "the processor refused its set-up";
		return false;
	}
	running.instance->setProcessing (true);
	running.blocks = std::make_unique<QuorvaneHost::BlockProcessor> (running.instance->audioProcessor ());
	running.blocks->prepare (setup);
	running.blocks->transport ().setSampleRate (48000.0);
	if (running.blocks->process (kBlock) != kResultOk)
	{
		error = "the first block failed";
		return false;
	}
	return true;
}

void runStartUp (benchmark::State& state, bool keepModuleLoaded)
{
	std::string error;
	std::shared_ptr<QuorvaneHost::PluginModule> loaded;
	if (keepModuleLoaded)
		loaded = QuorvaneHost::PluginModule::load (QUORVANE_MODULE_PATH, error);
	for (auto _ : state)
	{
		Running running;
		if (!startAndProcessOneBlock (running, loaded, error))
		{
			state.SkipWithError (error.c_str ());
			running.blocks.reset ();
			running.instance.reset ();
			break;
		}
		benchmark::DoNotOptimize (running.blocks->output32 (0)[0]);
		state.PauseTiming ();
		// The module goes last: the blocks and the instance run its code.
		running.blocks.reset ();
		running.instance.reset ();
		running.module.reset ();
		state.ResumeTiming ();
	}
}

void BM_LoadToFirstBlock (benchmark::State& state)
{
	runStartUp (state, false);
}

// The same with the module already loaded: what creating, pairing and setting up cost alone.
void BM_PairToFirstBlock (benchmark::State& state)
{
	runStartUp (state, true);
}

// The dynamic loader's share: opening the module with its libraries and closing it again.
void BM_DlopenOnly (benchmark::State& state)
{
	for (auto _ : state)
	{
		void* handle = dlopen (QUORVANE_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
		if (!handle)
		{
			state.SkipWithError (dlerror ());
			break;
		}
		benchmark::DoNotOptimize (handle);
		state.PauseTiming ();
		dlclose (handle);
		state.ResumeTiming ();
	}
}

BENCHMARK (BM_DlopenOnly)->Unit (benchmark::kMicrosecond);
BENCHMARK (BM_LoadToFirstBlock)->Unit (benchmark::kMicrosecond);
BENCHMARK (BM_PairToFirstBlock)->Unit (benchmark::kMicrosecond);

/** The start-up's time as a ratio of the loader's alone. */
class StartUpRatios : public RatioReporter
{
	void printRatios () override
	{
		const double loader = time ("BM_DlopenOnly");
		if (loader > 0.0)
			for (const char* name : {"BM_LoadToFirstBlock", "BM_PairToFirstBlock"})
				if (has (name))
					std::printf ("%s / BM_DlopenOnly = %.2f\n", name, time (name) / loader);
	}
};

} // namespace

int main (int argc, char** argv)
{
	StartUpRatios reporter;
	return runBenchmarks (argc, argv, reporter);
}
