// Shared set-up for the tests that drive the real bundle through the host library: a processor and its
// controller loaded from the module, buses activated, set up, active and processing, with a BlockProcessor
// ready that takes the controller's edits.
#pragma once

#include "host/BlockProcessor.h"
#include "host/PluginInstance.h"
#include "host/PluginModule.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <dlfcn.h>
#endif

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace QuorvaneTest
{

/** Members are destroyed bottom to top: blocks, then the instance, then the module whose code they use. */
struct RunningProcessor
{
	std::shared_ptr<QuorvaneHost::PluginModule> module;
	std::unique_ptr<QuorvaneHost::PluginInstance> instance;
	std::unique_ptr<QuorvaneHost::BlockProcessor> blocks;
};

// The module's drawing libraries (pixman, through cairo) allocate tables in their initialisers and never
// free them. A host that draws has them loaded for good; this test binary does not, so each unload of the
// module would take them along and the leak checker would count their tables once per load. Keeping them
// resident, as in a real host, leaves the module's own leaks to be found.
inline void keepDrawingLibrariesResident ()
{
#ifndef _WIN32
	static const bool done = []
	{
		for (const char* library : {"libpixman-1.so.0", "libcairo.so.2", "libfontconfig.so.1", "libfreetype.so.6"})
			dlopen (library, RTLD_NOW | RTLD_NODELETE);
		return true;
	}();
	(void)done;
#endif
}

inline std::shared_ptr<QuorvaneHost::PluginModule> loadModule ()
{
	keepDrawingLibrariesResident ();
	std::string error;
	auto module = QuorvaneHost::PluginModule::load (QUORVANE_MODULE_PATH, error);
	EXPECT_TRUE (module) << error;
	return module;
}

/** The module's processor and controller, created and paired as a host does; fails the test when refused. */
inline std::unique_ptr<QuorvaneHost::PluginInstance> createPair (std::shared_ptr<QuorvaneHost::PluginModule> module)
{
	std::string error;
	auto instance = QuorvaneHost::PluginInstance::createFirstAudioEffect (std::move (module), error);
	EXPECT_TRUE (instance) << error;
	return instance;
}

/** A processor at `sampleRate` with the given block set-up; fails the test when any host step is refused. */
inline RunningProcessor startProcessor (const QuorvaneHost::BlockProcessor::Setup& setup, double sampleRate = 48000.0)
{
	using namespace Steinberg;
	RunningProcessor running;
	running.module = loadModule ();
	if (!running.module)
		return running;
	std::string error;
	running.instance = QuorvaneHost::PluginInstance::createFirstAudioEffect (running.module, error);
	EXPECT_TRUE (running.instance) << error;
	if (!running.instance)
		return running;
	EXPECT_EQ (running.instance->setMainBusChannels (setup.inputChannels, setup.outputChannels), kResultOk);
	EXPECT_EQ (running.instance->activateDefaultBuses (true), kResultOk);
	EXPECT_EQ (running.instance->setupProcessing (sampleRate, setup.maxSamplesPerBlock, setup.symbolicSampleSize),
	           kResultOk);
	EXPECT_EQ (running.instance->setActive (true), kResultOk);
	// The SDK's AudioEffect answers kNotImplemented here: it needs no notice, which is not a refusal.
	const tresult processing = running.instance->setProcessing (true);
	EXPECT_TRUE (processing == kResultOk || processing == kNotImplemented) << processing;
	running.blocks = std::make_unique<QuorvaneHost::BlockProcessor> (running.instance->audioProcessor ());
	running.blocks->prepare (setup);
	running.blocks->takeEditsFrom (&running.instance->parameterEdits ());
	running.blocks->transport ().setSampleRate (sampleRate);
	return running;
}

inline QuorvaneHost::BlockProcessor::Setup stereoSetup (Steinberg::int32 blockSize, bool use64 = false,
                                                        bool inPlace = false)
{
	QuorvaneHost::BlockProcessor::Setup setup;
	setup.maxSamplesPerBlock = blockSize;
	setup.symbolicSampleSize = use64 ? Steinberg::Vst::kSample64 : Steinberg::Vst::kSample32;
	setup.inputChannels = 2;
	setup.outputChannels = 2;
	setup.inPlace = inPlace;
	return setup;
}

/** Fills every input channel with `value` (a DC input of 1.0 makes the output the gain itself). */
inline void fillInputs (QuorvaneHost::BlockProcessor& blocks, double value)
{
	const auto& setup = blocks.setup ();
	for (Steinberg::int32 c = 0; c < setup.inputChannels; ++c)
		for (Steinberg::int32 i = 0; i < setup.maxSamplesPerBlock; ++i)
		{
			if (setup.symbolicSampleSize == Steinberg::Vst::kSample64)
				blocks.input64 (c)[i] = value;
			else
				blocks.input32 (c)[i] = static_cast<float> (value);
		}
}

/** Output channel `c` of the last block, widened to double. */
inline std::vector<double> outputOf (QuorvaneHost::BlockProcessor& blocks, Steinberg::int32 c,
                                     Steinberg::int32 numSamples)
{
	std::vector<double> out (static_cast<size_t> (numSamples));
	for (Steinberg::int32 i = 0; i < numSamples; ++i)
		out[static_cast<size_t> (i)] = blocks.setup ().symbolicSampleSize == Steinberg::Vst::kSample64
		                                   ? blocks.output64 (c)[i]
		                                   : blocks.output32 (c)[i];
	return out;
}

} // namespace QuorvaneTest
