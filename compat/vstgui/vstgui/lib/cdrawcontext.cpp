#include "cdrawcontext.h"

#include "cgraphicspath.h"

#include <cmath>

namespace VSTGUI
{

CDrawContext::CDrawContext (const CRect& surfaceRect) : surfaceRect (surfaceRect)
{
	transformStack.push (CGraphicsTransform ());
	currentState.clipRect = surfaceRect;
}

CGraphicsPath* CDrawContext::makeGraphicsPath ()
{
	return new CGraphicsPath ();
}

void CDrawContext::drawLine (const CPoint& start, const CPoint& end)
{
	drawLines ({{start, end}});
}

void CDrawContext::setLineStyle (const CLineStyle& style)
{
	currentState.lineStyle = style;
}

void CDrawContext::setLineWidth (CCoord width)
{
	// A negative or non-finite width would put the back end into an error state.
	currentState.frameWidth = std::isfinite (width) && width >= 0. ? width : 0.;
}

void CDrawContext::setDrawMode (CDrawMode mode)
{
	currentState.drawMode = mode;
}

void CDrawContext::setClipRect (const CRect& clip)
{
	CRect r = clip;
	getCurrentTransform ().transform (r);
	r.normalize ();
	r.bound (surfaceRect);
	currentState.clipRect = r;
}

CRect& CDrawContext::getClipRect (CRect& clip) const
{
	clip = currentState.clipRect;
	getCurrentTransform ().inverse ().transform (clip);
	clip.normalize ();
	return clip;
}

void CDrawContext::resetClipRect ()
{
	currentState.clipRect = surfaceRect;
}

void CDrawContext::setFillColor (const CColor& color)
{
	currentState.fillColor = color;
}

void CDrawContext::setFrameColor (const CColor& color)
{
	currentState.frameColor = color;
}

void CDrawContext::setGlobalAlpha (float newAlpha)
{
	currentState.globalAlpha = std::isfinite (newAlpha) ? std::fmin (1.f, std::fmax (0.f, newAlpha)) : 1.f;
}

void CDrawContext::saveGlobalState ()
{
	globalStatesStack.push (currentState);
}

void CDrawContext::restoreGlobalState ()
{
	if (globalStatesStack.empty ())
		return;
	currentState = globalStatesStack.top ();
	globalStatesStack.pop ();
}

void CDrawContext::pushTransform (const CGraphicsTransform& transformation)
{
	transformStack.push (transformStack.top () * transformation);
}

void CDrawContext::popTransform ()
{
	if (transformStack.size () > 1)
		transformStack.pop ();
}

CDrawContext::Transform::Transform (CDrawContext& context, const CGraphicsTransform& transformation)
    : context (context), transformIsValid (!transformation.isInvariant ())
{
	if (transformIsValid)
		context.pushTransform (transformation);
}

CDrawContext::Transform::~Transform () noexcept
{
	if (transformIsValid)
		context.popTransform ();
}

} // namespace VSTGUI
