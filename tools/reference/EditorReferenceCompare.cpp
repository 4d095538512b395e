// Measuring tool, not a test: opens the editor offscreen at a window size, draws it once through the GUI
// library's cairo context and once with every graphics path handed to plain cairo (the path as given, under the
// context's transform and the path's transformation, the line width as set, anti-aliased), and counts the pixels
// that differ by more than 8/255 in any channel, in the whole editor and in the Duration knob.
//
//   editor_reference_compare [--size WxH] [--ours PNG] [--snap] [--against PNG] [--row Y]
//                            [--write-reference PNG] [--write-ours PNG] [--write-difference PNG]
//
// --ours compares a PNG (a `quorvane view --png` screenshot of the same size) instead of the offscreen rendering.
// --snap moves every point of a path drawn in integral mode to the nearest whole pixel under the context's own
// transform before the path's transformation applies, as VSTGUI 4.14's cairo back end does; without it nothing is
// moved. --against compares with a PNG instead of the plain cairo rendering (two screenshots, say). --row prints
// the green channel of both along that row across the Duration knob.

#include "controller/DuckerController.h"
#include "editor/DuckerEditor.h"

#include "pluginterfaces/gui/iplugview.h"
#include "tools/reference/PlainCairoContext.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/cgradient.h"
#include "vstgui/lib/cgraphicspath.h"
#include "vstgui/lib/cviewcontainer.h"
#include "vstgui/lib/platform/linux/cairocontext.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" bool ModuleEntry (void* sharedLibraryHandle);
extern "C" bool ModuleExit ();

using namespace VSTGUI;
using QuorvaneReference::PlainCairoContext;

namespace
{

class GrantingPlugFrame : public Steinberg::IPlugFrame
{
public:
	Steinberg::tresult PLUGIN_API resizeView (Steinberg::IPlugView* view, Steinberg::ViewRect* newSize) override
	{
		view->onSize (newSize);
		return Steinberg::kResultTrue;
	}
	Steinberg::tresult PLUGIN_API queryInterface (const Steinberg::TUID, void** obj) override
	{
		*obj = nullptr;
		return Steinberg::kNoInterface;
	}
	Steinberg::uint32 PLUGIN_API addRef () override { return 1; }
	Steinberg::uint32 PLUGIN_API release () override { return 1; }
};

cairo_surface_t* render (CFrame* frame, bool plain, bool snap)
{
	const CRect size = frame->getViewSize ();
	cairo_surface_t* surface =
	    cairo_image_surface_create (CAIRO_FORMAT_ARGB32, int (size.getWidth ()), int (size.getHeight ()));
	{
		SharedPointer<Cairo::Context> context =
		    plain ? SharedPointer<Cairo::Context> (owned (new PlainCairoContext (size, surface, snap)))
		          : owned (new Cairo::Context (size, surface, 1.));
		context->beginDraw ();
		frame->drawRect (context, size);
		context->endDraw ();
	}
	return surface;
}

// A pixel as opaque RGB over black, so window (no alpha) and offscreen (alpha) images compare alike.
void rgbAt (cairo_surface_t* s, int x, int y, int rgb[3])
{
	const auto* row = cairo_image_surface_get_data (s) + y * cairo_image_surface_get_stride (s);
	uint32_t p;
	std::memcpy (&p, row + 4 * x, 4);
	rgb[0] = int ((p >> 16) & 0xff);
	rgb[1] = int ((p >> 8) & 0xff);
	rgb[2] = int (p & 0xff);
}

struct Count
{
	long differing = 0;
	long total = 0;
	int largest = 0;
};

int largestChannelDifference (cairo_surface_t* a, cairo_surface_t* b, int x, int y)
{
	int pa[3], pb[3];
	rgbAt (a, x, y, pa);
	rgbAt (b, x, y, pb);
	int d = 0;
	for (int i = 0; i < 3; ++i)
		d = std::max (d, std::abs (pa[i] - pb[i]));
	return d;
}

Count compare (cairo_surface_t* a, cairo_surface_t* b, const CRect& region)
{
	Count c;
	const int w = std::min (cairo_image_surface_get_width (a), cairo_image_surface_get_width (b));
	const int h = std::min (cairo_image_surface_get_height (a), cairo_image_surface_get_height (b));
	const int x0 = std::max (0, int (region.left)), y0 = std::max (0, int (region.top));
	const int x1 = std::min (w, int (std::ceil (region.right))), y1 = std::min (h, int (std::ceil (region.bottom)));
	for (int y = y0; y < y1; ++y)
		for (int x = x0; x < x1; ++x)
		{
			const int d = largestChannelDifference (a, b, x, y);
			++c.total;
			c.largest = std::max (c.largest, d);
			if (d > 8)
				++c.differing;
		}
	return c;
}

// White where the two differ by more than 8/255, the reference dimmed elsewhere.
void writeDifference (cairo_surface_t* a, cairo_surface_t* b, const std::string& path)
{
	const int w = cairo_image_surface_get_width (b), h = cairo_image_surface_get_height (b);
	cairo_surface_t* out = cairo_image_surface_create (CAIRO_FORMAT_RGB24, w, h);
	cairo_surface_flush (out);
	for (int y = 0; y < h; ++y)
		for (int x = 0; x < w; ++x)
		{
			int pb[3];
			rgbAt (b, x, y, pb);
			const int d = largestChannelDifference (a, b, x, y);
			const uint32_t grey = uint32_t (pb[1] / 4);
			const uint32_t p = d > 8 ? 0xffffffu : (grey << 16 | grey << 8 | grey);
			std::memcpy (cairo_image_surface_get_data (out) + y * cairo_image_surface_get_stride (out) + 4 * x, &p, 4);
		}
	cairo_surface_mark_dirty (out);
	cairo_surface_write_to_png (out, path.c_str ());
	cairo_surface_destroy (out);
}

void print (const char* what, const Count& c)
{
	std::printf ("%-28s %6ld of %7ld pixels off by > 8/255 (%.3f %%), largest %d\n", what, c.differing, c.total,
	             c.total ? 100. * double (c.differing) / double (c.total) : 0., c.largest);
}

void printRow (const char* what, cairo_surface_t* s, int y, int x0, int x1)
{
	std::printf ("%s row %d:", what, y);
	for (int x = x0; x < x1; ++x)
	{
		int p[3];
		rgbAt (s, x, y, p);
		std::printf (" %d", p[1]);
	}
	std::printf ("\n");
}

} // namespace

