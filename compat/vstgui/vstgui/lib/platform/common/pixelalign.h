// Integral-mode pixel alignment, shared by every drawing back end: a point is moved to the nearest device pixel
// corner by mapping it into device space, rounding x and y there and mapping it back, so the shape keeps its
// place in view units while its edges fall on whole pixels.
#pragma once

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

} // namespace VSTGUI
