// The edit controller as a host meets it through the real bundle: created after the processor, connected,
// kept in line with the processor's stored state, its parameters and texts, edits on their way to the
// processor's next block, and the calls it makes on the host's component handler.

#include "tests/host/HostTestSupport.h"

#include "host/Utf16.h"
#include "plugin/ids.h"

#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstmessage.h"
#include "pluginterfaces/vst/ivstunits.h"

#include <array>
#include <cmath>
#include <cstring>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace QuorvaneHost;

namespace
{

/** The processor's settings as its stored record holds them (normalized floats, Bypass as int32). */
struct StoredSettings
{
	float duration{0}, mix{0}, offset{0}, noteSync{0};
	std::int32_t bypass{0};
};

StoredSettings readRecord (const std::vector<std::uint8_t>& bytes)
{
	StoredSettings settings;
	EXPECT_EQ (bytes.size (), 21u);
	if (bytes.size () < 21)
		return settings;
	std::memcpy (&settings.duration, &bytes[1], 4); // little-endian, as the test machine
	std::memcpy (&settings.mix, &bytes[5], 4);
	std::memcpy (&settings.offset, &bytes[9], 4);
	std::memcpy (&settings.noteSync, &bytes[13], 4);
	std::memcpy (&settings.bypass, &bytes[17], 4);
	return settings;
}

StoredSettings processorSettings (PluginInstance& instance)
{
	std::vector<std::uint8_t> bytes;
	EXPECT_EQ (instance.getState (bytes), kResultOk);
	return readRecord (bytes);
}

std::vector<HandlerCall::Kind> kinds (const std::vector<HandlerCall>& calls)
{
	std::vector<HandlerCall::Kind> result;
	for (const auto& call : calls)
		result.push_back (call.kind);
	return result;
}

} // namespace

TEST (ControllerThroughBundle, HostCreatesConnectsAndAlignsThePair)
{
	auto module = QuorvaneTest::loadModule ();
	ASSERT_TRUE (module);
	auto instance = QuorvaneTest::createPair (module);
	ASSERT_TRUE (instance);
	ASSERT_NE (instance->controller (), nullptr);
	ASSERT_NE (instance->componentHandler (), nullptr);

	// Both sides hold their peer: a second connection is refused by each.
	FUnknownPtr<IConnectionPoint> componentSide (instance->component ());
	FUnknownPtr<IConnectionPoint> controllerSide (instance->controller ());
	ASSERT_TRUE (componentSide && controllerSide);
	EXPECT_EQ (componentSide->connect (controllerSide), kResultFalse);
	EXPECT_EQ (controllerSide->connect (componentSide), kResultFalse);

	// The processor's record reached the controller: Note Sync stands at the processor's "1/4", not at the
	// "4/1" that a controller starts with on its own.
	EXPECT_EQ (instance->parameterNormalized (kBypassId), 0.0);
	EXPECT_EQ (instance->parameterNormalized (kDurationId), 0.5);
	EXPECT_EQ (instance->parameterNormalized (kMixId), 1.0);
	EXPECT_EQ (instance->parameterNormalized (kOffsetId), 0.5);
	EXPECT_EQ (instance->parameterNormalized (kNoteSyncId), 0.5);

	// Creating the pair reports nothing: no edit, and no dirty state until a controller state is loaded.
	EXPECT_TRUE (instance->componentHandler ()->calls ().empty ());

	// The controller's own record is empty until a size is stored.
	std::vector<std::uint8_t> controllerState{0xFF};
	EXPECT_EQ (instance->getControllerState (controllerState), kResultOk);
	EXPECT_TRUE (controllerState.empty ());
}

