// The quorvane tool run as a user runs it: rendered files compared sample for sample with the same
// settings driven through the host library in this process, parameters set by their texts, presets saved
// and loaded back, and its answers to bad command lines and bad presets.

#include "tests/host/HostTestSupport.h"

#include "host/VstPreset.h"
#include "plugin/ids.h"

#include <sndfile.h>

#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

using namespace Steinberg;
using namespace Steinberg::Vst;
namespace fs = std::filesystem;

namespace
{

struct CliResult
{
	int status{-1};
	std::string output; // stdout and stderr together
};

CliResult runCli (const std::string& arguments)
{
	CliResult result;
	const std::string command = std::string ("'") + QUORVANE_CLI_PATH + "' " + arguments + " 2>&1";
	FILE* pipe = popen (command.c_str (), "r");
	if (!pipe)
		return result;
	char buffer[4096];
	size_t count = 0;
	while ((count = fread (buffer, 1, sizeof buffer, pipe)) > 0)
		result.output.append (buffer, count);
	const int status = pclose (pipe);
	result.status = WIFEXITED (status) ? WEXITSTATUS (status) : -1;
	return result;
}

struct Audio
{
	int sampleRate{0};
	int channels{0};
	int format{0};
	std::vector<double> samples; // interleaved
	long frames () const { return channels ? static_cast<long> (samples.size ()) / channels : 0; }
};

bool writeAudio (const fs::path& path, const Audio& audio)
{
	SF_INFO info{};
	info.samplerate = audio.sampleRate;
	info.channels = audio.channels;
	info.format = audio.format;
	SNDFILE* file = sf_open (path.c_str (), SFM_WRITE, &info);
	if (!file)
		return false;
	const bool ok = sf_writef_double (file, audio.samples.data (), audio.frames ()) == audio.frames ();
	sf_close (file);
	return ok;
}

Audio readAudio (const fs::path& path)
{
	Audio audio;
	SF_INFO info{};
	SNDFILE* file = sf_open (path.c_str (), SFM_READ, &info);
	if (!file)
		return audio;
	audio.sampleRate = info.samplerate;
	audio.channels = info.channels;
	audio.format = info.format;
	audio.samples.resize (static_cast<size_t> (info.frames * info.channels));
	sf_readf_double (file, audio.samples.data (), info.frames);
	sf_close (file);
	return audio;
}

struct Settings
{
	double tempo{120.0};
	double position{0.0};
	int blockSize{512};
	bool use64{false};
	std::vector<std::pair<ParamID, double>> parameters;
};

// What the tool should produce: the same audio through the host library, block by block.
std::vector<double> renderInProcess (const Audio& input, const Settings& settings)
{
	QuorvaneHost::BlockProcessor::Setup setup = QuorvaneTest::stereoSetup (settings.blockSize, settings.use64);
	setup.inputChannels = input.channels;
	setup.outputChannels = input.channels;
	auto running = QuorvaneTest::startProcessor (setup, input.sampleRate);
	std::vector<double> output (input.samples.size ());
	if (!running.blocks)
		return output;
	auto& blocks = *running.blocks;
	blocks.transport ().setTempo (settings.tempo);
	blocks.transport ().setPosition (settings.position);
	for (const auto& [id, value] : settings.parameters)
		blocks.addParameterChange (id, value);
	const int channels = input.channels;
	for (long start = 0; start < input.frames (); start += settings.blockSize)
	{
		const int count = static_cast<int> (std::min<long> (settings.blockSize, input.frames () - start));
		for (int c = 0; c < channels; ++c)
			for (int i = 0; i < count; ++i)
			{
				const double sample = input.samples[static_cast<size_t> ((start + i) * channels + c)];
				if (settings.use64)
					blocks.input64 (c)[i] = sample;
				else
					blocks.input32 (c)[i] = static_cast<float> (sample);
			}
		EXPECT_EQ (blocks.process (count), kResultOk);
		for (int c = 0; c < channels; ++c)
			for (int i = 0; i < count; ++i)
				output[static_cast<size_t> ((start + i) * channels + c)] =
				    settings.use64 ? blocks.output64 (c)[i] : blocks.output32 (c)[i];
	}
	return output;
}

class Cli : public ::testing::Test
{
protected:
	void SetUp () override
	{
		folder = fs::temp_directory_path () / ("quorvane-cli-test-" + std::to_string (getpid ()) + "-" +
		                                       ::testing::UnitTest::GetInstance ()->current_test_info ()->name ());
		fs::create_directories (folder);
	}
	void TearDown () override { fs::remove_all (folder); }

	std::string path (const char* name) const { return (folder / name).string (); }
	static std::string bundle () { return std::string (" --bundle '") + QUORVANE_BUNDLE_DIR + "'"; }

