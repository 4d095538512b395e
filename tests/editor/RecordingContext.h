// A draw context that draws nothing and records what the views ask of it: one entry per drawSvgImage call
// (each starts by setting the anti-aliasing draw mode), holding the transform and fill colour of every
// filled path and the bounding box of every gradient fill.
#pragma once

#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/cgradient.h"
#include "vstgui/lib/cgraphicspath.h"

#include <vector>

struct RecordedFill
{
	VSTGUI::CColor colour;
	VSTGUI::CGraphicsTransform transform;
	VSTGUI::CRect box; // the path's box in its own units

	bool operator== (const RecordedFill& o) const
	{
		const auto& a = transform;
		const auto& b = o.transform;
		return colour == o.colour && a.m11 == b.m11 && a.m12 == b.m12 && a.m21 == b.m21 && a.m22 == b.m22 &&
		       a.dx == b.dx && a.dy == b.dy && box == o.box;
	}
};

// What one drawSvgImage call drew.
struct RecordedImage
{
	std::vector<RecordedFill> fills;
	std::vector<VSTGUI::CRect> gradientBoxes; // in drawing coordinates
	bool operator== (const RecordedImage& o) const { return fills == o.fills && gradientBoxes == o.gradientBoxes; }

	/** Where a document whose first shape covers it whole was drawn: that shape's box mapped by its transform. */
	VSTGUI::CRect drawnBox () const
	{
		const auto& f = fills.front ();
		VSTGUI::CPoint topLeft (f.box.left, f.box.top);
		VSTGUI::CPoint bottomRight (f.box.right, f.box.bottom);
		f.transform.transform (topLeft);
		f.transform.transform (bottomRight);
		return VSTGUI::CRect (topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
	}
};

class RecordingContext : public VSTGUI::CDrawContext
{
public:
	RecordingContext () : CDrawContext (VSTGUI::CRect (0, 0, 1000, 1000)) {}

	std::vector<RecordedImage> images;

	void setDrawMode (VSTGUI::CDrawMode mode) override
	{
		CDrawContext::setDrawMode (mode);
		images.emplace_back ();
	}
	VSTGUI::CGraphicsPath* createGraphicsPath () override { return makeGraphicsPath (); }
	void drawGraphicsPath (VSTGUI::CGraphicsPath* path, PathDrawMode mode,
	                       VSTGUI::CGraphicsTransform* transformation) override
	{
		if (mode == kPathFilled && !images.empty ())
			images.back ().fills.push_back ({getFillColor (),
			                                 transformation ? *transformation : VSTGUI::CGraphicsTransform (),
			                                 path->getBoundingBox ()});
	}
	void fillLinearGradient (VSTGUI::CGraphicsPath* path, const VSTGUI::CGradient&, const VSTGUI::CPoint&,
	                         const VSTGUI::CPoint&, bool, VSTGUI::CGraphicsTransform*) override
	{
		recordGradient (path);
	}
	void fillRadialGradient (VSTGUI::CGraphicsPath* path, const VSTGUI::CGradient&, const VSTGUI::CPoint&,
	                         VSTGUI::CCoord, const VSTGUI::CPoint&, bool, VSTGUI::CGraphicsTransform*) override
	{
		recordGradient (path);
	}

	void drawLines (const VSTGUI::LineList&) override {}
	void drawPolygon (const VSTGUI::PointList&, const VSTGUI::CDrawStyle) override {}
	void drawRect (const VSTGUI::CRect&, const VSTGUI::CDrawStyle) override {}
	void drawArc (const VSTGUI::CRect&, const float, const float, const VSTGUI::CDrawStyle) override {}
	void drawEllipse (const VSTGUI::CRect&, const VSTGUI::CDrawStyle) override {}
	void drawPoint (const VSTGUI::CPoint&, const VSTGUI::CColor&) override {}
	void clearRect (const VSTGUI::CRect&) override {}

private:
	void recordGradient (VSTGUI::CGraphicsPath* path)
	{
		if (!images.empty ())
			images.back ().gradientBoxes.push_back (path->getBoundingBox ());
	}
};
