// Compiled with -ffp-contract=off as a target option (editor/CMakeLists.txt), on top of the project-wide
// flag: a fused multiply-add would round c·W + c·H once instead of three times and move views by a fraction
// of a unit depending on the CPU and compiler. (g++ ignores `#pragma STDC FP_CONTRACT`, hence the option.)
#include "ResizeView.h"

using VSTGUI::CRect;

CRect ResizeView::place (const CRect& parent) const
{
	const float w = static_cast<float> (parent.right - parent.left);
	const float h = static_cast<float> (parent.bottom - parent.top);
	const float left = c0 * w + c1 * h;
	const float top = c2 * w + c3 * h;
	const float right = c4 * w + c5 * h;
	const float bottom = c6 * w + c7 * h;
	return CRect (left, top, right, bottom);
}
