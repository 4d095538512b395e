// The test view embedded in a host window on a real X server (Xvfb in CI): what it paints, the input that reaches
// its control, resizing through the plug frame, timers through the host's run loop with and without descriptor
// events, tooltips, and repeated opening and closing.

#include "X11TestSupport.h"

#include <xkbcommon/xkbcommon-keysyms.h>

#include <algorithm>
#include <dirent.h>
#include <memory>
#include <xcb/xcb.h>

using namespace Steinberg;
using namespace QuorvaneTest;
using QuorvaneHost::PlugViewHost;
using QuorvaneHost::WindowImage;

namespace
{

constexpr uint32_t red = 0xff0000, green = 0x00ff00, blue = 0x0000ff, yellow = 0xffff00;

struct Probe
{
	int x, y;
	uint32_t colour;
};

void expectPixels (const WindowImage& image, std::initializer_list<Probe> probes)
{
	for (const Probe& probe : probes)
	{
		ASSERT_TRUE (probe.x < image.width && probe.y < image.height) << probe.x << "," << probe.y;
		EXPECT_EQ (image.at (probe.x, probe.y), probe.colour) << "at " << probe.x << "," << probe.y;
	}
}

size_t openDescriptors ()
{
	size_t count = 0;
	if (DIR* folder = opendir ("/proc/self/fd"))
	{
		while (readdir (folder))
			++count;
		closedir (folder);
	}
	return count;
}

/** The _XEMBED_INFO property of the host window's one child, the editor's window. */
std::vector<uint32_t> embedInfoOfChild (PlugViewHost& host)
{
	xcb_connection_t* xcb = host.window ().connection ();
	std::unique_ptr<xcb_query_tree_reply_t, decltype (&free)> tree (
	    xcb_query_tree_reply (xcb, xcb_query_tree (xcb, host.window ().windowId ()), nullptr), &free);
	if (!tree || xcb_query_tree_children_length (tree.get ()) != 1)
		return {};
	std::unique_ptr<xcb_intern_atom_reply_t, decltype (&free)> atom (
	    xcb_intern_atom_reply (xcb, xcb_intern_atom (xcb, 1, 12, "_XEMBED_INFO"), nullptr), &free);
	if (!atom)
		return {};
	std::unique_ptr<xcb_get_property_reply_t, decltype (&free)> property (
	    xcb_get_property_reply (
	        xcb, xcb_get_property (xcb, 0, xcb_query_tree_children (tree.get ())[0], atom->atom, atom->atom, 0, 2),
	        nullptr),
	    &free);
	if (!property || property->format != 32)
		return {};
	const auto* values = static_cast<const uint32_t*> (xcb_get_property_value (property.get ()));
	return std::vector<uint32_t> (values, values + xcb_get_property_value_length (property.get ()) / 4);
}

PlugViewHost::Options hostDelivering (bool descriptorEvents)
{
	PlugViewHost::Options options;
	options.deliverDescriptorEvents = descriptorEvents;
	return options;
}

} // namespace

TEST (X11View, PaintsItsLayoutAndRunsItsTimersWithAndWithoutDescriptorEvents)
{
	QUORVANE_REQUIRE_DISPLAY ();
	for (const bool deliver : {true, false})
	{
		SCOPED_TRACE (deliver ? "host delivers descriptor events" : "host never delivers descriptor events");
		auto shown = showTestView (200, 120, hostDelivering (deliver));
		ASSERT_TRUE (shown.host);
		const WindowImage image = screenshot (*shown.host);
		ASSERT_EQ (image.width, 200);
		ASSERT_EQ (image.height, 120);
		expectPixels (
		    image,
		    {{0, 0, red}, {99, 119, red}, {100, 0, blue}, {199, 59, blue}, {100, 60, yellow}, {199, 119, yellow}});
		EXPECT_EQ (embedInfoOfChild (*shown.host), (std::vector<uint32_t>{0, 1})); // version 0, mapped

		const int ticksBefore = shown.view->timerTicks ();
		shown.host->run (200);
		// A 10 ms timer in 200 ms: well above 5 however loaded the machine is, and 0 if timers never ran.
		EXPECT_GT (shown.view->timerTicks () - ticksBefore, 5);
		EXPECT_EQ (shown.host->runLoop ().descriptorEventsDelivered () > 0, deliver);
	}
}

