// A point (or a size) in view coordinates.
#pragma once

#include "vstguibase.h"

#include <cmath>

namespace VSTGUI
{

struct CPoint
{
	constexpr CPoint (CCoord x = 0., CCoord y = 0.) : x (x), y (y) {}

	CCoord x;
	CCoord y;

	constexpr bool operator== (const CPoint& other) const { return x == other.x && y == other.y; }
	constexpr bool operator!= (const CPoint& other) const { return !(*this == other); }
	constexpr CPoint operator+ (const CPoint& other) const { return {x + other.x, y + other.y}; }
	constexpr CPoint operator- (const CPoint& other) const { return {x - other.x, y - other.y}; }
	constexpr CPoint operator- () const { return {-x, -y}; }
	CPoint& operator+= (const CPoint& other)
	{
		x += other.x;
		y += other.y;
		return *this;
	}
	CPoint& operator-= (const CPoint& other)
	{
		x -= other.x;
		y -= other.y;
		return *this;
	}

	CPoint& offset (CCoord dx, CCoord dy)
	{
		x += dx;
		y += dy;
		return *this;
	}
	CPoint& offset (const CPoint& p) { return offset (p.x, p.y); }
	CPoint& offsetInverse (const CPoint& p) { return offset (-p.x, -p.y); }
	CPoint& makeIntegral ()
	{
		x = std::floor (x + 0.5);
		y = std::floor (y + 0.5);
		return *this;
	}
};

} // namespace VSTGUI
