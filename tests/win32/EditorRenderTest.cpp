// The whole editor drawn offscreen by the platform's own back end (cairo on Linux, Direct2D on Windows) at
// 200 × 336 and 400 × 672. The same interior points of every control and caption hold the same colours on
// both platforms, within what anti-aliasing (none under Wine) and gradient rounding move; the snapshots are
// written next to the test program for looking at.
#include "EditorRenderPoints.h"
#include "HangGuard.h"

#include "editor/DuckerViewTree.h"

#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/ccontrol.h"
#include "vstgui/lib/platform/offscreen/offscreenframe.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <string>

using namespace VSTGUI;

namespace
{

struct NoListener : IControlListener
{
	void valueChanged (CControl*) override {}
};

} // namespace

TEST (EditorRender, InteriorPointsOfEveryControlAtBothSizes)
{
	for (int scale : {1, 2})
	{
		const int width = 200 * scale, height = 336 * scale;
		SCOPED_TRACE (std::to_string (width) + " x " + std::to_string (height));
		NoListener listener;
		auto* frame = new CFrame (CRect (0, 0, 1, 1), nullptr);
		addDuckerViewTree (frame, &listener);
		ASSERT_TRUE (frame->open (nullptr));
		// Views place themselves when their parent's size changes.
		frame->setSize (width, height);
		auto* platform = dynamic_cast<OffscreenPlatformFrame*> (frame->getPlatformFrame ().get ());
		ASSERT_NE (platform, nullptr);
		{
			HangGuard guard (std::chrono::seconds (60), "rendering the editor");
			platform->renderAll ();
		}
		const std::string png = "editor-render-" + std::to_string (width) + "x" + std::to_string (height) + ".png";
		EXPECT_TRUE (platform->writePNG (png));
		ASSERT_EQ (platform->getPixelWidth (), uint32_t (width));
		const bool dump = std::getenv ("QUORVANE_DUMP_RENDER_POINTS") != nullptr;
		for (const auto& p : QuorvaneTest::editorRenderPoints)
		{
			const CColor got = platform->getPixel (uint32_t (p.x * scale), uint32_t (p.y * scale));
			if (dump)
				std::cout << p.what << " " << p.x << "," << p.y << ": " << QuorvaneTest::colourText (got) << "\n";
			EXPECT_TRUE (QuorvaneTest::nearEditorColour (got, p.color))
			    << p.what << " at " << p.x << ", " << p.y << ": " << QuorvaneTest::colourText (got) << ", expected "
			    << QuorvaneTest::colourText (p.color);
		}
		frame->close ();
	}
}