TEST (X11View, PointerWheelAndKeysReachTheControlAsEditGestures)
{
	QUORVANE_REQUIRE_DISPLAY ();
	for (const bool deliver : {true, false})
	{
		SCOPED_TRACE (deliver ? "host delivers descriptor events" : "host never delivers descriptor events");
		auto shown = showTestView (200, 120, hostDelivering (deliver));
		ASSERT_TRUE (shown.host);
		screenshot (*shown.host);
		SyntheticInput input (*shown.host);

		// A drag on the level bar (x 100..199): press at its middle, move and release at three quarters.
		input.moveTo (150, 30);
		input.button (1, true);
		input.moveTo (175, 30);
		input.button (1, false);
		EXPECT_EQ (shown.calls (),
		           (std::vector<std::string>{"beginEdit 42", "performEdit 42 0.5", "performEdit 42 0.75",
		                                     "performEdit 42 0.75", "endEdit 42"}));
		expectPixels (screenshot (*shown.host), {{100, 30, green}, {174, 30, green}, {175, 30, blue}});

		// The wheel (button 5 turns down, 7 right, 6 left) and keys: each step is a complete gesture.
		shown.handler->clearCalls ();
		input.button (5, true);
		input.button (5, false);
		input.key (XKB_KEY_Right);
		input.button (7, true);
		input.button (7, false);
		input.button (6, true);
		input.button (6, false);
		EXPECT_EQ (shown.calls (), (std::vector<std::string>{"beginEdit 42", "performEdit 42 0.5", "endEdit 42",
		                                                     "beginEdit 42", "performEdit 42 0.625", "endEdit 42",
		                                                     "beginEdit 42", "performEdit 42 0.875", "endEdit 42",
		                                                     "beginEdit 42", "performEdit 42 0.625", "endEdit 42"}));

		// Two quick clicks make a double click, which resets the bar.
		shown.handler->clearCalls ();
		input.click (120, 30);
		input.click (120, 30);
		const auto calls = shown.calls ();
		ASSERT_FALSE (calls.empty ());
		EXPECT_EQ (calls.back (), "endEdit 42");
		EXPECT_EQ (calls[calls.size () - 2], "performEdit 42 0");
		expectPixels (screenshot (*shown.host), {{100, 30, blue}, {150, 30, blue}});
	}
}

TEST (X11View, ResizingThroughThePlugFrameRelaysTheViewOut)
{
	QUORVANE_REQUIRE_DISPLAY ();
	for (const bool repeatOnSize : {false, true})
	{
		SCOPED_TRACE (repeatOnSize ? "host repeats onSize" : "one onSize");
		PlugViewHost::Options options;
		options.repeatOnSize = repeatOnSize;
		auto shown = showTestView (200, 120, options);
		ASSERT_TRUE (shown.host);
		const int sizeCallsBefore = shown.view->onSizeCalls ();

		// The view asks, twice before the host's loop runs: the window follows, the view lays itself out anew,
		// and the window's late notices of the first size change nothing.
		EXPECT_EQ (shown.view->requestSize (250, 100), kResultTrue);
		EXPECT_EQ (shown.view->requestSize (300, 160), kResultTrue);
		shown.host->settle ();
		EXPECT_EQ (shown.view->onSizeCalls () - sizeCallsBefore, repeatOnSize ? 4 : 2);
		const WindowImage bigger = screenshot (*shown.host);
		ASSERT_EQ (bigger.width, 300);
		ASSERT_EQ (bigger.height, 160);
		expectPixels (bigger,
		              {{149, 159, red}, {150, 0, blue}, {299, 79, blue}, {150, 80, yellow}, {299, 159, yellow}});

		// Below the view's minimum: refused, nothing changes.
		EXPECT_EQ (shown.view->requestSize (20, 20), kResultFalse);
		EXPECT_EQ (shown.host->window ().width (), 300);

		// The host resizes (a user dragging the border): the view's constraint lifts the width to its minimum.
		EXPECT_EQ (shown.host->resizeFromHost (10, 90), (std::pair<int, int>{40, 90}));
		const WindowImage smaller = screenshot (*shown.host);
		ASSERT_EQ (smaller.width, 40);
		expectPixels (smaller, {{19, 89, red}, {20, 0, blue}, {39, 44, blue}, {20, 45, yellow}});
	}
}

