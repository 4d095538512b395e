#include "host/HostWindow.h"

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <xcb/xcb.h>

namespace QuorvaneHost
{

namespace
{

xcb_atom_t internAtom (xcb_connection_t* xcb, const char* name)
{
	auto cookie = xcb_intern_atom (xcb, 0, static_cast<uint16_t> (std::strlen (name)), name);
	xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply (xcb, cookie, nullptr);
	const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t (XCB_ATOM_NONE);
	std::free (reply);
	return atom;
}

} // namespace

std::unique_ptr<HostWindow> HostWindow::create (const char* display, int width, int height, const std::string& title,
                                                std::string& error)
{
	int screenNumber = 0;
	std::unique_ptr<HostWindow> host (new HostWindow);
	// An X server that has just lost its last client resets itself and refuses connections meanwhile
	// (Xvfb does by default); a moment later it takes them again.
	for (int attempt = 0;; ++attempt)
	{
		host->xcb = xcb_connect (display, &screenNumber);
		if (!xcb_connection_has_error (host->xcb) || attempt == 20)
			break;
		xcb_disconnect (host->xcb);
		host->xcb = nullptr;
		std::this_thread::sleep_for (std::chrono::milliseconds (50));
	}
	if (!host->xcb || xcb_connection_has_error (host->xcb))
	{
		const char* name = display ? display : std::getenv ("DISPLAY");
		error = std::string ("cannot open the X display '") + (name ? name : "") + "'";
		return nullptr;
	}
	xcb_screen_iterator_t screens = xcb_setup_roots_iterator (xcb_get_setup (host->xcb));
	for (int i = 0; i < screenNumber && screens.rem; ++i)
		xcb_screen_next (&screens);
	xcb_screen_t* screen = screens.data;

	host->currentWidth = width;
	host->currentHeight = height;
	host->window = xcb_generate_id (host->xcb);
	const uint32_t mask = XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK;
	const uint32_t values[] = {screen->black_pixel, XCB_EVENT_MASK_STRUCTURE_NOTIFY};
	xcb_create_window (host->xcb, XCB_COPY_FROM_PARENT, host->window, screen->root, 0, 0, static_cast<uint16_t> (width),
	                   static_cast<uint16_t> (height), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, mask,
	                   values);
	xcb_change_property (host->xcb, XCB_PROP_MODE_REPLACE, host->window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
	                     static_cast<uint32_t> (title.size ()), title.data ());
	const xcb_atom_t protocols = internAtom (host->xcb, "WM_PROTOCOLS");
	host->deleteWindowAtom = internAtom (host->xcb, "WM_DELETE_WINDOW");
	xcb_change_property (host->xcb, XCB_PROP_MODE_REPLACE, host->window, protocols, XCB_ATOM_ATOM, 32, 1,
	                     &host->deleteWindowAtom);
	xcb_flush (host->xcb);
	return host;
}

HostWindow::~HostWindow ()
{
	if (!xcb)
		return;
	if (window)
		xcb_destroy_window (xcb, window);
	xcb_flush (xcb);
	xcb_disconnect (xcb);
}

void* HostWindow::parentForView () const
{
	return reinterpret_cast<void*> (static_cast<uintptr_t> (window));
}

const char* HostWindow::viewPlatformType ()
{
	return "X11EmbedWindowID";
}

int HostWindow::descriptor () const
{
	return xcb_get_file_descriptor (xcb);
}

void HostWindow::map ()
{
	xcb_map_window (xcb, window);
	sync ();
}

bool HostWindow::resize (int newWidth, int newHeight)
{
	if (newWidth <= 0 || newHeight <= 0 || newWidth > 32767 || newHeight > 32767)
		return false;
	const uint32_t values[] = {static_cast<uint32_t> (newWidth), static_cast<uint32_t> (newHeight)};
	xcb_configure_window (xcb, window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, values);
	sync ();
	currentWidth = newWidth;
	currentHeight = newHeight;
	return true;
}

std::optional<std::pair<int, int>> HostWindow::pointerPosition () const
{
	std::unique_ptr<xcb_query_pointer_reply_t, decltype (&std::free)> pointer (
	    xcb_query_pointer_reply (xcb, xcb_query_pointer (xcb, window), nullptr), &std::free);
	if (!pointer || !pointer->same_screen || pointer->win_x < 0 || pointer->win_y < 0 ||
	    pointer->win_x >= currentWidth || pointer->win_y >= currentHeight)
		return std::nullopt;
	return std::make_pair (static_cast<int> (pointer->win_x), static_cast<int> (pointer->win_y));
}

void HostWindow::sync ()
{
	std::free (xcb_get_input_focus_reply (xcb, xcb_get_input_focus (xcb), nullptr));
}

int HostWindow::processEvents ()
{
	if (xcb_connection_has_error (xcb))
	{
		closing = true;
		return 0;
	}
	int count = 0;
	while (xcb_generic_event_t* event = xcb_poll_for_event (xcb))
	{
		++count;
		switch (event->response_type & ~0x80)
		{
		case XCB_CONFIGURE_NOTIFY:
		{
			auto* configure = reinterpret_cast<xcb_configure_notify_event_t*> (event);
			// Every notice is applied in order: after the last one the window's size is the server's.
			if (configure->window == window)
			{
				currentWidth = configure->width;
				currentHeight = configure->height;
			}
			break;
		}
		case XCB_CLIENT_MESSAGE:
		{
			auto* message = reinterpret_cast<xcb_client_message_event_t*> (event);
			if (message->window == window && message->data.data32[0] == deleteWindowAtom)
				closing = true;
			break;
		}
		default:
			break;
		}
		std::free (event);
	}
	return count;
}

} // namespace QuorvaneHost
