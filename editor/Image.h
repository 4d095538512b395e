// Passive artwork: one SVG document drawn over the view, fitted uniformly and centred, or stretched.
#pragma once

#include "ParsedSvg.h"

#include "vstgui/lib/cview.h"

struct Image : VSTGUI::CView
{
	/** `document` is copied; `stretch` true fills the rectangle on both axes, false keeps the proportions. */
	Image (const VSTGUI::CRect& rect, const char* document, bool stretch);

	void draw (VSTGUI::CDrawContext* context) override;
	/** The whole document is drawn whatever the update rectangle. */
	void drawRect (VSTGUI::CDrawContext* context, const VSTGUI::CRect& updateRect) override;

	ParsedSvg svg;
	bool stretch;

protected:
	~Image () noexcept override = default;
};
