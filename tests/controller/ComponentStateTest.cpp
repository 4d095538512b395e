// The processor's stored record as the controller follows it: each field applied as soon as it is read.

#include "ControllerTestSupport.h"
#include "StateBytes.h"

#include "plugin/ids.h"

#include <limits>
#include <vector>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

/** Remembers the order in which values arrive through the controller's own interface. */
class RecordingController : public DuckerController
{
public:
	std::vector<ParamID> applied;

	tresult PLUGIN_API setParamNormalized (ParamID tag, ParamValue value) override
	{
		applied.push_back (tag);
		return DuckerController::setParamNormalized (tag, value);
	}
};

struct Values
{
	ParamValue bypass, duration, mix, offset, noteSync;
	bool operator== (const Values&) const = default;
};

void PrintTo (const Values& v, std::ostream* os)
{
	*os << "{bypass " << v.bypass << ", duration " << v.duration << ", mix " << v.mix << ", offset " << v.offset
	    << ", noteSync " << v.noteSync << "}";
}

Values valuesOf (DuckerController& controller)
{
	return {controller.getParamNormalized (kBypassId), controller.getParamNormalized (kDurationId),
	        controller.getParamNormalized (kMixId), controller.getParamNormalized (kOffsetId),
	        controller.getParamNormalized (kNoteSyncId)};
}

const Values initialValues{0., 0.5, 1., 0.5, 0.5};

tresult load (DuckerController& controller, Bytes bytes)
{
	auto stream = streamOver (bytes);
	return controller.setComponentState (&stream);
}

// Duration 0.25, Mix 0.75, Offset -0.75 (stored 0.125), Note Sync "1/8" (5 / 8), Bypass on.
const Bytes fullRecord = processorRecord (1, 0.25f, 0.75f, 0.125f, 0.625f, 1);
const Values fullRecordValues{1., 0.25, 0.75, 0.125, 0.625};

Bytes cutAfter (std::size_t length)
{
	return Bytes (fullRecord.begin (), fullRecord.begin () + length);
}

} // namespace

TEST_F (InitializedController, WholeRecordSetsAllFive)
{
	EXPECT_EQ (load (*controller, fullRecord), kResultOk);
	EXPECT_EQ (valuesOf (*controller), fullRecordValues);
	EXPECT_EQ (textOf (*controller, kNoteSyncId, controller->getParamNormalized (kNoteSyncId)), u"1/8");
	EXPECT_EQ (textOf (*controller, kOffsetId, controller->getParamNormalized (kOffsetId)), u"-0.75");
}

TEST_F (InitializedController, ProcessorDefaultsBringNoteSyncToQuarterNotes)
{
	// The bytes a processor with default settings writes.
	EXPECT_EQ (load (*controller, {0x01, 0x00, 0x00, 0x00, 0x3F, 0x00, 0x00, 0x80, 0x3F, 0x00, 0x00,
	                               0x00, 0x3F, 0x00, 0x00, 0x00, 0x3F, 0x00, 0x00, 0x00, 0x00}),
	           kResultOk);
	EXPECT_EQ (valuesOf (*controller), (Values{0., 0.5, 1., 0.5, 0.5}));
	EXPECT_EQ (textOf (*controller, kNoteSyncId, controller->getParamNormalized (kNoteSyncId)), u"1/4");
}

TEST (ComponentState, ValuesArriveInRecordOrderThroughTheInterface)
{
	auto controller = owned (new RecordingController);
	ASSERT_EQ (controller->initialize (nullptr), kResultOk);
	EXPECT_EQ (load (*controller, fullRecord), kResultOk);
	EXPECT_EQ (controller->applied, (std::vector<ParamID>{kDurationId, kMixId, kOffsetId, kNoteSyncId, kBypassId}));

	controller->applied.clear ();
	EXPECT_EQ (load (*controller, cutAfter (13)), kResultFalse);
	EXPECT_EQ (controller->applied, (std::vector<ParamID>{kDurationId, kMixId, kOffsetId}));
	controller->terminate ();
}

TEST_F (InitializedController, RefusedRecordsChangeNothing)
{
	EXPECT_EQ (load (*controller, processorRecord (2, 0.25f, 0.75f, 0.125f, 0.625f, 1)), kResultFalse);
	EXPECT_EQ (load (*controller, processorRecord (0, 0.25f, 0.75f, 0.125f, 0.625f, 1)), kResultFalse);
	EXPECT_EQ (load (*controller, processorRecord (-1, 0.25f, 0.75f, 0.125f, 0.625f, 1)), kResultFalse);
	EXPECT_EQ (load (*controller, {}), kResultFalse);
	EXPECT_EQ (load (*controller, cutAfter (1)), kResultFalse);
	EXPECT_EQ (controller->setComponentState (nullptr), kResultFalse);
	EXPECT_EQ (valuesOf (*controller), initialValues);
}

