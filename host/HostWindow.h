// A host's top-level X11 window (xcb) that an editor view embeds itself into: created at a size, resized by the
// host or on the view's request, closed by the window manager's close button. It has its own connection to the
// display, whose descriptor the host's run loop watches.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <string>

struct xcb_connection_t;

namespace QuorvaneHost
{

class HostWindow
{
public:
	/** Opens `display` (null: $DISPLAY) and creates an unmapped window; null with `error` set when the
	    display cannot be opened. */
	static std::unique_ptr<HostWindow> create (const char* display, int width, int height, const std::string& title,
	                                           std::string& error);
	~HostWindow ();
	HostWindow (const HostWindow&) = delete;
	HostWindow& operator= (const HostWindow&) = delete;

	/** The X11 window id, what a view is given as its parent ("X11EmbedWindowID"). */
	uint32_t windowId () const { return window; }
	xcb_connection_t* connection () const { return xcb; }
	int descriptor () const;

	void map ();
	/** Asks the server for a new size and waits until it has taken effect. */
	bool resize (int newWidth, int newHeight);
	/** Where the pointer is in this window's coordinates, when it is over the window (or a child of it). */
	std::optional<std::pair<int, int>> pointerPosition () const;
	int width () const { return currentWidth; }
	int height () const { return currentHeight; }

	/** Handles whatever events wait on the connection: size changes, the window manager's close request. */
	void processEvents ();
	/** True once the window manager asked to close the window (or the connection broke). */
	bool closeRequested () const { return closing; }

	/** Waits until the server has handled every request sent so far on this connection. */
	void sync ();

private:
	HostWindow () = default;

	xcb_connection_t* xcb{nullptr};
	uint32_t window{0};
	uint32_t deleteWindowAtom{0};
	int currentWidth{0};
	int currentHeight{0};
	bool closing{false};
};

} // namespace QuorvaneHost
