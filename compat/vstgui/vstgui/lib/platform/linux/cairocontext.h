// The cairo back end's draw context: every primitive is drawn with the context's clip, transform, device
// scale, colours, line style and anti-aliasing mode.
#pragma once

#include "../../coffscreencontext.h"

#include <cairo.h>

namespace VSTGUI
{
namespace Cairo
{

class Context : public COffscreenContext
{
public:
	// Draws into the cairo bitmap behind `bitmap`.
	explicit Context (CBitmap* bitmap);
	// Draws into any cairo surface (a window's, for instance) of `rect` view units at `scaleFactor`.
	Context (const CRect& rect, cairo_surface_t* surface, double scaleFactor);
	~Context () noexcept override;

	bool valid () const { return cr != nullptr && cairo_status (cr) == CAIRO_STATUS_SUCCESS; }
	cairo_t* getCairo () const { return cr; }

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

	void endDraw () override;

private:
	// Sets up clip, transform and anti-aliasing inside a cairo save; false (nothing set up) when the
	// context or its current transform cannot draw.
	bool begin ();
	void end ();
	// View units to device pixels: the current transform and the scale factor.
	CGraphicsTransform deviceTransform () const;
	// Appends the path's curves and lines, each point aligned with `alignment` when one is given; false (nothing
	// appended) when a point is not finite.
	bool appendPath (const CGraphicsPath& path, const CGraphicsTransform* alignment);
	// Appends a path handed to the draw context: aligned in integral mode, under its own `transformation`.
	bool appendGraphicsPath (const CGraphicsPath& path, const CGraphicsTransform* transformation);
	void setSourceColor (const CColor& color);
	void applyStroke ();
	void fillOrStroke (CDrawStyle style);
	void fillGradient (CGraphicsPath* path, const CGradient& gradient, cairo_pattern_t* pattern, bool evenOdd,
	                   CGraphicsTransform* transformation);

	cairo_t* cr = nullptr;
	cairo_surface_t* surface = nullptr;
	double scaleFactor = 1.;
};

} // namespace Cairo
} // namespace VSTGUI