	fs::path folder;
};

Audio stereoTestSignal (long frames, int sampleRate)
{
	Audio audio;
	audio.sampleRate = sampleRate;
	audio.channels = 2;
	audio.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
	for (long i = 0; i < frames; ++i)
	{
		audio.samples.push_back (static_cast<float> (0.5 * std::sin (2.0 * M_PI * 440.0 * i / sampleRate)));
		audio.samples.push_back (0.25);
	}
	return audio;
}

} // namespace

TEST_F (Cli, RenderMatchesTheHostLibrarySampleForSample)
{
	// More frames than one read of the tool, and a last block shorter than the others.
	const Audio input = stereoTestSignal (70100, 48000);
	ASSERT_TRUE (writeAudio (path ("in.wav"), input));

	// Shortcuts and --set texts mixed; a later --set of the same parameter wins over its shortcut.
	const auto run = runCli ("render " + path ("in.wav") + " " + path ("out.wav") +
	                         " --tempo 100 --set 'Note Sync=1/8' --mix 10 --set Mix=60 --set 'Duration=0.3 beats'"
	                         " --offset -0.25 --start 2.5 --block 300" +
	                         bundle ());
	ASSERT_EQ (run.status, 0) << run.output;

	const Audio output = readAudio (path ("out.wav"));
	EXPECT_EQ (output.sampleRate, 48000);
	EXPECT_EQ (output.channels, 2);
	EXPECT_EQ (output.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
	ASSERT_EQ (output.frames (), input.frames ());

	Settings settings;
	settings.tempo = 100.0;
	settings.position = 2.5;
	settings.blockSize = 300;
	settings.parameters = {
	    {kDurationId, 0.3}, {kMixId, 0.6}, {kOffsetId, 0.375}, {kNoteSyncId, 5.0 / 8.0}, {kBypassId, 0.0}};
	const auto expected = renderInProcess (input, settings);
	size_t mismatches = 0;
	for (size_t i = 0; i < expected.size (); ++i)
		if (output.samples[i] != expected[i])
			++mismatches;
	EXPECT_EQ (mismatches, 0u);
	// And the settings did something: Mix 60 % dips the constant right channel to 0.4 x 0.25 at most
	// (once the gain has glided up from the silence a new processor starts with).
	double lowest = 1.0;
	for (long i = 1000; i < output.frames (); ++i)
		lowest = std::min (lowest, output.samples[static_cast<size_t> (i * 2 + 1)]);
	EXPECT_GE (lowest, 0.25 * 0.4 - 1e-7);
	EXPECT_LT (lowest, 0.25 * 0.5);
}

TEST_F (Cli, MonoStaysMonoAndKeepsItsSampleRate)
{
	Audio input;
	input.sampleRate = 44100;
	input.channels = 1;
	input.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
	for (long i = 0; i < 20000; ++i)
		input.samples.push_back (std::round (16000.0 * std::sin (i * 0.01)) / 32768.0);
	ASSERT_TRUE (writeAudio (path ("mono.wav"), input));

	const auto run = runCli ("render " + path ("mono.wav") + " " + path ("mono-out.wav") + " --bypass" + bundle ());
	ASSERT_EQ (run.status, 0) << run.output;
	const Audio output = readAudio (path ("mono-out.wav"));
	EXPECT_EQ (output.sampleRate, 44100);
	EXPECT_EQ (output.channels, 1);
	ASSERT_EQ (output.frames (), 20000);

	Settings settings;
	settings.parameters = {{kDurationId, 0.5}, {kMixId, 1.0}, {kOffsetId, 0.5}, {kNoteSyncId, 0.5}, {kBypassId, 1.0}};
	EXPECT_EQ (output.samples, renderInProcess (input, settings));
	// Bypassed: after the glide up from silence (60 per second at 44100 Hz: 735 samples) the audio passes unchanged.
	for (long i = 800; i < 20000; ++i)
		ASSERT_EQ (output.samples[static_cast<size_t> (i)], input.samples[static_cast<size_t> (i)]) << i;
}

TEST_F (Cli, DoubleProcessingWritesSixtyFourBitSamples)
{
	const Audio input = stereoTestSignal (10000, 96000);
	ASSERT_TRUE (writeAudio (path ("in.wav"), input));
	const auto run =
	    runCli ("render " + path ("in.wav") + " " + path ("out64.wav") + " --double --sync 1/16 --stopped" + bundle ());
	ASSERT_EQ (run.status, 0) << run.output;
	const Audio output = readAudio (path ("out64.wav"));
	EXPECT_EQ (output.format, SF_FORMAT_WAV | SF_FORMAT_DOUBLE);
	EXPECT_EQ (output.sampleRate, 96000);

	Settings settings;
	settings.use64 = true;
	settings.parameters = {{kDurationId, 0.5}, {kMixId, 1.0}, {kOffsetId, 0.5}, {kNoteSyncId, 0.75}, {kBypassId, 0.0}};
	// --stopped: the in-process host's clock stops too.
	QuorvaneHost::BlockProcessor::Setup setup = QuorvaneTest::stereoSetup (512, true);
	auto running = QuorvaneTest::startProcessor (setup, 96000.0);
	ASSERT_TRUE (running.blocks);
	running.blocks->transport ().setPlaying (false);
	for (const auto& [id, value] : settings.parameters)
		running.blocks->addParameterChange (id, value);
	std::vector<double> expected;
	for (long start = 0; start < input.frames (); start += 512)
	{
		const int count = static_cast<int> (std::min<long> (512, input.frames () - start));
		for (int c = 0; c < 2; ++c)
			for (int i = 0; i < count; ++i)
				running.blocks->input64 (c)[i] = input.samples[static_cast<size_t> ((start + i) * 2 + c)];
		ASSERT_EQ (running.blocks->process (count), kResultOk);
		for (int i = 0; i < count; ++i)
			for (int c = 0; c < 2; ++c)
				expected.push_back (running.blocks->output64 (c)[i]);
	}
	EXPECT_EQ (output.samples, expected);
}

TEST_F (Cli, WorkedExampleThroughTheTool)
{
	Audio input;
	input.sampleRate = 48000;
	input.channels = 1;
	input.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
	input.samples.assign (48000, 1.0);
	ASSERT_TRUE (writeAudio (path ("dc.wav"), input));
	const auto run = runCli ("render " + path ("dc.wav") + " " + path ("gain.wav") + " --block 48000" + bundle ());
	ASSERT_EQ (run.status, 0) << run.output;
	const Audio gain = readAudio (path ("gain.wav"));
	ASSERT_EQ (gain.frames (), 48000);
	// The tool hands the processor separate buffers, so its ramps and glides are formed by multiplication
	// (vectorised) rather than by the running sum the named values come from; they agree within 6e-5.
	EXPECT_EQ (gain.samples[6000], 0.25);
	EXPECT_NEAR (gain.samples[11999], 0.9998206, 6e-5);
	EXPECT_EQ (gain.samples[12000], 1.0);
	EXPECT_NEAR (gain.samples[24773], 0.0324890, 6e-5);
	EXPECT_NEAR (gain.samples[24774], 0.03225, 6e-5);
	EXPECT_EQ (gain.samples[30000], 0.25);
	EXPECT_EQ (gain.samples[47999], 1.0);
}

TEST_F (Cli, BadCommandLinesAreRefusedWithAReason)
{
	const Audio input = stereoTestSignal (1000, 48000);
	ASSERT_TRUE (writeAudio (path ("in.wav"), input));
	const std::string files = " " + path ("in.wav") + " " + path ("out.wav");

	struct Case
	{
		std::string arguments;
		int status;
		std::string message;
	};
	const Case cases[] = {
	    {"render" + files + " --sync 1/3" + bundle (), 2,
	     "--sync 1/3: Note Sync does not accept '1/3'; it accepts 4/1, 2/1, 1/1, 1/2, 1/4, 1/8, 1/16, 1/32, 1/64\n"},
	    {"render" + files + " --set 'Note Sync=1/3'" + bundle (), 2,
	     "--set \"Note Sync=1/3\": Note Sync does not accept '1/3'; it accepts 4/1, 2/1, 1/1, 1/2, 1/4, 1/8, 1/16, "
	     "1/32, 1/64\n"},
	    {"render" + files + " --mix 150" + bundle (), 2,
	     "--mix 150: Mix does not accept '150'; it accepts a number from 0 to 100 (% wet)\n"},
	    {"render" + files + " --set Mix=-1" + bundle (), 2, "Mix does not accept '-1'; it accepts a number from 0"},
	    {"render" + files + " --set Mix=loud" + bundle (), 2,
	     "--set Mix=loud: Mix does not accept 'loud'; it accepts a number from 0 to 100 (% wet)\n"},
	    {"render" + files + " --set Offset=1.5" + bundle (), 2,
	     "--set Offset=1.5: Offset does not accept '1.5'; it accepts a number from -1.00 to 1.00 (beats)\n"},
	    {"render" + files + " --duration nan" + bundle (), 2,
	     "--duration nan: Duration does not accept 'nan'; it accepts a number from 0.00 to 1.00 (beats)\n"},
	    {"render" + files + " --set Bypass=On" + bundle (), 2,
	     "--set Bypass=On: Bypass does not accept 'On'; it accepts 0 (Off) or 1 (On)\n"},
	    {"render" + files + " --set Bypass=2" + bundle (), 2, "Bypass does not accept '2'"},
	    {"render" + files + " --set Foo=1" + bundle (), 2,
	     "--set Foo=1: no parameter 'Foo'; the parameters are Bypass, Duration, Mix, Offset, Note Sync\n"},
	    {"render" + files + " --set Mix", 2, "--set Mix: expected TITLE=TEXT"},
	    {"render" + files + " --set =5", 2, "--set =5: expected TITLE=TEXT"},
	    // A good setting before a bad one is not applied either: the render does not start.
	    {"render" + files + " --set Mix=50 --set Duration=2" + bundle (), 2, "Duration does not accept '2'"},
	    {"render" + files + " --preset " + path ("none.vstpreset") + bundle (), 1,
	     "cannot read the preset '" + path ("none.vstpreset") + "': no such file"},
	    {"render" + files + " --preset " + path ("in.wav") + bundle (), 1,
	     "the preset '" + path ("in.wav") + "' cannot be used: it is not a VST3 preset"},
	    {"render" + files + " --tempo fast", 2, "--tempo must be a number from 0 to 1000, not 'fast'"},
	    {"render" + files + " --tempo 0", 2, "--tempo must be above 0"},
	    {"render" + files + " --tempo nan", 2, "--tempo must be a number"},
	    {"render" + files + " --block 0", 2, "--block must be a number from 1 to 65536, not '0'"},
	    {"render" + files + " --block 100.5", 2, "--block must be a whole number of samples"},
	    {"render" + files + " --offset", 2, "option '--offset' needs a value"},
	    {"render" + files + " --frobnicate", 2, "unknown option '--frobnicate'"},
	    {"render" + files + " --bypass=yes", 2, "option '--bypass' takes no value"},
	    {"render " + path ("in.wav"), 2, "expected an input and an output file"},
	    {"render " + path ("in.wav") + " " + path ("in.wav"), 2, "the output would overwrite the input"},
	    {"render " + path ("missing.wav") + " " + path ("out.wav"), 1, "cannot read '" + path ("missing.wav") + "'"},
	    {"render" + files + " --bundle /nonexistent/Quorvane.vst3", 1,
	     "no VST3 module at '/nonexistent/Quorvane.vst3/"},
	    {"render " + path ("in.wav") + " /nonexistent-folder/out.wav" + bundle (), 1,
	     "cannot write '/nonexistent-folder/out.wav'"},
	    {"frobnicate", 2, "no command 'frobnicate'"},
	    {"", 2, "Usage: quorvane COMMAND"},
	};
	for (const Case& c : cases)
	{
		const auto run = runCli (c.arguments);
		EXPECT_EQ (run.status, c.status) << c.arguments << "\n" << run.output;
		EXPECT_NE (run.output.find (c.message), std::string::npos) << c.arguments << "\n" << run.output;
		EXPECT_FALSE (fs::exists (folder / "out.wav")) << c.arguments;
	}

	// An input that is not audio.
	std::ofstream (path ("text.wav")) << "not audio";
	const auto run = runCli ("render " + path ("text.wav") + " " + path ("out.wav") + bundle ());
	EXPECT_EQ (run.status, 1);
	EXPECT_NE (run.output.find ("cannot read '" + path ("text.wav") + "'"), std::string::npos) << run.output;
}

TEST_F (Cli, RenderWritesTheFormatItsNameAsksFor)
{
	Audio floatInput = stereoTestSignal (3000, 44100);
	Audio pcm16Input = floatInput;
	pcm16Input.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
	Audio pcm24Input = floatInput;
	pcm24Input.format = SF_FORMAT_AIFF | SF_FORMAT_PCM_24;
	ASSERT_TRUE (writeAudio (path ("float.wav"), floatInput));
	ASSERT_TRUE (writeAudio (path ("pcm16.wav"), pcm16Input));
	ASSERT_TRUE (writeAudio (path ("pcm24.aiff"), pcm24Input));
	// What each output is compared with: the same render as float WAV, in 32-bit and in 64-bit processing.
	const auto reference = [this] (const std::string& input, const std::string& options)
	{ return path (("ref-" + input + (options.empty () ? "" : "-double") + ".wav").c_str ()); };
	for (const char* in : {"float.wav", "pcm16.wav", "pcm24.aiff"})
		for (const std::string options : {"", " --double"})
			ASSERT_EQ (runCli ("render " + path (in) + " " + reference (in, options) + options + bundle ()).status, 0);

	struct Case
	{
		const char* input;
		const char* output;
		const char* options;
		int format;
		double tolerance; // against the reference; negative: lossy, not compared
	};
	const Case cases[] = {
	    {"pcm16.wav", "out.wav", "", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 0.0},
	    {"pcm16.wav", "OUT.WAV", " --double", SF_FORMAT_WAV | SF_FORMAT_DOUBLE, 0.0},
	    {"float.wav", "out.aiff", "", SF_FORMAT_AIFF | SF_FORMAT_FLOAT, 0.0},
	    {"float.wav", "out.aif", " --double", SF_FORMAT_AIFF | SF_FORMAT_DOUBLE, 0.0},
	    {"pcm16.wav", "out.flac", "", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 1.0 / 32768},
	    {"pcm24.aiff", "out.flac", "", SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 1.0 / 8388608},
	    {"float.wav", "out.Flac", " --double", SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 1.0 / 8388608},
	    {"float.wav", "out.ogg", "", SF_FORMAT_OGG | SF_FORMAT_VORBIS, -1.0},
	    {"pcm16.wav", "out.oga", "", SF_FORMAT_OGG | SF_FORMAT_VORBIS, -1.0},
	};
	for (const Case& c : cases)
	{
		const std::string label = std::string (c.input) + " -> " + c.output + c.options;
		const auto run = runCli ("render " + path (c.input) + " " + path (c.output) + c.options + bundle ());
		ASSERT_EQ (run.status, 0) << label << "\n" << run.output;
		const Audio output = readAudio (path (c.output));
		EXPECT_EQ (output.format, c.format) << label;
		EXPECT_EQ (output.sampleRate, 44100) << label;
		ASSERT_EQ (output.frames (), floatInput.frames ()) << label;
		if (c.tolerance >= 0.0)
		{
			const Audio expected = readAudio (reference (c.input, c.options));
			ASSERT_EQ (expected.samples.size (), output.samples.size ());
			for (size_t i = 0; i < expected.samples.size (); ++i)
				ASSERT_NEAR (output.samples[i], expected.samples[i], c.tolerance) << label << " at " << i;
		}
		fs::remove (path (c.output));
	}

	// Names that ask for no format the tool writes: refused before anything is written.
	for (const char* name : {"out.mp3", "out", "out.xyz", "out.wav.txt"})
	{
		const auto run = runCli ("render " + path ("float.wav") + " " + path (name) + bundle ());
		EXPECT_EQ (run.status, 2) << name << "\n" << run.output;
		EXPECT_NE (run.output.find ("cannot tell a format to write from the name '" + path (name) +
		                            "'; the output's extension must be one of .wav, .aiff, .aif, .flac, .ogg, .oga"),
		           std::string::npos)
		    << run.output;
		EXPECT_FALSE (fs::exists (path (name))) << name;
	}
}

TEST_F (Cli, InfoAndHelp)
{
	auto run = runCli ("info '" + std::string (QUORVANE_BUNDLE_DIR) + "'");
	ASSERT_EQ (run.status, 0) << run.output;
	EXPECT_NE (run.output.find ("Vendor:   Kelvanor"), std::string::npos) << run.output;
	EXPECT_NE (run.output.find ("[0] Quorvane\n"), std::string::npos) << run.output;
	EXPECT_NE (run.output.find ("Class ID:       8C3B7CA13479DA41B08706CA2D7F3E48"), std::string::npos) << run.output;
	EXPECT_NE (run.output.find ("Category:       Audio Module Class"), std::string::npos) << run.output;
	EXPECT_NE (run.output.find ("Version:        1.2.0.0"), std::string::npos) << run.output;

	run = runCli ("info /nonexistent/Quorvane.vst3");
	EXPECT_EQ (run.status, 1);
	EXPECT_NE (run.output.find ("no VST3 module at"), std::string::npos) << run.output;

	run = runCli ("--help");
	EXPECT_EQ (run.status, 0);
	EXPECT_NE (run.output.find ("render IN OUT"), std::string::npos) << run.output;
	for (const char* command : {"render", "info", "demo"})
	{
		run = runCli (std::string (command) + " --help");
		EXPECT_EQ (run.status, 0) << command;
		EXPECT_NE (run.output.find (std::string ("Usage: quorvane ") + command), std::string::npos) << run.output;
		EXPECT_EQ (runCli (std::string ("help ") + command).output, run.output);
	}
	EXPECT_NE (runCli ("render --help").output.find ("--sync NOTE"), std::string::npos);
	EXPECT_NE (runCli ("render --help").output.find ("--set TITLE=TEXT"), std::string::npos);
	EXPECT_NE (runCli ("render --help").output.find ("--preset FILE"), std::string::npos);
	run = runCli ("preset --help");
	EXPECT_EQ (run.status, 0);
	EXPECT_NE (run.output.find ("Usage: quorvane preset save FILE"), std::string::npos) << run.output;
	EXPECT_EQ (runCli ("help preset").output, run.output);
	EXPECT_NE (runCli ("--help").output.find ("preset save FILE"), std::string::npos);
}

TEST_F (Cli, InfoListsEveryParameterWithItsTexts)
{
	const auto run = runCli ("info" + bundle ());
	ASSERT_EQ (run.status, 0) << run.output;
	EXPECT_NE (run.output.find ("[1] QuorvaneController\n  Class ID:       E00EB0DA936CF44FA6283AFEA43FA525\n"
	                            "  Category:       Component Controller Class\n"),
	           std::string::npos)
	    << run.output;
	const char* blocks[] = {
	    "Parameters: 5\n",
	    "\n100 Bypass\n"
	    "  Short title:    (none)\n"
	    "  Units:          (none)\n"
	    "  Step count:     1\n"
	    "  Default:        0 (Off)\n"
	    "  Flags:          automatable, bypass\n"
	    "  Text at 0, 0.25, 0.5, 0.75, 1: Off | Off | Off | On | On\n",
	    "\n1000 Duration\n"
	    "  Short title:    (none)\n"
	    "  Units:          beats\n"
	    "  Step count:     0 (continuous)\n"
	    "  Default:        0.5 (0.50)\n"
	    "  Flags:          automatable\n"
	    "  Text at 0, 0.25, 0.5, 0.75, 1: 0.00 | 0.25 | 0.50 | 0.75 | 1.00\n",
	    "\n1005 Mix\n"
	    "  Short title:    (none)\n"
	    "  Units:          % wet\n"
	    "  Step count:     0 (continuous)\n"
	    "  Default:        1 (100)\n"
	    "  Flags:          automatable\n"
	    "  Text at 0, 0.25, 0.5, 0.75, 1: 0 | 25 | 50 | 75 | 100\n",
	    "\n1020 Offset\n"
	    "  Short title:    (none)\n"
	    "  Units:          beats\n"
	    "  Step count:     0 (continuous)\n"
	    "  Default:        0.5 (0.00)\n"
	    "  Flags:          automatable\n"
	    "  Text at 0, 0.25, 0.5, 0.75, 1: -1.00 | -0.50 | 0.00 | 0.50 | 1.00\n",
	    "\n1030 Note Sync\n"
	    "  Short title:    Sync\n"
	    "  Units:          (none)\n"
	    "  Step count:     8\n"
	    "  Default:        0.5 (1/4)\n"
	    "  Flags:          automatable, list\n"
	    "  Text at 0, 0.25, 0.5, 0.75, 1: 4/1 | 1/1 | 1/4 | 1/16 | 1/64\n",
	};
	size_t from = 0;
	for (const char* block : blocks)
	{
		const size_t at = run.output.find (block, from);
		EXPECT_NE (at, std::string::npos) << block << "\n---\n" << run.output;
		if (at != std::string::npos)
			from = at; // in this order
	}
}

TEST_F (Cli, PresetSaveLoadsBackIntoAFreshPair)
{
	auto module = QuorvaneTest::loadModule ();
	ASSERT_TRUE (module);
	std::string error;
	auto readBack = [&] (const std::string& file)
	{
		QuorvaneHost::VstPreset preset;
		EXPECT_TRUE (QuorvaneHost::loadVstPresetFile (file, preset, error)) << error;
		auto pair = QuorvaneHost::PluginInstance::createFirstAudioEffect (module, error);
		EXPECT_TRUE (pair) << error;
		if (pair)
		{
			EXPECT_TRUE (pair->loadPreset (preset, error)) << error;
		}
		return pair;
	};
	auto values = [] (QuorvaneHost::PluginInstance& pair)
	{
		std::vector<ParamValue> result;
		for (ParamID id : {kBypassId, kDurationId, kMixId, kOffsetId, kNoteSyncId})
			result.push_back (pair.parameterNormalized (id));
		return result;
	};

	auto run = runCli ("preset save " + path ("a.vstpreset") +
	                   " --set 'Note Sync=1/8' --set Mix=50 --set Bypass=1 --duration 0.25 --offset -0.5" + bundle ());
	ASSERT_EQ (run.status, 0) << run.output;
	EXPECT_NE (run.output.find ("Saved " + path ("a.vstpreset") +
	                            ": Bypass On, Duration 0.25 beats, Mix 50 % wet, Offset -0.50 beats, Note Sync 1/8\n"),
	           std::string::npos)
	    << run.output;
	auto pair = readBack (path ("a.vstpreset"));
	ASSERT_TRUE (pair);
	EXPECT_EQ (values (*pair), (std::vector<ParamValue>{1.0, 0.25, 0.5, 0.25, 0.625}));
	std::vector<std::uint8_t> processorState, controllerState;
	pair->getState (processorState);
	EXPECT_EQ (processorState,
	           (std::vector<std::uint8_t>{0x01, 0x00, 0x00, 0x80, 0x3E, 0x00, 0x00, 0x00, 0x3F, 0x00, 0x00,
	                                      0x80, 0x3E, 0x00, 0x00, 0x20, 0x3F, 0x01, 0x00, 0x00, 0x00}));
	pair->getControllerState (controllerState);
	EXPECT_TRUE (controllerState.empty ()); // the saving pair had no editor size either

	// A preset from a host that stored an editor size: the size and every value not set survive a save
	// through the tool.
	auto donor = QuorvaneHost::PluginInstance::createFirstAudioEffect (module, error);
	ASSERT_TRUE (donor) << error;
	const std::vector<std::uint8_t> sizeRecord = {0x01, 0x80, 0x02, 0x00, 0x00, 0x33, 0x04, 0x00, 0x00};
	ASSERT_EQ (donor->setControllerState (sizeRecord), kResultOk);
	const std::vector<std::uint8_t> donorRecord = {0x01, 0x00, 0x00, 0x40, 0x3F, 0x00, 0x00, 0xA0, 0x3E, 0x00, 0x00,
	                                               0x40, 0x3F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
	ASSERT_EQ (donor->setState (donorRecord), kResultOk); // Duration 0.75, Mix 0.3125, Offset 0.75, "4/1"
	QuorvaneHost::VstPreset donorPreset;
	ASSERT_TRUE (donor->savePreset (donorPreset, error)) << error;
	ASSERT_TRUE (QuorvaneHost::saveVstPresetFile (path ("host.vstpreset"), donorPreset, error)) << error;

	run = runCli ("preset save " + path ("b.vstpreset") + " --preset " + path ("host.vstpreset") + " --sync 1/16" +
	              bundle ());
	ASSERT_EQ (run.status, 0) << run.output;
	pair = readBack (path ("b.vstpreset"));
	ASSERT_TRUE (pair);
	EXPECT_EQ (values (*pair), (std::vector<ParamValue>{0.0, 0.75, 0.3125, 0.75, 0.75}));
	pair->getControllerState (controllerState);
	EXPECT_EQ (controllerState, sizeRecord);

	// The tool's own preset round trip: saving b again unchanged gives the same file.
	run = runCli ("preset save " + path ("c.vstpreset") + " --preset " + path ("b.vstpreset") + bundle ());
	ASSERT_EQ (run.status, 0) << run.output;
	auto fileBytes = [] (const std::string& file)
	{
		std::ifstream in (file, std::ios::binary);
		return std::vector<char> ((std::istreambuf_iterator<char> (in)), std::istreambuf_iterator<char> ());
	};
	EXPECT_EQ (fileBytes (path ("c.vstpreset")), fileBytes (path ("b.vstpreset")));
}

TEST_F (Cli, BadPresetsAreRefusedAndNothingIsWritten)
{
	auto module = QuorvaneTest::loadModule ();
	ASSERT_TRUE (module);
	std::string error;
	auto donor = QuorvaneHost::PluginInstance::createFirstAudioEffect (module, error);
	ASSERT_TRUE (donor) << error;
	QuorvaneHost::VstPreset good;
	ASSERT_TRUE (donor->savePreset (good, error)) << error;
	std::vector<std::uint8_t> bytes;
	ASSERT_TRUE (QuorvaneHost::encodeVstPreset (good, bytes, error)) << error;

	auto writeFile = [this] (const char* name, const std::vector<std::uint8_t>& content)
	{
		std::ofstream (path (name), std::ios::binary)
		    .write (reinterpret_cast<const char*> (content.data ()), static_cast<std::streamsize> (content.size ()));
		return path (name);
	};
	QuorvaneHost::VstPreset foreign = good;
	foreign.classId = ControllerUID;
	std::vector<std::uint8_t> foreignBytes;
	ASSERT_TRUE (QuorvaneHost::encodeVstPreset (foreign, foreignBytes, error)) << error;
	QuorvaneHost::VstPreset badRecord = good;
	badRecord.componentState[0] = 2;
	std::vector<std::uint8_t> badRecordBytes;
	ASSERT_TRUE (QuorvaneHost::encodeVstPreset (badRecord, badRecordBytes, error)) << error;

	struct Case
	{
		std::string preset;
		std::string message;
	};
	const Case cases[] = {
	    {writeFile ("cut.vstpreset", std::vector<std::uint8_t> (bytes.begin (), bytes.end () - 1)),
	     "cannot be used: it is damaged or cut short"},
	    {writeFile ("foreign.vstpreset", foreignBytes),
	     "cannot be used: it belongs to another plug-in (class ID E00EB0DA936CF44FA6283AFEA43FA525, not "
	     "8C3B7CA13479DA41B08706CA2D7F3E48)"},
	    {writeFile ("record.vstpreset", badRecordBytes), "cannot be used: the processor refused its state"},
	};
	const Audio input = stereoTestSignal (1000, 48000);
	ASSERT_TRUE (writeAudio (path ("in.wav"), input));
	for (const Case& c : cases)
	{
		auto run = runCli ("preset save " + path ("out.vstpreset") + " --preset " + c.preset + bundle ());
		EXPECT_EQ (run.status, 1) << run.output;
		EXPECT_NE (run.output.find (c.message), std::string::npos) << run.output;
		EXPECT_FALSE (fs::exists (path ("out.vstpreset")));
		run = runCli ("render " + path ("in.wav") + " " + path ("out.wav") + " --preset " + c.preset + bundle ());
		EXPECT_EQ (run.status, 1) << run.output;
		EXPECT_NE (run.output.find (c.message), std::string::npos) << run.output;
		EXPECT_FALSE (fs::exists (path ("out.wav")));
	}

	// Command-line mistakes of the preset command.
	for (const auto& [arguments, message] : std::vector<std::pair<std::string, std::string>>{
	         {"preset", "expected 'save FILE'"},
	         {"preset load x.vstpreset", "no preset command 'load'"},
	         {"preset save", "expected one file to write"},
	         {"preset save a b", "expected one file to write"},
	         {"preset save " + path ("out.vstpreset") + " --set Mix=200" + bundle (),
	          "--set Mix=200: Mix does not accept '200'"},
	     })
	{
		const auto run = runCli (arguments);
		EXPECT_EQ (run.status, 2) << arguments << "\n" << run.output;
		EXPECT_NE (run.output.find (message), std::string::npos) << run.output;
	}
	EXPECT_FALSE (fs::exists (path ("out.vstpreset")));
	const auto run = runCli ("preset save " + path ("missing-folder/out.vstpreset") + bundle ());
	EXPECT_EQ (run.status, 1);
	EXPECT_NE (run.output.find ("cannot write '" + path ("missing-folder/out.vstpreset") + "'"), std::string::npos)
	    << run.output;
}

TEST_F (Cli, RenderWithAPresetEqualsRenderWithItsSettings)
{
	const Audio input = stereoTestSignal (30000, 48000);
	ASSERT_TRUE (writeAudio (path ("in.wav"), input));
	const std::string settings = " --set 'Note Sync=1/16' --set Mix=40 --set Duration=0.75 --set Offset=0.5";
	auto run = runCli ("preset save " + path ("p.vstpreset") + settings + bundle ());
	ASSERT_EQ (run.status, 0) << run.output;
	run = runCli ("render " + path ("in.wav") + " " + path ("preset.wav") + " --preset " + path ("p.vstpreset") +
	              bundle ());
	ASSERT_EQ (run.status, 0) << run.output;
	run = runCli ("render " + path ("in.wav") + " " + path ("set.wav") + settings + bundle ());
	ASSERT_EQ (run.status, 0) << run.output;

	const Audio fromPreset = readAudio (path ("preset.wav"));
	ASSERT_EQ (fromPreset.frames (), input.frames ());
	EXPECT_EQ (fromPreset.samples, readAudio (path ("set.wav")).samples);
	Settings expected;
	expected.parameters = {{kNoteSyncId, 0.75}, {kMixId, 0.4}, {kDurationId, 0.75}, {kOffsetId, 0.75}};
	EXPECT_EQ (fromPreset.samples, renderInProcess (input, expected));
	// A --set after the preset wins over the preset's value.
	run = runCli ("render " + path ("in.wav") + " " + path ("mixed.wav") + " --preset " + path ("p.vstpreset") +
	              " --set Mix=100" + bundle ());
	ASSERT_EQ (run.status, 0) << run.output;
	expected.parameters[1] = {kMixId, 1.0};
	EXPECT_EQ (readAudio (path ("mixed.wav")).samples, renderInProcess (input, expected));
}

TEST_F (Cli, DemoWritesAudioAndPicture)
{
	const auto run = runCli ("demo '" + folder.string () + "'" + bundle ());
	ASSERT_EQ (run.status, 0) << run.output;
	const Audio dry = readAudio (folder / "demo-dry.wav");
	const Audio wet = readAudio (folder / "demo-ducked.wav");
	EXPECT_EQ (dry.sampleRate, 48000);
	EXPECT_EQ (dry.channels, 2);
	EXPECT_EQ (dry.frames (), 8 * 4 * 24000); // 8 bars of 4 quarter notes at 120 per minute
	ASSERT_EQ (wet.frames (), dry.frames ());

	// Where the gain is lowest, 774 samples into each quarter note, the pad is about 30 dB quieter; in the hold,
	// untouched.
	auto energy = [] (const Audio& audio, long from, long to)
	{
		double sum = 0.0;
		for (long i = from * 2; i < to * 2; ++i)
			sum += audio.samples[static_cast<size_t> (i)] * audio.samples[static_cast<size_t> (i)];
		return sum;
	};
	const long beat = 24000 * 9;
	EXPECT_LT (energy (wet, beat + 700, beat + 850), 0.01 * energy (dry, beat + 700, beat + 850));
	EXPECT_EQ (energy (wet, beat + 13000, beat + 20000), energy (dry, beat + 13000, beat + 20000));

	std::ifstream png (folder / "demo-gain.png", std::ios::binary);
	char signature[8]{};
	png.read (signature, 8);
	EXPECT_EQ (std::string (signature, 8), std::string ("\x89PNG\r\n\x1a\n", 8));
}
