// SVG parsing and drawing speed: parsing a 50 kB document, and drawSvgImage of a many-shape document at the
// editor's default size and at four times its area, against cairo filling the same paths directly.

#include "bench/AppendShapePath.h"

#include "editor/DrawSvgImage.h"
#include "nanosvg.h"
#include "vstgui/lib/coffscreencontext.h"

#include <benchmark/benchmark.h>
#include <cairo.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace
{

// A document in the editor artwork's style: millimetre size and view box, groups with transforms, styles,
// arcs and curves, rectangles, circles and gradients with inherited stops. Grows until `targetBytes`.
std::string makeDocument (size_t targetBytes, bool withGradients)
{
	std::string doc = "\n<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n<!-- Created with a vector "
	                  "editor -->\n<svg width=\"52.916668mm\" height=\"88.900002mm\" viewBox=\"0 0 52.916668 "
	                  "88.900002\" version=\"1.1\" xmlns=\"http://www.w3.org/2000/svg\" "
	                  "xmlns:xlink=\"http://www.w3.org/1999/xlink\">\n<defs>"
	                  "<linearGradient id=\"stops\"><stop style=\"stop-color:#fdfcd7;stop-opacity:1\" offset=\"0\"/>"
	                  "<stop style=\"stop-color:#dfb26c;stop-opacity:1\" offset=\"0.5\"/>"
	                  "<stop style=\"stop-color:#df2410;stop-opacity:1\" offset=\"1\"/></linearGradient>"
	                  "<linearGradient xlink:href=\"#stops\" id=\"lin\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"88.9\" "
	                  "gradientUnits=\"userSpaceOnUse\" gradientTransform=\"matrix(1,0,0,1,0,0)\"/>"
	                  "<radialGradient xlink:href=\"#stops\" id=\"rad\" cx=\"26.45\" cy=\"44.45\" r=\"20\" "
	                  "gradientUnits=\"userSpaceOnUse\" gradientTransform=\"translate(0,0)\"/></defs>\n";
	const char* colours[] = {"#fdfcd7", "#5a361e", "#dfb26c", "#df2410", "#000000"};
	for (int i = 0; doc.size () < targetBytes; ++i)
	{
		const double x = (i * 7) % 45 + 2.5, y = (i * 11) % 80 + 3.5;
		const char* colour = colours[i % 5];
		const std::string fill = withGradients && i % 7 == 0   ? "url(#lin)"
		                         : withGradients && i % 7 == 3 ? "url(#rad)"
		                                                       : colour;
		doc += "<g transform=\"translate(" + std::to_string (x * 0.1) + "," + std::to_string (y * 0.05) + ") rotate(" +
		       std::to_string (i % 90) + " " + std::to_string (x) + " " + std::to_string (y) + ")\">";
		switch (i % 4)
		{
		case 0:
			doc += "<path style=\"fill:" + fill +
			       ";fill-opacity:0.8;fill-rule:evenodd;stroke:#5a361e;stroke-width:0.3\" d=\"m " + std::to_string (x) +
			       "," + std::to_string (y) + " c 1.2,-0.4 2.5,0.3 3.1,1.4 0.6,1.1 0.1,2.6 -1,3.2 L " +
			       std::to_string (x - 1.5) + "," + std::to_string (y + 3.5) +
			       " a 2.1,2.1 0 0 1 -0.9,-2.8 2.1,2.1 0 0 1 0.3,-1.8 z\"/>";
			break;
		case 1:
			doc += "<rect style=\"fill:" + fill + ";stroke:none\" x=\"" + std::to_string (x - 2) + "\" y=\"" +
			       std::to_string (y - 1) + "\" width=\"4.2\" height=\"2.6\" rx=\"0.8\"/>";
			break;
		case 2:
			doc += "<circle style=\"fill:" + fill + ";stroke:#fdfcd7;stroke-width:0.2;stroke-opacity:0.6\" cx=\"" +
			       std::to_string (x) + "\" cy=\"" + std::to_string (y) + "\" r=\"1.7\"/>";
			break;
		default:
			doc += "<path style=\"fill:" + fill + "\" d=\"M " + std::to_string (x) + " " + std::to_string (y) + " H " +
			       std::to_string (x + 3) + " V " + std::to_string (y + 2) + " Q " + std::to_string (x + 1.5) + " " +
			       std::to_string (y + 4) + " " + std::to_string (x) + " " + std::to_string (y + 2) + " Z\"/>";
			break;
		}
		doc += "</g>\n";
	}
	return doc + "</svg>\n";
}

struct ImageDeleter
{
	void operator() (NSVGimage* image) const { nsvgDelete (image); }
};
using ImagePtr = std::unique_ptr<NSVGimage, ImageDeleter>;

ImagePtr parseCopy (const std::string& text)
{
	std::vector<char> buffer (text.begin (), text.end ());
	buffer.push_back ('\0');
	return ImagePtr (nsvgParse (buffer.data (), "px", 96.f));
}

void BM_ParseDocument50kB (benchmark::State& state)
{
	const std::string text = makeDocument (50 * 1024, true);
	std::vector<char> buffer (text.size () + 1);
	for (auto _ : state)
	{
		std::memcpy (buffer.data (), text.c_str (), text.size () + 1); // the parser writes into its input
		NSVGimage* image = nsvgParse (buffer.data (), "px", 96.f);
		benchmark::DoNotOptimize (image);
		nsvgDelete (image);
	}
	state.SetBytesProcessed (int64_t (state.iterations ()) * int64_t (text.size ()));
	state.counters["bytes"] = double (text.size ());
}
BENCHMARK (BM_ParseDocument50kB)->Unit (benchmark::kMicrosecond);

const std::string& manyShapes ()
{
	static const std::string text = makeDocument (60 * 1024, false);
	return text;
}

// The editor's default size (scale 1) and four times its area.
void editorSizes (benchmark::internal::Benchmark* b)
{
	b->Args ({200, 336})->Args ({400, 672});
}

void BM_DrawSvgImage (benchmark::State& state)
{
	const double width = double (state.range (0)), height = double (state.range (1));
	auto image = parseCopy (manyShapes ());
	auto context = VSTGUI::COffscreenContext::create (VSTGUI::CPoint (width, height), 1.);
	int shapes = 0;
	for (NSVGshape* s = image->shapes; s; s = s->next)
		++shapes;
	for (auto _ : state)
	{
		context->beginDraw ();
		drawSvgImage (context, image.get (), VSTGUI::CRect (0., 0., width, height), false,
		              VSTGUI::CGraphicsTransform ());
		context->endDraw ();
	}
	state.counters["shapes"] = shapes;
}
BENCHMARK (BM_DrawSvgImage)->Apply (editorSizes)->Unit (benchmark::kMicrosecond);

// Baseline: the same parsed paths, fills and strokes handed to cairo directly, with the fit as cairo's
// matrix; no GUI library objects in between.
void BM_CairoDirect (benchmark::State& state)
{
	const double width = double (state.range (0)), height = double (state.range (1));
	auto image = parseCopy (manyShapes ());
	cairo_surface_t* surface = cairo_image_surface_create (CAIRO_FORMAT_ARGB32, int (width), int (height));
	cairo_t* cr = cairo_create (surface);
	const double s = std::min (width / image->width, height / image->height);
	auto colour = [cr] (unsigned int c)
	{
		cairo_set_source_rgba (cr, (c & 0xff) / 255., ((c >> 8) & 0xff) / 255., ((c >> 16) & 0xff) / 255.,
		                       (c >> 24) / 255.);
	};
	for (auto _ : state)
	{
		for (NSVGshape* shape = image->shapes; shape; shape = shape->next)
		{
			cairo_identity_matrix (cr);
			cairo_translate (cr, (width - image->width * s) / 2., (height - image->height * s) / 2.);
			cairo_scale (cr, s, s);
			appendShapePath (cr, *shape);
			if (shape->fill.type == NSVG_PAINT_COLOR)
			{
				colour (shape->fill.color);
				cairo_fill_preserve (cr);
			}
			if (shape->stroke.type == NSVG_PAINT_COLOR)
			{
				cairo_identity_matrix (cr); // the stroke width stays in view units, as drawSvgImage keeps it
				cairo_set_line_width (cr, shape->strokeWidth);
				colour (shape->stroke.color);
				cairo_stroke (cr);
			}
		}
		cairo_surface_flush (surface);
	}
	cairo_destroy (cr);
	cairo_surface_destroy (surface);
}
BENCHMARK (BM_CairoDirect)->Apply (editorSizes)->Unit (benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN ();
