// A graphics path as Direct2D path geometry: each subpath a figure of lines and cubic Béziers.
#pragma once

#include "../../../cgraphicspath.h"
#include "../comptr.h"

#include <d2d1.h>

namespace VSTGUI
{

// Points are mapped through `transformation` when one is given. With `pixelAlignment` (the transform to
// device pixels) every point, control points included, is moved so that it lands on a whole device pixel, as
// integral draw mode wants. Null when a point is not finite (nothing of such a path is drawn) or Direct2D fails.
COM::Ptr<ID2D1PathGeometry> createD2DPathGeometry (const CGraphicsPath& path, const CGraphicsTransform* transformation,
                                                   D2D1_FILL_MODE fillMode,
                                                   const CGraphicsTransform* pixelAlignment = nullptr);

// `point` moved onto the nearest whole device pixel of `toDevice`.
CPoint pixelAligned (const CGraphicsTransform& toDevice, const CPoint& point);

} // namespace VSTGUI
