// The checks a host's validator makes of an audio processor: buses, arrangements, sample sizes,
// processing with and without a context, and the stored state.

#include "tests/host/HostTestSupport.h"

#include "plugin/ids.h"

#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/vstspeaker.h"

#include <cmath>
#include <cstring>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace QuorvaneHost;

namespace
{


std::string busName (const BusInfo& info)
{
	std::string name;
	for (int i = 0; i < 128 && info.name[i]; ++i)
		name += static_cast<char> (info.name[i]);
	return name;
}

// The 21 bytes of the default settings: version 1, Duration 0.5, Mix 1.0, Offset 0 (0.5), "1/4" (0.5), Bypass off.
const std::vector<std::uint8_t> defaultState = {0x01, 0x00, 0x00, 0x00, 0x3F, 0x00, 0x00, 0x80, 0x3F, 0x00, 0x00,
                                                0x00, 0x3F, 0x00, 0x00, 0x00, 0x3F, 0x00, 0x00, 0x00, 0x00};

std::vector<std::uint8_t> stateRecord (float duration, float mix, float offset, float noteSync, std::int32_t bypass)
{
	std::vector<std::uint8_t> bytes{1};
	auto append = [&bytes] (const void* value)
	{
		const auto* p = static_cast<const std::uint8_t*> (value);
		bytes.insert (bytes.end (), p, p + 4); // the test machine is little-endian, as the record is
	};
	append (&duration);
	append (&mix);
	append (&offset);
	append (&noteSync);
	append (&bypass);
	return bytes;
}

} // namespace

TEST (ConformanceThroughBundle, DeclaresItsBuses)
{
	auto module = QuorvaneTest::loadModule ();
	ASSERT_TRUE (module);
	auto instance = QuorvaneTest::createPair (module);
	ASSERT_TRUE (instance);
	IComponent* component = instance->component ();

	EXPECT_EQ (component->getBusCount (kAudio, kInput), 1);
	EXPECT_EQ (component->getBusCount (kAudio, kOutput), 1);
	EXPECT_EQ (component->getBusCount (kEvent, kInput), 1);
	EXPECT_EQ (component->getBusCount (kEvent, kOutput), 0);

	struct Expected
	{
		MediaType type;
		BusDirection direction;
		const char* name;
		int32 channels;
	};
	for (const Expected& expected :
	     {Expected{kAudio, kInput, "Stereo In", 2}, Expected{kAudio, kOutput, "Stereo Out", 2},
	      Expected{kEvent, kInput, "Event In", 1}})
	{
		BusInfo info{};
		ASSERT_EQ (component->getBusInfo (expected.type, expected.direction, 0, info), kResultOk) << expected.name;
		EXPECT_EQ (busName (info), expected.name);
		EXPECT_EQ (info.channelCount, expected.channels) << expected.name;
		EXPECT_EQ (info.busType, kMain) << expected.name;
		EXPECT_EQ (info.flags, static_cast<uint32> (BusInfo::kDefaultActive)) << expected.name;
		EXPECT_EQ (info.mediaType, expected.type);
		EXPECT_EQ (info.direction, expected.direction);
		EXPECT_EQ (component->activateBus (expected.type, expected.direction, 0, true), kResultOk);
		EXPECT_EQ (component->activateBus (expected.type, expected.direction, 0, false), kResultOk);
	}

	BusInfo none{};
	EXPECT_NE (component->getBusInfo (kAudio, kInput, 1, none), kResultOk);
	EXPECT_NE (component->getBusInfo (kAudio, kOutput, -1, none), kResultOk);
	EXPECT_NE (component->getBusInfo (kEvent, kOutput, 0, none), kResultOk);
	EXPECT_NE (component->activateBus (kAudio, kInput, 1, true), kResultOk);
	EXPECT_NE (component->activateBus (kEvent, kOutput, 0, true), kResultOk);

	IAudioProcessor* processor = instance->audioProcessor ();
	SpeakerArrangement arrangement = 0;
	EXPECT_EQ (processor->getBusArrangement (kInput, 0, arrangement), kResultOk);
	EXPECT_EQ (arrangement, SpeakerArr::kStereo);
	EXPECT_EQ (processor->getBusArrangement (kOutput, 0, arrangement), kResultOk);
	EXPECT_EQ (arrangement, SpeakerArr::kStereo);
	EXPECT_NE (processor->getBusArrangement (kOutput, 1, arrangement), kResultOk);

	// A host with a mono track asks for mono and gets it.
	EXPECT_EQ (instance->setMainBusChannels (1, 1), kResultOk);
	EXPECT_EQ (processor->getBusArrangement (kInput, 0, arrangement), kResultOk);
	EXPECT_EQ (arrangement, SpeakerArr::kMono);

	EXPECT_EQ (processor->getLatencySamples (), 0u);
	EXPECT_EQ (processor->getTailSamples (), 0u);
}

