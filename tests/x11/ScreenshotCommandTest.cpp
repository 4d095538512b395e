// The screenshot tool: run as a command, it writes a PNG of the test view in its host window, which is read
// back here and checked at chosen pixels.

#include "X11TestSupport.h"

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

	const QuorvaneHost::WindowImage png = QuorvaneTest::readPng (QUORVANE_TEST_VIEW_PNG);
	ASSERT_EQ (png.width, 240);
	ASSERT_EQ (png.height, 160);
	EXPECT_EQ (png.at (0, 0), 0xff0000u);
	EXPECT_EQ (png.at (119, 159), 0xff0000u);
	EXPECT_EQ (png.at (120, 0), 0x0000ffu);
	EXPECT_EQ (png.at (239, 79), 0x0000ffu);
	EXPECT_EQ (png.at (120, 80), 0xffff00u);
	EXPECT_EQ (png.at (239, 159), 0xffff00u);
}
