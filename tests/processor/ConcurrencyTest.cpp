// Hosts call setState/getState on their own thread while process runs on the audio thread. Under
// ThreadSanitizer this shows that the settings and the carried gain are shared without a data race.

#include "tests/processor/TestProcessor.h"

#include "public.sdk/source/common/memorystream.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <thread>

using QuorvaneTest::ProcessorHolder;
using namespace Steinberg;

TEST (ProcessorConcurrency, StateCallsDuringProcessing)
{
	ProcessorHolder p;
	std::atomic<bool> done {false};
	std::atomic<bool> loading {false};

	std::thread audio ([&] {
		// Start only once state calls are under way, so the two really overlap.
		while (!loading)
			std::this_thread::yield ();
		double position = 0.0;
		for (int block = 0; block < 2000; ++block)
		{
			const auto g = p->gains<float> (128, position);
			for (float v : g)
				ASSERT_TRUE (std::isfinite (v));
			position += 128.0 / 24000.0;
		}
		done = true;
	});

	int loads = 0;
	while (!done)
	{
		loading = true;
		MemoryStream out;
		ASSERT_EQ (p->getState (&out), kResultOk);
		ASSERT_EQ (out.getSize (), 21);

		uint8 record[21] = {1};
		const float duration = (loads % 10) / 10.0f, mix = 0.5f, offset = 0.25f, noteSync = (loads % 9) / 8.0f;
		std::memcpy (record + 1, &duration, 4);
		std::memcpy (record + 5, &mix, 4);
		std::memcpy (record + 9, &offset, 4);
		std::memcpy (record + 13, &noteSync, 4);
		MemoryStream in;
		int32 written = 0;
		in.write (record, 21, &written);
		in.seek (0, IBStream::kIBSeekSet, nullptr);
		ASSERT_EQ (p->setState (&in), kResultOk);
		++loads;
	}
	audio.join ();
	EXPECT_GT (loads, 0);
	EXPECT_TRUE (std::isfinite (p->getCurrentGain ()));
}
