// A vector path made of subpaths of lines, Bézier curves, arcs, ellipses and rectangles; created by a draw
// context and drawn, filled or used as a gradient's outline by it.
#pragma once

#include "cgraphicstransform.h"
#include "cpoint.h"
#include "crect.h"
#include "vstguibase.h"

#include <vector>

namespace VSTGUI
{

class CDrawContext;

class CGraphicsPath : public AtomicReferenceCounted
{
public:
	// Angles in degrees, 0 at three o'clock; with y growing downwards, clockwise means increasing angles.
	void addArc (const CRect& rect, double startAngle, double endAngle, bool clockwise);
	void addEllipse (const CRect& rect);
	void addRect (const CRect& rect);
	void addRoundRect (const CRect& size, CCoord radius);
	void addLine (const CPoint& to);
	void addBezierCurve (const CPoint& control1, const CPoint& control2, const CPoint& end);
	void beginSubpath (const CPoint& start);
	void closeSubpath ();
	// Appends the elements of `path`, each point mapped through `transformation` when one is given.
	void addPath (const CGraphicsPath& path, CGraphicsTransform* transformation = nullptr);

	virtual void finishBuilding () {}

	CPoint getCurrentPosition () const;
	// The box around every point and control point of the path.
	CRect getBoundingBox () const;

	struct Element
	{
		enum Type
		{
			kArc,
			kEllipse,
			kRect,
			kRoundRect,
			kLine,
			kBezierCurve,
			kBeginSubpath,
			kCloseSubpath
		};
		Type type;
		CRect rect;        // kArc, kEllipse, kRect, kRoundRect
		CPoint points[3];  // kLine, kBeginSubpath: [0]; kBezierCurve: control1, control2, end
		double startAngle; // kArc
		double endAngle;   // kArc
		bool clockwise;    // kArc
		CCoord radius;     // kRoundRect
	};
	using ElementList = std::vector<Element>;

	const ElementList& getElements () const { return elements; }

	// The path as plain subpaths: every element expressed as begin, line, Bézier curve and close.
	ElementList flattenedElements () const;

	~CGraphicsPath () noexcept override = default;

protected:
	friend class CDrawContext;
	CGraphicsPath () = default;

	ElementList elements;
};

} // namespace VSTGUI
