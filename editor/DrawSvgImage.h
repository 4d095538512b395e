// Draws a parsed SVG document into a draw context as vector paths, fitted (or stretched) into a rectangle,
// with a caller transform applied about the document's centre.
#pragma once

#include "nanosvg.h"
#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/cgraphicstransform.h"
#include "vstgui/lib/crect.h"

// `stretch` false scales both axes by the smaller fit, centred; true fills the rectangle on both axes.
// Nothing is clipped to `rect`. The context keeps the draw mode, colours and line width last set here.
void drawSvgImage (VSTGUI::CDrawContext* context, NSVGimage* image, const VSTGUI::CRect& rect, bool stretch,
                   const VSTGUI::CGraphicsTransform& transform);