TEST (X11View, OpeningAndClosingAHundredTimesLeavesNothingBehind)
{
	QUORVANE_REQUIRE_DISPLAY ();
	// One round first: libraries set themselves up once (keymaps, cursor themes) and keep that.
	showTestView (80, 60).host->run (20);
	const size_t descriptors = openDescriptors ();
	for (int round = 0; round < 100; ++round)
	{
		auto shown = showTestView (80, 60);
		ASSERT_TRUE (shown.host);
		shown.host->run (5);
		auto& loop = shown.host->runLoop ();
		loop.addRef ();
		shown.host.reset (); // removed: the view gives back every handler and timer it registered
		EXPECT_EQ (loop.eventHandlerCount (), 0u);
		EXPECT_EQ (loop.timerCount (), 0u);
		loop.release ();
	}
	EXPECT_EQ (openDescriptors (), descriptors);
}

namespace
{

/** The tooltip window: the one mapped override-redirect window on the screen; 0 when there is none. */
uint32_t findTooltipWindow (xcb_connection_t* xcb)
{
	const xcb_window_t root = xcb_setup_roots_iterator (xcb_get_setup (xcb)).data->root;
	std::unique_ptr<xcb_query_tree_reply_t, decltype (&free)> tree (
	    xcb_query_tree_reply (xcb, xcb_query_tree (xcb, root), nullptr), &free);
	if (!tree)
		return 0;
	const xcb_window_t* children = xcb_query_tree_children (tree.get ());
	for (int i = 0; i < xcb_query_tree_children_length (tree.get ()); ++i)
	{
		std::unique_ptr<xcb_get_window_attributes_reply_t, decltype (&free)> attributes (
		    xcb_get_window_attributes_reply (xcb, xcb_get_window_attributes (xcb, children[i]), nullptr), &free);
		if (attributes && attributes->override_redirect && attributes->map_state == XCB_MAP_STATE_VIEWABLE)
			return children[i];
	}
	return 0;
}

} // namespace

TEST (X11View, TooltipAppearsAfterTheFramesDelayAndGoesOnAClick)
{
	QUORVANE_REQUIRE_DISPLAY ();
	auto shown = showTestView (200, 120);
	ASSERT_TRUE (shown.host);
	screenshot (*shown.host);
	xcb_connection_t* xcb = shown.host->window ().connection ();
	SyntheticInput input (*shown.host);
	input.moveTo (150, 90); // over the yellow view, which has the tooltip
	EXPECT_EQ (findTooltipWindow (xcb), 0u) << "shown before its delay";
	shown.host->run (static_cast<int> (kTooltipDelayMs) + 200);
	const uint32_t tooltip = findTooltipWindow (xcb);
	ASSERT_NE (tooltip, 0u);
	WindowImage image;
	std::string error;
	ASSERT_TRUE (QuorvaneHost::captureWindow (xcb, tooltip, image, error)) << error;
	EXPECT_GT (image.width, 10);
	EXPECT_EQ (image.at (2, 2), 0xffffe0u); // its pale yellow background, inside the border
	const auto dark =
	    std::count_if (image.pixels.begin (), image.pixels.end (),
	                   [] (uint32_t pixel) { return (pixel & 0xff) < 0x40 && ((pixel >> 8) & 0xff) < 0x40; });
	EXPECT_GT (dark, 10) << "no text drawn";

	input.click (50, 60);
	EXPECT_EQ (findTooltipWindow (xcb), 0u);
}
