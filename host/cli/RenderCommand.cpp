// `quorvane render IN OUT [options]`: runs an audio file through the module, block by block, and writes
// the result with the input's sample rate and channel count.

#include "host/cli/BundleLocation.h"
#include "host/cli/CommandLine.h"
#include "host/cli/Commands.h"
#include "host/cli/OutputFormat.h"
#include "host/cli/PluginRenderer.h"
#include "host/cli/ProgressBar.h"
#include "host/cli/RenderSettings.h"

#include <sndfile.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <vector>

namespace
{

void printRenderHelp (std::ostream& out)
{
	out << "Usage: quorvane render IN OUT [options]\n"
	       "\n"
	       "Processes the audio file IN through Quorvane and writes OUT with the same sample rate and\n"
	       "channels, in the format its extension names: .wav, .aiff or .aif (32-bit float samples,\n"
	       "64-bit with --double), .flac (the input's 8, 16 or 24 bits; 24 for deeper or float input),\n"
	       ".ogg or .oga (Ogg Vorbis). Any other name is refused. A mono file is processed on mono\n"
	       "buses. The settings apply from the first sample; the transport plays from --start at\n"
	       "--tempo unless --stopped.\n"
	       "\n"
	       "Example: quorvane render in.wav out.wav --set \"Note Sync=1/8\" --set Mix=50 --tempo 128\n"
	       "\n"
	       "Options:\n"
	    << renderOptionsHelp () << "\n"
	    << parameterOrderHelp () << "\n"
	    << bundleSearchHelp ()
	    << "\n"
	       "Exit status: 0 done, 1 a file, the preset or the plug-in failed, 2 bad command line (a\n"
	       "parameter text the plug-in does not accept included).\n";
}

struct SoundFile
{
	SNDFILE* handle{nullptr};
	~SoundFile ()
	{
		if (handle)
			sf_close (handle);
	}
};

} // namespace

int runRenderCommand (const std::vector<std::string>& args)
{
	for (const auto& arg : args)
		if (arg == "--help" || arg == "-h")
		{
			printRenderHelp (std::cout);
			return kExitOk;
		}

	CommandLine commandLine;
	RenderSettings settings;
	std::string error;
	if (!commandLine.parse (args, renderOptions (), error) || !readRenderSettings (commandLine, settings, error))
	{
		std::cerr << "quorvane render: " << error << "\n(see 'quorvane render --help')\n";
		return kExitUsage;
	}
	if (commandLine.positionals ().size () != 2)
	{
		std::cerr << "quorvane render: expected an input and an output file\n(see 'quorvane render --help')\n";
		return kExitUsage;
	}
	const std::string inputPath = commandLine.positionals ()[0];
	const std::string outputPath = commandLine.positionals ()[1];

	std::error_code fsError;
	if (std::filesystem::equivalent (inputPath, outputPath, fsError))
	{
		std::cerr << "quorvane render: the output would overwrite the input '" << inputPath << "'\n";
		return kExitUsage;
	}

	// Refused before anything is read or written: a name the tool cannot honour gets no file at all.
	if (!outputFormatFor (outputPath, 0, settings.use64Bit))
	{
		std::cerr << "quorvane render: cannot tell a format to write from the name '" << outputPath
		          << "'; the output's extension must be one of " << writableExtensions () << "\n";
		return kExitUsage;
	}

	SoundFile input;
	SF_INFO inputInfo{};
	input.handle = sf_open (inputPath.c_str (), SFM_READ, &inputInfo);
	if (!input.handle)
	{
		std::cerr << "quorvane render: cannot read '" << inputPath << "': " << sf_strerror (nullptr) << "\n";
		return kExitFailure;
	}
	if (inputInfo.channels < 1 || inputInfo.samplerate < 1)
	{
		std::cerr << "quorvane render: '" << inputPath << "' has no channels or no sample rate\n";
		return kExitFailure;
	}

	PluginRenderer renderer;
	if (!renderer.open (locateBundle (commandLine.value ("bundle")), inputInfo.samplerate, inputInfo.channels, settings,
	                    error) ||
	    (settings.presetPath && !renderer.applyPreset (*settings.presetPath, error)))
	{
		std::cerr << "quorvane render: " << error << "\n";
		return kExitFailure;
	}
	// A text the plug-in does not accept is a mistake on the command line, though only the plug-in can tell.
	if (!renderer.applyParameters (settings.parameters, error))
	{
		std::cerr << "quorvane render: " << error << "\n";
		return kExitUsage;
	}

	SF_INFO outputInfo{};
	outputInfo.samplerate = inputInfo.samplerate;
	outputInfo.channels = inputInfo.channels;
	outputInfo.format = *outputFormatFor (outputPath, inputInfo.format, settings.use64Bit);
	if (!sf_format_check (&outputInfo))
	{
		std::cerr << "quorvane render: '" << outputPath << "' cannot hold " << inputInfo.channels
		          << " channels at " << inputInfo.samplerate << " Hz\n";
		return kExitFailure;
	}
	SoundFile output;
	output.handle = sf_open (outputPath.c_str (), SFM_WRITE, &outputInfo);
	if (!output.handle)
	{
		std::cerr << "quorvane render: cannot write '" << outputPath << "': " << sf_strerror (nullptr) << "\n";
		return kExitFailure;
	}
	// Integer formats clip what lies beyond full scale instead of wrapping it around.
	sf_command (output.handle, SFC_SET_CLIPPING, nullptr, SF_TRUE);

	// Whole blocks per read, so every block but the last has the size the user asked for.
	const long chunkFrames = settings.blockSize * std::max (1L, 65536L / settings.blockSize);
	const long channels = inputInfo.channels;
	std::vector<double> buffer (static_cast<size_t> (chunkFrames * channels));
	ProgressBar progress ("Rendering");
	long done = 0;
	bool failed = false;
	while (true)
	{
		const sf_count_t frames = sf_readf_double (input.handle, buffer.data (), chunkFrames);
		if (frames <= 0)
		{
			if (sf_error (input.handle) != SF_ERR_NO_ERROR)
			{
				error = std::string ("cannot read '") + inputPath + "': " + sf_strerror (input.handle);
				failed = true;
			}
			break;
		}
		if (!renderer.process (buffer.data (), buffer.data (), static_cast<long> (frames), error))
		{
			failed = true;
			break;
		}
		if (sf_writef_double (output.handle, buffer.data (), frames) != frames)
		{
			error = std::string ("cannot write '") + outputPath + "': " + sf_strerror (output.handle);
			failed = true;
			break;
		}
		done += static_cast<long> (frames);
		progress.update (done, static_cast<long> (inputInfo.frames));
	}

	sf_close (output.handle);
	output.handle = nullptr;
	if (failed)
	{
		// A half-written file would pass for a finished render.
		std::filesystem::remove (outputPath, fsError);
		progress.stop ();
		std::cerr << "quorvane render: " << error << "\n";
		return kExitFailure;
	}
	progress.finish ();
	return kExitOk;
}
