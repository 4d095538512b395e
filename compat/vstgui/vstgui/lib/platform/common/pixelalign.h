// Integral-mode pixel alignment, shared by every drawing back end: a point is moved to the nearest device pixel
// corner by mapping it into device space, rounding x and y there and mapping it back, so the shape keeps its
// place in view units while its edges fall on whole pixels.
#pragma once

#include "../../cdrawdefs.h"
#include "../../cgraphicspath.h"
#include "../../cgraphicstransform.h"
#include "../../cpoint.h"
#include "../../crect.h"

namespace VSTGUI
{

// `toDevice` maps view units to device pixels (the context's transform, with any backing scale).
CPoint pixelAlign (const CGraphicsTransform& toDevice, const CPoint& p);
// Each edge rounded on its own in device space; under rotation the rectangle becomes the box around it.
CRect pixelAlign (const CGraphicsTransform& toDevice, const CRect& r);
// Every point of a flattened path, Bézier control points included.
void pixelAlign (const CGraphicsTransform& toDevice, CGraphicsPath::ElementList& flattenedElements);

// Lines and outlines of an odd whole-number width are centred half a unit off the aligned coordinates so that
// they cover whole pixels instead of straddling two; any other width needs no shift.
CPoint lineWidthTranslate (CCoord lineWidth);

// Where drawRect puts a rectangle: an outline runs through the rectangle's last row and column of pixels, not
// beyond them; in integral mode the edges are aligned (an outline then shifted for its width), otherwise every
// rectangle, filled ones too, sits half a unit in from its top-left corner.
CRect rectToDraw (const CGraphicsTransform& toDevice, CRect rect, CDrawStyle style, bool integralMode,
                  CCoord lineWidth);

} // namespace VSTGUI
