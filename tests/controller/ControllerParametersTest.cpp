// The five parameters: what initialize declares, how values turn into text and back, and refused input.

#include "ControllerTestSupport.h"

#include "plugin/ids.h"

#include <cmath>
#include <limits>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

struct ExpectedParameter
{
	ParamID id;
	std::u16string title, shortTitle, units;
	int32 stepCount;
	ParamValue defaultValue;
	int32 flags;
};

const ExpectedParameter expectedParameters[] = {
    {kBypassId, u"Bypass", u"", u"", 1, 0., ParameterInfo::kCanAutomate | ParameterInfo::kIsBypass},
    {kDurationId, u"Duration", u"", u"beats", 0, 0.5, ParameterInfo::kCanAutomate},
    {kMixId, u"Mix", u"", u"% wet", 0, 1.0, ParameterInfo::kCanAutomate},
    {kOffsetId, u"Offset", u"", u"beats", 0, 0.5, ParameterInfo::kCanAutomate},
    {kNoteSyncId, u"Note Sync", u"Sync", u"", 8, 0.5, ParameterInfo::kCanAutomate | ParameterInfo::kIsList},
};

} // namespace

TEST_F (InitializedController, ValuesRightAfterInitialize)
{
	EXPECT_EQ (controller->getParamNormalized (kBypassId), 0.);
	EXPECT_EQ (controller->getParamNormalized (kDurationId), 0.5);
	EXPECT_EQ (controller->getParamNormalized (kMixId), 1.0);
	EXPECT_EQ (controller->getParamNormalized (kOffsetId), 0.5);
	// Note Sync starts on "1/4", as the processor does, for hosts that never hand the processor's state over.
	EXPECT_EQ (controller->getParamNormalized (kNoteSyncId), 0.5);
	EXPECT_EQ (textOf (*controller, kNoteSyncId, controller->getParamNormalized (kNoteSyncId)), u"1/4");
	ParameterInfo info{};
	ASSERT_EQ (controller->getParameterInfoByTag (kNoteSyncId, info), kResultOk);
	EXPECT_EQ (info.defaultNormalizedValue, 0.5);
	EXPECT_EQ (info.stepCount, 8);
}


TEST_F (InitializedController, TextOfEachKindOfValue)
{
	EXPECT_EQ (textOf (*controller, kMixId, 0.5), u"50");
	EXPECT_EQ (textOf (*controller, kMixId, 1.0), u"100");
	EXPECT_EQ (textOf (*controller, kMixId, 0.), u"0");
	EXPECT_EQ (textOf (*controller, kDurationId, 0.5), u"0.50");
	EXPECT_EQ (textOf (*controller, kDurationId, 0.25), u"0.25");
	EXPECT_EQ (textOf (*controller, kOffsetId, 0.5), u"0.00");
	EXPECT_EQ (textOf (*controller, kOffsetId, 0.25), u"-0.50");
	EXPECT_EQ (textOf (*controller, kOffsetId, 1.0), u"1.00");
	EXPECT_EQ (textOf (*controller, kBypassId, 1.0), u"On");
	EXPECT_EQ (textOf (*controller, kBypassId, 0.), u"Off");
}

TEST_F (InitializedController, NoteSyncTextFollowsTheListIndexRule)
{
	const std::u16string entries[] = {u"4/1", u"2/1", u"1/1", u"1/2", u"1/4", u"1/8", u"1/16", u"1/32", u"1/64"};
	for (int index = 0; index < 9; ++index)
		EXPECT_EQ (textOf (*controller, kNoteSyncId, index / 8.), entries[index]) << "index " << index;
	// index = min(8, trunc(9 v)): the boundaries sit at multiples of 1/9, not of 1/8.
	EXPECT_EQ (textOf (*controller, kNoteSyncId, 0.11), u"4/1");
	EXPECT_EQ (textOf (*controller, kNoteSyncId, 0.12), u"2/1");
	EXPECT_EQ (textOf (*controller, kNoteSyncId, 0.999), u"1/64");
}


TEST_F (InitializedController, RefusedTextsLeaveTheAnswerAlone)
{
	for (const std::u16string text : {u"1/3", u"", u"1/4 ", u"quarter", u"0.5"})
	{
		ParamValue value = 0.75;
		EXPECT_EQ (valueOf (*controller, kNoteSyncId, text, value), kResultFalse);
		EXPECT_EQ (value, 0.75);
	}
	ParamValue value = 0.75;
	EXPECT_EQ (valueOf (*controller, kMixId, u"loud", value), kResultFalse);
	EXPECT_EQ (valueOf (*controller, 999, u"1", value), kResultFalse);
	EXPECT_EQ (controller->getParamValueByString (kMixId, nullptr, value), kResultFalse);
	EXPECT_EQ (value, 0.75);
	// The number parsers read "nan"; no value outside 0..1 and no NaN reaches a host.
	EXPECT_EQ (valueOf (*controller, kMixId, u"nan", value), kResultFalse);
	EXPECT_EQ (valueOf (*controller, kBypassId, u"nan", value), kResultFalse);
	EXPECT_EQ (value, 0.75);
	EXPECT_EQ (valueOf (*controller, kBypassId, u"2", value), kResultOk);
	EXPECT_EQ (value, 1.);
	EXPECT_EQ (valueOf (*controller, kBypassId, u"-3", value), kResultOk);
	EXPECT_EQ (value, 0.);
}

