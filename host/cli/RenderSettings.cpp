#include "host/cli/RenderSettings.h"

#include "plugin/ids.h"

const std::vector<std::string>& noteSyncNames ()
{
	static const std::vector<std::string> names{"4/1", "2/1", "1/1", "1/2", "1/4", "1/8", "1/16", "1/32", "1/64"};
	return names;
}

std::vector<CommandLine::Option> renderOptions ()
{
	return {{"tempo", true},  {"sync", true},    {"mix", true},   {"duration", true},
	        {"offset", true}, {"bypass", false}, {"start", true}, {"stopped", false},
	        {"block", true},  {"double", false}, {"bundle", true}};
}

const char* renderOptionsHelp ()
{
	return "  --tempo BPM         tempo in quarter notes per minute, above 0 up to 1000 (default 120)\n"
	       "  --sync NOTE         Note Sync: 4/1 2/1 1/1 1/2 1/4 1/8 1/16 1/32 1/64 (default 1/4)\n"
	       "  --mix PERCENT       depth of the dip, 0 to 100 (default 100)\n"
	       "  --duration FRACTION part of each cycle over which the gain climbs back, 0 to 1 (default 0.5)\n"
	       "  --offset CYCLES     shift of the cycle against the beat, -1 to 1 (default 0)\n"
	       "  --bypass            Bypass on: the gain glides to unity\n"
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
	    !commandLine.number ("mix", 0.0, 100.0, 100.0, settings.mixPercent, error) ||
	    !commandLine.number ("duration", 0.0, 1.0, 0.5, settings.duration, error) ||
	    !commandLine.number ("offset", -1.0, 1.0, 0.0, settings.offset, error) ||
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

	if (auto sync = commandLine.value ("sync"))
	{
		const auto& names = noteSyncNames ();
		settings.noteSyncIndex = -1;
		for (size_t i = 0; i < names.size (); ++i)
			if (names[i] == *sync)
				settings.noteSyncIndex = static_cast<int> (i);
		if (settings.noteSyncIndex < 0)
		{
			error = "--sync must be one of 4/1 2/1 1/1 1/2 1/4 1/8 1/16 1/32 1/64, not '" + *sync + "'";
			return false;
		}
	}
	settings.bypass = commandLine.has ("bypass");
	settings.stopped = commandLine.has ("stopped");
	settings.use64Bit = commandLine.has ("double");
	return true;
}

std::vector<ParameterValue> normalizedParameters (const RenderSettings& settings)
{
	return {
	    {kDurationId, settings.duration},
	    {kMixId, settings.mixPercent / 100.0},
	    {kOffsetId, settings.offset * 0.5 + 0.5},
	    // Index i of the nine entries is i / 8, as the host's list parameter gives it.
	    {kNoteSyncId, settings.noteSyncIndex / 8.0},
	    {kBypassId, settings.bypass ? 1.0 : 0.0},
	};
}
