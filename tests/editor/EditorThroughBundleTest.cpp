// End to end on an X server: the bundle's own editor, made by its controller's createView and embedded in the
// host library's window, driven by synthetic pointer input. Each gesture reaches the host as begin, values and
// end, and the next block's processor holds the value; a host change of Note Sync repaints the spinner. What
// DAW users met: a project marked modified by opening or resizing the editor, and a Note Sync wheel stuck at the list's
// ends.
#include "host/HostTestSupport.h"
#include "x11/X11TestSupport.h"

#include "host/BlockProcessor.h"
#include "host/PluginInstance.h"
#include "host/PluginModule.h"
#include "plugin/ids.h"

#include <cstring>
#include <optional>
#include <vector>

using namespace Steinberg;
using QuorvaneHost::HandlerCall;

namespace
{

// The processor's stored record: version, Duration, Mix, Offset, Note Sync (floats), Bypass (int32).
float storedFloat (QuorvaneHost::PluginInstance& instance, size_t offset)
{
	std::vector<std::uint8_t> bytes;
	EXPECT_EQ (instance.getState (bytes), kResultOk);
	float value = -1.f;
	if (bytes.size () >= offset + 4)
		std::memcpy (&value, bytes.data () + offset, sizeof (value));
	return value;
}

int32 storedBypass (QuorvaneHost::PluginInstance& instance)
{
	std::vector<std::uint8_t> bytes;
	EXPECT_EQ (instance.getState (bytes), kResultOk);
	int32 value = -1;
	if (bytes.size () >= 21)
		std::memcpy (&value, bytes.data () + 17, sizeof (value));
	return value;
}

/** The edits of one gesture: begin, the performed values, end, all for `id`. */
std::vector<double> gestureValues (const std::vector<HandlerCall>& calls, Vst::ParamID id)
{
	std::vector<double> values;
	EXPECT_GE (calls.size (), 2u);
	if (calls.size () < 2)
		return values;
	EXPECT_EQ (calls.front ().kind, HandlerCall::kBeginEdit);
	EXPECT_EQ (calls.back ().kind, HandlerCall::kEndEdit);
	for (size_t i = 0; i < calls.size (); ++i)
	{
		EXPECT_EQ (calls[i].id, id) << i;
		if (i > 0 && i + 1 < calls.size ())
		{
			EXPECT_EQ (calls[i].kind, HandlerCall::kPerformEdit) << i;
			values.push_back (calls[i].value);
		}
	}
	return values;
}

uint64_t spinnerChecksum (QuorvaneHost::PlugViewHost& host)
{
	QuorvaneHost::WindowImage image;
	std::string error;
	EXPECT_TRUE (host.screenshot (image, error)) << error;
	uint64_t sum = 0;
	// The Note Sync spinner at the default size: (19.56, 19.56, 55.59, 46.58).
	for (int y = 20; y < 46 && y < image.height; ++y)
		for (int x = 20; x < 55 && x < image.width; ++x)
			sum = sum * 31 + image.at (x, y);
	return sum;
}

std::string hostText (QuorvaneHost::PluginInstance& instance, Vst::ParamID id, double value)
{
	Vst::String128 text{};
	EXPECT_EQ (instance.controller ()->getParamStringByValue (id, value, text), kResultOk);
	std::string ascii;
	for (const Vst::TChar* c = text; *c; ++c)
		ascii.push_back (static_cast<char> (*c));
	return ascii;
}

} // namespace

