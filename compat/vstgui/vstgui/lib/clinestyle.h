// How strokes are drawn: line cap, line join and dash pattern.
#pragma once

#include "vstguibase.h"

#include <vector>

namespace VSTGUI
{

class CLineStyle
{
public:
	enum LineCap
	{
		kLineCapButt = 0,
		kLineCapRound,
		kLineCapSquare
	};
	enum LineJoin
	{
		kLineJoinMiter = 0,
		kLineJoinRound,
		kLineJoinBevel
	};
	using CoordVector = std::vector<CCoord>;

	CLineStyle (LineCap cap = kLineCapButt, LineJoin join = kLineJoinMiter, CCoord dashPhase = 0.,
	            const CoordVector& dashLengths = {})
	    : cap (cap), join (join), dashPhase (dashPhase), dashLengths (dashLengths)
	{
	}

	LineCap getLineCap () const { return cap; }
	LineJoin getLineJoin () const { return join; }
	CCoord getDashPhase () const { return dashPhase; }
	const CoordVector& getDashLengths () const { return dashLengths; }
	CoordVector& getDashLengths () { return dashLengths; }
	uint32_t getDashCount () const { return static_cast<uint32_t> (dashLengths.size ()); }
	void setLineCap (LineCap newCap) { cap = newCap; }
	void setLineJoin (LineJoin newJoin) { join = newJoin; }
	void setDashPhase (CCoord phase) { dashPhase = phase; }

	bool operator== (const CLineStyle& s) const
	{
		return cap == s.cap && join == s.join && dashPhase == s.dashPhase && dashLengths == s.dashLengths;
	}
	bool operator!= (const CLineStyle& s) const { return !(*this == s); }

private:
	LineCap cap;
	LineJoin join;
	CCoord dashPhase;
	CoordVector dashLengths;
};

inline const CLineStyle kLineSolid{};
inline const CLineStyle kLineOnOffDash (CLineStyle::kLineCapButt, CLineStyle::kLineJoinMiter, 0, {1, 1});

} // namespace VSTGUI
