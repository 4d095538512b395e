#include "x11tooltip.h"

#include <cairo-xcb.h>
#include <cairo.h>
#include <cmath>
#include <xcb/xcb.h>

namespace VSTGUI
{
namespace X11
{
namespace
{

constexpr double fontSize = 12.;
constexpr double padding = 4.;

void setFont (cairo_t* cr)
{
	cairo_select_font_face (cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
	cairo_set_font_size (cr, fontSize);
}

} // namespace

Tooltip::Tooltip (xcb_connection_t* connection, xcb_screen_t* screen, xcb_visualtype_t* visual)
    : connection (connection), screen (screen), visual (visual)
{
}

void Tooltip::show (const std::string& text, int rootX, int rootY)
{
	hide ();
	if (text.empty () || !visual)
		return;
	shownText = text;

	// Measure with the same font the tooltip is painted in.
	cairo_surface_t* scratch = cairo_image_surface_create (CAIRO_FORMAT_RGB24, 1, 1);
	cairo_t* cr = cairo_create (scratch);
	setFont (cr);
	cairo_text_extents_t extents;
	cairo_text_extents (cr, text.c_str (), &extents);
	cairo_font_extents_t font;
	cairo_font_extents (cr, &font);
	cairo_destroy (cr);
	cairo_surface_destroy (scratch);
	width = static_cast<int> (std::ceil (extents.x_advance + 2 * padding));
	height = static_cast<int> (std::ceil (font.ascent + font.descent + 2 * padding));

	window = xcb_generate_id (connection);
	const uint32_t mask = XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK;
	const uint32_t values[] = {screen->white_pixel, 1, XCB_EVENT_MASK_EXPOSURE};
	xcb_create_window (connection, XCB_COPY_FROM_PARENT, window, screen->root, static_cast<int16_t> (rootX),
	                   static_cast<int16_t> (rootY), static_cast<uint16_t> (width), static_cast<uint16_t> (height), 0,
	                   XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, mask, values);
	xcb_map_window (connection, window);
	paint ();
}

void Tooltip::hide ()
{
	if (!window)
		return;
	xcb_destroy_window (connection, window);
	xcb_flush (connection);
	window = 0;
	shownText.clear ();
}

bool Tooltip::onExpose (uint32_t exposedWindow)
{
	if (!window || exposedWindow != window)
		return false;
	paint ();
	return true;
}

void Tooltip::paint ()
{
	cairo_surface_t* surface = cairo_xcb_surface_create (connection, window, visual, width, height);
	cairo_t* cr = cairo_create (surface);
	cairo_set_source_rgb (cr, 1., 1., 224. / 255.); // pale yellow, 0xffffe0
	cairo_paint (cr);
	cairo_set_source_rgb (cr, 0.3, 0.3, 0.3);
	cairo_set_line_width (cr, 1.);
	cairo_rectangle (cr, 0.5, 0.5, width - 1., height - 1.);
	cairo_stroke (cr);
	setFont (cr);
	cairo_font_extents_t font;
	cairo_font_extents (cr, &font);
	cairo_set_source_rgb (cr, 0., 0., 0.);
	cairo_move_to (cr, padding, padding + font.ascent);
	cairo_show_text (cr, shownText.c_str ());
	cairo_destroy (cr);
	cairo_surface_flush (surface);
	cairo_surface_destroy (surface);
	xcb_flush (connection);
}

} // namespace X11
} // namespace VSTGUI