TEST (EditorThroughBundle, TheEditorsSizeNeverMarksTheProjectModified)
{
	QUORVANE_REQUIRE_DISPLAY ();
	std::string error;
	auto running = QuorvaneTest::startProcessor (QuorvaneTest::stereoSetup (512));
	ASSERT_TRUE (running.instance);
	auto& instance = running.instance;
	auto handler = instance->componentHandler ();
	handler->clearCalls ();

	// A new instance, no size stored: the host opens the editor at a width of its own, as Ardour does
	// (392 x 336), the user resizes it, closes it and opens it again.
	QuorvaneHost::PlugViewHost::Options hostSized;
	hostSized.size = std::pair{392, 336};
	for (const auto& options : {hostSized, QuorvaneHost::PlugViewHost::Options{}})
	{
		IPtr<IPlugView> view = owned (instance->controller ()->createView ("editor"));
		ASSERT_TRUE (view);
		auto host = QuorvaneHost::PlugViewHost::open (view, options, error);
		ASSERT_TRUE (host) << error;
		host->settle ();
		if (options.size)
		{
			EXPECT_EQ (host->resizeFromHost (520, 486), (std::pair{520, 486}));
			host->settle ();
		}
	}
	EXPECT_EQ (handler->count (HandlerCall::kSetDirty), 0u);
	std::vector<std::uint8_t> stored;
	ASSERT_EQ (instance->getControllerState (stored), kResultOk);
	EXPECT_EQ (stored, (std::vector<std::uint8_t>{1, 8, 2, 0, 0, 230, 1, 0, 0}));
	instance->tearDown ();

	// The project reloaded: the editor opens at the saved size, and the host is not told of it either.
	auto reloaded = QuorvaneTest::startProcessor (QuorvaneTest::stereoSetup (512));
	ASSERT_TRUE (reloaded.instance);
	ASSERT_EQ (reloaded.instance->setControllerState (stored), kResultOk);
	IPtr<IPlugView> view = owned (reloaded.instance->controller ()->createView ("editor"));
	ASSERT_TRUE (view);
	auto host = QuorvaneHost::PlugViewHost::open (view, {}, error);
	ASSERT_TRUE (host) << error;
	host->settle ();
	ViewRect opened;
	ASSERT_EQ (view->getSize (&opened), kResultOk);
	EXPECT_EQ (std::pair (opened.getWidth (), opened.getHeight ()), (std::pair{520, 486}));
	EXPECT_EQ (reloaded.instance->componentHandler ()->count (HandlerCall::kSetDirty), 0u);
	host.reset ();
	view = nullptr;
	reloaded.instance->tearDown ();
}

TEST (EditorThroughBundle, NoteSyncWheelLeavesBothEndsOfTheList)
{
	QUORVANE_REQUIRE_DISPLAY ();
	std::string error;
	auto running = QuorvaneTest::startProcessor (QuorvaneTest::stereoSetup (512));
	ASSERT_TRUE (running.blocks);
	auto& instance = running.instance;
	IPtr<IPlugView> view = owned (instance->controller ()->createView ("editor"));
	ASSERT_TRUE (view);
	auto host = QuorvaneHost::PlugViewHost::open (view, {}, error);
	ASSERT_TRUE (host) << error;
	QuorvaneTest::SyntheticInput input (*host);
	auto handler = instance->componentHandler ();

	struct Case
	{
		double from;
		int wheelButton; // X11: 4 turns up, 5 down
		double expected;
		const char* text;
	};
	for (const Case& c : {Case{0., 4, 0.125, "2/1"}, Case{1., 5, 0.875, "1/32"}})
	{
		ASSERT_EQ (instance->automateParameter (kNoteSyncId, c.from), kResultOk);
		ASSERT_EQ (running.blocks->process (64), kResultOk);
		host->settle ();
		handler->clearCalls ();
		input.click (37, 33, c.wheelButton);
		host->run (700);
		host->settle ();
		double performed = -1.;
		for (const auto& call : handler->calls ())
			if (call.kind == HandlerCall::kPerformEdit && call.id == kNoteSyncId)
				performed = call.value;
		EXPECT_EQ (performed, c.expected) << c.text;
		EXPECT_EQ (hostText (*instance, kNoteSyncId, performed), c.text);
		ASSERT_EQ (running.blocks->process (64), kResultOk);
		// The processor's record holds Note Sync as the normalized float it converts back from its exponent.
		EXPECT_EQ (storedFloat (*instance, 13), float (c.expected)) << c.text;
	}

	host.reset ();
	view = nullptr;
	instance->tearDown ();
}

