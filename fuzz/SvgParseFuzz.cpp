// Feeds arbitrary bytes to the SVG parser and walks the result, checking the shape invariants the drawing
// code relies on: 1 + 3k points per path, known paint types, finite numbers, stops in order.
#include "nanosvg.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{

void check (bool condition)
{
	if (!condition)
		std::abort ();
}

void checkPaint (const NSVGpaint& paint)
{
	check (paint.type >= NSVG_PAINT_NONE && paint.type <= NSVG_PAINT_RADIAL_GRADIENT);
	if (paint.type == NSVG_PAINT_LINEAR_GRADIENT || paint.type == NSVG_PAINT_RADIAL_GRADIENT)
	{
		const NSVGgradient* g = paint.gradient;
		check (g != nullptr && g->nstops >= 1);
		for (float v : g->xform)
			check (std::isfinite (v));
		check (std::isfinite (g->fx) && std::isfinite (g->fy));
		for (int i = 0; i < g->nstops; ++i)
		{
			check (g->stops[i].offset >= 0.f && g->stops[i].offset <= 1.f);
			if (i > 0)
				check (g->stops[i].offset >= g->stops[i - 1].offset);
		}
	}
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
	std::vector<char> text (data, data + size);
	text.push_back ('\0');
	const char* units[] = {"px", "mm", "in"};
	NSVGimage* image = nsvgParse (text.data (), units[size % 3], 96.f);
	if (!image)
		return 0;
	check (std::isfinite (image->width) && std::isfinite (image->height));
	for (NSVGshape* shape = image->shapes; shape; shape = shape->next)
	{
		checkPaint (shape->fill);
		checkPaint (shape->stroke);
		check (std::isfinite (shape->strokeWidth) && shape->strokeWidth >= 0.f);
		check (shape->opacity >= 0.f && shape->opacity <= 1.f);
		check (shape->paths != nullptr);
		for (NSVGpath* path = shape->paths; path; path = path->next)
		{
			check (path->npts >= 4 && (path->npts - 1) % 3 == 0);
			for (int i = 0; i < path->npts * 2; ++i)
				check (std::isfinite (path->pts[i]));
		}
	}
	nsvgDelete (image);
	return 0;
}
