// The host library's own logic, without a module: the musical clock it hands to every block, and how it
// finds the module inside a bundle.

#include "host/BundlePath.h"
#include "host/Transport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>

using namespace Steinberg::Vst;
using QuorvaneHost::Transport;

TEST (HostTransport, ContextCarriesTheClockAndItsFlags)
{
	Transport transport (44100.0, 90.0, 6.0);
	ProcessContext context{};
	transport.fillContext (context);
	EXPECT_EQ (context.sampleRate, 44100.0);
	EXPECT_EQ (context.tempo, 90.0);
	EXPECT_EQ (context.projectTimeMusic, 6.0);
	EXPECT_EQ (context.barPositionMusic, 4.0);
	EXPECT_EQ (context.timeSigNumerator, 4);
	EXPECT_EQ (context.timeSigDenominator, 4);
	const Steinberg::uint32 expected = ProcessContext::kPlaying | ProcessContext::kTempoValid |
	                                   ProcessContext::kProjectTimeMusicValid | ProcessContext::kBarPositionValid |
	                                   ProcessContext::kTimeSigValid | ProcessContext::kContTimeValid;
	EXPECT_EQ (context.state, expected);

	transport.setPlaying (false);
	transport.setValidity (false, false);
	transport.fillContext (context);
	EXPECT_EQ (context.state & (ProcessContext::kPlaying | ProcessContext::kTempoValid |
	                            ProcessContext::kProjectTimeMusicValid | ProcessContext::kBarPositionValid),
	           0u);
}

TEST (HostTransport, AdvancesByTheBlockWhilePlayingOnly)
{
	Transport transport (48000.0, 120.0, 0.0);
	for (int block = 0; block < 1000; ++block)
		transport.advance (512);
	// 512000 samples at 120 quarter notes per minute and 48000 Hz: exactly 21 1/3 quarter notes, computed
	// from the sample count rather than summed, so there is no drift after many blocks.
	EXPECT_DOUBLE_EQ (transport.position (), 512000.0 / 24000.0);
	EXPECT_EQ (transport.projectTimeSamples (), 512000);

	transport.setPlaying (false);
	transport.advance (512);
	EXPECT_DOUBLE_EQ (transport.position (), 512000.0 / 24000.0);
	EXPECT_EQ (transport.projectTimeSamples (), 512000);

	// A tempo change goes on from where the clock stands.
	transport.setPlaying (true);
	transport.setTempo (60.0);
	transport.advance (48000);
	EXPECT_DOUBLE_EQ (transport.position (), 512000.0 / 24000.0 + 1.0);

	// A relocation moves both clocks.
	transport.setPosition (2.0);
	EXPECT_EQ (transport.position (), 2.0);
	EXPECT_EQ (transport.projectTimeSamples (), 96000);
}

TEST (HostTransport, UnusableRatesDoNotMoveTheClock)
{
	for (double rate : {0.0, -48000.0, std::numeric_limits<double>::quiet_NaN ()})
	{
		Transport transport (rate, 120.0, 3.0);
		transport.advance (512);
		EXPECT_EQ (transport.position (), 3.0) << rate;
		ProcessContext context{};
		transport.fillContext (context);
		EXPECT_EQ (context.projectTimeMusic, 3.0);
	}
	// A position too large for a bar position is still handed on, without one.
	Transport far (48000.0, 120.0, 1e300);
	ProcessContext context{};
	far.fillContext (context);
	EXPECT_EQ (context.projectTimeMusic, 1e300);
	EXPECT_EQ (context.state & ProcessContext::kBarPositionValid, 0u);
	EXPECT_EQ (far.projectTimeSamples (), 0);
}

TEST (HostBundlePath, FindsTheModuleInsideABundle)
{
	const auto folder = std::filesystem::temp_directory_path () / "HostBundlePathTest" / "Thing.vst3";
	std::filesystem::create_directories (folder);
	const std::string moduleFile = std::string ("Thing") + QuorvaneHost::moduleFileExtension ();
	const std::string expected = (folder / "Contents" / QuorvaneHost::bundleArchitecture () / moduleFile).string ();
	EXPECT_EQ (QuorvaneHost::modulePathForBundle (folder.string ()), expected);
	EXPECT_EQ (QuorvaneHost::modulePathForBundle (folder.string () + "/"), expected);
	std::filesystem::remove_all (folder.parent_path ());

	// A missing bundle still names the module it would hold; any other path is the module itself.
	EXPECT_EQ (QuorvaneHost::modulePathForBundle ("/missing/Other.vst3"),
	           (std::filesystem::path ("/missing/Other.vst3") / "Contents" / QuorvaneHost::bundleArchitecture () /
	            (std::string ("Other") + QuorvaneHost::moduleFileExtension ()))
	               .string ());
	EXPECT_EQ (QuorvaneHost::modulePathForBundle ("/some/where/Module.so"), "/some/where/Module.so");
#ifdef _WIN32
	EXPECT_STREQ (QuorvaneHost::bundleArchitecture (), "x86_64-win");
	EXPECT_STREQ (QuorvaneHost::moduleFileExtension (), ".vst3");
	// On Windows the module file is named like its bundle: an existing one is taken as it is.
	const auto dll = std::filesystem::temp_directory_path () / "HostBundlePathTest.vst3";
	std::ofstream (dll).put ('M');
	EXPECT_EQ (QuorvaneHost::modulePathForBundle (dll.string ()), dll.string ());
	std::filesystem::remove (dll);
#else
	EXPECT_STREQ (QuorvaneHost::bundleArchitecture (), "x86_64-linux");
	EXPECT_STREQ (QuorvaneHost::moduleFileExtension (), ".so");
#endif
}