TEST_F (InitializedController, ShortRecordsKeepWhatWasReadBeforeTheCut)
{
	struct Case
	{
		std::size_t length;
		Values expected;
	};
	const Case cases[] = {
	    {5, {0., 0.25, 1., 0.5, 0.5}},        // after Duration
	    {7, {0., 0.25, 1., 0.5, 0.5}},        // inside Mix
	    {9, {0., 0.25, 0.75, 0.5, 0.5}},      // after Mix
	    {17, {0., 0.25, 0.75, 0.125, 0.625}}, // after Note Sync: Bypass keeps its value
	    {20, {0., 0.25, 0.75, 0.125, 0.625}}, // inside Bypass
	};
	for (const auto& c : cases)
	{
		auto fresh = newController ();
		ASSERT_EQ (fresh->initialize (nullptr), kResultOk);
		EXPECT_EQ (load (*fresh, cutAfter (c.length)), kResultFalse) << c.length << " bytes";
		EXPECT_EQ (valuesOf (*fresh), c.expected) << c.length << " bytes";
		fresh->terminate ();
	}
}

TEST_F (InitializedController, AnyNonZeroBypassTurnsBypassOn)
{
	// The processor's reader counts only values above 0 as on; the controller counts every value but 0.
	EXPECT_EQ (load (*controller, processorRecord (1, 0.5f, 1.f, 0.5f, 0.5f, -1)), kResultOk);
	EXPECT_EQ (controller->getParamNormalized (kBypassId), 1.);
	EXPECT_EQ (load (*controller, processorRecord (1, 0.5f, 1.f, 0.5f, 0.5f, 0)), kResultOk);
	EXPECT_EQ (controller->getParamNormalized (kBypassId), 0.);
	EXPECT_EQ (load (*controller, processorRecord (1, 0.5f, 1.f, 0.5f, 0.5f, 2)), kResultOk);
	EXPECT_EQ (controller->getParamNormalized (kBypassId), 1.);
	EXPECT_EQ (load (*controller, processorRecord (1, 0.5f, 1.f, 0.5f, 0.5f, std::numeric_limits<int32>::min ())),
	           kResultOk);
	EXPECT_EQ (controller->getParamNormalized (kBypassId), 1.);
}

TEST_F (InitializedController, OutOfRangeFieldsAreClampedByTheParameters)
{
	EXPECT_EQ (load (*controller, processorRecord (1, -0.5f, 1.5f, 7.f, 1.5f, 0)), kResultOk);
	EXPECT_EQ (valuesOf (*controller), (Values{0., 0., 1., 1., 1.}));
	EXPECT_EQ (textOf (*controller, kMixId, controller->getParamNormalized (kMixId)), u"100");
}

TEST_F (InitializedController, NaNFieldKeepsItsParameterAndTheRestApplies)
{
	const float nan = std::numeric_limits<float>::quiet_NaN ();
	EXPECT_EQ (load (*controller, processorRecord (1, nan, 0.75f, nan, 0.625f, 1)), kResultOk);
	EXPECT_EQ (valuesOf (*controller), (Values{1., 0.5, 0.75, 0.5, 0.625}));
}

TEST_F (InitializedController, BytesAfterTheRecordAreNotRead)
{
	Bytes longer = fullRecord;
	longer.insert (longer.end (), {0xAA, 0xBB, 0xCC});
	auto stream = streamOver (longer);
	EXPECT_EQ (controller->setComponentState (&stream), kResultOk);
	int64 position = -1;
	stream.tell (&position);
	EXPECT_EQ (position, 21);
	EXPECT_EQ (valuesOf (*controller), fullRecordValues);
}

TEST (ComponentState, BeforeInitializeReadsTheRecordAndChangesNothing)
{
	auto controller = newController ();
	EXPECT_EQ (load (*controller, fullRecord), kResultOk);
	EXPECT_EQ (load (*controller, cutAfter (9)), kResultFalse);
	EXPECT_EQ (controller->getParameterCount (), 0);
	ASSERT_EQ (controller->initialize (nullptr), kResultOk);
	EXPECT_EQ (valuesOf (*controller), initialValues);
	controller->terminate ();
}
