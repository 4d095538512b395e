// The quorvane tool run as a user runs it: rendered files compared sample for sample with the same
// settings driven through the host library in this process, and its answers to bad command lines.

#include "tests/host/HostTestSupport.h"

#include "plugin/ids.h"

#include <sndfile.h>

#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
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

	const auto run =
	    runCli ("render " + path ("in.wav") + " " + path ("out.wav") +
	            " --tempo 100 --sync 1/8 --mix 60 --duration 0.3 --offset -0.25 --start 2.5 --block 300" + bundle ());
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
	    {"render" + files + " --sync 1/3", 2,
	     "--sync must be one of 4/1 2/1 1/1 1/2 1/4 1/8 1/16 1/32 1/64, not '1/3'"},
	    {"render" + files + " --mix 150", 2, "--mix must be a number from 0 to 100, not '150'"},
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
