#include "pixelalign.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace VSTGUI
{
namespace
{

int pointCount (CGraphicsPath::Element::Type type)
{
	switch (type)
	{
	case CGraphicsPath::Element::kBezierCurve:
		return 3;
	case CGraphicsPath::Element::kBeginSubpath:
	case CGraphicsPath::Element::kLine:
		return 1;
	default:
		return 0;
	}
}

} // namespace

CPoint pixelAlign (const CGraphicsTransform& toDevice, const CPoint& p)
{
	CPoint q = p;
	toDevice.transform (q);
	q.x = std::round (q.x);
	q.y = std::round (q.y);
	return toDevice.inverse ().transform (q);
}

CRect pixelAlign (const CGraphicsTransform& toDevice, const CRect& r)
{
	CRect q = r;
	toDevice.transform (q);
	q.left = std::round (q.left);
	q.top = std::round (q.top);
	q.right = std::round (q.right);
	q.bottom = std::round (q.bottom);
	return toDevice.inverse ().transform (q);
}

void pixelAlign (const CGraphicsTransform& toDevice, CGraphicsPath::ElementList& flattenedElements)
{
	for (auto& e : flattenedElements)
	{
		for (int i = 0; i < pointCount (e.type); ++i)
			e.points[i] = pixelAlign (toDevice, e.points[i]);
	}
}

CPoint lineWidthTranslate (CCoord lineWidth)
{
	// Whole numbers as a conversion to int32 sees them; widths beyond its range would overflow it and count as
	// not whole.
	if (!(std::fabs (lineWidth) < double (std::numeric_limits<int32_t>::max ())))
		return {};
	const auto whole = static_cast<int32_t> (lineWidth);
	if (static_cast<CCoord> (whole) == lineWidth && whole % 2 != 0)
		return {0.5, 0.5};
	return {};
}

CRect rectToDraw (const CGraphicsTransform& toDevice, CRect rect, CDrawStyle style, bool integralMode,
                  CCoord lineWidth)
{
	if (style != kDrawFilled)
	{
		rect.right -= 1.;
		rect.bottom -= 1.;
	}
	if (!integralMode)
	{
		rect.left += 0.5;
		rect.top += 0.5;
		return rect;
	}
	rect = pixelAlign (toDevice, rect);
	if (style != kDrawFilled)
		rect.offset (lineWidthTranslate (lineWidth));
	return rect;
}

} // namespace VSTGUI
