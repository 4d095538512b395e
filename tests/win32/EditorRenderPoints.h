// The editor's colours at interior points of every control and caption, measured on the Linux rendering at
// 200 × 336 with every control at the start of its range. Another back end's rendering, or a screenshot of it,
// must hold the same colours within what anti-aliasing (none under Wine) and gradient rounding move.
#pragma once

#include "vstgui/lib/ccolor.h"

#include <cstdlib>
#include <string>

namespace QuorvaneTest
{

struct EditorRenderPoint
{
	const char* what;
	double x, y; // design units at 200 × 336
	VSTGUI::CColor color;
};

using VSTGUI::CColor;

inline const EditorRenderPoint editorRenderPoints[] = {
#include "EditorRenderPoints.inc"
};

/** Within 24 per channel; alpha only where the rendering has one to compare. */
inline bool nearEditorColour (const VSTGUI::CColor& got, const VSTGUI::CColor& expected, bool withAlpha = true)
{
	auto close = [] (int u, int v) { return std::abs (u - v) <= 24; };
	return close (got.red, expected.red) && close (got.green, expected.green) && close (got.blue, expected.blue) &&
	       (!withAlpha || close (got.alpha, expected.alpha));
}

inline std::string colourText (const VSTGUI::CColor& c)
{
	return "rgba(" + std::to_string (c.red) + ", " + std::to_string (c.green) + ", " + std::to_string (c.blue) + ", " +
	       std::to_string (c.alpha) + ")";
}

} // namespace QuorvaneTest
