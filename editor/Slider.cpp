// The handle arithmetic is fixed step by step (compiled with -ffp-contract=off, see CMakeLists.txt).
#include "Slider.h"

using VSTGUI::CRect;

Slider::Slider (const CRect& rect, int32_t horizontal, float handleRatio, VSTGUI::IControlListener* listener,
                int32_t tag, std::string trackDocument, std::string handleDocument)
    : CSlider (rect, listener, tag, 0, 0, nullptr, nullptr, VSTGUI::CPoint (0, 0),
               horizontal != 0 ? kHorizontal : kVertical),
      horizontal (horizontal), handleRatio (handleRatio), trackSvg (trackDocument.c_str ()),
      handleSvg (handleDocument.c_str ())
{
	updateHandleSize (rect);
}

void Slider::updateHandleSize (const CRect& rect)
{
	// The base travels over the view's width less its handle; (1 − ratio) × width leaves it exactly the
	// travel of the drawn handle's centre, ratio × width. Both orientations take the width, as a vertical
	// slider is never built here.
	const double side = (1. - static_cast<double> (handleRatio)) * (rect.right - rect.left);
	setHandleSizePrivate (side, side);
}

void Slider::setViewSize (const CRect& rect, bool invalid)
{
	updateHandleSize (rect);
	CSliderBase::setViewSize (rect, invalid);
}

CRect Slider::handleRect () const
{
	const CRect& view = getViewSize ();
	const double width = view.right - view.left;
	const double height = view.bottom - view.top;
	const double side = horizontal != 0 ? height : width;
	const float travel = (getValueNormalized () - 0.5f) * handleRatio;
	const double centreX = (view.right - view.left) * 0.5 + view.left;
	const double centreY = (view.bottom - view.top) * 0.5 + view.top;
	const double handleX = horizontal != 0 ? centreX + width * static_cast<double> (travel) : centreX;
	const double handleY = horizontal != 0 ? centreY : centreY + height * static_cast<double> (travel);
	const double left = handleX - 0.5 * side;
	const double top = handleY - 0.5 * side;
	return CRect (left, top, left + side, top + side);
}

void Slider::draw (VSTGUI::CDrawContext* context)
{
	trackSvg.draw (context, getViewSize (), false);
	handleSvg.draw (context, handleRect (), false);
	setDirty (false);
}
