#include "x11cursors.h"

#include <xcb/xcb.h>
#include <xcb/xcb_cursor.h>

namespace VSTGUI
{
namespace X11
{
namespace
{

// Theme names first, then the core cursor font's, which every server has.
struct CursorNames
{
	CCursorType type;
	const char* names[2];
};
constexpr CursorNames cursorNames[] = {
    {kCursorDefault, {"default", "left_ptr"}},
    {kCursorWait, {"wait", "watch"}},
    {kCursorHSize, {"ew-resize", "sb_h_double_arrow"}},
    {kCursorVSize, {"ns-resize", "sb_v_double_arrow"}},
    {kCursorSizeAll, {"all-scroll", "fleur"}},
    {kCursorNESWSize, {"nesw-resize", "top_right_corner"}},
    {kCursorNWSESize, {"nwse-resize", "top_left_corner"}},
    {kCursorCopy, {"copy", "plus"}},
    {kCursorNotAllowed, {"not-allowed", "circle"}},
    {kCursorHand, {"pointer", "hand2"}},
    {kCursorIBeam, {"text", "xterm"}},
    {kCursorCrosshair, {"crosshair", "cross"}},
};

const CursorNames& namesFor (CCursorType type)
{
	for (const auto& entry : cursorNames)
		if (entry.type == type)
			return entry;
	return cursorNames[0];
}

} // namespace

Cursors::Cursors (xcb_connection_t* connection, xcb_screen_t* screen) : connection (connection)
{
	if (xcb_cursor_context_new (connection, screen, &context) < 0)
		context = nullptr;
}

Cursors::~Cursors () noexcept
{
	for (const auto& entry : loaded)
		if (entry.second != XCB_CURSOR_NONE)
			xcb_free_cursor (connection, entry.second);
	if (context)
		xcb_cursor_context_free (context);
}

uint32_t Cursors::get (CCursorType type)
{
	if (auto it = loaded.find (type); it != loaded.end ())
		return it->second;
	xcb_cursor_t cursor = XCB_CURSOR_NONE;
	if (context)
		for (const char* name : namesFor (type).names)
			if ((cursor = xcb_cursor_load_cursor (context, name)) != XCB_CURSOR_NONE)
				break;
	loaded[type] = cursor;
	return cursor;
}

} // namespace X11
} // namespace VSTGUI
