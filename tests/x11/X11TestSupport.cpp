#include "X11TestSupport.h"

#include "vstgui/lib/vstguiinit.h"

#include <cairo.h>
#include <cstdlib>
#include <fontconfig/fontconfig.h>
#include <memory>
#include <xcb/xcb.h>
#include <xcb/xtest.h>
#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

namespace QuorvaneTest
{

using namespace Steinberg;

namespace
{

struct FreeDeleter
{
	void operator() (void* pointer) const { std::free (pointer); }
};

// At the end of the run the libraries' caches go too (cairo's fonts, fontconfig's configuration, which the
// tooltip loads), so that what the leak checker finds is ours.
class ReleaseLibraryCaches : public testing::Environment
{
public:
	void TearDown () override
	{
		cairo_debug_reset_static_data ();
		FcFini ();
	}
};
[[maybe_unused]] testing::Environment* const releaseLibraryCaches =
    testing::AddGlobalTestEnvironment (new ReleaseLibraryCaches);

void startGuiLibraryOnce ()
{
	static const bool started = []
	{
		VSTGUI::init (nullptr);
		return true;
	}();
	(void)started;
}

} // namespace

bool mayRunWithoutDisplay ()
{
	const char* allow = std::getenv ("QUORVANE_ALLOW_NO_DISPLAY");
	return allow && std::string (allow) == "1";
}

std::string displayProblem ()
{
	const char* display = std::getenv ("DISPLAY");
	if (!display || !*display)
		return "these tests need an X display and DISPLAY is not set";
	// Held for the whole run: an X server that loses its last client resets itself, and a test that
	// connects during the reset would be refused.
	static xcb_connection_t* const keepServerUp = xcb_connect (nullptr, nullptr);
	if (xcb_connection_has_error (keepServerUp))
		return std::string ("cannot connect to the X display '") + display + "'";
	startGuiLibraryOnce ();
	return {};
}

std::vector<std::string> ShownTestView::calls () const
{
	std::vector<std::string> lines;
	for (const auto& call : handler->calls ())
		lines.push_back (QuorvaneHost::describeHandlerCall (call));
	return lines;
}

ShownTestView showTestView (int width, int height, const QuorvaneHost::PlugViewHost::Options& options)
{
	ShownTestView shown;
	shown.handler = Steinberg::owned (new QuorvaneHost::ComponentHandler (nullptr));
	shown.view = Steinberg::owned (new TestEditorView (width, height, shown.handler));
	std::string error;
	shown.host = QuorvaneHost::PlugViewHost::open (shown.view, options, error);
	EXPECT_TRUE (shown.host) << error;
	return shown;
}

QuorvaneHost::WindowImage readPng (const std::string& path)
{
	QuorvaneHost::WindowImage image;
	cairo_surface_t* png = cairo_image_surface_create_from_png (path.c_str ());
	if (cairo_surface_status (png) == CAIRO_STATUS_SUCCESS)
	{
		image.width = cairo_image_surface_get_width (png);
		image.height = cairo_image_surface_get_height (png);
		const unsigned char* data = cairo_image_surface_get_data (png);
		const int stride = cairo_image_surface_get_stride (png);
		for (int y = 0; y < image.height; ++y)
			for (int x = 0; x < image.width; ++x)
				image.pixels.push_back (*reinterpret_cast<const uint32_t*> (data + y * stride + x * 4) & 0xffffffu);
	}
	cairo_surface_destroy (png);
	return image;
}

QuorvaneHost::WindowImage screenshot (QuorvaneHost::PlugViewHost& host)
{
	host.settle ();
	QuorvaneHost::WindowImage image;
	std::string error;
	EXPECT_TRUE (host.screenshot (image, error)) << error;
	return image;
}

SyntheticInput::SyntheticInput (xcb_connection_t* xcb, uint32_t window, std::function<void ()> settle)
    : xcb (xcb), settle (std::move (settle))
{
	const xcb_window_t root = xcb_setup_roots_iterator (xcb_get_setup (xcb)).data->root;
	std::unique_ptr<xcb_translate_coordinates_reply_t, FreeDeleter> where (
	    xcb_translate_coordinates_reply (xcb, xcb_translate_coordinates (xcb, window, root, 0, 0), nullptr));
	if (where)
	{
		originX = where->dst_x;
		originY = where->dst_y;
	}
}

SyntheticInput::SyntheticInput (QuorvaneHost::PlugViewHost& host)
    : SyntheticInput (host.window ().connection (), host.window ().windowId (), [&host] { host.run (30); })
{
}

void SyntheticInput::flush ()
{
	// A round trip: the server has handled the fake input before the receiver is given time.
	std::free (xcb_get_input_focus_reply (xcb, xcb_get_input_focus (xcb), nullptr));
	settle ();
}

void SyntheticInput::moveTo (int x, int y)
{
	const xcb_window_t root = xcb_setup_roots_iterator (xcb_get_setup (xcb)).data->root;
	xcb_test_fake_input (xcb, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root, static_cast<int16_t> (originX + x),
	                     static_cast<int16_t> (originY + y), 0);
	flush ();
}

void SyntheticInput::button (int button, bool press)
{
	xcb_test_fake_input (xcb, press ? XCB_BUTTON_PRESS : XCB_BUTTON_RELEASE, static_cast<uint8_t> (button),
	                     XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
	flush ();
}

void SyntheticInput::click (int x, int y, int button)
{
	moveTo (x, y);
	this->button (button, true);
	this->button (button, false);
}

void SyntheticInput::key (uint32_t keysym)
{
	xkb_x11_setup_xkb_extension (xcb, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
	                             XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, nullptr, nullptr);
	xkb_context* context = xkb_context_new (XKB_CONTEXT_NO_FLAGS);
	xkb_keymap* keymap = xkb_x11_keymap_new_from_device (context, xcb, xkb_x11_get_core_keyboard_device_id (xcb),
	                                                     XKB_KEYMAP_COMPILE_NO_FLAGS);
	xkb_keycode_t found = 0;
	if (keymap)
		for (xkb_keycode_t code = xkb_keymap_min_keycode (keymap); code <= xkb_keymap_max_keycode (keymap) && !found;
		     ++code)
		{
			const xkb_keysym_t* syms = nullptr;
			const int count = xkb_keymap_key_get_syms_by_level (keymap, code, 0, 0, &syms);
			for (int i = 0; i < count; ++i)
				if (syms[i] == keysym)
					found = code;
		}
	xkb_keymap_unref (keymap);
	xkb_context_unref (context);
	ASSERT_NE (found, 0u) << "no key gives keysym " << keysym;
	xcb_test_fake_input (xcb, XCB_KEY_PRESS, static_cast<uint8_t> (found), XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
	xcb_test_fake_input (xcb, XCB_KEY_RELEASE, static_cast<uint8_t> (found), XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
	flush ();
}

} // namespace QuorvaneTest
