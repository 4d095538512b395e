// Layout record of a letterboxed view: the eight factors of a ResizeView, applied to the largest box of
// height ÷ width = `aspect` that fits the parent, centred in it.
#pragma once

#include "vstgui/lib/crect.h"

struct ResizeViewA
{
	float c0, c1, c2, c3, c4, c5, c6, c7;
	float aspect;

	/** The rectangle, relative to the parent's top-left corner, for a parent of the given rectangle. */
	VSTGUI::CRect place (const VSTGUI::CRect& parent) const;
};