TEST (ConformanceThroughBundle, AcceptsThirtyTwoAndSixtyFourBitOnly)
{
	auto module = QuorvaneTest::loadModule ();
	ASSERT_TRUE (module);
	auto instance = QuorvaneTest::createPair (module);
	ASSERT_TRUE (instance);
	IAudioProcessor* processor = instance->audioProcessor ();

	EXPECT_EQ (processor->canProcessSampleSize (kSample32), kResultTrue);
	EXPECT_EQ (processor->canProcessSampleSize (kSample64), kResultTrue);
	EXPECT_EQ (processor->canProcessSampleSize (2), kResultFalse);
	EXPECT_EQ (processor->canProcessSampleSize (-1), kResultFalse);

	EXPECT_EQ (instance->setupProcessing (44100.0, 1024, kSample32), kResultOk);
	EXPECT_EQ (instance->setupProcessing (96000.0, 64, kSample64), kResultOk);
	EXPECT_EQ (instance->setupProcessing (48000.0, 512, 2), kResultFalse);
	EXPECT_EQ (instance->setupProcessing (48000.0, 512, kSample64, kOffline), kResultOk);

	EXPECT_EQ (instance->setActive (true), kResultOk);
	for (bool state : {true, false})
	{
		const tresult result = instance->setProcessing (state);
		EXPECT_TRUE (result == kResultOk || result == kNotImplemented) << result;
	}
	EXPECT_EQ (instance->setActive (false), kResultOk);
}

TEST (ConformanceThroughBundle, ProcessesBothSampleSizesWithAndWithoutContext)
{
	for (bool use64 : {false, true})
	{
		SCOPED_TRACE (use64 ? "64-bit" : "32-bit");
		auto running = QuorvaneTest::startProcessor (QuorvaneTest::stereoSetup (12000, use64));
		ASSERT_TRUE (running.blocks);
		auto& blocks = *running.blocks;
		QuorvaneTest::fillInputs (blocks, 1.0);

		// With the host's context the second half of the first quarter note is the hold at unity.
		ASSERT_EQ (blocks.process (12000), kResultOk);
		const auto rampEnd = QuorvaneTest::outputOf (blocks, 0, 12000).back ();
		ASSERT_EQ (blocks.process (12000), kResultOk);
		const auto hold = QuorvaneTest::outputOf (blocks, 0, 12000);
		EXPECT_EQ (hold.front (), 1.0);
		EXPECT_EQ (hold.back (), 1.0);
		// Separate buffers take the vectorised path, whose ramp is formed by multiplication and ends nearer the
		// exact 0.99987 than the sample-by-sample running sum (0.9998206).
		EXPECT_NEAR (rampEnd, 0.9998206, 1e-4);

		// Without one every block is at position 0, so the third block starts a new dip: the gain, which
		// the hold left at 1.0, glides down from the first sample.
		blocks.setSendContext (false);
		ASSERT_EQ (blocks.process (12000), kResultOk);
		const auto restarted = QuorvaneTest::outputOf (blocks, 0, 12000);
		EXPECT_EQ (restarted[0], static_cast<double> (1.0f - 0.00125f));
		for (int i = 0; i < 12000; ++i)
			ASSERT_TRUE (std::isfinite (restarted[static_cast<size_t> (i)]));
		// Both channels get the same gain.
		EXPECT_EQ (QuorvaneTest::outputOf (blocks, 1, 12000), restarted);

		// A block of no samples is fine.
		EXPECT_EQ (blocks.process (0), kResultOk);
	}
}

TEST (ConformanceThroughBundle, RefusesAnUnknownSampleSizeInProcess)
{
	auto running = QuorvaneTest::startProcessor (QuorvaneTest::stereoSetup (256));
	ASSERT_TRUE (running.blocks);
	auto& blocks = *running.blocks;
	QuorvaneTest::fillInputs (blocks, 1.0);
	for (int c = 0; c < 2; ++c)
		std::fill (blocks.output32 (c), blocks.output32 (c) + 256, -7.0f);
	blocks.processData ().symbolicSampleSize = 2;
	blocks.addParameterChange (kMixId, 0.0);
	EXPECT_EQ (blocks.process (256), kResultFalse);
	EXPECT_EQ (blocks.output32 (0)[0], -7.0f); // untouched

	// The Mix change of the refused block stayed: with Mix 0 the state says so.
	std::vector<std::uint8_t> state;
	ASSERT_EQ (running.instance->getState (state), kResultOk);
	ASSERT_EQ (state.size (), 21u);
	float mix = -1.0f;
	std::memcpy (&mix, state.data () + 5, 4);
	EXPECT_EQ (mix, 0.0f);
}