TEST (EditorThroughBundle, GesturesReachHostAndProcessorAndAutomationRepaints)
{
	QUORVANE_REQUIRE_DISPLAY ();
	std::string error;
	auto running = QuorvaneTest::startProcessor (QuorvaneTest::stereoSetup (512));
	ASSERT_TRUE (running.blocks);
	auto& instance = running.instance;
	auto& blocks = *running.blocks;
	ASSERT_EQ (instance->automateParameter (kMixId, 0.5), kResultOk);
	ASSERT_EQ (instance->automateParameter (kDurationId, 0.2), kResultOk);
	ASSERT_EQ (blocks.process (64), kResultOk);

	IPtr<IPlugView> view = owned (instance->controller ()->createView ("editor"));
	ASSERT_TRUE (view);
	auto host = QuorvaneHost::PlugViewHost::open (view, {}, error);
	ASSERT_TRUE (host) << error;
	host->settle ();
	// The host asks the view which parameter lies under a point: each control's, none over the artwork.
	const std::vector<std::pair<std::pair<int, int>, std::optional<Vst::ParamID>>> finds = {
	    {{37, 33}, kNoteSyncId}, {{162, 33}, kMixId},       {{100, 141}, kDurationId}, {{36, 238}, kOffsetId},
	    {{100, 306}, kBypassId}, {{100, 10}, std::nullopt}, {{100, 60}, std::nullopt}};
	for (const auto& [point, expected] : finds)
		EXPECT_EQ (host->parameterAt (point.first, point.second), expected) << point.first << "," << point.second;
	QuorvaneTest::SyntheticInput input (*host);
	auto handler = instance->componentHandler ();

	// Drag the Mix knob (centre 162.4, 33.1) upwards: linear mode, the value rises.
	handler->clearCalls ();
	input.moveTo (162, 33);
	input.button (1, true);
	input.moveTo (162, 23);
	input.moveTo (162, 13);
	input.button (1, false);
	const auto mixValues = gestureValues (handler->calls (), kMixId);
	ASSERT_FALSE (mixValues.empty ());
	EXPECT_GT (mixValues.back (), 0.5);
	ASSERT_EQ (blocks.process (64), kResultOk);
	EXPECT_EQ (storedFloat (*instance, 5), float (mixValues.back ()));

	// Double-click Duration (centre 100, 141.4): the second click resets it to 0.5 as one gesture.
	input.click (100, 141);
	handler->clearCalls ();
	input.click (100, 141);
	EXPECT_EQ (gestureValues (handler->calls (), kDurationId), std::vector<double>{0.5});
	ASSERT_EQ (blocks.process (64), kResultOk);
	EXPECT_EQ (storedFloat (*instance, 1), 0.5f);

	// Toggle Bypass (plate centre 100, 306.3).
	handler->clearCalls ();
	input.click (100, 306);
	EXPECT_EQ (gestureValues (handler->calls (), kBypassId), std::vector<double>{1.});
	ASSERT_EQ (blocks.process (64), kResultOk);
	EXPECT_EQ (storedBypass (*instance), 1);

	// Right-click the Offset slider: the host's menu for Offset, popped up where the mouse is.
	handler->clearCalls ();
	input.click (100, 238, 3);
	bool askedForOffset = false;
	for (const auto& call : handler->calls ())
		askedForOffset |= call.kind == HandlerCall::kCreateContextMenu && call.hasParameter && call.id == kOffsetId;
	EXPECT_TRUE (askedForOffset);
	EXPECT_EQ (handler->count (HandlerCall::kContextMenuPopup), 1u);

	// Host automation of Note Sync: the spinner shows another frame once the loop has run.
	const uint64_t before = spinnerChecksum (*host);
	ASSERT_EQ (instance->automateParameter (kNoteSyncId, 0.75), kResultOk);
	host->run (50);
	EXPECT_NE (spinnerChecksum (*host), before);

	host.reset ();
	view = nullptr;
	instance->tearDown ();
}
