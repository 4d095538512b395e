// Editor speed, all in one run: a full repaint of the opened editor at three sizes against cairo drawing the
// same parsed documents directly; one knob's redraw after a value change against a full repaint; opening the
// editor end to end (createView, attaching without a window, first paint) against parsing the artwork plus
// one full repaint. Times in microseconds; the ratios are what matters.

#include "bench/AppendShapePath.h"
#include "bench/RatioReporter.h"

#include "controller/DuckerController.h"
#include "editor/Checkbox.h"
#include "editor/DuckerEditor.h"
#include "editor/Image.h"
#include "editor/Knob.h"
#include "editor/Slider.h"
#include "editor/SpinKnob.h"
#include "editor/Spinner.h"
#include "editor/artwork/Artwork.h"
#include "host/PlugFrame.h"
#include "plugin/ids.h"

#include "pluginterfaces/gui/iplugview.h"
#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/cviewcontainer.h"
#include "vstgui/lib/platform/linux/cairobitmap.h"
#include "vstgui/lib/platform/offscreen/offscreenframe.h"

#include <benchmark/benchmark.h>
#include <cairo.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

extern "C" bool ModuleEntry (void* sharedLibraryHandle);
extern "C" bool ModuleExit ();

using namespace VSTGUI;

namespace
{

constexpr int kSizes[][2] = {{200, 336}, {400, 672}, {1600, 2688}};

void editorSizes (benchmark::internal::Benchmark* b)
{
	b->ArgNames ({"w", "h"});
	for (const auto& size : kSizes)
		b->Args ({size[0], size[1]});
	b->Unit (benchmark::kMicrosecond);
}

struct ControllerDeleter
{
	void operator() (DuckerController* controller) const
	{
		controller->terminate ();
		controller->release ();
	}
};
using ControllerPtr = std::unique_ptr<DuckerController, ControllerDeleter>;

/** A controller right after a host's initialize, with `width` × `height` stored as the editor size. */
ControllerPtr newController (int width, int height)
{
	auto* unknown = DuckerController::createInstance (nullptr);
	ControllerPtr controller (static_cast<DuckerController*> (static_cast<Steinberg::Vst::IEditController*> (unknown)));
	controller->initialize (nullptr);
	controller->setWinSize ({width, height});
	return controller;
}

// The editor opened as a host opens it, without a window: createView, the host's plug frame (which grants
// every resize, here without a window or run loop), attached with no parent, so the frame is offscreen.
class OpenEditor
{
public:
	explicit OpenEditor (DuckerController& controller)
	    : plugFrame (Steinberg::owned (new QuorvaneHost::PlugFrame (nullptr, nullptr)))
	{
		view = Steinberg::owned (controller.createView ("editor"));
		if (view && view->setFrame (plugFrame) == Steinberg::kResultOk &&
		    view->attached (nullptr, "X11EmbedWindowID") == Steinberg::kResultTrue)
			attached = true;
	}
	~OpenEditor ()
	{
		if (attached)
			view->removed ();
		if (view)
			view->setFrame (nullptr);
	}

