// `quorvane svg IN.svg OUT.png --size WxH [--scale S] [--stretch] [--rotate DEGREES]`: renders an SVG document
// through the editor's parser settings and drawSvgImage into a PNG, so artwork can be checked by eye.
#include "editor/DrawSvgImage.h"
#include "host/cli/Commands.h"
#include "nanosvg.h"
#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/coffscreencontext.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace
{

constexpr const char* usage =
    "usage: quorvane svg IN.svg OUT.png --size WxH [--scale S] [--stretch] [--rotate DEGREES]\n"
    "  --size WxH        the view rectangle in view units (1 to 16384 each, at most 64 megapixels scaled)\n"
    "  --scale S         device pixels per view unit (0.1 to 16, default 1)\n"
    "  --stretch         fill the rectangle on both axes instead of keeping the proportions\n"
    "  --rotate DEGREES  turn the picture clockwise about its centre\n";

std::optional<double> parseNumber (const std::string& text)
{
	if (text.empty ())
		return std::nullopt;
	size_t used = 0;
	double value = 0.;
	try
	{
		value = std::stod (text, &used);
	}
	catch (...)
	{
		return std::nullopt;
	}
	if (used != text.size () || !std::isfinite (value))
		return std::nullopt;
	return value;
}

bool parseSize (const std::string& text, double& width, double& height)
{
	const size_t x = text.find_first_of ("xX");
	if (x == std::string::npos)
		return false;
	const auto w = parseNumber (text.substr (0, x));
	const auto h = parseNumber (text.substr (x + 1));
	if (!w || !h)
		return false;
	width = *w;
	height = *h;
	return true;
}

struct ImageDeleter
{
	void operator() (NSVGimage* image) const { nsvgDelete (image); }
};

int fail (int code, const std::string& message)
{
	std::cerr << "quorvane svg: " << message << "\n";
	if (code == kExitUsage)
		std::cerr << usage;
	return code;
}

} // namespace

int runSvgCommand (const std::vector<std::string>& args)
{
	std::vector<std::string> files;
	std::optional<std::string> sizeText;
	double scale = 1.;
	double rotation = 0.;
	bool stretch = false;
	for (size_t i = 0; i < args.size (); ++i)
	{
		const std::string& arg = args[i];
		auto value = [&] () -> std::optional<std::string>
		{
			if (i + 1 >= args.size ())
				return std::nullopt;
			return args[++i];
		};
		if (arg == "--help" || arg == "-h")
		{
			std::cout << usage;
			return kExitOk;
		}
		if (arg == "--stretch")
			stretch = true;
		else if (arg == "--size")
		{
			sizeText = value ();
			if (!sizeText)
				return fail (kExitUsage, "--size needs a value such as 200x336");
		}
		else if (arg == "--scale")
		{
			const auto text = value ();
			const auto number = text ? parseNumber (*text) : std::nullopt;
			if (!number || *number < 0.1 || *number > 16.)
				return fail (kExitUsage, "--scale needs a number from 0.1 to 16");
			scale = *number;
		}
		else if (arg == "--rotate")
		{
			const auto text = value ();
			const auto number = text ? parseNumber (*text) : std::nullopt;
			if (!number)
				return fail (kExitUsage, "--rotate needs a number of degrees");
			rotation = std::fmod (*number, 360.);
		}
		else if (arg.size () > 1 && arg[0] == '-' && arg[1] == '-')
			return fail (kExitUsage, "unknown option " + arg);
		else
			files.push_back (arg);
	}
	if (files.size () != 2)
		return fail (kExitUsage, "expected an input SVG file and an output PNG file");
	if (!sizeText)
		return fail (kExitUsage, "--size is required");
	double width = 0., height = 0.;
	if (!parseSize (*sizeText, width, height) || width < 1. || height < 1. || width > 16384. || height > 16384.)
		return fail (kExitUsage, "--size must be WxH with each side from 1 to 16384, not " + *sizeText);

	std::ifstream in (files[0], std::ios::binary);
	if (!in)
		return fail (kExitFailure, "cannot read " + files[0]);
	std::string text ((std::istreambuf_iterator<char> (in)), std::istreambuf_iterator<char> ());
	if (in.bad ())
		return fail (kExitFailure, "cannot read " + files[0]);
	// The views parse in pixels at 96 dots per inch; so does this command, to show what they show.
	std::unique_ptr<NSVGimage, ImageDeleter> image (nsvgParse (text.data (), "px", 96.f));
	if (!image)
		return fail (kExitFailure, "out of memory while parsing " + files[0]);

	auto context = VSTGUI::COffscreenContext::create (VSTGUI::CPoint (width, height), scale);
	if (!context)
		return fail (kExitUsage, "the image of " + *sizeText + " at scale " + std::to_string (scale) +
		                             " is too large (at most 32767 pixels a side)");
	context->beginDraw ();
	drawSvgImage (context, image.get (), VSTGUI::CRect (0., 0., width, height), stretch,
	              VSTGUI::CGraphicsTransform ().rotate (rotation));
	context->endDraw ();

	const auto png =
	    VSTGUI::IPlatformBitmap::createMemoryPNGRepresentation (context->getBitmap ()->getPlatformBitmap ());
	if (png.empty ())
		return fail (kExitFailure, "cannot encode the image as PNG");
	std::ofstream out (files[1], std::ios::binary | std::ios::trunc);
	out.write (reinterpret_cast<const char*> (png.data ()), std::streamsize (png.size ()));
	out.close ();
	if (!out)
		return fail (kExitFailure, "cannot write " + files[1]);
	return kExitOk;
}
