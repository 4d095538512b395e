#include "Image.h"

Image::Image (const VSTGUI::CRect& rect, const char* document, bool stretch)
    : CView (rect), svg (document), stretch (stretch)
{
}

void Image::draw (VSTGUI::CDrawContext* context)
{
	svg.draw (context, getViewSize (), stretch);
	setDirty (false);
}

void Image::drawRect (VSTGUI::CDrawContext* context, const VSTGUI::CRect& /*updateRect*/)
{
	draw (context);
}
