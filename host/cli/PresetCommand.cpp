// `quorvane preset save FILE [options]`: writes the plug-in's settings as a standard .vstpreset (processor
// and controller state under the processor's class ID), which any VST3 host can load, and which
// `quorvane render --preset` reads back.

#include "host/cli/BundleLocation.h"
#include "host/cli/CommandLine.h"
#include "host/cli/Commands.h"
#include "host/cli/PluginRenderer.h"
#include "host/cli/RenderSettings.h"

#include "host/VstPreset.h"

#include <iostream>

namespace
{

void printPresetHelp (std::ostream& out)
{
	out << "Usage: quorvane preset save FILE [options]\n"
	       "\n"
	       "Writes Quorvane's settings to FILE as a VST3 preset (.vstpreset), holding the processor's\n"
	       "and the controller's stored state, for any VST3 host or 'quorvane render --preset'.\n"
	       "Parameters not set keep the loaded preset's values, or the plug-in's defaults.\n"
	       "\n"
	       "Example: quorvane preset save eighths.vstpreset --set \"Note Sync=1/8\" --set Mix=50\n"
	       "\n"
	       "Options:\n"
	    << parameterOptionsHelp () << "  --bundle PATH       the Quorvane.vst3 bundle (or its .so) to load\n"
	    << "\n"
	    << parameterOrderHelp () << "\n"
	    << bundleSearchHelp ()
	    << "\n"
	       "Exit status: 0 saved, 1 the preset, the file or the plug-in failed, 2 bad command line (a\n"
	       "parameter text the plug-in does not accept included).\n";
}

/** "Bypass Off, Duration 0.50 beats, ...": what the preset holds, as the controller shows it. */
std::string describeSettings (const QuorvaneHost::PluginInstance& instance)
{
	std::string text;
	for (const auto& parameter : instance.parameters ())
	{
		std::string value;
		instance.parameterText (parameter.id, instance.parameterNormalized (parameter.id), value);
		text += (text.empty () ? "" : ", ") + parameter.title + " " + value +
		        (parameter.units.empty () ? "" : " " + parameter.units);
	}
	return text;
}

} // namespace

int runPresetCommand (const std::vector<std::string>& args)
{
	for (const auto& arg : args)
		if (arg == "--help" || arg == "-h")
		{
			printPresetHelp (std::cout);
			return kExitOk;
		}

	auto options = parameterOptions ();
	options.push_back ({"bundle", true});
	CommandLine commandLine;
	RenderSettings settings;
	std::string error;
	if (!commandLine.parse (args, options, error) || !readParameterOptions (commandLine, settings, error))
	{
		std::cerr << "quorvane preset: " << error << "\n(see 'quorvane preset --help')\n";
		return kExitUsage;
	}
	const auto& positionals = commandLine.positionals ();
	if (positionals.empty () || positionals[0] != "save")
	{
		std::cerr << "quorvane preset: "
		          << (positionals.empty () ? "expected 'save FILE'" : "no preset command '" + positionals[0] + "'")
		          << "\n(see 'quorvane preset --help')\n";
		return kExitUsage;
	}
	if (positionals.size () != 2)
	{
		std::cerr << "quorvane preset save: expected one file to write\n(see 'quorvane preset --help')\n";
		return kExitUsage;
	}
	const std::string& path = positionals[1];

	// Sample rate and layout do not matter to the stored settings; a stereo pair at 48 kHz is what a host
	// would most likely have.
	PluginRenderer renderer;
	if (!renderer.open (locateBundle (commandLine.value ("bundle")), 48000.0, 2, settings, error) ||
	    (settings.presetPath && !renderer.applyPreset (*settings.presetPath, error)))
	{
		std::cerr << "quorvane preset save: " << error << "\n";
		return kExitFailure;
	}
	if (!renderer.applyParameters (settings.parameters, error))
	{
		std::cerr << "quorvane preset save: " << error << "\n";
		return kExitUsage;
	}
	// The processor's state is what the preset stores: the edits have to reach it first, in a block.
	QuorvaneHost::VstPreset preset;
	if (!renderer.flushEdits (error) || !renderer.pluginInstance ()->savePreset (preset, error) ||
	    !QuorvaneHost::saveVstPresetFile (path, preset, error))
	{
		std::cerr << "quorvane preset save: " << error << "\n";
		return kExitFailure;
	}
	std::cout << "Saved " << path << ": " << describeSettings (*renderer.pluginInstance ()) << "\n";
	return kExitOk;
}
