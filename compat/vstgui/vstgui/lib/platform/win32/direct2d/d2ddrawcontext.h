// The Win32 back end's draw context: Direct2D drawing into a WIC bitmap (the offscreen form, also the
// window's back buffer). Every primitive is drawn with the context's clip, transform, device scale, colours,
// line style and anti-aliasing mode; in integral mode points land on whole device pixels.
#pragma once

#include "../../../coffscreencontext.h"
#include "../comptr.h"

#include <d2d1.h>

namespace VSTGUI
{

class D2DDrawContext : public COffscreenContext
{
public:
	// Draws into the WIC bitmap behind `bitmap` (a D2DBitmap).
	explicit D2DDrawContext (CBitmap* bitmap);
	~D2DDrawContext () noexcept override;

	bool valid () const { return static_cast<bool> (target); }
	ID2D1RenderTarget* getRenderTarget () const { return target.get (); }

	void drawLines (const LineList& lines) override;
	void drawPolygon (const PointList& polygonPointList, const CDrawStyle drawStyle = kDrawStroked) override;
	void drawRect (const CRect& rect, const CDrawStyle drawStyle = kDrawStroked) override;
	void drawArc (const CRect& rect, const float startAngle1, const float endAngle2,
	              const CDrawStyle drawStyle = kDrawStroked) override;
	void drawEllipse (const CRect& rect, const CDrawStyle drawStyle = kDrawStroked) override;
	void drawPoint (const CPoint& point, const CColor& color) override;
	void clearRect (const CRect& rect) override;

	double getScaleFactor () const override { return scaleFactor; }

	CGraphicsPath* createGraphicsPath () override;
	void drawGraphicsPath (CGraphicsPath* path, PathDrawMode mode = kPathFilled,
	                       CGraphicsTransform* transformation = nullptr) override;
	void fillLinearGradient (CGraphicsPath* path, const CGradient& gradient, const CPoint& startPoint,
	                         const CPoint& endPoint, bool evenOdd = false,
	                         CGraphicsTransform* transformation = nullptr) override;
	void fillRadialGradient (CGraphicsPath* path, const CGradient& gradient, const CPoint& center, CCoord radius,
	                         const CPoint& originOffset = CPoint (0, 0), bool evenOdd = false,
	                         CGraphicsTransform* transformation = nullptr) override;

	// Between beginDraw and endDraw the primitives share one Direct2D drawing pass; outside, each primitive
	// is a pass of its own, so the bitmap's pixels are current after every call.
	void beginDraw () override;
	void endDraw () override;

private:
	// Starts a pass when none is open, then sets up clip, transform and anti-aliasing; false (nothing set
	// up) when the current transform cannot draw.
	bool begin ();
	void end ();
	CGraphicsTransform deviceTransform () const;
	COM::Ptr<ID2D1SolidColorBrush> solidBrush (const CColor& color);
	COM::Ptr<ID2D1StrokeStyle> strokeStyle () const;
	void fill (ID2D1Geometry* geometry, const CColor& color);
	void stroke (ID2D1Geometry* geometry);
	// An arc or ellipse: filled, stroked or both, as the draw style says.
	void drawShape (const CGraphicsPath& path, CDrawStyle drawStyle);
	// The path's geometry; in integral mode with its points aligned for the context's own transform.
	COM::Ptr<ID2D1PathGeometry> geometryOf (const CGraphicsPath& path, bool evenOdd, bool align);
	// Puts the path's transformation under the context's, so it moves the points and scales the stroke width
	// (and a gradient lies in the path's own space); false for a transformation that cannot draw.
	bool applyPathTransformation (const CGraphicsTransform* transformation);
	COM::Ptr<ID2D1GradientStopCollection> gradientStops (const CGradient& gradient);
	void fillWithBrush (CGraphicsPath* path, ID2D1Brush* brush, bool evenOdd, CGraphicsTransform* transformation);

	COM::Ptr<ID2D1RenderTarget> target;
	double scaleFactor = 1.;
	int32_t drawDepth = 0;
	bool passOpen = false;
};

} // namespace VSTGUI
