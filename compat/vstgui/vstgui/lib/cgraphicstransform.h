// A 2-D affine transform: (x, y) maps to (m11·x + m12·y + dx, m21·x + m22·y + dy).
#pragma once

#include "cpoint.h"
#include "crect.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI
{

inline double radians (double degrees)
{
	return degrees * 3.14159265358979323846 / 180.;
}

struct CGraphicsTransform
{
	double m11{1.};
	double m12{0.};
	double m21{0.};
	double m22{1.};
	double dx{0.};
	double dy{0.};

	CGraphicsTransform () = default;
	CGraphicsTransform (double m11, double m12, double m21, double m22, double dx, double dy)
	    : m11 (m11), m12 (m12), m21 (m21), m22 (m22), dx (dx), dy (dy)
	{
	}

	// The builders apply their operation after the transform built so far.
	CGraphicsTransform& translate (double x, double y) { return concat (CGraphicsTransform (1, 0, 0, 1, x, y)); }
	CGraphicsTransform& translate (const CPoint& p) { return translate (p.x, p.y); }
	CGraphicsTransform& scale (double x, double y) { return concat (CGraphicsTransform (x, 0, 0, y, 0, 0)); }
	CGraphicsTransform& scale (const CPoint& p) { return scale (p.x, p.y); }
	// Degrees; with y growing downwards a positive angle turns clockwise on screen.
	CGraphicsTransform& rotate (double angle)
	{
		const double a = radians (angle);
		return concat (CGraphicsTransform (std::cos (a), -std::sin (a), std::sin (a), std::cos (a), 0, 0));
	}
	CGraphicsTransform& rotate (double angle, const CPoint& center)
	{
		return translate (-center.x, -center.y).rotate (angle).translate (center.x, center.y);
	}
	CGraphicsTransform& skewX (double angle)
	{
		return concat (CGraphicsTransform (1, std::tan (radians (angle)), 0, 1, 0, 0));
	}
	CGraphicsTransform& skewY (double angle)
	{
		return concat (CGraphicsTransform (1, 0, std::tan (radians (angle)), 1, 0, 0));
	}

	bool isInvariant () const { return *this == CGraphicsTransform (); }
	bool isOnlyTranslation () const { return m11 == 1. && m12 == 0. && m21 == 0. && m22 == 1.; }

	void transform (CCoord& x, CCoord& y) const
	{
		const CCoord x2 = m11 * x + m12 * y + dx;
		const CCoord y2 = m21 * x + m22 * y + dy;
		x = x2;
		y = y2;
	}
	// The bounding box of the transformed corners of (left, top, right, bottom).
	void transform (CCoord& left, CCoord& right, CCoord& top, CCoord& bottom) const
	{
		CCoord x[4] = {left, right, right, left};
		CCoord y[4] = {top, top, bottom, bottom};
		for (int i = 0; i < 4; ++i)
			transform (x[i], y[i]);
		left = *std::min_element (x, x + 4);
		right = *std::max_element (x, x + 4);
		top = *std::min_element (y, y + 4);
		bottom = *std::max_element (y, y + 4);
	}
	CPoint& transform (CPoint& p) const
	{
		transform (p.x, p.y);
		return p;
	}
	CRect& transform (CRect& r) const
	{
		transform (r.left, r.right, r.top, r.bottom);
		return r;
	}

	// *this = t ∘ *this: t acts after this transform.
	CGraphicsTransform& concat (const CGraphicsTransform& t)
	{
		*this = t * *this;
		return *this;
	}

	// The inverse; a singular transform has none and yields the identity.
	CGraphicsTransform inverse () const
	{
		const double det = m11 * m22 - m12 * m21;
		if (det == 0. || !std::isfinite (det))
			return {};
		const double inv = 1. / det;
		return {m22 * inv, -m12 * inv, -m21 * inv, m11 * inv, (m12 * dy - m22 * dx) * inv, (m21 * dx - m11 * dy) * inv};
	}

	// (a * b)(p) = a(b(p)).
	CGraphicsTransform operator* (const CGraphicsTransform& t) const
	{
		return {m11 * t.m11 + m12 * t.m21, m11 * t.m12 + m12 * t.m22,    m21 * t.m11 + m22 * t.m21,
		        m21 * t.m12 + m22 * t.m22, m11 * t.dx + m12 * t.dy + dx, m21 * t.dx + m22 * t.dy + dy};
	}

	bool operator== (const CGraphicsTransform& t) const
	{
		return m11 == t.m11 && m12 == t.m12 && m21 == t.m21 && m22 == t.m22 && dx == t.dx && dy == t.dy;
	}
	bool operator!= (const CGraphicsTransform& t) const { return !(*this == t); }
};

} // namespace VSTGUI