TEST_F (InitializedController, ValuesOutsideTheRangeShowTheNearestEnd)
{
	// A negative value used to index the Note Sync list before its first entry.
	EXPECT_EQ (textOf (*controller, kNoteSyncId, -0.5), u"4/1");
	EXPECT_EQ (textOf (*controller, kNoteSyncId, 1.5), u"1/64");
	EXPECT_EQ (textOf (*controller, kNoteSyncId, -std::numeric_limits<double>::infinity ()), u"4/1");
	EXPECT_EQ (textOf (*controller, kMixId, 2.), u"100");
	EXPECT_EQ (textOf (*controller, kNoteSyncId, std::numeric_limits<double>::quiet_NaN ()), u"<refused>");
	EXPECT_EQ (textOf (*controller, 999, 0.5), u"<refused>");
	EXPECT_EQ (controller->getParamStringByValue (kMixId, 0.5, nullptr), kResultFalse);
}

TEST_F (InitializedController, SetValuesAreClampedAndNaNIsRefused)
{
	EXPECT_EQ (controller->setParamNormalized (kDurationId, 0.25), kResultOk);
	EXPECT_EQ (controller->getParamNormalized (kDurationId), 0.25);
	EXPECT_EQ (controller->setParamNormalized (kMixId, 0.25), kResultOk);
	EXPECT_EQ (controller->setParamNormalized (kMixId, 1.5), kResultOk);
	EXPECT_EQ (controller->getParamNormalized (kMixId), 1.);
	EXPECT_EQ (controller->setParamNormalized (kOffsetId, -0.5), kResultOk);
	EXPECT_EQ (controller->getParamNormalized (kOffsetId), 0.);
	EXPECT_EQ (controller->setParamNormalized (kDurationId, std::numeric_limits<double>::quiet_NaN ()), kResultFalse);
	EXPECT_EQ (controller->getParamNormalized (kDurationId), 0.25);
	EXPECT_EQ (controller->setParamNormalized (999, 0.5), kResultFalse);
	EXPECT_EQ (controller->getParameterCount (), 5);
}

TEST (ControllerInitialize, SetsLinearKnobModeEveryTime)
{
	auto controller = newController ();
	controller->setKnobMode (kCircularMode);
	ASSERT_EQ (controller->initialize (nullptr), kResultOk);
	EXPECT_EQ (EditController::getHostKnobMode (), kLinearMode);
	controller->setKnobMode (kRelativCircularMode);
	EXPECT_EQ (controller->initialize (nullptr), kResultFalse); // already initialized
	EXPECT_EQ (EditController::getHostKnobMode (), kLinearMode);
	controller->terminate ();
}

TEST (ControllerInitialize, SecondInitializeIsRefusedAndDeclaresNothingTwice)
{
	// Any object serves as the host context: the base only remembers whether it has one.
	auto host = owned (new FObject);
	auto withContext = newController ();
	ASSERT_EQ (withContext->initialize (host), kResultOk);
	withContext->setParamNormalized (kMixId, 0.25);
	EXPECT_EQ (withContext->initialize (host), kResultFalse);
	EXPECT_EQ (withContext->getParameterCount (), 5);
	EXPECT_EQ (withContext->getParamNormalized (kMixId), 0.25);
	withContext->terminate ();

	// Without a host context the base would accept a second initialize.
	auto withoutContext = newController ();
	ASSERT_EQ (withoutContext->initialize (nullptr), kResultOk);
	EXPECT_EQ (withoutContext->initialize (nullptr), kResultFalse);
	EXPECT_EQ (withoutContext->initialize (host), kResultFalse);
	EXPECT_EQ (withoutContext->getParameterCount (), 5);
	withoutContext->terminate ();
}

TEST (ControllerInitialize, TerminateEmptiesTheParametersAndInitializeDeclaresThemAnew)
{
	auto controller = newController ();
	EXPECT_EQ (controller->getParameterCount (), 0);
	EXPECT_EQ (controller->setParamNormalized (kMixId, 0.5), kResultFalse);
	ASSERT_EQ (controller->initialize (nullptr), kResultOk);
	controller->setParamNormalized (kMixId, 0.25);
	EXPECT_EQ (controller->terminate (), kResultOk);
	EXPECT_EQ (controller->getParameterCount (), 0);
	EXPECT_EQ (controller->getParameterObject (kMixId), nullptr);
	ASSERT_EQ (controller->initialize (nullptr), kResultOk);
	EXPECT_EQ (controller->getParameterCount (), 5);
	EXPECT_EQ (controller->getParamNormalized (kMixId), 1.);
	EXPECT_EQ (controller->getParamNormalized (kNoteSyncId), 0.5);
	controller->terminate ();
}
