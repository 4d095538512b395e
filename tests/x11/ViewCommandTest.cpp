// `quorvane view` run as a user runs it: the screenshot of the module's editor (or, while the module has none,
// the message saying so), the window that prints the edits until it is closed, the private X server it starts
// without a display, and bad command lines.

#include "X11TestSupport.h"

#include "host/PluginInstance.h"
#include "tests/host/HostTestSupport.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <xcb/xcb.h>

namespace
{

struct ViewRun
{
	int status{-1};
	std::string output;
};

/** Runs the tool with `environment` prefixed (e.g. "env -u DISPLAY"), stdout and stderr together. */
ViewRun runView (const std::string& arguments, const std::string& environment = "")
{
	const std::string log = std::string (QUORVANE_TEST_VIEW_PNG) + ".log";
	const std::string command = environment + " '" + QUORVANE_CLI_PATH + "' view --bundle '" + QUORVANE_MODULE_PATH +
	                            "' " + arguments + " > '" + log + "' 2>&1";
	ViewRun run;
	const int status = std::system (command.c_str ());
	run.status = WIFEXITED (status) ? WEXITSTATUS (status) : -1;
	std::ifstream in (log);
	run.output.assign (std::istreambuf_iterator<char> (in), std::istreambuf_iterator<char> ());
	return run;
}

/** The size of the module's editor view as created, or nothing when the controller creates none. */
std::optional<std::pair<int, int>> editorSize ()
{
	auto module = QuorvaneTest::loadModule ();
	if (!module)
		return std::nullopt;
	auto instance = QuorvaneTest::createPair (module);
	if (!instance || !instance->controller ())
		return std::nullopt;
	Steinberg::IPtr<Steinberg::IPlugView> view =
	    Steinberg::owned (instance->controller ()->createView (Steinberg::Vst::ViewType::kEditor));
	if (!view)
		return std::nullopt;
	Steinberg::ViewRect size;
	view->getSize (&size);
	return std::make_pair (size.getWidth (), size.getHeight ());
}

} // namespace

TEST (X11ViewCommand, ScreenshotOfTheEditorOrWhyThereIsNone)
{
	QUORVANE_REQUIRE_DISPLAY ();
	const auto size = editorSize ();
	if (!size)
	{
		const ViewRun run = runView ("--png '" + std::string (QUORVANE_TEST_VIEW_PNG) + ".none.png'");
		EXPECT_EQ (run.status, 1) << run.output;
		EXPECT_NE (run.output.find ("the module has no editor"), std::string::npos) << run.output;
		return;
	}
	// The window at its default size, at display scale 2, and widened by the user: the design (200 x 336 view
	// units) sits in `box`, letterboxed on black where the window's proportions differ.
	const struct
	{
		const char* name;
		const char* options;
		int width, height;
		double left, top, scale;
	} cases[] = {{"200x336", "", 200, 336, 0., 0., 1.},
	             {"400x672", "--scale 2", 400, 672, 0., 0., 2.},
	             {"400x336", "--size 400x336", 400, 336, 100., 0., 1.}};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.name);
		const std::string png = std::string (QUORVANE_TEST_VIEW_PNG) + ".editor-" + c.name + ".png";
		std::remove (png.c_str ());
		const ViewRun run = runView (std::string (c.options) + " --png '" + png + "'");
		ASSERT_EQ (run.status, 0) << run.output;
		const QuorvaneHost::WindowImage image = QuorvaneTest::readPng (png);
		ASSERT_EQ (image.width, c.width);
		ASSERT_EQ (image.height, c.height);
		const auto at = [&] (double x, double y)
		{ return image.at (static_cast<int> (c.left + x * c.scale), static_cast<int> (c.top + y * c.scale)); };
		const auto isRed = [] (uint32_t rgb)
		{
			const uint32_t red = rgb >> 16 & 0xFF, green = rgb >> 8 & 0xFF, blue = rgb & 0xFF;
			return red > 180 && red > 2 * green && red > 2 * blue;
		};
		// Plain black panel between the control frame and the Bypass plate.
		EXPECT_EQ (at (100, 283.5), 0x000000u);
		// The Bypass plate's lamp is lit (Bypass off), and the Duration bead's red ring sits at the top (0.5).
		EXPECT_TRUE (isRed (at (177.9, 307.1))) << std::hex << at (177.9, 307.1);
		EXPECT_EQ (at (96, 99), 0xdf2410u) << std::hex << at (96, 99);
		// The panel's golden-tan rim at its left edge, half way down.
		EXPECT_EQ (at (3.4, 168), 0xdfb26cu) << std::hex << at (3.4, 168);
		if (c.left > 0)
		{
			EXPECT_EQ (image.at (50, 168), 0x000000u);
			EXPECT_EQ (image.at (350, 168), 0x000000u);
		}
	}
}

