// Real-time safety of a block as the host runs it: no heap allocation, no free and no lock between the
// host's call of process and its return, in any of the ways a host drives the processor, the edit
// controller present and its edits on their way.

#include "tests/host/AllocationCounter.h"
#include "tests/host/HostTestSupport.h"

#include "host/FactoryDescription.h"
#include "plugin/ids.h"

#include <cstring>
#include <functional>
#include <mutex>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

QuorvaneTest::RealTimeCounts countDuring (const std::function<void ()>& work)
{
	QuorvaneTest::armRealTimeCounters ();
	work ();
	return QuorvaneTest::disarmRealTimeCounters ();
}

} // namespace

TEST (RealTimeSafetyThroughBundle, CountersSeeAllocationsAndLocksInBinaryAndModule)
{
	// Without this a count of zero below would prove nothing.
	static std::vector<int>* volatile escaped = nullptr; // keeps the compiler from merging new and delete
	auto counts = countDuring (
	    []
	    {
		    escaped = new std::vector<int> (100, 1);
		    delete escaped;
	    });
	EXPECT_GE (counts.allocations, 2);
	EXPECT_GE (counts.frees, 2);

	std::mutex mutex;
	counts = countDuring (
	    [&mutex]
	    {
		    mutex.lock ();
		    mutex.unlock ();
	    });
	EXPECT_GE (counts.locks, 1);

	// The module's own allocations go through the same functions.
	auto module = QuorvaneTest::loadModule ();
	ASSERT_TRUE (module);
	QuorvaneHost::FactoryDescription description;
	ASSERT_TRUE (QuorvaneHost::describeFactory (module->factory (), description));
	ASSERT_FALSE (description.classes.empty ());
	FUnknown* object = nullptr;
	counts = countDuring (
	    [&]
	    {
		    module->factory ()->createInstance (description.classes[0].cid.toTUID (), FUnknown::iid,
		                                        reinterpret_cast<void**> (&object));
	    });
	ASSERT_NE (object, nullptr);
	EXPECT_GE (counts.allocations, 1);
	object->release ();
}

TEST (RealTimeSafetyThroughBundle, ProcessAllocatesNothingAndTakesNoLock)
{
	struct Case
	{
		const char* name;
		bool use64, inPlace, context, playing, changes;
		bool controllerEdits = false;
	};
	const Case cases[] = {
	    {"32-bit", false, false, true, true, false},
	    {"32-bit in place", false, true, true, true, false},
	    {"64-bit", true, false, true, true, false},
	    {"64-bit in place", true, true, true, true, false},
	    {"no context", false, false, false, true, false},
	    {"stopped", false, false, true, false, false},
	    {"parameter changes", false, false, true, true, true},
	    {"parameter changes 64-bit", true, false, true, true, true},
	    {"controller edits", false, false, true, true, false, true},
	    {"controller edits and queue changes", true, true, true, true, true, true},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE (c.name);
		auto running = QuorvaneTest::startProcessor (QuorvaneTest::stereoSetup (512, c.use64, c.inPlace));
		ASSERT_TRUE (running.blocks);
		auto& blocks = *running.blocks;
		blocks.setSendContext (c.context);
		blocks.transport ().setPlaying (c.playing);

		QuorvaneTest::RealTimeCounts total;
		// Enough blocks to cross several cycles, segment changes and glides; odd sizes split the vector runs.
		for (int block = 0; block < 200; ++block)
		{
			if (c.changes)
			{
				blocks.addParameterChange (kMixId, (block % 10) / 10.0, 0);
				blocks.addParameterChange (kMixId, (block % 7) / 7.0, 100);
				blocks.addParameterChange (kNoteSyncId, (block % 9) / 8.0);
				blocks.addParameterChange (kDurationId, (block % 5) / 4.0);
				blocks.addParameterChange (kOffsetId, (block % 3) / 2.0);
				blocks.addParameterChange (kBypassId, block % 13 == 0 ? 1.0 : 0.0);
				blocks.addParameterChange (1001, 0.5);
			}
			if (c.controllerEdits)
			{
				// On the user-interface side, outside the counted block: a gesture and host automation, as a
				// host delivers them while the controller exists.
				auto* handler = running.instance->componentHandler ();
				ASSERT_NE (handler, nullptr);
				handler->beginEdit (kMixId);
				handler->performEdit (kMixId, (block % 11) / 10.0);
				handler->performEdit (kMixId, (block % 6) / 5.0);
				handler->endEdit (kMixId);
				ASSERT_EQ (running.instance->automateParameter (kNoteSyncId, (block % 9) / 8.0), kResultOk);
				ASSERT_EQ (running.instance->automateParameter (kDurationId, (block % 4) / 3.0), kResultOk);
				ASSERT_EQ (running.instance->automateParameter (kOffsetId, (block % 5) / 4.0), kResultOk);
				ASSERT_EQ (running.instance->automateParameter (kBypassId, block % 17 == 0 ? 1.0 : 0.0), kResultOk);
				ASSERT_TRUE (running.instance->parameterEdits ().hasPending ());
			}
			QuorvaneTest::fillInputs (blocks, 0.5);
			const int32 numSamples = block % 4 == 3 ? 509 : 512;
			tresult result = kResultFalse;
			const auto counts = countDuring ([&] { result = blocks.process (numSamples); });
			ASSERT_EQ (result, kResultOk);
			// The block took every edit.
			ASSERT_FALSE (running.instance->parameterEdits ().hasPending ());
			total.allocations += counts.allocations;
			total.frees += counts.frees;
			total.locks += counts.locks;
		}
		EXPECT_EQ (total.allocations, 0);
		EXPECT_EQ (total.frees, 0);
		EXPECT_EQ (total.locks, 0);
		if (c.controllerEdits && !c.changes)
		{
			// And the edits did arrive: the last block's values are the processor's.
			std::vector<std::uint8_t> state;
			ASSERT_EQ (running.instance->getState (state), kResultOk);
			float mix = 0.f;
			std::memcpy (&mix, &state[5], 4);
			EXPECT_EQ (mix, static_cast<float> ((199 % 6) / 5.0));
		}
	}
}
