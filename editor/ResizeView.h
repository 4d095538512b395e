// Layout record of a view: eight factors that give the view's rectangle as a linear function of its
// parent's width W and height H (left = c0·W + c1·H, top = c2·W + c3·H, right = c4·W + c5·H,
// bottom = c6·W + c7·H), computed in float32 so every platform places every view identically.
#pragma once

#include "vstgui/lib/crect.h"

struct ResizeView
{
	float c0, c1, c2, c3, c4, c5, c6, c7;

	/** The rectangle, relative to the parent's top-left corner, for a parent of the given rectangle. */
	VSTGUI::CRect place (const VSTGUI::CRect& parent) const;
};