TEST (ConformanceThroughBundle, StoredStateHasTheDefaultBytesAndRoundTrips)
{
	auto module = QuorvaneTest::loadModule ();
	ASSERT_TRUE (module);
	auto instance = QuorvaneTest::createPair (module);
	ASSERT_TRUE (instance);

	std::vector<std::uint8_t> bytes;
	ASSERT_EQ (instance->getState (bytes), kResultOk);
	EXPECT_EQ (bytes, defaultState);

	const auto custom = stateRecord (0.25f, 0.75f, 0.625f, 0.875f, 1);
	ASSERT_EQ (instance->setState (custom), kResultOk);
	ASSERT_EQ (instance->getState (bytes), kResultOk);
	EXPECT_EQ (bytes, custom);

	// A second instance given the saved bytes saves the same bytes: a project reloads as it was saved.
	auto other = QuorvaneTest::createPair (module);
	ASSERT_TRUE (other);
	ASSERT_EQ (other->setState (bytes), kResultOk);
	std::vector<std::uint8_t> reloaded;
	ASSERT_EQ (other->getState (reloaded), kResultOk);
	EXPECT_EQ (reloaded, custom);

	// Bytes after the record are ignored.
	auto longer = stateRecord (0.5f, 0.5f, 0.5f, 0.0f, 0);
	longer.push_back (0xAB);
	ASSERT_EQ (instance->setState (longer), kResultOk);
	ASSERT_EQ (instance->getState (bytes), kResultOk);
	longer.pop_back ();
	EXPECT_EQ (bytes, longer);

	// Out-of-range fields as the reader defines them: Bypass -1 is off, Note Sync 1.5 is "1/64" (written back as 1.0).
	ASSERT_EQ (instance->setState (stateRecord (0.5f, 1.0f, 0.5f, 1.5f, -1)), kResultOk);
	ASSERT_EQ (instance->getState (bytes), kResultOk);
	EXPECT_EQ (bytes, stateRecord (0.5f, 1.0f, 0.5f, 1.0f, 0));
}

TEST (ConformanceThroughBundle, RefusedStateLeavesEverySettingAsItWas)
{
	auto module = QuorvaneTest::loadModule ();
	ASSERT_TRUE (module);
	auto instance = QuorvaneTest::createPair (module);
	ASSERT_TRUE (instance);
	const auto custom = stateRecord (0.25f, 0.75f, 0.625f, 0.875f, 1);
	ASSERT_EQ (instance->setState (custom), kResultOk);

	auto wrongVersion = stateRecord (0.1f, 0.1f, 0.1f, 0.1f, 0);
	wrongVersion[0] = 2;
	auto cut = stateRecord (0.1f, 0.1f, 0.1f, 0.1f, 0);
	cut.resize (20);
	const std::vector<std::vector<std::uint8_t>> refused = {wrongVersion, cut, {}, {1}, {1, 0, 0}};
	for (const auto& record : refused)
	{
		EXPECT_EQ (instance->setState (record), kResultFalse) << record.size () << " bytes";
		std::vector<std::uint8_t> bytes;
		ASSERT_EQ (instance->getState (bytes), kResultOk);
		EXPECT_EQ (bytes, custom) << "after a refused record of " << record.size () << " bytes";
	}
	EXPECT_EQ (instance->component ()->setState (nullptr), kResultFalse);
	EXPECT_EQ (instance->component ()->getState (nullptr), kResultFalse);
}

TEST (ConformanceThroughBundle, SurvivesDeactivationAndTerminateWithoutProcessing)
{
	auto module = QuorvaneTest::loadModule ();
	ASSERT_TRUE (module);
	for (int round = 0; round < 3; ++round)
	{
		auto instance = QuorvaneTest::createPair (module);
		ASSERT_TRUE (instance);
		EXPECT_EQ (instance->activateDefaultBuses (true), kResultOk);
		EXPECT_EQ (instance->setupProcessing (48000.0, 512, kSample32), kResultOk);
		EXPECT_EQ (instance->setActive (true), kResultOk);
		EXPECT_EQ (instance->setActive (false), kResultOk);
		EXPECT_EQ (instance->setActive (true), kResultOk);
		instance->tearDown ();
		EXPECT_EQ (instance->component (), nullptr);
	}
}