namespace
{

/** The mapped top-level window titled `title`, waited for up to five seconds; 0 if none shows. */
xcb_window_t waitForWindow (xcb_connection_t* xcb, const std::string& title)
{
	const xcb_window_t root = xcb_setup_roots_iterator (xcb_get_setup (xcb)).data->root;
	for (int attempt = 0; attempt < 400; ++attempt)
	{
		std::unique_ptr<xcb_query_tree_reply_t, decltype (&free)> tree (
		    xcb_query_tree_reply (xcb, xcb_query_tree (xcb, root), nullptr), &free);
		for (int i = 0; tree && i < xcb_query_tree_children_length (tree.get ()); ++i)
		{
			const xcb_window_t window = xcb_query_tree_children (tree.get ())[i];
			std::unique_ptr<xcb_get_property_reply_t, decltype (&free)> name (
			    xcb_get_property_reply (
			        xcb, xcb_get_property (xcb, 0, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 0, 64), nullptr),
			    &free);
			std::unique_ptr<xcb_get_window_attributes_reply_t, decltype (&free)> attributes (
			    xcb_get_window_attributes_reply (xcb, xcb_get_window_attributes (xcb, window), nullptr), &free);
			if (name && attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE &&
			    std::string (static_cast<const char*> (xcb_get_property_value (name.get ())),
			                 static_cast<size_t> (xcb_get_property_value_length (name.get ()))) == title)
				return window;
		}
		std::this_thread::sleep_for (std::chrono::milliseconds (50));
	}
	return 0;
}

/** What a window manager sends when the user closes a window. */
void requestClose (xcb_connection_t* xcb, xcb_window_t window)
{
	auto atom = [xcb] (const char* name)
	{
		std::unique_ptr<xcb_intern_atom_reply_t, decltype (&free)> reply (
		    xcb_intern_atom_reply (xcb, xcb_intern_atom (xcb, 0, static_cast<uint16_t> (std::strlen (name)), name),
		                           nullptr),
		    &free);
		return reply ? reply->atom : xcb_atom_t (XCB_ATOM_NONE);
	};
	xcb_client_message_event_t message{};
	message.response_type = XCB_CLIENT_MESSAGE;
	message.format = 32;
	message.window = window;
	message.type = atom ("WM_PROTOCOLS");
	message.data.data32[0] = atom ("WM_DELETE_WINDOW");
	xcb_send_event (xcb, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*> (&message));
	xcb_flush (xcb);
}

} // namespace

