// A graphics path as Direct2D path geometry: each subpath a figure of lines and cubic Béziers.
#pragma once

#include "../../../cgraphicspath.h"
#include "../comptr.h"

#include <d2d1.h>

namespace VSTGUI
{

// From a path's flattened elements (CGraphicsPath::flattenedElements, aligned already where integral mode wants
// it). Null when a point is not finite (nothing of such a path is drawn) or Direct2D fails.
COM::Ptr<ID2D1PathGeometry> createD2DPathGeometry (const CGraphicsPath::ElementList& elements, D2D1_FILL_MODE fillMode);

// The figures of those elements, into an open sink (the sink is neither given a fill mode nor closed). A Bézier
// curve that traces a straight line goes in as that line.
void addD2DFigures (ID2D1GeometrySink& sink, const CGraphicsPath::ElementList& elements);

} // namespace VSTGUI
