// Compiled with -ffp-contract=off as a target option (editor/CMakeLists.txt), on top of the project-wide
// flag: the letterbox must round every product and sum to float32 on its own (see ResizeView.cpp).
#include "ResizeViewA.h"

using VSTGUI::CRect;

CRect ResizeViewA::place (const CRect& parent) const
{
	const float w = static_cast<float> (parent.right - parent.left);
	const float h = static_cast<float> (parent.bottom - parent.top);
	const float ratio = h / w;
	float boxWidth = w;
	float boxHeight = h;
	double offsetX = 0.;
	double offsetY = 0.;
	// Strictly taller than the box: full width, the spare height split above and below. Otherwise (also for
	// an exact fit and for the NaN of a 0 × 0 parent) full height, the spare width split left and right.
	if (ratio > aspect)
	{
		boxHeight = aspect * w;
		offsetY = static_cast<double> (h - boxHeight) * 0.5;
	}
	else
	{
		boxWidth = h / aspect;
		offsetX = static_cast<double> (w - boxWidth) * 0.5;
	}
	const float left = c0 * boxWidth + c1 * boxHeight;
	const float top = c2 * boxWidth + c3 * boxHeight;
	const float right = c4 * boxWidth + c5 * boxHeight;
	const float bottom = c6 * boxWidth + c7 * boxHeight;
	return CRect (static_cast<double> (left) + offsetX, static_cast<double> (top) + offsetY,
	              static_cast<double> (right) + offsetX, static_cast<double> (bottom) + offsetY);
}
