// The drawing surface a view paints into: colours, line width and style, draw mode, clip, a stack of
// transforms, and the primitives (lines, rectangles, ellipses, graphics paths, gradients).
#pragma once

#include "ccolor.h"
#include "cdrawdefs.h"
#include "cgraphicstransform.h"
#include "clinestyle.h"
#include "cpoint.h"
#include "crect.h"
#include "vstguifwd.h"

#include <stack>

namespace VSTGUI
{

class CGradient;
class CGraphicsPath;

class CDrawContext : public AtomicReferenceCounted
{
public:
	enum PathDrawMode
	{
		kPathFilled,
		kPathFilledEvenOdd,
		kPathStroked
	};

	void drawLine (const LinePair& line) { drawLine (line.first, line.second); }
	void drawLine (const CPoint& start, const CPoint& end);
	virtual void drawLines (const LineList& lines) = 0;
	virtual void drawPolygon (const PointList& polygonPointList, const CDrawStyle drawStyle = kDrawStroked) = 0;
	virtual void drawRect (const CRect& rect, const CDrawStyle drawStyle = kDrawStroked) = 0;
	// Angles in degrees, clockwise from three o'clock.
	virtual void drawArc (const CRect& rect, const float startAngle1, const float endAngle2,
	                      const CDrawStyle drawStyle = kDrawStroked) = 0;
	virtual void drawEllipse (const CRect& rect, const CDrawStyle drawStyle = kDrawStroked) = 0;
	virtual void drawPoint (const CPoint& point, const CColor& color) = 0;
	// Makes the rectangle fully transparent.
	virtual void clearRect (const CRect& rect) = 0;

	virtual void setLineStyle (const CLineStyle& style);
	const CLineStyle& getLineStyle () const { return currentState.lineStyle; }
	virtual void setLineWidth (CCoord width);
	CCoord getLineWidth () const { return currentState.frameWidth; }
	virtual void setDrawMode (CDrawMode mode);
	CDrawMode getDrawMode () const { return currentState.drawMode; }

	// The clip is kept in surface coordinates: it is the given rectangle under the current transform.
	void setClipRect (const CRect& clip);
	CRect& getClipRect (CRect& clip) const;
	void resetClipRect ();
	const CRect& getAbsoluteClipRect () const { return currentState.clipRect; }

	virtual void setFillColor (const CColor& color);
	CColor getFillColor () const { return currentState.fillColor; }
	virtual void setFrameColor (const CColor& color);
	CColor getFrameColor () const { return currentState.frameColor; }
	virtual void setGlobalAlpha (float newAlpha);
	float getGlobalAlpha () const { return currentState.globalAlpha; }

	virtual void saveGlobalState ();
	virtual void restoreGlobalState ();

	const CGraphicsTransform& getCurrentTransform () const { return transformStack.top (); }
	const CRect& getSurfaceRect () const { return surfaceRect; }
	// Device pixels per view unit.
	virtual double getScaleFactor () const { return 1.; }

	// The caller owns the returned path's one reference; null when the context cannot make paths.
	virtual CGraphicsPath* createGraphicsPath () = 0;
	// `transformation` maps the path's points before the context's own transform and scales the line width
	// with them. In integral mode the path's points (Bézier control points too) are first moved to whole device
	// pixels of the context's own transform; `transformation` plays no part in that rounding.
	virtual void drawGraphicsPath (CGraphicsPath* path, PathDrawMode mode = kPathFilled,
	                               CGraphicsTransform* transformation = nullptr) = 0;
	virtual void fillLinearGradient (CGraphicsPath* path, const CGradient& gradient, const CPoint& startPoint,
	                                 const CPoint& endPoint, bool evenOdd = false,
	                                 CGraphicsTransform* transformation = nullptr) = 0;
	// The gradient's circle of `radius` around `center`; its focal point lies at center + originOffset.
	virtual void fillRadialGradient (CGraphicsPath* path, const CGradient& gradient, const CPoint& center,
	                                 CCoord radius, const CPoint& originOffset = CPoint (0, 0), bool evenOdd = false,
	                                 CGraphicsTransform* transformation = nullptr) = 0;

	virtual void beginDraw () {}
	virtual void endDraw () {}

	// Applies a transform to everything drawn while it lives, on top of the transforms already in force.
	struct Transform
	{
		Transform (CDrawContext& context, const CGraphicsTransform& transformation);
		~Transform () noexcept;
		Transform (const Transform&) = delete;
		Transform& operator= (const Transform&) = delete;

	private:
		CDrawContext& context;
		bool transformIsValid;
	};

protected:
	explicit CDrawContext (const CRect& surfaceRect);
	~CDrawContext () noexcept override = default;

	void pushTransform (const CGraphicsTransform& transformation);
	void popTransform ();
	// For back ends: a new, empty path with one reference.
	static CGraphicsPath* makeGraphicsPath ();

	struct CDrawContextState
	{
		CColor frameColor = kBlackCColor;
		CColor fillColor = kBlackCColor;
		CCoord frameWidth = 1.;
		CRect clipRect;
		CLineStyle lineStyle = kLineSolid;
		CDrawMode drawMode = kAliasing;
		float globalAlpha = 1.f;
	};

	CDrawContextState currentState;
	CRect surfaceRect;

private:
	std::stack<CDrawContextState> globalStatesStack;
	std::stack<CGraphicsTransform> transformStack;
};

} // namespace VSTGUI
