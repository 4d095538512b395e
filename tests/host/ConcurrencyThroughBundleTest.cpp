// A host's user-interface thread at work while the audio thread processes: automation posted through the
// host's edit slots, whole project loads, state saves, deactivation and reactivation. Under ThreadSanitizer
// this shows the processor shares its settings and carried gain without a data race; in every build, that
// no block gives a non-finite or out-of-range gain and no edit is lost.

#include "tests/host/HostTestSupport.h"

#include "plugin/ids.h"

#include <atomic>
#include <cmath>
#include <cstring>
#include <thread>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

std::vector<std::uint8_t> record (float duration, float mix, float offset, float noteSync, int32 bypass)
{
	std::vector<std::uint8_t> bytes (21, 1);
	std::memcpy (&bytes[1], &duration, 4);
	std::memcpy (&bytes[5], &mix, 4);
	std::memcpy (&bytes[9], &offset, 4);
	std::memcpy (&bytes[13], &noteSync, 4);
	std::memcpy (&bytes[17], &bypass, 4);
	return bytes;
}

} // namespace

TEST (ConcurrencyThroughBundle, LoadsEditsAndActivationWhileProcessing)
{
	constexpr int32 kBlock = 256;
	auto running = QuorvaneTest::startProcessor (QuorvaneTest::stereoSetup (kBlock));
	ASSERT_TRUE (running.blocks);
	auto& instance = *running.instance;
	QuorvaneTest::fillInputs (*running.blocks, 1.0);

	std::atomic<bool> uiStarted{false};
	std::atomic<bool> audioDone{false};
	std::atomic<int> rounds{0};
	std::thread audio (
	    [&]
	    {
		    // Start only once the user-interface side is busy, so the two really overlap.
		    while (!uiStarted)
			    std::this_thread::yield ();
		    auto& blocks = *running.blocks;
		    // At least 2000 blocks, and as many as the user-interface side needs for 100 rounds.
		    for (int block = 0; block < 2000 || rounds < 100; ++block)
		    {
			    // Short cycles and jumps keep the gain moving through every part of the curve.
			    if (block % 40 == 0)
				    blocks.transport ().setPosition (block * 0.37);
			    ASSERT_EQ (blocks.process (kBlock), kResultOk);
			    for (int32 i = 0; i < kBlock; ++i)
			    {
				    const float gain = blocks.output32 (0)[i];
				    ASSERT_TRUE (std::isfinite (gain) && gain >= 0.0f && gain <= 1.0f + 1e-5f) << gain;
			    }
		    }
		    audioDone = true;
	    });

	const std::vector<std::uint8_t> loads[] = {record (0.1f, 1.0f, 0.5f, 1.0f, 0),
	                                           record (0.9f, 0.3f, 0.75f, 0.25f, 1)};
	const ParamID ids[] = {kDurationId, kMixId, kOffsetId, kNoteSyncId, kBypassId};
	for (int round = 0; !audioDone; rounds = ++round)
	{
		uiStarted = true;
		EXPECT_EQ (instance.automateParameter (ids[round % 5], (round % 11) / 10.0), kResultOk);
		if (round % 5 == 0)
		{
			std::string error;
			EXPECT_TRUE (instance.loadStates (loads[round / 5 % 2], {}, error)) << error;
		}
		if (round % 3 == 0)
		{
			std::vector<std::uint8_t> saved;
			EXPECT_EQ (instance.getState (saved), kResultOk);
			EXPECT_EQ (saved.size (), 21u);
		}
		if (round % 7 == 0)
		{
			EXPECT_EQ (instance.setActive (false), kResultOk);
			EXPECT_EQ (instance.setActive (true), kResultOk);
		}
	}
	// The last word is the user's: edits made while blocks ran reach the processor with the next block.
	const double last[] = {0.25, 0.75, 0.5, 0.375, 1.0};
	for (size_t i = 0; i < 5; ++i)
		ASSERT_EQ (instance.automateParameter (ids[i], last[i]), kResultOk);
	audio.join ();
	ASSERT_EQ (running.blocks->process (kBlock), kResultOk);

	std::vector<std::uint8_t> state;
	ASSERT_EQ (instance.getState (state), kResultOk);
	EXPECT_EQ (state, record (0.25f, 0.75f, 0.5f, 0.375f, 1));
}
