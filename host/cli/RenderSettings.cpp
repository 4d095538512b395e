#include "host/cli/RenderSettings.h"

namespace
{

struct Shortcut
{
	const char* option;
	const char* title;
};

// Each shortcut is a --set of one parameter, by title.
const Shortcut shortcuts[] = {
    {"sync", "Note Sync"},
    {"mix", "Mix"},
    {"duration", "Duration"},
    {"offset", "Offset"},
};

} // namespace

std::vector<CommandLine::Option> parameterOptions ()
{
	return {{"preset", true},   {"set", true, true}, {"sync", true},   {"mix", true},
	        {"duration", true}, {"offset", true},    {"bypass", false}};
}

const char* parameterOptionsHelp ()
{
	return "  --preset FILE       load a .vstpreset (from any VST3 host) before the settings below\n"
	       "  --set TITLE=TEXT    set a parameter by its title to a text as a host shows it, e.g.\n"
	       "                      --set \"Note Sync=1/8\" --set Mix=50 --set Offset=-0.25 --set Bypass=1\n"
	       "                      (repeatable; 'quorvane info' lists the parameters and their texts)\n"
	       "  --sync NOTE         Note Sync: 4/1 2/1 1/1 1/2 1/4 1/8 1/16 1/32 1/64 (default 1/4)\n"
	       "  --mix PERCENT       depth of the dip, 0 to 100 (default 100)\n"
	       "  --duration FRACTION part of each cycle over which the gain climbs back, 0 to 1 (default 0.5)\n"
	       "  --offset CYCLES     shift of the cycle against the beat, -1 to 1 (default 0)\n"
	       "  --bypass            Bypass on: the gain glides to unity\n";
}

const char* parameterOrderHelp ()
{
	return "The preset comes first, then the shortcuts, then every --set in order; a later setting of\n"
	       "the same parameter wins.\n";
}

bool readParameterOptions (const CommandLine& commandLine, RenderSettings& settings, std::string& error)
{
	settings.presetPath = commandLine.value ("preset");
	settings.parameters.clear ();
	for (const Shortcut& shortcut : shortcuts)
		if (auto text = commandLine.value (shortcut.option))
			settings.parameters.push_back ({shortcut.title, *text, std::string ("--") + shortcut.option + " " + *text});
	if (commandLine.has ("bypass"))
		settings.parameters.push_back ({"Bypass", "1", "--bypass"});
	for (const auto& argument : commandLine.all ("set"))
	{
		ParameterSetting setting;
		if (!parseParameterSetting (argument, setting, error))
			return false;
		settings.parameters.push_back (setting);
	}
	return true;
}

std::vector<CommandLine::Option> renderOptions ()
{
	auto options = parameterOptions ();
	for (const CommandLine::Option& option : std::vector<CommandLine::Option>{{"tempo", true},
	                                                                          {"start", true},
	                                                                          {"stopped", false},
	                                                                          {"block", true},
	                                                                          {"double", false},
	                                                                          {"bundle", true}})
		options.push_back (option);
	return options;
}

std::string renderOptionsHelp ()
{
	return std::string (parameterOptionsHelp ()) +
	       "  --tempo BPM         tempo in quarter notes per minute, above 0 up to 1000 (default 120)\n"
	       "  --start QN          musical position of the first sample in quarter notes (default 0)\n"
	       "  --stopped           render with the transport stopped (the gain glides to unity)\n"
	       "  --block N           block size in samples, 1 to 65536 (default 512)\n"
	       "  --double            64-bit processing (default 32-bit)\n"
	       "  --bundle PATH       the Quorvane.vst3 bundle (or its .so) to load\n";
}

bool readRenderSettings (const CommandLine& commandLine, RenderSettings& settings, std::string& error)
{
	settings = {};
	double blockSize = 0.0;
	if (!commandLine.number ("tempo", 0.0, 1000.0, 120.0, settings.tempo, error) ||
	    !commandLine.number ("start", -1e9, 1e9, 0.0, settings.startPosition, error) ||
	    !commandLine.number ("block", 1.0, 65536.0, 512.0, blockSize, error))
		return false;
	if (!(settings.tempo > 0.0))
	{
		error = "--tempo must be above 0";
		return false;
	}
	if (blockSize != static_cast<int> (blockSize))
	{
		error = "--block must be a whole number of samples, not '" + *commandLine.value ("block") + "'";
		return false;
	}
	settings.blockSize = static_cast<int> (blockSize);
	settings.stopped = commandLine.has ("stopped");
	settings.use64Bit = commandLine.has ("double");
	return readParameterOptions (commandLine, settings, error);
}
