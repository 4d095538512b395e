// The X11 frame's tooltip: a small undecorated window with the text, placed below the mouse, drawn with cairo.
#pragma once

#include <cstdint>
#include <string>

struct xcb_connection_t;
struct xcb_screen_t;
struct xcb_visualtype_t;

namespace VSTGUI
{
namespace X11
{

class Tooltip
{
public:
	/** `visual` is the root window's, which the tooltip window uses. */
	Tooltip (xcb_connection_t* connection, xcb_screen_t* screen, xcb_visualtype_t* visual);
	~Tooltip () noexcept { hide (); }
	Tooltip (const Tooltip&) = delete;
	Tooltip& operator= (const Tooltip&) = delete;

	/** Shows `text` with its top left corner at a root-window point (pixels). */
	void show (const std::string& text, int rootX, int rootY);
	void hide ();
	bool visible () const { return window != 0; }
	const std::string& text () const { return shownText; }
	/** Repaints after an Expose of the tooltip window; false when the event is for another window. */
	bool onExpose (uint32_t exposedWindow);

private:
	void paint ();

	xcb_connection_t* connection;
	xcb_screen_t* screen;
	xcb_visualtype_t* visual;
	uint32_t window{0};
	int width{0};
	int height{0};
	std::string shownText;
};

} // namespace X11
} // namespace VSTGUI