TEST (ControllerThroughBundle, HostSeesTheFiveParametersInOrder)
{
	auto module = QuorvaneTest::loadModule ();
	ASSERT_TRUE (module);
	auto instance = QuorvaneTest::createPair (module);
	ASSERT_TRUE (instance);

	struct Expected
	{
		ParamID id;
		const char* title;
		const char* shortTitle;
		const char* units;
		int32 stepCount;
		double defaultNormalized;
		int32 flags;
		std::array<const char*, 5> texts; // at 0, 0.25, 0.5, 0.75, 1
	};
	const Expected expected[] = {
	    {kBypassId,
	     "Bypass",
	     "",
	     "",
	     1,
	     0.0,
	     ParameterInfo::kCanAutomate | ParameterInfo::kIsBypass,
	     {"Off", "Off", "Off", "On", "On"}},
	    {kDurationId,
	     "Duration",
	     "",
	     "beats",
	     0,
	     0.5,
	     ParameterInfo::kCanAutomate,
	     {"0.00", "0.25", "0.50", "0.75", "1.00"}},
	    {kMixId, "Mix", "", "% wet", 0, 1.0, ParameterInfo::kCanAutomate, {"0", "25", "50", "75", "100"}},
	    {kOffsetId,
	     "Offset",
	     "",
	     "beats",
	     0,
	     0.5,
	     ParameterInfo::kCanAutomate,
	     {"-1.00", "-0.50", "0.00", "0.50", "1.00"}},
	    {kNoteSyncId,
	     "Note Sync",
	     "Sync",
	     "",
	     8,
	     0.5,
	     ParameterInfo::kCanAutomate | ParameterInfo::kIsList,
	     {"4/1", "1/1", "1/4", "1/16", "1/64"}},
	};
	const auto& parameters = instance->parameters ();
	ASSERT_EQ (parameters.size (), std::size (expected));
	ASSERT_EQ (instance->controller ()->getParameterCount (), 5);
	const double points[] = {0.0, 0.25, 0.5, 0.75, 1.0};
	for (size_t i = 0; i < parameters.size (); ++i)
	{
		const auto& parameter = parameters[i];
		const Expected& want = expected[i];
		SCOPED_TRACE (want.title);
		EXPECT_EQ (parameter.id, want.id);
		EXPECT_EQ (parameter.title, want.title);
		EXPECT_EQ (parameter.shortTitle, want.shortTitle);
		EXPECT_EQ (parameter.units, want.units);
		EXPECT_EQ (parameter.stepCount, want.stepCount);
		EXPECT_EQ (parameter.defaultNormalized, want.defaultNormalized);
		EXPECT_EQ (parameter.flags, want.flags);
		EXPECT_EQ (parameter.unitId, kRootUnitId);
		for (size_t p = 0; p < std::size (points); ++p)
		{
			std::string text;
			EXPECT_EQ (instance->parameterText (parameter.id, points[p], text), kResultOk);
			EXPECT_EQ (text, want.texts[p]) << "at " << points[p];
		}
	}
	EXPECT_EQ (parameterFlagsText (parameters[0].flags), "automatable, bypass");
	EXPECT_EQ (parameterFlagsText (parameters[4].flags), "automatable, list");
}

TEST (ControllerThroughBundle, TextsConvertBothWays)
{
	auto module = QuorvaneTest::loadModule ();
	ASSERT_TRUE (module);
	auto instance = QuorvaneTest::createPair (module);
	ASSERT_TRUE (instance);

	struct Case
	{
		ParamID id;
		const char* text;
		bool accepted;
		double normalized;
	};
	const Case cases[] = {
	    {kNoteSyncId, "1/4", true, 0.5},
	    {kNoteSyncId, "1/8", true, 0.625},
	    {kNoteSyncId, "4/1", true, 0.0},
	    {kNoteSyncId, "1/64", true, 1.0},
	    {kNoteSyncId, "1/3", false, 0},
	    {kNoteSyncId, "0.5", false, 0},
	    {kMixId, "50", true, 0.5},
	    {kMixId, "25 % wet", true, 0.25},
	    {kMixId, "loud", false, 0},
	    {kMixId, "150", true, 1.0}, // the controller keeps values within range
	    {kOffsetId, "-0.5", true, 0.25},
	    {kOffsetId, "1", true, 1.0},
	    {kDurationId, "0.25", true, 0.25},
	    {kBypassId, "1", true, 1.0},
	    {kBypassId, "0", true, 0.0},
	    {kBypassId, "On", false, 0}, // shown as "On", yet only numbers are read back
	    {1001, "1", false, 0},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE (std::to_string (c.id) + " '" + c.text + "'");
		ParamValue value = -1.0;
		const tresult result = instance->parameterValue (c.id, c.text, value);
		if (c.accepted)
		{
			EXPECT_EQ (result, kResultOk);
			EXPECT_DOUBLE_EQ (value, c.normalized);
		}
		else
		{
			EXPECT_EQ (result, kResultFalse);
			EXPECT_EQ (value, -1.0); // untouched
		}
	}
	std::string text;
	EXPECT_EQ (instance->parameterText (kMixId, 0.5, text), kResultOk);
	EXPECT_EQ (text, "50");
	EXPECT_EQ (instance->parameterText (1001, 0.5, text), kResultFalse);
}

