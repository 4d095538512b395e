// The stored settings record: its bytes, what a refused record leaves alone, and round trips.

#include "tests/processor/TestProcessor.h"

#include "public.sdk/source/common/memorystream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using QuorvaneTest::ProcessorHolder;
using QuorvaneTest::floatAt;
using QuorvaneTest::stateBytes;
using QuorvaneTest::TestProcessor;
using namespace Steinberg;

namespace {


tresult loadBytes (TestProcessor& processor, const std::vector<uint8>& bytes)
{
	MemoryStream stream;
	int32 written = 0;
	stream.write (const_cast<uint8*> (bytes.data ()), static_cast<int32> (bytes.size ()), &written);
	stream.seek (0, IBStream::kIBSeekSet, nullptr);
	return processor.setState (&stream);
}

std::vector<uint8> record (int8 version, float duration, float mix, float offset, float noteSync, int32 bypass)
{
	std::vector<uint8> bytes (21);
	bytes[0] = static_cast<uint8> (version);
	std::memcpy (&bytes[1], &duration, 4);
	std::memcpy (&bytes[5], &mix, 4);
	std::memcpy (&bytes[9], &offset, 4);
	std::memcpy (&bytes[13], &noteSync, 4);
	std::memcpy (&bytes[17], &bypass, 4);
	return bytes;
}



TEST (ProcessorState, RefusedRecordsChangeNothing)
{
	ProcessorHolder p;
	ASSERT_EQ (loadBytes (*p, record (1, 0.25f, 0.5f, 0.75f, 0.125f, 1)), kResultOk);
	const auto before = stateBytes (*p);

	EXPECT_EQ (loadBytes (*p, record (2, 0.9f, 0.9f, 0.9f, 0.9f, 0)), kResultFalse);
	auto cut = record (1, 0.9f, 0.9f, 0.9f, 0.9f, 0);
	for (size_t size : {20u, 17u, 5u, 1u, 0u})
	{
		cut.resize (size);
		EXPECT_EQ (loadBytes (*p, cut), kResultFalse) << size << " bytes";
	}
	EXPECT_EQ (p->setState (nullptr), kResultFalse);
	EXPECT_EQ (p->getState (nullptr), kResultFalse);
	EXPECT_EQ (stateBytes (*p), before);
}

TEST (ProcessorState, UnclampedFieldsAsStored)
{
	ProcessorHolder p;
	// Only a positive Bypass value means on.
	ASSERT_EQ (loadBytes (*p, record (1, 0.5f, 1.0f, 0.5f, 0.5f, -1)), kResultOk);
	EXPECT_EQ (stateBytes (*p)[17], 0);
	ASSERT_EQ (loadBytes (*p, record (1, 0.5f, 1.0f, 0.5f, 0.5f, 7)), kResultOk);
	EXPECT_EQ (stateBytes (*p)[17], 1);

	// Note Sync above 1 gives "1/64"; -0.125 truncates to one step below "4/1".
	ASSERT_EQ (loadBytes (*p, record (1, 0.5f, 1.0f, 0.5f, 1.5f, 0)), kResultOk);
	EXPECT_EQ (floatAt (stateBytes (*p), 13), 1.0f);
	ASSERT_EQ (loadBytes (*p, record (1, 0.5f, 1.0f, 0.5f, -0.125f, 0)), kResultOk);
	EXPECT_EQ (floatAt (stateBytes (*p), 13), -0.125f);

	// Out-of-range Duration and Mix are kept as they are.
	ASSERT_EQ (loadBytes (*p, record (1, 1.5f, 2.0f, 0.5f, 0.5f, 0)), kResultOk);
	const auto bytes = stateBytes (*p);
	EXPECT_EQ (floatAt (bytes, 1), 1.5f);
	EXPECT_EQ (floatAt (bytes, 5), 2.0f);
}

TEST (ProcessorState, LongerStreamsAreAccepted)
{
	ProcessorHolder p;
	auto bytes = record (1, 0.2f, 0.3f, 0.5f, 0.75f, 0);
	bytes.insert (bytes.end (), {0xDE, 0xAD, 0xBE, 0xEF});
	EXPECT_EQ (loadBytes (*p, bytes), kResultOk);
	EXPECT_EQ (floatAt (stateBytes (*p), 1), 0.2f);
}

TEST (ProcessorState, RoundTrips)
{
	for (float offsetPlain : {-1.0f, -0.5f, -0.25f, 0.0f, 0.25f, 0.5f, 1.0f, 0.3f, -0.77f, 0.999f})
		for (int32 noteSync = -4; noteSync <= 4; ++noteSync)
		{
			ProcessorHolder a;
			TestProcessor::Settings s;
			s.duration = 0.37f;
			s.mix = 0.61f;
			s.offset = offsetPlain;
			s.noteSync = noteSync;
			s.bypass = (noteSync & 1) != 0;
			a->apply (s);
			const auto bytes = stateBytes (*a);

			ProcessorHolder b;
			ASSERT_EQ (loadBytes (*b, bytes), kResultOk);
			const auto again = stateBytes (*b);
			EXPECT_EQ (floatAt (again, 1), 0.37f);
			EXPECT_EQ (floatAt (again, 5), 0.61f);
			EXPECT_EQ (floatAt (again, 13), floatAt (bytes, 13)) << "note sync " << noteSync;
			EXPECT_EQ (again[17], bytes[17]);

			// Offset comes back within one float rounding; the quarter steps exactly.
			TestProcessor::Settings restored;
			const float normalized = floatAt (again, 9);
			const float plain = normalized + normalized - 1.0f;
			if (offsetPlain == 0.0f || std::abs (offsetPlain) == 0.25f || std::abs (offsetPlain) == 0.5f ||
			    std::abs (offsetPlain) == 1.0f)
				EXPECT_EQ (plain, offsetPlain);
			else
				EXPECT_NEAR (plain, offsetPlain, 6e-8f);
		}
}

} // namespace
