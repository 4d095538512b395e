// What a careless or broken host may hand the processor: nonsense clocks, out-of-range parameter values
// and state records. The output must stay finite, and a sane block afterwards must be sane again.

#include "tests/host/HostTestSupport.h"

#include "plugin/ids.h"

#include <cmath>
#include <cstring>
#include <limits>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

constexpr double notANumber = std::numeric_limits<double>::quiet_NaN ();
constexpr double infinity = std::numeric_limits<double>::infinity ();

void expectFinite (QuorvaneHost::BlockProcessor& blocks, int32 numSamples, const std::string& what)
{
	for (int32 c = 0; c < 2; ++c)
	{
		const auto out = QuorvaneTest::outputOf (blocks, c, numSamples);
		for (int32 i = 0; i < numSamples; ++i)
			ASSERT_TRUE (std::isfinite (out[static_cast<size_t> (i)]))
			    << what << ": channel " << c << " sample " << i << " is " << out[static_cast<size_t> (i)];
	}
}

// After the hostile blocks: a normal clock and a DC input must give a gain in [0, 1] again once the gain
// has had time to glide back (a full swing takes 1/60 second; out-of-range settings may have left it
// outside [0, 1], so allow two seconds).
void expectRecovers (QuorvaneHost::BlockProcessor& blocks, const std::string& what)
{
	auto& transport = blocks.transport ();
	transport.setSampleRate (48000.0);
	transport.setTempo (120.0);
	transport.setPosition (0.0);
	transport.setPlaying (true);
	transport.setValidity (true, true);
	const int32 blockSize = blocks.setup ().maxSamplesPerBlock;
	for (int32 done = 0; done < 96000; done += blockSize)
	{
		QuorvaneTest::fillInputs (blocks, 1.0);
		ASSERT_EQ (blocks.process (blockSize), kResultOk) << what;
		expectFinite (blocks, blockSize, what);
	}
	const auto gain = QuorvaneTest::outputOf (blocks, 0, blockSize);
	for (double g : gain)
		ASSERT_TRUE (g >= 0.0 && g <= 1.0 + 2e-5) << what << ": gain " << g;
}

struct Clock
{
	const char* name;
	double sampleRate, tempo, position;
};

const Clock hostileClocks[] = {
    {"tempo 0", 48000.0, 0.0, 0.0},
    {"negative tempo", 48000.0, -120.0, 3.0},
    {"NaN tempo", 48000.0, notANumber, 0.0},
    {"infinite tempo", 48000.0, infinity, 0.0},
    {"tiny tempo", 48000.0, 1e-300, 0.0},
    {"huge tempo", 48000.0, 1e300, 0.0},
    {"sample rate 0", 0.0, 120.0, 0.0},
    {"negative sample rate", -48000.0, 120.0, 0.0},
    {"NaN sample rate", notANumber, 120.0, 0.0},
    {"huge sample rate", 1e300, 120.0, 0.0},
    {"huge position", 48000.0, 120.0, 1e18},
    {"huge negative position", 48000.0, 120.0, -1e18},
    {"largest position", 48000.0, 120.0, std::numeric_limits<double>::max ()},
    {"infinite position", 48000.0, 120.0, infinity},
    {"NaN position", 48000.0, 120.0, notANumber},
    {"long cycle", 48000.0, 1e-3, 0.0},
};

} // namespace

TEST (HostileInputThroughBundle, NonsenseClocksGiveFiniteOutput)
{
	for (bool use64 : {false, true})
		for (const Clock& clock : hostileClocks)
		{
			const std::string what = std::string (clock.name) + (use64 ? " (64-bit)" : " (32-bit)");
			auto running = QuorvaneTest::startProcessor (QuorvaneTest::stereoSetup (512, use64));
			ASSERT_TRUE (running.blocks);
			auto& blocks = *running.blocks;
			blocks.transport ().setSampleRate (clock.sampleRate);
			blocks.transport ().setTempo (clock.tempo);
			blocks.transport ().setPosition (clock.position);
			for (int block = 0; block < 3; ++block)
			{
				QuorvaneTest::fillInputs (blocks, 0.5);
				ASSERT_EQ (blocks.process (512), kResultOk) << what;
				expectFinite (blocks, 512, what);
			}
			expectRecovers (blocks, what);
		}
}

