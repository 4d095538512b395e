// The settings of one render as a user types them: the transport and block set-up, and the plug-in's
// parameters as texts (a preset file, shortcut options and --set TITLE=TEXT), which the plug-in's own
// controller converts once it is loaded.
#pragma once

#include "host/cli/CommandLine.h"
#include "host/cli/ParameterSetting.h"

#include <optional>
#include <string>
#include <vector>

struct RenderSettings
{
	double tempo{120.0};       // quarter notes per minute
	double startPosition{0.0}; // quarter notes
	bool stopped{false};
	int blockSize{512};
	bool use64Bit{false};

	/** A .vstpreset to load before the parameter settings. */
	std::optional<std::string> presetPath;
	/** Applied in order after the preset: the shortcut options first, then every --set. Parameters not named
	    keep the preset's values, or the plug-in's defaults. */
	std::vector<ParameterSetting> parameters;
};

/** The options that set the plug-in's parameters: --preset, --set and the shortcuts --sync, --mix,
    --duration, --offset, --bypass. */
std::vector<CommandLine::Option> parameterOptions ();
/** Their help lines. */
const char* parameterOptionsHelp ();
/** The order in which they apply, for the help after the options. */
const char* parameterOrderHelp ();
/** Reads the parameter options into `settings` (presetPath, parameters); false with a message for a --set
    without '='. */
bool readParameterOptions (const CommandLine& commandLine, RenderSettings& settings, std::string& error);

/** The options of the commands that render: the parameter options, the transport, the block set-up, --bundle. */
std::vector<CommandLine::Option> renderOptions ();
/** Their help lines. */
std::string renderOptionsHelp ();

/** Reads the render options; false with a message for a value out of range or not a number. Parameter
    texts are checked later, by the plug-in. */
bool readRenderSettings (const CommandLine& commandLine, RenderSettings& settings, std::string& error);
