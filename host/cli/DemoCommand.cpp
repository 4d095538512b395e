// `quorvane demo [DIR]`: renders the built-in chord pad through the module with its default settings and
// writes the dry and the ducked audio and a picture of the gain, so the effect can be heard and seen
// without any input file.

#include "host/cli/BundleLocation.h"
#include "host/cli/CommandLine.h"
#include "host/cli/Commands.h"
#include "host/cli/DemoSignal.h"
#include "host/cli/GainPlot.h"
#include "host/cli/PluginRenderer.h"
#include "host/cli/ProgressBar.h"

#include <sndfile.h>

#include <filesystem>
#include <iostream>

namespace
{

constexpr double demoSampleRate = 48000.0;
constexpr double demoTempo = 120.0;
constexpr int demoBars = 8;
constexpr int plottedQuarterNotes = 8;

const char* demoHelp = "Usage: quorvane demo [DIR] [--bundle PATH]\n"
                       "\n"
                       "Renders a built-in 8-bar chord pad at 120 quarter notes per minute through Quorvane\n"
                       "(Note Sync 1/4, Duration 0.5, Mix 100 %) and writes, in DIR (default: the current folder):\n"
                       "  demo-dry.wav     the pad as it is\n"
                       "  demo-ducked.wav  the pad through Quorvane\n"
                       "  demo-gain.png    the gain Quorvane applied over the first two bars\n";

bool writeWav (const std::string& path, const std::vector<double>& interleaved, int channels, std::string& error)
{
	SF_INFO info{};
	info.samplerate = static_cast<int> (demoSampleRate);
	info.channels = channels;
	info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
	SNDFILE* file = sf_open (path.c_str (), SFM_WRITE, &info);
	if (!file)
	{
		error = "cannot write '" + path + "': " + sf_strerror (nullptr);
		return false;
	}
	const sf_count_t frames = static_cast<sf_count_t> (interleaved.size ()) / channels;
	const bool complete = sf_writef_double (file, interleaved.data (), frames) == frames;
	if (!complete)
		error = "cannot write '" + path + "': " + sf_strerror (file);
	sf_close (file);
	return complete;
}

} // namespace

int runDemoCommand (const std::vector<std::string>& args)
{
	for (const auto& arg : args)
		if (arg == "--help" || arg == "-h")
		{
			std::cout << demoHelp << "\n" << bundleSearchHelp ();
			return kExitOk;
		}

	CommandLine commandLine;
	std::string error;
	if (!commandLine.parse (args, {{"bundle", true}}, error) || commandLine.positionals ().size () > 1)
	{
		std::cerr << "quorvane demo: " << (error.empty () ? "too many arguments" : error) << "\n" << demoHelp;
		return kExitUsage;
	}
	const std::filesystem::path folder = commandLine.positionals ().empty () ? "." : commandLine.positionals ()[0];
	std::error_code fsError;
	if (!std::filesystem::is_directory (folder, fsError))
	{
		std::cerr << "quorvane demo: '" << folder.string () << "' is not a folder\n";
		return kExitFailure;
	}
	const std::string bundle = locateBundle (commandLine.value ("bundle"));

	RenderSettings settings; // the module's defaults: "1/4", Duration 0.5, Mix 100 %
	settings.tempo = demoTempo;

	ProgressBar progress ("Rendering demo");
	const std::vector<double> dry = makeDemoPad (demoSampleRate, demoTempo, demoBars);
	const long frames = static_cast<long> (dry.size () / 2);
	progress.update (1, 4);

	std::vector<double> wet (dry.size ());
	PluginRenderer pad;
	if (!pad.open (bundle, demoSampleRate, 2, settings, error) ||
	    !pad.process (dry.data (), wet.data (), frames, error))
	{
		progress.stop ();
		std::cerr << "quorvane demo: " << error << "\n";
		return kExitFailure;
	}
	progress.update (2, 4);

	// The gain itself: a constant 1.0 through a second instance with the same settings comes out as the gain.
	const long plotFrames = static_cast<long> (60.0 / demoTempo * demoSampleRate * plottedQuarterNotes);
	std::vector<double> gain (static_cast<size_t> (plotFrames), 1.0);
	PluginRenderer probe;
	if (!probe.open (bundle, demoSampleRate, 1, settings, error) ||
	    !probe.process (gain.data (), gain.data (), plotFrames, error))
	{
		progress.stop ();
		std::cerr << "quorvane demo: " << error << "\n";
		return kExitFailure;
	}
	progress.update (3, 4);

	GainPlotData plot;
	plot.gain.assign (gain.begin (), gain.end ());
	for (long i = 0; i < plotFrames && i < frames; ++i)
	{
		plot.dry.push_back (dry[static_cast<size_t> (i * 2)]);
		plot.wet.push_back (wet[static_cast<size_t> (i * 2)]);
	}
	plot.sampleRate = demoSampleRate;
	plot.tempo = demoTempo;
	plot.quarterNotes = plottedQuarterNotes;
	plot.title = "Quorvane: Note Sync 1/4, Duration 0.5, Mix 100 %, 120 quarter notes per minute";

	const std::string dryPath = (folder / "demo-dry.wav").string ();
	const std::string wetPath = (folder / "demo-ducked.wav").string ();
	const std::string plotPath = (folder / "demo-gain.png").string ();
	if (!writeWav (dryPath, dry, 2, error) || !writeWav (wetPath, wet, 2, error) ||
	    !writeGainPlot (plotPath, plot, error))
	{
		progress.stop ();
		std::cerr << "quorvane demo: " << error << "\n";
		return kExitFailure;
	}
	progress.finish ();

	std::cout << "Wrote " << dryPath << " (the dry pad), " << wetPath << " (through Quorvane)\n"
	          << "and " << plotPath << " (the gain over the first two bars).\n";
	return kExitOk;
}