TEST (ControllerThroughBundle, ProcessorStateSetsAllFiveInTheController)
{
	auto running = QuorvaneTest::startProcessor (QuorvaneTest::stereoSetup (64));
	ASSERT_TRUE (running.blocks);
	auto& instance = *running.instance;

	// Straight into the processor's queues, as host automation of a track would, bypassing the controller.
	running.blocks->addParameterChange (kBypassId, 1.0);
	running.blocks->addParameterChange (kDurationId, 0.25);
	running.blocks->addParameterChange (kMixId, 0.3);
	running.blocks->addParameterChange (kOffsetId, 0.75);
	running.blocks->addParameterChange (kNoteSyncId, 0.75);
	ASSERT_EQ (running.blocks->process (64), kResultOk);
	// The controller knows nothing of it yet.
	EXPECT_EQ (instance.parameterNormalized (kMixId), 1.0);

	ASSERT_EQ (instance.syncControllerToComponent (), kResultOk);
	EXPECT_EQ (instance.parameterNormalized (kBypassId), 1.0);
	EXPECT_EQ (instance.parameterNormalized (kDurationId), 0.25);
	EXPECT_EQ (instance.parameterNormalized (kMixId), static_cast<double> (0.3f)); // the record holds float32
	EXPECT_EQ (instance.parameterNormalized (kOffsetId), 0.75);
	EXPECT_EQ (instance.parameterNormalized (kNoteSyncId), 0.75); // "1/16"
	std::string text;
	instance.parameterText (kNoteSyncId, instance.parameterNormalized (kNoteSyncId), text);
	EXPECT_EQ (text, "1/16");
	// Handing over the processor's record is not an edit: nothing goes back to the processor.
	EXPECT_FALSE (instance.parameterEdits ().hasPending ());
	EXPECT_TRUE (instance.componentHandler ()->calls ().empty ());
}

TEST (ControllerThroughBundle, EditsReachTheProcessorInTheNextBlock)
{
	auto running = QuorvaneTest::startProcessor (QuorvaneTest::stereoSetup (64));
	ASSERT_TRUE (running.blocks);
	auto& instance = *running.instance;
	ComponentHandler* handler = instance.componentHandler ();
	ASSERT_NE (handler, nullptr);

	// A gesture, as the editor makes it through the controller: begin, two moves, end.
	EXPECT_EQ (handler->beginEdit (kMixId), kResultOk);
	EXPECT_EQ (handler->performEdit (kMixId, 0.5), kResultOk);
	EXPECT_EQ (handler->performEdit (kMixId, 0.25), kResultOk);
	EXPECT_EQ (handler->endEdit (kMixId), kResultOk);
	// Host automation of two more parameters.
	EXPECT_EQ (instance.automateParameter (kNoteSyncId, 0.625), kResultOk);
	EXPECT_EQ (instance.automateParameter (kBypassId, 1.0), kResultOk);
	EXPECT_EQ (instance.parameterNormalized (kNoteSyncId), 0.625);

	// Nothing has reached the processor before a block.
	StoredSettings before = processorSettings (instance);
	EXPECT_EQ (before.mix, 1.0f);
	EXPECT_EQ (before.noteSync, 0.5f);
	EXPECT_EQ (before.bypass, 0);

	ASSERT_EQ (running.blocks->process (64), kResultOk);
	StoredSettings after = processorSettings (instance);
	EXPECT_EQ (after.mix, 0.25f); // the last value of the gesture
	EXPECT_EQ (after.noteSync, 0.625f);
	EXPECT_EQ (after.bypass, 1);
	EXPECT_EQ (after.duration, 0.5f);
	EXPECT_FALSE (instance.parameterEdits ().hasPending ());

	// A value the processor changed by other means afterwards is not overwritten by a stale edit.
	running.blocks->addParameterChange (kMixId, 0.75);
	ASSERT_EQ (running.blocks->process (64), kResultOk);
	EXPECT_EQ (processorSettings (instance).mix, 0.75f);

	// Automation with a value the parameter clamps sends the clamped value, and a refused value sends nothing.
	EXPECT_EQ (instance.automateParameter (kMixId, 1.5), kResultOk);
	EXPECT_EQ (instance.automateParameter (kDurationId, std::nan ("")), kResultFalse);
	EXPECT_EQ (instance.automateParameter (1001, 0.5), kInvalidArgument);
	ASSERT_EQ (running.blocks->process (64), kResultOk);
	after = processorSettings (instance);
	EXPECT_EQ (after.mix, 1.0f);
	EXPECT_EQ (after.duration, 0.5f);

	// An edit of an undeclared parameter is refused by the host and recorded all the same.
	EXPECT_EQ (handler->performEdit (1001, 0.5), kInvalidArgument);

	const std::vector<HandlerCall::Kind> expected = {HandlerCall::kBeginEdit, HandlerCall::kPerformEdit,
	                                                 HandlerCall::kPerformEdit, HandlerCall::kEndEdit,
	                                                 HandlerCall::kPerformEdit};
	EXPECT_EQ (kinds (handler->calls ()), expected);
}