int main (int argc, char** argv)
{
	int width = 200, height = 336;
	std::string oursPng, againstPng, writeReference, writeOurs, writeDiff;
	bool snap = false;
	int row = -1;
	for (int i = 1; i < argc; ++i)
	{
		const std::string option = argv[i];
		if (option == "--snap")
		{
			snap = true;
			continue;
		}
		if (i + 1 >= argc)
			break;
		++i;
		if (option == "--size")
			std::sscanf (argv[i], "%dx%d", &width, &height);
		else if (option == "--ours")
			oursPng = argv[i];
		else if (option == "--against")
			againstPng = argv[i];
		else if (option == "--write-reference")
			writeReference = argv[i];
		else if (option == "--write-ours")
			writeOurs = argv[i];
		else if (option == "--write-difference")
			writeDiff = argv[i];
		else if (option == "--row")
			row = std::atoi (argv[i]);
	}

	if (!ModuleEntry (nullptr))
		return 1;
	int result = 0;
	{
		auto* unknown = DuckerController::createInstance (nullptr);
		auto controller =
		    Steinberg::owned (static_cast<DuckerController*> (static_cast<Steinberg::Vst::IEditController*> (unknown)));
		controller->initialize (nullptr);
		GrantingPlugFrame plugFrame;
		auto view = Steinberg::owned (controller->createView ("editor"));
		view->setFrame (&plugFrame);
		view->attached (nullptr, "X11EmbedWindowID");
		Steinberg::ViewRect rect (0, 0, width, height);
		view->checkSizeConstraint (&rect);
		view->onSize (&rect);

		CFrame* frame = static_cast<DuckerEditor*> (view.get ())->getFrame ();
		cairo_surface_t* reference = againstPng.empty () ? render (frame, true, snap)
		                                                 : cairo_image_surface_create_from_png (againstPng.c_str ());
		cairo_surface_t* ours =
		    oursPng.empty () ? render (frame, false, false) : cairo_image_surface_create_from_png (oursPng.c_str ());
		if (cairo_surface_status (ours) != CAIRO_STATUS_SUCCESS ||
		    cairo_surface_status (reference) != CAIRO_STATUS_SUCCESS)
		{
			std::fprintf (stderr, "cannot read %s or %s\n", oursPng.c_str (), againstPng.c_str ());
			return 1;
		}
		if (!writeReference.empty ())
			cairo_surface_write_to_png (reference, writeReference.c_str ());
		if (!writeOurs.empty ())
			cairo_surface_write_to_png (ours, writeOurs.c_str ());
		if (!writeDiff.empty ())
			writeDifference (ours, reference, writeDiff);

		// The Duration knob in frame coordinates.
		auto* box = frame->getView (1)->asViewContainer ();
		auto* main = box->getView (0)->asViewContainer ();
		CRect knob = main->getView (5)->getViewSize ();
		knob.offset (box->getViewSize ().left + main->getViewSize ().left,
		             box->getViewSize ().top + main->getViewSize ().top);

		std::printf ("%d x %d, Duration knob at (%g, %g, %g, %g)\n", width, height, knob.left, knob.top, knob.right,
		             knob.bottom);
		print ("Duration knob", compare (ours, reference, knob));
		print ("whole editor", compare (ours, reference, frame->getViewSize ()));
		if (row >= 0)
		{
			printRow ("ours     ", ours, row, int (knob.left), int (knob.right));
			printRow ("reference", reference, row, int (knob.left), int (knob.right));
		}
		cairo_surface_destroy (reference);
		cairo_surface_destroy (ours);
		view->removed ();
		view->setFrame (nullptr);
		controller->terminate ();
	}
	ModuleExit ();
	return result;
}
