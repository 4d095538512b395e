// Runs interleaved audio through a Quorvane instance block by block, the way the tool's commands need it:
// loads the bundle, sets buses, sample size and transport, sends the settings with the first block.
#pragma once

#include "host/cli/RenderSettings.h"

#include "host/BlockProcessor.h"
#include "host/PluginInstance.h"
#include "host/PluginModule.h"

#include <memory>
#include <string>

class PluginRenderer
{
public:
	/** Loads the bundle and prepares an instance for `channels` channels at `sampleRate`; false with a message
	    a user can act on. */
	bool open (const std::string& bundle, double sampleRate, int channels, const RenderSettings& settings,
	           std::string& error);

	/** Processes `frames` interleaved frames (any count; split into blocks of the set-up's size). `input` and
	    `output` may be the same buffer. False when the processor refuses a block. */
	bool process (const double* input, double* output, long frames, std::string& error);

	~PluginRenderer ();

private:
	bool processBlock (const double* input, double* output, int frames);

	std::shared_ptr<QuorvaneHost::PluginModule> module;
	std::unique_ptr<QuorvaneHost::PluginInstance> instance;
	std::unique_ptr<QuorvaneHost::BlockProcessor> blocks;
	RenderSettings renderSettings;
	int channelCount{0};
	bool settingsSent{false};
};
