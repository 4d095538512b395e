// Runs interleaved audio through a Quorvane instance block by block, the way the tool's commands need it:
// loads the bundle, sets buses, sample size and transport; presets and parameter settings go to the pair the
// way a host applies them, and edits reach the processor with the next block.
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

	/** Loads a .vstpreset into the pair; nothing is applied when any part of it is refused. */
	bool applyPreset (const std::string& path, std::string& error);
	/** Applies parameter settings as host automation (all or none); the processor takes them with the next block. */
	bool applyParameters (const std::vector<ParameterSetting>& settings, std::string& error);
	/** Runs an empty block so the processor takes every edit that waits. */
	bool flushEdits (std::string& error);

	QuorvaneHost::PluginInstance* pluginInstance () const { return instance.get (); }

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
};
