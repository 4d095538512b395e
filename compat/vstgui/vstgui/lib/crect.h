// An axis-aligned rectangle given by its left, top, right and bottom edges.
#pragma once

#include "cpoint.h"

#include <algorithm>

namespace VSTGUI
{

struct CRect
{
	constexpr CRect () = default;
	constexpr CRect (CCoord left, CCoord top, CCoord right, CCoord bottom)
	    : left (left), top (top), right (right), bottom (bottom)
	{
	}
	constexpr CRect (const CPoint& origin, const CPoint& size)
	    : left (origin.x), top (origin.y), right (origin.x + size.x), bottom (origin.y + size.y)
	{
	}

	CCoord left{0.};
	CCoord top{0.};
	CCoord right{0.};
	CCoord bottom{0.};

	constexpr bool operator== (const CRect& r) const
	{
		return left == r.left && top == r.top && right == r.right && bottom == r.bottom;
	}
	constexpr bool operator!= (const CRect& r) const { return !(*this == r); }

	CRect& set (CCoord l, CCoord t, CCoord r, CCoord b)
	{
		left = l;
		top = t;
		right = r;
		bottom = b;
		return *this;
	}
	constexpr CCoord getWidth () const { return right - left; }
	constexpr CCoord getHeight () const { return bottom - top; }
	CRect& setWidth (CCoord width)
	{
		right = left + width;
		return *this;
	}
	CRect& setHeight (CCoord height)
	{
		bottom = top + height;
		return *this;
	}
	constexpr CPoint getTopLeft () const { return {left, top}; }
	constexpr CPoint getTopRight () const { return {right, top}; }
	constexpr CPoint getBottomLeft () const { return {left, bottom}; }
	constexpr CPoint getBottomRight () const { return {right, bottom}; }
	constexpr CPoint getCenter () const { return {left + getWidth () / 2., top + getHeight () / 2.}; }
	constexpr CPoint getSize () const { return {getWidth (), getHeight ()}; }
	CRect& setTopLeft (const CPoint& p)
	{
		left = p.x;
		top = p.y;
		return *this;
	}
	CRect& setBottomRight (const CPoint& p)
	{
		right = p.x;
		bottom = p.y;
		return *this;
	}
	CRect& setSize (const CPoint& size)
	{
		setWidth (size.x);
		return setHeight (size.y);
	}
	CRect& offset (CCoord dx, CCoord dy)
	{
		left += dx;
		right += dx;
		top += dy;
		bottom += dy;
		return *this;
	}
	CRect& offset (const CPoint& p) { return offset (p.x, p.y); }
	CRect& offsetInverse (const CPoint& p) { return offset (-p.x, -p.y); }
	CRect& moveTo (CCoord x, CCoord y) { return offset (x - left, y - top); }
	CRect& moveTo (const CPoint& p) { return moveTo (p.x, p.y); }
	CRect& inset (CCoord dx, CCoord dy)
	{
		left += dx;
		right -= dx;
		top += dy;
		bottom -= dy;
		return *this;
	}
	CRect& inset (const CPoint& p) { return inset (p.x, p.y); }
	CRect& extend (CCoord dx, CCoord dy) { return inset (-dx, -dy); }
	CRect& extend (const CPoint& p) { return extend (p.x, p.y); }
	CRect& scale (CCoord x, CCoord y)
	{
		setWidth (getWidth () * x);
		return setHeight (getHeight () * y);
	}
	CRect& normalize ()
	{
		if (left > right)
			std::swap (left, right);
		if (top > bottom)
			std::swap (top, bottom);
		return *this;
	}
	constexpr bool isEmpty () const { return right <= left || bottom <= top; }
	constexpr bool pointInside (const CPoint& p) const
	{
		return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
	}
	constexpr bool rectOverlap (const CRect& r) const
	{
		return right > r.left && left < r.right && bottom > r.top && top < r.bottom;
	}
	// Clips this rectangle to `r`; without overlap the result is empty.
	CRect& bound (const CRect& r)
	{
		left = std::clamp (left, r.left, r.right);
		right = std::clamp (right, r.left, r.right);
		top = std::clamp (top, r.top, r.bottom);
		bottom = std::clamp (bottom, r.top, r.bottom);
		if (right < left)
			right = left;
		if (bottom < top)
			bottom = top;
		return *this;
	}
	CRect& unite (const CRect& r)
	{
		left = std::min (left, r.left);
		top = std::min (top, r.top);
		right = std::max (right, r.right);
		bottom = std::max (bottom, r.bottom);
		return *this;
	}
	CRect& makeIntegral ()
	{
		left = std::floor (left + 0.5);
		top = std::floor (top + 0.5);
		right = std::floor (right + 0.5);
		bottom = std::floor (bottom + 0.5);
		return *this;
	}
	CRect& centerInside (const CRect& r)
	{
		const CPoint c = r.getCenter ();
		return offset (c.x - getCenter ().x, c.y - getCenter ().y);
	}
};

} // namespace VSTGUI
