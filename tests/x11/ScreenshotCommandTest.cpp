// The screenshot tool: run as a command, it writes a PNG of the test view in its host window, which is read
// back here and checked at chosen pixels.

#include "X11TestSupport.h"

#include <cairo.h>
#include <cstdio>
#include <cstdlib>
#include <string>

TEST (X11ScreenshotCommand, WritesThePngOfTheEmbeddedView)
{
	QUORVANE_REQUIRE_DISPLAY ();
	std::remove (QUORVANE_TEST_VIEW_PNG);
	const std::string command =
	    std::string ("'") + QUORVANE_TEST_VIEW_SHOT + "' '" + QUORVANE_TEST_VIEW_PNG + "' 240x160";
	ASSERT_EQ (std::system (command.c_str ()), 0) << command;

	cairo_surface_t* png = cairo_image_surface_create_from_png (QUORVANE_TEST_VIEW_PNG);
	ASSERT_EQ (cairo_surface_status (png), CAIRO_STATUS_SUCCESS);
	EXPECT_EQ (cairo_image_surface_get_width (png), 240);
	EXPECT_EQ (cairo_image_surface_get_height (png), 160);
	const auto* data = cairo_image_surface_get_data (png);
	const int stride = cairo_image_surface_get_stride (png);
	auto at = [&] (int x, int y) { return *reinterpret_cast<const uint32_t*> (data + y * stride + x * 4) & 0xffffffu; };
	EXPECT_EQ (at (0, 0), 0xff0000u);
	EXPECT_EQ (at (119, 159), 0xff0000u);
	EXPECT_EQ (at (120, 0), 0x0000ffu);
	EXPECT_EQ (at (239, 79), 0x0000ffu);
	EXPECT_EQ (at (120, 80), 0xffff00u);
	EXPECT_EQ (at (239, 159), 0xffff00u);
	cairo_surface_destroy (png);
}
