// Subnormal numbers flushed to zero while process() runs, and the host's floating-point control/status word
// (MXCSR) handed back exactly, whichever way process() returns.

#include "processor/ScopedSubnormalFlush.h"
#include "tests/processor/TestProcessor.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <type_traits>

#if defined(__x86_64__) || defined(_M_X64)

#include <xmmintrin.h>

using QuorvaneTest::HostBlock;
using QuorvaneTest::ProcessorHolder;
using namespace Steinberg;

namespace {

// MXCSR at power-up: every exception masked, round to nearest, no flag raised, subnormals kept.
constexpr unsigned int kPowerUp = 0x1F80;
constexpr unsigned int kFlushToZero = 0x8000;
constexpr unsigned int kDenormalsAreZero = 0x0040;

// Words a host may run with. None unmasks an exception that processing the blocks below can raise (it would
// trap); processing raises the precision flag, so a word without it shows whether raised flags are undone.
struct CallerWord
{
	const char* name;
	unsigned int word;
};
constexpr CallerWord kCallerWords[] = {
    {"power-up", kPowerUp},
    {"round toward zero", kPowerUp | 0x6000},
    {"round up", kPowerUp | 0x4000},
    {"overflow exception unmasked", kPowerUp & ~0x0400u},
    {"invalid and divide-by-zero flags raised", kPowerUp | 0x0005},
    {"flushing already", kPowerUp | kFlushToZero | kDenormalsAreZero},
    {"flush-to-zero alone, precision flag raised", kPowerUp | kFlushToZero | 0x0020},
};

// Each test leaves the thread's word as it found it, even when an assertion ends it early.
class SubnormalFlush : public ::testing::Test
{
protected:
	void TearDown () override { _mm_setcsr (wordBefore); }

private:
	unsigned int wordBefore = _mm_getcsr ();
};

TEST_F (SubnormalFlush, GuardSetsBothModesAndGivesTheWordBack)
{
	for (const CallerWord& caller : kCallerWords)
	{
		SCOPED_TRACE (caller.name);
		_mm_setcsr (caller.word);
		unsigned int inside = 0;
		{
			const ScopedSubnormalFlush flush;
			inside = _mm_getcsr ();
			// A flag raised inside the scope must not survive it.
			volatile float tiny = std::numeric_limits<float>::min ();
			tiny = tiny / 3.0f;
		}
		const unsigned int after = _mm_getcsr ();
		_mm_setcsr (kPowerUp);
		EXPECT_EQ (inside, caller.word | kFlushToZero | kDenormalsAreZero);
		EXPECT_EQ (after, caller.word);
	}
}

TEST_F (SubnormalFlush, ProcessGivesTheWordBackOnEveryWayOut)
{
	struct WayOut
	{
		const char* name;
		int32 sampleSize;
		int32 numOutputs;
		tresult result;
		bool writesOutput;
	};
	constexpr WayOut kWaysOut[] = {
	    {"32-bit block", Vst::kSample32, 1, kResultOk, true},
	    {"64-bit block", Vst::kSample64, 1, kResultOk, true},
	    {"unsupported sample size", 2, 1, kResultFalse, false},
	    {"no output bus", Vst::kSample32, 0, kResultOk, false},
	};
	for (const WayOut& way : kWaysOut)
		for (const CallerWord& caller : kCallerWords)
		{
			SCOPED_TRACE (std::string (way.name) + ", " + caller.name);
			ProcessorHolder p;
			p->setGain (0.7f);
			HostBlock<float> block32 (40);
			HostBlock<double> block64 (40);
			Vst::ProcessData& data = way.sampleSize == Vst::kSample64 ? block64.data : block32.data;
			data.symbolicSampleSize = way.sampleSize;
			data.numOutputs = way.numOutputs;
			_mm_setcsr (caller.word);
			const tresult result = p->process (data);
			const unsigned int after = _mm_getcsr ();
			_mm_setcsr (kPowerUp);
			EXPECT_EQ (result, way.result);
			EXPECT_EQ (block32.output[0][0] != -9.0f || block64.output[0][0] != -9.0, way.writesOutput);
			EXPECT_EQ (after, caller.word);
		}
}

template <typename S>
auto bitsOf (S value)
{
	return std::bit_cast<std::conditional_t<sizeof (S) == 4, uint32_t, uint64_t>> (value);
}

// Through process(), against the same block over an input of 1 (each output sample its gain, between 0.95
// and 0.99875 here): a product that would be subnormal is exactly zero of the input's sign, any other is
// exactly the product.
template <typename S>
void checkQuietInputs ()
{
	using Limits = std::numeric_limits<S>;
	struct Case
	{
		S input;
		bool flushed;
	};
	const Case cases[] = {
	    {Limits::denorm_min (), true},   {Limits::min () / 2, true}, {-Limits::min () / 2, true},
	    {Limits::min (), true},          {-Limits::min (), true},    {Limits::min () * 4, false},
	    {-Limits::min () * 1024, false}, {S (1) / 3, false},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE (testing::Message () << (sizeof (S) * 8) << "-bit input " << c.input);
		// Starting at gain 1 without a transport, the block glides down from its first sample. 37 samples
		// cover the 32-bit eight-sample lanes and the tail after them.
		HostBlock<S> unity (37);
		HostBlock<S> quiet (37, 2, 2, c.input);
		for (HostBlock<S>* block : {&unity, &quiet})
		{
			ProcessorHolder p;
			p->setGain (1.0f);
			ASSERT_EQ (p->process (block->data), kResultOk);
		}
		for (size_t ch = 0; ch < 2; ++ch)
			for (size_t i = 0; i < 37; ++i)
			{
				const S gain = unity.output[ch][i];
				const S expected = c.flushed ? std::copysign (S (0), c.input) : c.input * gain;
				ASSERT_EQ (bitsOf (quiet.output[ch][i]), bitsOf (expected)) << "channel " << ch << ", sample " << i;
			}
	}
}

TEST_F (SubnormalFlush, SubnormalProductsComeOutAsExactZeros)
{
	checkQuietInputs<float> ();
	checkQuietInputs<double> ();
}

} // namespace

#endif