	/** The offscreen platform frame, or null when the editor did not open. */
	OffscreenPlatformFrame* platform () const
	{
		CFrame* open = attached ? frame () : nullptr;
		return open ? dynamic_cast<OffscreenPlatformFrame*> (open->getPlatformFrame ().get ()) : nullptr;
	}
	CFrame* frame () const { return static_cast<DuckerEditor*> (view.get ())->getFrame (); }

private:
	Steinberg::IPtr<QuorvaneHost::PlugFrame> plugFrame;
	Steinberg::IPtr<Steinberg::IPlugView> view;
	bool attached{false};
};

cairo_surface_t* surfaceOf (const OffscreenPlatformFrame& platform)
{
	CBitmap* bitmap = platform.getBitmap ();
	auto* cairoBitmap = bitmap ? dynamic_cast<Cairo::Bitmap*> (bitmap->getPlatformBitmap ().get ()) : nullptr;
	return cairoBitmap ? cairoBitmap->getSurface () : nullptr;
}

//------------------------------------------------------------------------ the baseline: cairo directly

// One document as a view draws it: fitted (or stretched) into a rectangle in frame coordinates, turned by
// `transform` about the rectangle's centre.
struct DocumentDraw
{
	NSVGimage* image;
	CRect rect;
	bool stretch;
	CGraphicsTransform transform;
};

void addDocument (const ParsedSvg& svg, const CRect& rect, bool stretch, std::vector<DocumentDraw>& out,
                  const CGraphicsTransform& transform = {})
{
	if (svg.image ())
		out.push_back ({svg.image (), rect, stretch, transform});
}

// What each of the editor's views shows for its current value; false for a view this baseline does not know.
bool addView (const CView& view, const CPoint& offset, std::vector<DocumentDraw>& out)
{
	CRect rect = view.getViewSize ();
	rect.offset (offset.x, offset.y);
	auto inFrame = [&] (CRect r)
	{
		r.offset (offset.x, offset.y);
		return r;
	};
	if (auto* image = dynamic_cast<const Image*> (&view))
		addDocument (image->svg, rect, image->stretch, out);
	else if (auto* box = dynamic_cast<const Checkbox*> (&view))
		addDocument (box->getValue () == box->getMax () ? box->onSvg : box->offSvg, rect, false, out);
	else if (auto* slider = dynamic_cast<const Slider*> (&view))
	{
		addDocument (slider->trackSvg, rect, false, out);
		addDocument (slider->handleSvg, inFrame (slider->handleRect ()), false, out);
	}
	else if (auto* knob = dynamic_cast<const Knob*> (&view))
	{
		addDocument (knob->bodySvg, rect, false, out);
		addDocument (knob->dotSvg, inFrame (knob->dotRect ()), false, out);
	}
	else if (auto* spinKnob = dynamic_cast<const SpinKnob*> (&view))
	{
		const double c = std::cos (spinKnob->drawnAngle ()), s = std::sin (spinKnob->drawnAngle ());
		addDocument (spinKnob->svg, rect, false, out, CGraphicsTransform (c, -s, s, c, 0., 0.));
	}
	else if (auto* spinner = dynamic_cast<const Spinner*> (&view))
		addDocument (spinner->frames[spinner->frameIndex ()], rect, false, out);
	else
		return false;
	return true;
}

bool collectDocuments (const CViewContainer& container, const CPoint& offset, std::vector<DocumentDraw>& out)
{
	for (uint32_t i = 0; i < container.getNbViews (); ++i)
	{
		const CView& child = *container.getView (i);
		if (auto* inner = const_cast<CView&> (child).asViewContainer ())
		{
			const CPoint origin = offset + child.getViewSize ().getTopLeft ();
			if (!collectDocuments (*inner, origin, out))
				return false;
		}
		else if (!addView (child, offset, out))
			return false;
	}
	return true;
}

void setColour (cairo_t* cr, unsigned int packed)
{
	cairo_set_source_rgba (cr, (packed & 0xff) / 255., ((packed >> 8) & 0xff) / 255., ((packed >> 16) & 0xff) / 255.,
	                       (packed >> 24) / 255.);
}

// A gradient fill by the editor's rules: the line from the gradient space's origin to (0, 1), or the circle
// about that origin reaching, from the image's horizontal centre line, the height of (0, 1); both mapped back
// into image units, where cairo's matrix puts the path too.
void setGradient (cairo_t* cr, const NSVGpaint& paint, double imageHeight)
{
	const NSVGgradient* g = paint.gradient;
	cairo_matrix_t toImage;
	cairo_matrix_init (&toImage, g->xform[0], g->xform[1], g->xform[2], g->xform[3], g->xform[4], g->xform[5]);
	if (cairo_matrix_invert (&toImage) != CAIRO_STATUS_SUCCESS)
		cairo_matrix_init_identity (&toImage);
	double ox = 0., oy = 0., ex = 0., ey = 1.;
	cairo_matrix_transform_point (&toImage, &ox, &oy);
	cairo_matrix_transform_point (&toImage, &ex, &ey);
	cairo_pattern_t* pattern = paint.type == NSVG_PAINT_LINEAR_GRADIENT
	                               ? cairo_pattern_create_linear (ox, oy, ex, ey)
	                               : cairo_pattern_create_radial (ox, oy, 0., ox, oy, ey - imageHeight / 2.);
	for (int i = 0; i < g->nstops; ++i)
	{
		const unsigned int c = g->stops[i].color;
		cairo_pattern_add_color_stop_rgba (pattern, g->stops[i].offset, (c & 0xff) / 255., ((c >> 8) & 0xff) / 255.,
		                                   ((c >> 16) & 0xff) / 255., (c >> 24) / 255.);
	}
	cairo_pattern_set_extend (pattern, CAIRO_EXTEND_PAD);
	cairo_set_source (cr, pattern);
	cairo_pattern_destroy (pattern);
}

void drawDocument (cairo_t* cr, const DocumentDraw& d, double deviceScale)
{
	const NSVGimage& image = *d.image;
	const double w = d.rect.getWidth (), h = d.rect.getHeight ();
	double sx = w / image.width, sy = h / image.height;
	if (!d.stretch)
		sx = sy = std::min (sx, sy);
	const CGraphicsTransform& t = d.transform;
	const cairo_matrix_t turn = {t.m11, t.m21, t.m12, t.m22, t.dx, t.dy};
	cairo_identity_matrix (cr);
	cairo_scale (cr, deviceScale, deviceScale);
	cairo_translate (cr, d.rect.left + w / 2., d.rect.top + h / 2.);
	cairo_transform (cr, &turn);
	cairo_scale (cr, sx, sy);
	cairo_translate (cr, -image.width / 2., -image.height / 2.);
	cairo_matrix_t drawing;
	cairo_get_matrix (cr, &drawing);

	for (const NSVGshape* shape = image.shapes; shape; shape = shape->next)
	{
		cairo_set_matrix (cr, &drawing);
		appendShapePath (cr, *shape);
		const bool gradient =
		    shape->fill.type == NSVG_PAINT_LINEAR_GRADIENT || shape->fill.type == NSVG_PAINT_RADIAL_GRADIENT;
		if (shape->fill.type == NSVG_PAINT_COLOR)
			setColour (cr, shape->fill.color);
		else if (gradient)
			setGradient (cr, shape->fill, image.height);
		if (shape->fill.type == NSVG_PAINT_COLOR || gradient)
			cairo_fill_preserve (cr);
		if (shape->stroke.type == NSVG_PAINT_COLOR)
		{
			// The stroke width is in frame units, as the editor keeps it.
			cairo_identity_matrix (cr);
			cairo_scale (cr, deviceScale, deviceScale);
			cairo_set_line_width (cr, shape->strokeWidth);
			setColour (cr, shape->stroke.color);
			cairo_stroke (cr);
		}
	}
	cairo_new_path (cr);
}

/** The whole window: black (the frame's background), then every document in the views' drawing order. */
void drawDirectly (cairo_t* cr, const std::vector<DocumentDraw>& documents, double deviceScale)
{
	cairo_set_source_rgb (cr, 0., 0., 0.);
	cairo_paint (cr);
	for (const auto& d : documents)
		drawDocument (cr, d, deviceScale);
}

/** Pixels whose colour differs by more than `tolerance` in any channel between two images of one size. */
int64_t differingPixels (cairo_surface_t* a, cairo_surface_t* b, int tolerance)
{
	cairo_surface_flush (a);
	cairo_surface_flush (b);
	const int width = cairo_image_surface_get_width (a), height = cairo_image_surface_get_height (a);
	if (width != cairo_image_surface_get_width (b) || height != cairo_image_surface_get_height (b))
		return -1;
	int64_t count = 0;
	for (int y = 0; y < height; ++y)
	{
		auto* rowA = reinterpret_cast<const uint8_t*> (cairo_image_surface_get_data (a) +
		                                               y * cairo_image_surface_get_stride (a));
		auto* rowB = reinterpret_cast<const uint8_t*> (cairo_image_surface_get_data (b) +
		                                               y * cairo_image_surface_get_stride (b));
		for (int x = 0; x < 4 * width; x += 4)
			for (int c = 0; c < 4; ++c)
				if (std::abs (int (rowA[x + c]) - int (rowB[x + c])) > tolerance)
				{
					++count;
					break;
				}
	}
	return count;
}

//------------------------------------------------------------------------ the cases

/** The opened editor's platform frame; null, and the case skipped, when the editor did not open. */
OffscreenPlatformFrame* platformOrSkip (const OpenEditor& editor, benchmark::State& state)
{
	OffscreenPlatformFrame* platform = editor.platform ();
	if (!platform)
		state.SkipWithError ("the editor did not open");
	return platform;
}

/** The share of the case's window (width, height) that a painted region covers. */
double shareOfWindow (const std::vector<CRect>& region, const benchmark::State& state)
{
	double area = 0.;
	for (const auto& r : region)
		area += r.getWidth () * r.getHeight ();
	return area / (double (state.range (0)) * double (state.range (1)));
}

// The editor paints its whole window: renderAll asks the frame to draw everything.
void BM_EditorFullRepaint (benchmark::State& state)
{
	auto controller = newController (int (state.range (0)), int (state.range (1)));
	OpenEditor editor (*controller);
	OffscreenPlatformFrame* platform = platformOrSkip (editor, state);
	if (!platform)
		return;
	for (auto _ : state)
		platform->renderAll ();
	state.counters["pixels"] = double (platform->getPixelWidth ()) * platform->getPixelHeight ();
}
BENCHMARK (BM_EditorFullRepaint)->Apply (editorSizes);

// The editor's full repaint against the same documents, in the same rectangles and transforms, painted with
// cairo calls only. The two alternate paint by paint (and which goes first), so that both meet the same load
// on the machine; the counters give each one's microseconds per paint and their ratio. The pictures are
// compared afterwards: "differing" counts the pixels not the same to ±2 in every channel.
void BM_FullRepaintAgainstCairo (benchmark::State& state)
{
	auto controller = newController (int (state.range (0)), int (state.range (1)));
	OpenEditor editor (*controller);
	OffscreenPlatformFrame* platform = platformOrSkip (editor, state);
	std::vector<DocumentDraw> documents;
	if (!platform)
		return;
	if (!collectDocuments (*editor.frame (), CPoint (0., 0.), documents))
	{
		state.SkipWithError ("the editor holds a view this baseline does not draw");
		return;
	}
	const double scale = platform->getScaleFactor ();
	cairo_surface_t* surface = cairo_image_surface_create (CAIRO_FORMAT_ARGB32, int (platform->getPixelWidth ()),
	                                                       int (platform->getPixelHeight ()));
	cairo_t* cr = cairo_create (surface);
	using Clock = std::chrono::steady_clock;
	Clock::duration editorTime{}, cairoTime{};
	auto paintEditor = [&]
	{
		const auto start = Clock::now ();
		platform->renderAll ();
		editorTime += Clock::now () - start;
	};
	auto paintCairo = [&]
	{
		const auto start = Clock::now ();
		drawDirectly (cr, documents, scale);
		cairo_surface_flush (surface);
		cairoTime += Clock::now () - start;
	};
	bool editorFirst = false;
	for (auto _ : state)
	{
		editorFirst = !editorFirst;
		if (editorFirst)
		{
			paintEditor ();
			paintCairo ();
		}
		else
		{
			paintCairo ();
			paintEditor ();
		}
	}
	const double paints = double (state.iterations ());
	const double editorMicroseconds = std::chrono::duration<double, std::micro> (editorTime).count () / paints;
	const double cairoMicroseconds = std::chrono::duration<double, std::micro> (cairoTime).count () / paints;
	state.counters["editor_us"] = editorMicroseconds;
	state.counters["cairo_us"] = cairoMicroseconds;
	state.counters["ratio"] = editorMicroseconds / cairoMicroseconds;
	state.counters["documents"] = double (documents.size ());
	state.counters["differing"] = double (differingPixels (surface, surfaceOf (*platform), 2));
	cairo_destroy (cr);
	cairo_surface_destroy (surface);
}
BENCHMARK (BM_FullRepaintAgainstCairo)->Apply (editorSizes);

// A host moves the Mix parameter (automation); the knob follows at once and the frame paints only what was
// invalidated. The value alternates, so every iteration turns the knob.
void BM_EditorMixKnobRedraw (benchmark::State& state)
{
	auto controller = newController (int (state.range (0)), int (state.range (1)));
	OpenEditor editor (*controller);
	OffscreenPlatformFrame* platform = platformOrSkip (editor, state);
	if (!platform)
		return;
	platform->renderAll ();
	std::vector<CRect> painted;
	bool high = false;
	for (auto _ : state)
	{
		high = !high;
		controller->setParamNormalized (kMixId, high ? 0.75 : 0.25);
		painted = platform->renderInvalid ();
	}
	state.counters["painted"] = shareOfWindow (painted, state);
}
BENCHMARK (BM_EditorMixKnobRedraw)->Apply (editorSizes);

// From the host's createView to the first painted picture: the editor object, the plug frame, attaching
// (the frame opens offscreen, the view tree is built, every document parsed, the layout done at the stored
// size), then the first paint of the invalid region. Closing is not timed.
void BM_EditorOpen (benchmark::State& state)
{
	auto controller = newController (int (state.range (0)), int (state.range (1)));
	std::vector<CRect> painted;
	for (auto _ : state)
	{
		auto editor = std::make_unique<OpenEditor> (*controller);
		OffscreenPlatformFrame* platform = platformOrSkip (*editor, state);
		if (!platform)
			break;
		painted = platform->renderInvalid ();
		state.PauseTiming ();
		editor.reset ();
		state.ResumeTiming ();
	}
	state.counters["painted"] = shareOfWindow (painted, state);
}
BENCHMARK (BM_EditorOpen)->Apply (editorSizes);

// Parsing every document of the artwork once, from a copy (the parser writes into its input).
void BM_ParseArtwork (benchmark::State& state)
{
	std::vector<const char*> documents = {backgroundSvg,   panelSvg,         syncCaptionSvg,     mixKnobSvg,
	                                      mixCaptionSvg,   bypassOffSvg,     bypassOnSvg,        offsetTrackSvg,
	                                      offsetHandleSvg, offsetCaptionSvg, durationCaptionSvg, durationKnobSvg,
	                                      durationDotSvg,  versionSvg};
	documents.insert (documents.end (), noteSyncSvgs.begin (), noteSyncSvgs.end ());
	std::vector<std::string> copies (documents.size ());
	size_t bytes = 0;
	for (auto _ : state)
	{
		for (size_t i = 0; i < documents.size (); ++i)
		{
			copies[i].assign (documents[i]);
			NSVGimage* image = nsvgParse (copies[i].data (), "px", 96.f);
			benchmark::DoNotOptimize (image);
			nsvgDelete (image);
		}
	}
	for (const char* d : documents)
		bytes += std::strlen (d);
	state.counters["documents"] = double (documents.size ());
	state.counters["bytes"] = double (bytes);
}
BENCHMARK (BM_ParseArtwork)->Unit (benchmark::kMicrosecond);

class EditorRatios : public RatioReporter
{
	void printRatios () override
	{
		std::printf ("\neditor time / baseline time (same run):\n");
		std::printf ("  %-11s %10s %10s %10s %18s %10s %9s\n", "size", "full/cairo", "knob/full", "open/full",
		             "open/(parse+full)", "differing", "painted");
		for (const auto& size : kSizes)
		{
			const std::string args = "/w:" + std::to_string (size[0]) + "/h:" + std::to_string (size[1]);
			// The paired case's own ratio (the median of the repetitions' ratios when repeated).
			const std::string paired = "BM_FullRepaintAgainstCairo" + args + ":";
			const double full = time ("BM_EditorFullRepaint" + args);
			const double knob = time ("BM_EditorMixKnobRedraw" + args);
			const double open = time ("BM_EditorOpen" + args);
			const double parse = time ("BM_ParseArtwork");
			const std::string label = std::to_string (size[0]) + " x " + std::to_string (size[1]);
			std::printf ("  %-11s %10s %10s %10s %18s %10.0f %8.2f%%\n", label.c_str (),
			             ratio (counter (paired + "ratio"), 1.).c_str (), ratio (knob, full).c_str (),
			             ratio (open, full).c_str (),
			             ratio (open, full > 0. && parse > 0. ? parse + full : 0.).c_str (),
			             counter (paired + "differing"), 100. * counter ("BM_EditorMixKnobRedraw" + args + ":painted"));
		}
		std::printf ("(targets: full/cairo <= 1.2, knob/full <= 0.15; differing: pixels of the cairo baseline's "
		             "picture not within 2 of the editor's; painted: the knob redraw's share of the window)\n");
	}
};

} // namespace

int main (int argc, char** argv)
{
	// The GUI library starts with the module's entry and stops with its exit, as in a host.
	if (!ModuleEntry (nullptr))
		return 1;
	EditorRatios reporter;
	const int result = runBenchmarks (argc, argv, reporter);
	ModuleExit ();
	return result;
}
