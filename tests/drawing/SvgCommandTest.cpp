// `quorvane svg`: renders a document to a PNG of the asked size, and refuses bad command lines clearly.
#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

int runSvgCommand (const std::vector<std::string>& args);

namespace
{

class SvgCommand : public testing::Test
{
protected:
	void SetUp () override
	{
		// CTest runs every case as a process of its own, in parallel: each needs files of its own.
		const std::string name = testing::UnitTest::GetInstance ()->current_test_info ()->name ();
		dir = testing::TempDir ();
		input = dir + "svg_command_" + name + ".svg";
		output = dir + "svg_command_" + name + ".png";
		std::remove (output.c_str ());
		// Left half red, right half blue, 100 × 50.
		std::ofstream (input) << "<svg width=\"100\" height=\"50\"><rect width=\"50\" height=\"50\" fill=\"#f00\"/>"
		                         "<rect x=\"50\" width=\"50\" height=\"50\" fill=\"#00f\"/></svg>";
	}
	void TearDown () override
	{
		std::remove (input.c_str ());
		std::remove (output.c_str ());
	}

	// The ARGB word at (x, y) of the written PNG; width and height through the out parameters.
	uint32_t pixel (int x, int y, int& width, int& height) const
	{
		cairo_surface_t* png = cairo_image_surface_create_from_png (output.c_str ());
		uint32_t value = 0xdeadbeef;
		width = height = 0;
		if (cairo_surface_status (png) == CAIRO_STATUS_SUCCESS)
		{
			width = cairo_image_surface_get_width (png);
			height = cairo_image_surface_get_height (png);
			const unsigned char* data = cairo_image_surface_get_data (png);
			value = *reinterpret_cast<const uint32_t*> (data + y * cairo_image_surface_get_stride (png) + x * 4);
		}
		cairo_surface_destroy (png);
		return value;
	}

	std::string dir, input, output;
};

} // namespace

TEST_F (SvgCommand, RendersFittedAtTheScaleIntoAPngOfDevicePixels)
{
	ASSERT_EQ (runSvgCommand ({input, output, "--size", "100x100", "--scale", "2"}), 0);
	int w, h;
	EXPECT_EQ (pixel (10, 100, w, h), 0xffff0000u);
	EXPECT_EQ (w, 200);
	EXPECT_EQ (h, 200);
	EXPECT_EQ (pixel (190, 100, w, h), 0xff0000ffu);
	EXPECT_EQ (pixel (100, 10, w, h), 0x00000000u); // the 2:1 picture is centred with room above
}

TEST_F (SvgCommand, StretchAndRotate)
{
	ASSERT_EQ (runSvgCommand ({"--stretch", input, output, "--size", "40x40"}), 0);
	int w, h;
	EXPECT_EQ (pixel (5, 5, w, h), 0xffff0000u);
	EXPECT_EQ (pixel (35, 35, w, h), 0xff0000ffu);
	ASSERT_EQ (runSvgCommand ({input, output, "--size", "100x100", "--rotate", "90"}), 0);
	EXPECT_EQ (pixel (50, 10, w, h), 0xffff0000u); // the left half turns to the top
	EXPECT_EQ (pixel (50, 90, w, h), 0xff0000ffu);
}

TEST_F (SvgCommand, BadCommandLinesAreUsageErrors)
{
	const std::vector<std::vector<std::string>> bad = {
	    {},
	    {input},
	    {input, output},
	    {input, output, "--size"},
	    {input, output, "--size", "100"},
	    {input, output, "--size", "0x10"},
	    {input, output, "--size", "10x1e9"},
	    {input, output, "--size", "10xnan"},
	    {input, output, "--size", "10x10", "--scale", "0"},
	    {input, output, "--size", "10x10", "--scale", "abc"},
	    {input, output, "--size", "10x10", "--rotate", "inf"},
	    {input, output, "--size", "10x10", "--frobnicate"},
	    {input, output, "extra", "--size", "10x10"},
	    {input, output, "--size", "16384x16384", "--scale", "16"},
	};
	for (const auto& args : bad)
	{
		std::string joined;
		for (const auto& a : args)
			joined += a + " ";
		EXPECT_EQ (runSvgCommand (args), 2) << joined;
	}
	EXPECT_EQ (std::fopen (output.c_str (), "rb"), nullptr);
}

TEST_F (SvgCommand, UnreadableInputOrUnwritableOutputFails)
{
	EXPECT_EQ (runSvgCommand ({dir + "missing.svg", output, "--size", "10x10"}), 1);
	EXPECT_EQ (runSvgCommand ({input, dir + "no/such/dir/out.png", "--size", "10x10"}), 1);
}

TEST_F (SvgCommand, TextThatIsNotSvgRendersTransparent)
{
	std::ofstream (input) << "this is not an svg document";
	ASSERT_EQ (runSvgCommand ({input, output, "--size", "8x8"}), 0);
	int w, h;
	EXPECT_EQ (pixel (4, 4, w, h), 0u);
	EXPECT_EQ (w, 8);
}
