// The opened editor draws what its parameters say, at once after a host change, and renders as a whole:
// PNG snapshots at 200 × 336, 400 × 672 and 400 × 336 are written next to the test binary for looking at.

#include "editor/EditorTestSupport.h"
#include "editor/RecordingContext.h"

#include "editor/DrawSvgImage.h"
#include "editor/ParsedSvg.h"
#include "editor/artwork/Artwork.h"

#include "plugin/ids.h"

using namespace VSTGUI;

namespace
{

std::vector<RecordedImage> recordView (CView* view)
{
	RecordingContext context;
	view->draw (&context);
	return context.images;
}

std::vector<RecordedImage> recordDocument (const char* document, const CRect& rect)
{
	RecordingContext context;
	ParsedSvg (document).draw (&context, rect, false);
	return context.images;
}

bool rectsOverlap (const std::vector<CRect>& region, const CRect& r)
{
	for (const auto& part : region)
		if (part.rectOverlap (r))
			return true;
	return false;
}

} // namespace

using EditorDrawing = OpenEditorTest;

TEST_F (EditorDrawing, HostChangesRedrawTheSpinnerAndTheSwitchAtOnce)
{
	open ();
	platform ()->renderAll ();
	CView* spinner = child (kNoteSyncSpinner);
	struct Case
	{
		const char* entry;
		double normalized;
		size_t frame;
	} cases[] = {{"1/16", 0.75, 6}, {"4/1", 0., 0}, {"1/64", 1., 8}, {"1/4", 0.5, 4}};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.entry);
		platform ()->renderInvalid ();
		controller->setParamNormalized (kNoteSyncId, c.normalized);
		// No timer tick and no idle pass: the change invalidates the spinner by itself.
		EXPECT_TRUE (rectsOverlap (platform ()->getInvalidRegion (), inFrame (spinner)));
		EXPECT_EQ (recordView (spinner), recordDocument (noteSyncSvgs[c.frame], spinner->getViewSize ()));
	}

	CView* bypass = child (kBypassSwitch);
	for (double value : {1., 0.})
	{
		platform ()->renderInvalid ();
		controller->setParamNormalized (kBypassId, value);
		EXPECT_TRUE (rectsOverlap (platform ()->getInvalidRegion (), inFrame (bypass)));
		EXPECT_EQ (recordView (bypass),
		           recordDocument (value == 1. ? bypassOnSvg : bypassOffSvg, bypass->getViewSize ()));
	}
}

TEST_F (EditorDrawing, RendersTheWholeWindowAtEachSize)
{
	struct Case
	{
		const char* file;
		Steinberg::int32 width, height;
	} cases[] = {{"editor-200x336.png", 200, 336}, {"editor-400x672.png", 400, 672}, {"editor-400x336.png", 400, 336}};
	open ();
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.file);
		resize (c.width, c.height);
		platform ()->renderAll ();
		ASSERT_EQ (platform ()->getPixelWidth (), uint32_t (c.width));
		ASSERT_EQ (platform ()->getPixelHeight (), uint32_t (c.height));
		EXPECT_TRUE (platform ()->writePNG (std::string (QUORVANE_EDITOR_PNG_DIR) + "/" + c.file));

		const double scale = mainContainer ()->getViewSize ().getWidth () / 200.;
		const CRect box = aspectBox ()->getViewSize ();
		auto at = [&] (double x, double y)
		{ return platform ()->getPixel (uint32_t (box.left + x * scale), uint32_t (box.top + y * scale)); };
		// Opaque everywhere: the background covers the frame.
		EXPECT_EQ (platform ()->getPixel (0, 0).alpha, 255);
		EXPECT_EQ (platform ()->getPixel (uint32_t (c.width - 1), uint32_t (c.height - 1)).alpha, 255);
		// Plain black panel between the control frame and the Bypass plate.
		EXPECT_EQ (at (100, 283.5), CColor (0, 0, 0, 255));
		// The lit red lamp of the Bypass plate (Bypass off), at the plate's right end.
		const CColor lamp = at (177.9, 307.1);
		EXPECT_GT (lamp.red, 200);
		EXPECT_GT (lamp.red, 2 * lamp.green);
		EXPECT_GT (lamp.red, 2 * lamp.blue);
	}
	// At 400 × 336 the design keeps 200 × 336, centred on black.
	EXPECT_EQ (platform ()->getPixel (50, 168), CColor (0, 0, 0, 255));
	EXPECT_EQ (platform ()->getPixel (350, 168), CColor (0, 0, 0, 255));
}