TEST (HostileInputThroughBundle, OutOfRangeParameterValuesGiveFiniteOutput)
{
	const ParamID ids[] = {kBypassId, kDurationId, kMixId, kOffsetId, kNoteSyncId};
	const double values[] = {notANumber, infinity, -infinity, -1.0, 2.0, 1e300, -1e300, 1.0000001, -0.0};
	for (ParamID id : ids)
		for (double value : values)
		{
			const std::string what = "parameter " + std::to_string (id) + " = " + std::to_string (value);
			auto running = QuorvaneTest::startProcessor (QuorvaneTest::stereoSetup (512));
			ASSERT_TRUE (running.blocks);
			auto& blocks = *running.blocks;
			blocks.addParameterChange (id, value);
			for (int block = 0; block < 4; ++block)
			{
				QuorvaneTest::fillInputs (blocks, 1.0);
				ASSERT_EQ (blocks.process (512), kResultOk) << what;
				expectFinite (blocks, 512, what);
			}
		}
}

TEST (HostileInputThroughBundle, StoredRecordsOutOfRangeGiveFiniteOutput)
{
	const float fieldValues[] = {std::numeric_limits<float>::quiet_NaN (),
	                             std::numeric_limits<float>::infinity (),
	                             -std::numeric_limits<float>::infinity (),
	                             1e30f,
	                             -1e30f,
	                             -1.0f,
	                             5.0f};
	for (int field = 0; field < 4; ++field)
		for (float value : fieldValues)
		{
			const std::string what = "field " + std::to_string (field) + " = " + std::to_string (value);
			auto running = QuorvaneTest::startProcessor (QuorvaneTest::stereoSetup (512));
			ASSERT_TRUE (running.blocks);
			std::vector<std::uint8_t> record;
			ASSERT_EQ (running.instance->getState (record), kResultOk);
			ASSERT_EQ (record.size (), 21u);
			std::memcpy (record.data () + 1 + 4 * field, &value, 4);
			ASSERT_EQ (running.instance->setState (record), kResultOk) << what;
			for (int block = 0; block < 4; ++block)
			{
				QuorvaneTest::fillInputs (*running.blocks, 1.0);
				ASSERT_EQ (running.blocks->process (512), kResultOk) << what;
				expectFinite (*running.blocks, 512, what);
			}
			// A sane record afterwards brings sane gains back.
			const std::vector<std::uint8_t> defaults = {0x01, 0x00, 0x00, 0x00, 0x3F, 0x00, 0x00,
			                                            0x80, 0x3F, 0x00, 0x00, 0x00, 0x3F, 0x00,
			                                            0x00, 0x00, 0x3F, 0x00, 0x00, 0x00, 0x00};
			ASSERT_EQ (running.instance->setState (defaults), kResultOk);
			expectRecovers (*running.blocks, what);
		}
}

TEST (HostileInputThroughBundle, MissingBusesAndEmptyBlocks)
{
	auto running = QuorvaneTest::startProcessor (QuorvaneTest::stereoSetup (256));
	ASSERT_TRUE (running.blocks);
	auto& blocks = *running.blocks;
	QuorvaneTest::fillInputs (blocks, 1.0);
	std::fill (blocks.output32 (0), blocks.output32 (0) + 256, -3.0f);

	// No output bus: nothing written, yet the block's parameter changes apply.
	blocks.processData ().numOutputs = 0;
	blocks.addParameterChange (kMixId, 0.25);
	EXPECT_EQ (blocks.process (256), kResultOk);
	EXPECT_EQ (blocks.output32 (0)[0], -3.0f);
	std::vector<std::uint8_t> state;
	ASSERT_EQ (running.instance->getState (state), kResultOk);
	float mix = 0.0f;
	std::memcpy (&mix, state.data () + 5, 4);
	EXPECT_EQ (mix, 0.25f);

	blocks.processData ().numOutputs = 1;
	blocks.processData ().numInputs = 0;
	EXPECT_EQ (blocks.process (256), kResultOk);
	EXPECT_EQ (blocks.output32 (0)[0], -3.0f);
	blocks.processData ().numInputs = 1;

	// A block longer than the host's own buffers never reaches the processor.
	EXPECT_EQ (blocks.process (257), kInvalidArgument);
	EXPECT_EQ (blocks.process (-1), kInvalidArgument);

	// Blocks of 0 samples are fine between ordinary ones.
	EXPECT_EQ (blocks.process (0), kResultOk);
	EXPECT_EQ (blocks.process (256), kResultOk);
	expectFinite (blocks, 256, "after empty blocks");
}
