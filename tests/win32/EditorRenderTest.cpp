// The whole editor drawn offscreen by the platform's own back end (cairo on Linux, Direct2D on Windows) at
// 200 × 336 and 400 × 672. The same interior points of every control and caption hold the same colours on
// both platforms, within what anti-aliasing (none under Wine) and gradient rounding move; the snapshots are
// written next to the test program for looking at.
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

struct Point
{
	const char* what;
	double x, y; // design units at 200 × 336
	CColor color;
};

// Measured on the Linux rendering; the Windows rendering must match within the tolerance.
constexpr int kTolerance = 24;
const Point points[] = {
#include "EditorRenderPoints.inc"
};

bool near (const CColor& a, const CColor& b)
{
	auto close = [] (int u, int v) { return std::abs (u - v) <= kTolerance; };
	return close (a.red, b.red) && close (a.green, b.green) && close (a.blue, b.blue) && close (a.alpha, b.alpha);
}

std::string text (const CColor& c)
{
	return "rgba(" + std::to_string (c.red) + ", " + std::to_string (c.green) + ", " + std::to_string (c.blue) + ", " +
	       std::to_string (c.alpha) + ")";
}

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
		for (const auto& p : points)
		{
			const CColor got = platform->getPixel (uint32_t (p.x * scale), uint32_t (p.y * scale));
			if (dump)
				std::cout << p.what << " " << p.x << "," << p.y << ": " << text (got) << "\n";
			EXPECT_TRUE (near (got, p.color))
			    << p.what << " at " << p.x << ", " << p.y << ": " << text (got) << ", expected " << text (p.color);
		}
		frame->close ();
	}
}
