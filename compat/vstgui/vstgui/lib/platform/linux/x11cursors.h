// The mouse cursors of the X11 frame, loaded by name from the user's cursor theme (xcb-cursor) on first use.
#pragma once

#include "../../vstguifwd.h"

#include <cstdint>
#include <map>

struct xcb_connection_t;
struct xcb_screen_t;
struct xcb_cursor_context_t;

namespace VSTGUI
{
namespace X11
{

class Cursors
{
public:
	Cursors (xcb_connection_t* connection, xcb_screen_t* screen);
	~Cursors () noexcept;
	Cursors (const Cursors&) = delete;
	Cursors& operator= (const Cursors&) = delete;

	/** The cursor for `type`, 0 (the parent's cursor) when the theme has none of its names. */
	uint32_t get (CCursorType type);

private:
	xcb_connection_t* connection;
	xcb_cursor_context_t* context{nullptr};
	std::map<CCursorType, uint32_t> loaded;
};

} // namespace X11
} // namespace VSTGUI
