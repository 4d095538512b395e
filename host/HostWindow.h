// A host's top-level window that an editor view embeds itself into: created at a size, resized by the host or on
// the view's request, closed by the window manager's close button. On Linux an X11 window (xcb) with its own
// connection to the display, whose descriptor the host's run loop watches (HostWindow.cpp); on Windows a Win32
// window whose messages arrive on the thread's queue (HostWindowWindows.cpp).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

struct xcb_connection_t;
struct HWND__;

namespace QuorvaneHost
{

class HostWindow
{
public:
	/** Opens `display` (null: $DISPLAY; ignored on Windows) and creates an unmapped window of that client size;
	    null with `error` set when the display cannot be opened or the window not created. */
	static std::unique_ptr<HostWindow> create (const char* display, int width, int height, const std::string& title,
	                                           std::string& error);
	~HostWindow ();
	HostWindow (const HostWindow&) = delete;
	HostWindow& operator= (const HostWindow&) = delete;

	/** What a view is given as its parent, and the platform type that names it. */
	void* parentForView () const;
	static const char* viewPlatformType ();

#ifdef _WIN32
	HWND__* handle () const { return hwnd; }
	/** Sleeps until a message arrives for this thread, at most `ms` milliseconds. */
	void waitForEvents (int ms) const;
#else
	/** The X11 window id ("X11EmbedWindowID"). */
	uint32_t windowId () const { return window; }
	xcb_connection_t* connection () const { return xcb; }
	int descriptor () const;
#endif

	void map ();
	/** Asks the server for a new size and waits until it has taken effect. */
	bool resize (int newWidth, int newHeight);
	/** Where the pointer is in this window's coordinates, when it is over the window (or a child of it). */
	std::optional<std::pair<int, int>> pointerPosition () const;
	int width () const { return currentWidth; }
	int height () const { return currentHeight; }

	/** Handles whatever events wait (on Windows: every message of the thread, the view's included): size
	    changes, the window manager's close request. Answers how many there were, timers not counted. */
	int processEvents ();
	/** True once the window manager asked to close the window (or the connection broke). */
	bool closeRequested () const { return closing; }

	/** Waits until the server has handled every request sent so far on this connection; on Windows, paints
	    whatever is invalid in the window and its children. */
	void sync ();

private:
	HostWindow () = default;

#ifdef _WIN32
	friend struct HostWindowMessages;
	HWND__* hwnd{nullptr};
#else
	xcb_connection_t* xcb{nullptr};
	uint32_t window{0};
	uint32_t deleteWindowAtom{0};
#endif
	int currentWidth{0};
	int currentHeight{0};
	bool closing{false};
};

} // namespace QuorvaneHost