TEST (X11ViewCommand, WindowPrintsTheEditsItReceivesUntilItIsClosed)
{
	QUORVANE_REQUIRE_DISPLAY ();
	ASSERT_TRUE (editorSize ()) << "the module has no editor to show";
	const std::string log = std::string (QUORVANE_TEST_VIEW_PNG) + ".window.log";
	const pid_t child = fork ();
	if (child == 0)
	{
		freopen (log.c_str (), "w", stdout);
		dup2 (fileno (stdout), STDERR_FILENO);
		execl (QUORVANE_CLI_PATH, "quorvane", "view", "--bundle", QUORVANE_MODULE_PATH, static_cast<char*> (nullptr));
		_exit (127);
	}
	ASSERT_GT (child, 0);
	xcb_connection_t* xcb = xcb_connect (nullptr, nullptr);
	const xcb_window_t window = waitForWindow (xcb, "Quorvane");
	EXPECT_NE (window, 0u) << "no window titled Quorvane";
	// A slow machine (sanitizers, two cores) may take seconds where a desktop takes milliseconds: wait for what
	// the command says rather than for a fixed time.
	const auto waitForOutput = [&log] (const char* text)
	{
		for (int attempt = 0; attempt < 400; ++attempt)
		{
			std::ifstream in (log);
			const std::string output ((std::istreambuf_iterator<char> (in)), std::istreambuf_iterator<char> ());
			if (output.find (text) != std::string::npos)
				return true;
			std::this_thread::sleep_for (std::chrono::milliseconds (50));
		}
		return false;
	};
	if (window && waitForOutput ("Editor open"))
	{
		QuorvaneTest::SyntheticInput input (xcb, window,
		                                    [] { std::this_thread::sleep_for (std::chrono::milliseconds (100)); });
		// The Duration knob sits in the middle of the editor at its default size: a right click asks for its
		// parameter's menu there, a drag upwards edits it.
		input.click (100, 150, 3);
		input.moveTo (100, 150);
		input.button (1, true);
		input.moveTo (100, 120);
		input.button (1, false);
		waitForOutput ("endEdit 1000");
	}
	if (window)
		requestClose (xcb, window);
	int status = -1;
	for (int attempt = 0; attempt < 400 && waitpid (child, &status, WNOHANG) == 0; ++attempt)
		std::this_thread::sleep_for (std::chrono::milliseconds (50));
	if (!WIFEXITED (status))
	{
		kill (child, SIGKILL);
		waitpid (child, &status, 0);
		ADD_FAILURE () << "quorvane view did not end when its window was closed";
	}
	else
		EXPECT_EQ (WEXITSTATUS (status), 0);
	xcb_disconnect (xcb);

	std::ifstream in (log);
	const std::string output ((std::istreambuf_iterator<char> (in)), std::istreambuf_iterator<char> ());
	for (const char* line : {"pointer over parameter 1000 (Duration)\n", "createContextMenu 1000\n",
	                         "contextMenuPopup at 100,150 with 0 items\n",
	                         "beginEdit 1000\n", "performEdit 1000 ", "endEdit 1000\n"})
		EXPECT_NE (output.find (line), std::string::npos) << "missing: " << line << "\n" << output;
	EXPECT_LT (output.find ("createContextMenu 1000"), output.find ("beginEdit 1000")) << output;
}

TEST (X11ViewCommand, QuirkyHostsGetTheSamePictureOfTheEditor)
{
	QUORVANE_REQUIRE_DISPLAY ();
	const auto size = editorSize ();
	ASSERT_TRUE (size) << "the module has no editor to show";
	// Scaled, so that the editor's own size request meets the repeated onSize.
	const std::string plain = std::string (QUORVANE_TEST_VIEW_PNG) + ".plain.png";
	const std::string quirky = std::string (QUORVANE_TEST_VIEW_PNG) + ".quirky.png";
	ASSERT_EQ (runView ("--scale 1.5 --png '" + plain + "'").status, 0);
	const ViewRun run = runView ("--scale 1.5 --quirk no-fd-events --quirk repeat-onsize --png '" + quirky + "'");
	ASSERT_EQ (run.status, 0) << run.output;
	const QuorvaneHost::WindowImage expected = QuorvaneTest::readPng (plain);
	const QuorvaneHost::WindowImage got = QuorvaneTest::readPng (quirky);
	EXPECT_EQ (expected.width, static_cast<int> (size->first * 1.5));
	EXPECT_EQ (expected.height, static_cast<int> (size->second * 1.5));
	EXPECT_EQ (got.width, expected.width);
	EXPECT_EQ (got.height, expected.height);
	EXPECT_TRUE (got.pixels == expected.pixels);
}

TEST (X11ViewCommand, WithoutADisplayStartsAPrivateXServerOnlyForAScreenshot)
{
	const ViewRun window = runView ("", "env -u DISPLAY");
	EXPECT_EQ (window.status, 1);
	EXPECT_NE (window.output.find ("no X display ($DISPLAY is not set): the window needs a desktop"), std::string::npos)
	    << window.output;

	const std::string png = std::string (QUORVANE_TEST_VIEW_PNG) + ".private.png";
	const ViewRun shot = runView ("--png '" + png + "'", "env -u DISPLAY");
	EXPECT_NE (shot.output.find ("using a private Xvfb on :"), std::string::npos) << shot.output;
}

TEST (X11ViewCommand, RefusesBadSizesScalesAndSettings)
{
	for (const char* arguments : {"--size 0x100", "--size 200", "--size 20.5x30", "--scale 9", "--scale x",
	                              "--quirk slow", "extra", "--set Mix", "--set Nope=1", "--set Mix=500"})
	{
		const ViewRun run = runView (arguments);
		EXPECT_EQ (run.status, 2) << arguments << "\n" << run.output;
	}
}