TEST (ControllerThroughBundle, ControllerStateIsStoredWithoutReportingDirty)
{
	auto module = QuorvaneTest::loadModule ();
	ASSERT_TRUE (module);
	auto instance = QuorvaneTest::createPair (module);
	ASSERT_TRUE (instance);
	ComponentHandler* handler = instance->componentHandler ();

	// Version 1, width 640, height 1075.
	const std::vector<std::uint8_t> record = {0x01, 0x80, 0x02, 0x00, 0x00, 0x33, 0x04, 0x00, 0x00};
	EXPECT_EQ (instance->setControllerState (record), kResultOk);
	std::vector<std::uint8_t> stored;
	EXPECT_EQ (instance->getControllerState (stored), kResultOk);
	EXPECT_EQ (stored, record);

	// A record of another version is accepted and ignored; a short one is refused.
	const std::vector<std::uint8_t> version2 = {0x02, 0x10, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00};
	EXPECT_EQ (instance->setControllerState (version2), kResultOk);
	EXPECT_EQ (instance->setControllerState ({0x01, 0x80, 0x02, 0x00, 0x00}), kResultFalse);
	EXPECT_EQ (instance->getControllerState (stored), kResultOk);
	EXPECT_EQ (stored, record);
	// The host loaded the size itself: nothing of it is reported back.
	EXPECT_TRUE (handler->calls ().empty ()) << describeHandlerCall (handler->calls ().front ());
}

TEST (ControllerThroughBundle, ControllerTakesBackWhatItSaved)
{
	auto module = QuorvaneTest::loadModule ();
	ASSERT_TRUE (module);
	auto instance = QuorvaneTest::createPair (module);
	ASSERT_TRUE (instance);
	ComponentHandler* handler = instance->componentHandler ();

	// A project saved before any editor size was stored: the host reloads the empty state it was given.
	std::vector<std::uint8_t> saved = {0xEE};
	ASSERT_EQ (instance->getControllerState (saved), kResultOk);
	ASSERT_TRUE (saved.empty ());
	EXPECT_EQ (instance->setControllerState (saved), kResultOk);
	EXPECT_EQ (handler->count (HandlerCall::kSetDirty), 0u);

	const std::vector<std::uint8_t> record = {0x01, 0x80, 0x02, 0x00, 0x00, 0x33, 0x04, 0x00, 0x00};
	ASSERT_EQ (instance->setControllerState (record), kResultOk);
	ASSERT_EQ (instance->getControllerState (saved), kResultOk);
	EXPECT_EQ (saved, record);
	EXPECT_EQ (instance->setControllerState (saved), kResultOk);
	for (std::size_t length = 1; length <= 8; ++length)
	{
		EXPECT_EQ (instance->setControllerState ({record.begin (), record.begin () + length}), kResultFalse)
		    << length << " bytes";
	}
	EXPECT_EQ (handler->count (HandlerCall::kSetDirty), 0u);
	ASSERT_EQ (instance->getControllerState (saved), kResultOk);
	EXPECT_EQ (saved, record);
}

TEST (ControllerThroughBundle, TeardownLeavesTheHandlerRecordingButDetached)
{
	auto module = QuorvaneTest::loadModule ();
	ASSERT_TRUE (module);
	auto instance = QuorvaneTest::createPair (module);
	ASSERT_TRUE (instance);
	IPtr<ComponentHandler> handler (instance->componentHandler ());
	instance->tearDown ();
	EXPECT_EQ (instance->controller (), nullptr);
	EXPECT_EQ (instance->component (), nullptr);
	// A plug-in that kept the handler past teardown can no longer reach the instance's edit slots.
	EXPECT_EQ (handler->performEdit (kMixId, 0.5), kResultFalse);
	EXPECT_EQ (handler->count (HandlerCall::kPerformEdit), 1u);
	// Teardown twice is harmless (the destructor does it again).
	instance->tearDown ();
}
