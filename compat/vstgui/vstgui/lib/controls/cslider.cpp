#include "cslider.h"

#include "../cbitmap.h"
#include "../cdrawcontext.h"
#include "valuestepping.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI
{

namespace
{

CSliderMode globalSliderMode = CSliderMode::FreeClick;

} // namespace

bool CSliderBase::kAlwaysUseZoomFactor = false;

struct CSliderBase::Impl
{
	CPoint offsetHandle;
	int32_t style{kLeft | kHorizontal};
	float zoomFactor{10.f};
	CSliderMode mode{CSliderMode::UseGlobal};

	// the handle's size, its travel and where the travel starts, along and across the direction of travel
	CCoord handleWidth{1.};
	CCoord handleHeight{1.};
	CCoord rangeHandle{0.};
	CCoord minPos{0.};
	bool explicitRange{false};

	// the drag in progress
	bool dragging{false};
	CPoint lastPoint;
	CCoord grabOffset{0.};
	float entryValue{0.f};
	bool relative{false};
};

CSliderBase::CSliderBase (const CRect& size, IControlListener* listener, int32_t tag)
    : CControl (size, listener, tag), impl (std::make_unique<Impl> ())
{
	updateInternalHandleValues ();
}

CSliderBase::CSliderBase (const CSliderBase& slider) : CControl (slider), impl (std::make_unique<Impl> (*slider.impl))
{
	impl->dragging = false;
}

CSliderBase::~CSliderBase () noexcept = default;

void CSliderBase::setOffsetHandle (const CPoint& val)
{
	impl->offsetHandle = val;
	updateInternalHandleValues ();
	setDirty (true);
}

CPoint CSliderBase::getOffsetHandle () const
{
	return impl->offsetHandle;
}

void CSliderBase::setStyle (int32_t style)
{
	impl->style = style;
	updateInternalHandleValues ();
	setDirty (true);
}

int32_t CSliderBase::getStyle () const
{
	return impl->style;
}

bool CSliderBase::isStyleHorizontal () const
{
	return impl->style & kHorizontal;
}

bool CSliderBase::isStyleRight () const
{
	return impl->style & kRight;
}

bool CSliderBase::isStyleBottom () const
{
	return impl->style & kBottom;
}

bool CSliderBase::isInverseStyle () const
{
	return isStyleHorizontal () ? isStyleRight () : isStyleBottom ();
}

void CSliderBase::setZoomFactor (float val)
{
	impl->zoomFactor = val;
}

float CSliderBase::getZoomFactor () const
{
	return impl->zoomFactor;
}

void CSliderBase::setSliderMode (CSliderMode mode)
{
	impl->mode = mode;
}

CSliderMode CSliderBase::getSliderMode () const
{
	return impl->mode;
}

CSliderMode CSliderBase::getEffectiveSliderMode () const
{
	return impl->mode == CSliderMode::UseGlobal ? globalSliderMode : impl->mode;
}

void CSliderBase::setGlobalMode (CSliderMode mode)
{
	if (mode != CSliderMode::UseGlobal)
		globalSliderMode = mode;
}

CSliderMode CSliderBase::getGlobalMode ()
{
	return globalSliderMode;
}

void CSliderBase::setHandleSizePrivate (CCoord width, CCoord height)
{
	impl->handleWidth = width;
	impl->handleHeight = height;
	updateInternalHandleValues ();
}

CPoint CSliderBase::getHandleSizePrivate () const
{
	return {impl->handleWidth, impl->handleHeight};
}

CPoint CSliderBase::getControlSizePrivate () const
{
	return {getWidth (), getHeight ()};
}

void CSliderBase::setHandleRangePrivate (CCoord range)
{
	impl->rangeHandle = range;
	impl->explicitRange = range > 0.;
	updateInternalHandleValues ();
}

void CSliderBase::setHandleMinPosPrivate (CCoord pos)
{
	impl->minPos = pos;
	updateInternalHandleValues ();
}

CCoord CSliderBase::getHandleMinPosPrivate () const
{
	return impl->minPos;
}

void CSliderBase::updateInternalHandleValues ()
{
	// Without an explicit travel the handle travels the whole view less its own length.
	if (impl->explicitRange)
		return;
	CCoord length = isStyleHorizontal () ? getWidth () - impl->handleWidth : getHeight () - impl->handleHeight;
	impl->rangeHandle = std::max (0., length - impl->minPos);
}

CRect CSliderBase::calculateHandleRect (float normValue) const
{
	if (isInverseStyle ())
		normValue = 1.f - normValue;
	CRect r (0., 0., impl->handleWidth, impl->handleHeight);
	r.offset (getViewSize ().left + impl->offsetHandle.x, getViewSize ().top + impl->offsetHandle.y);
	CCoord pos = impl->minPos + normValue * impl->rangeHandle;
	if (isStyleHorizontal ())
		r.offset (pos, 0.);
	else
		r.offset (0., pos);
	return r;
}

float CSliderBase::calculateDelta (const CPoint& where, CRect* handleRect) const
{
	// The normalized value that puts the handle's grab point (the handle's centre, or the offset stored at
	// mouse-down) under `where`.
	CRect zero = calculateHandleRect (isInverseStyle () ? 1.f : 0.f);
	CCoord along = isStyleHorizontal () ? where.x - zero.left : where.y - zero.top;
	if (handleRect)
		*handleRect = calculateHandleRect (getValueNormalized ());
	if (impl->rangeHandle <= 0.)
		return getValueNormalized ();
	float norm = static_cast<float> ((along - impl->grabOffset) / impl->rangeHandle);
	return isInverseStyle () ? 1.f - norm : norm;
}

void CSliderBase::onMouseDownEvent (MouseDownEvent& event)
{
	if (!event.buttonState.isLeft ())
		return;
	auto mode = getEffectiveSliderMode ();
	CRect handleRect = calculateHandleRect (getValueNormalized ());
	bool onHandle = handleRect.pointInside (event.mousePosition);
	if (mode == CSliderMode::Touch && !onHandle)
	{
		event.consumed = true;
		event.ignoreFollowUpMoveAndUpEvents (true);
		return;
	}
	impl->dragging = true;
	impl->lastPoint = event.mousePosition;
	impl->entryValue = getValue ();
	impl->relative = mode == CSliderMode::RelativeTouch || (mode == CSliderMode::Touch);
	CCoord handleLength = isStyleHorizontal () ? impl->handleWidth : impl->handleHeight;
	if (impl->relative && onHandle)
		impl->grabOffset =
		    isStyleHorizontal () ? event.mousePosition.x - handleRect.left : event.mousePosition.y - handleRect.top;
	else
		impl->grabOffset = handleLength / 2.;
	beginEdit ();
	if (!impl->relative)
	{
		// the handle's centre jumps to the click
		float old = getValue ();
		setValueNormalized (calculateDelta (event.mousePosition));
		if (getValue () != old)
		{
			valueChanged ();
			invalid ();
		}
	}
	event.consumed = true;
}

void CSliderBase::onMouseMoveEvent (MouseMoveEvent& event)
{
	if (!impl->dragging)
		return;
	event.consumed = true;
	if (event.mousePosition == impl->lastPoint)
		return;
	float old = getValue ();
	bool zoom = isZoomModifier (event.modifiers);
	float norm;
	if (zoom || impl->relative)
	{
		// Incremental: the handle follows the mouse's movement (divided by the zoom factor while fine-adjusting).
		CCoord moved = isStyleHorizontal () ? event.mousePosition.x - impl->lastPoint.x
		                                    : event.mousePosition.y - impl->lastPoint.y;
		if (isInverseStyle ())
			moved = -moved;
		if (zoom)
			moved /= impl->zoomFactor;
		norm = impl->rangeHandle > 0. ? getValueNormalized () + static_cast<float> (moved / impl->rangeHandle)
		                              : getValueNormalized ();
	}
	else
		norm = calculateDelta (event.mousePosition);
	impl->lastPoint = event.mousePosition;
	setValueNormalized (norm);
	if (getValue () != old)
	{
		valueChanged ();
		invalid ();
	}
}

void CSliderBase::onMouseUpEvent (MouseUpEvent& event)
{
	if (!impl->dragging)
		return;
	impl->dragging = false;
	endEdit ();
	event.consumed = true;
}

void CSliderBase::onMouseCancelEvent (MouseCancelEvent& event)
{
	if (!impl->dragging)
		return;
	impl->dragging = false;
	if (getValue () != impl->entryValue)
	{
		setValue (impl->entryValue);
		valueChanged ();
		invalid ();
	}
	endEdit ();
	event.consumed = true;
}

void CSliderBase::onMouseWheelEvent (MouseWheelEvent& event)
{
	double distance = ValueStepping::wheelDistance (event, true);
	if (distance == 0.)
		return;
	event.consumed = true;
	ValueStepping::step (*this, distance, event.modifiers);
}

void CSliderBase::onKeyboardEvent (KeyboardEvent& event)
{
	if (event.type != EventType::KeyDown)
		return;
	if (event.virt == VirtualKey::Escape && impl->dragging)
	{
		MouseCancelEvent cancel;
		onMouseCancelEvent (cancel);
		event.consumed = true;
		return;
	}
	float distance = ValueStepping::arrowKeyDistance (event.virt, isInverseStyle ());
	if (distance == 0.f)
		return;
	event.consumed = true;
	ValueStepping::step (*this, distance, event.modifiers);
}

void CSliderBase::setViewSize (const CRect& rect, bool doInvalid)
{
	CControl::setViewSize (rect, doInvalid);
	updateInternalHandleValues ();
}

// ---- CSlider

struct CSlider::Impl
{
	SharedPointer<CBitmap> handle;
	CPoint backgroundOffset;
	int32_t drawStyle{0};
	CCoord frameWidth{1.};
	CColor frameColor{kGreyCColor};
	CColor backColor{kBlackCColor};
	CColor valueColor{kWhiteCColor};
};

CSlider::CSlider (const CRect& size, IControlListener* listener, int32_t tag, int32_t iMinPos, int32_t iMaxPos,
                  CBitmap* handle, CBitmap* background, const CPoint& offset, const int32_t style)
    : CSliderBase (size, listener, tag), impl (std::make_unique<Impl> ())
{
	setStyle (style);
	setBackground (background);
	setBackgroundOffset (offset);
	setHandle (handle);
	setHandleMinPosPrivate (iMinPos);
	if (iMaxPos > iMinPos)
	{
		CCoord handleLength = isStyleHorizontal () ? getHandleSizePrivate ().x : getHandleSizePrivate ().y;
		setHandleRangePrivate (iMaxPos - iMinPos - handleLength);
	}
}

CSlider::CSlider (const CRect& rect, IControlListener* listener, int32_t tag, const CPoint& offsetHandle,
                  int32_t rangeHandle, CBitmap* handle, CBitmap* background, const CPoint& offset, const int32_t style)
    : CSliderBase (rect, listener, tag), impl (std::make_unique<Impl> ())
{
	setStyle (style);
	setBackground (background);
	setBackgroundOffset (offset);
	setHandle (handle);
	setOffsetHandle (offsetHandle);
	CCoord handleLength = isStyleHorizontal () ? getHandleSizePrivate ().x : getHandleSizePrivate ().y;
	if (rangeHandle > handleLength)
		setHandleRangePrivate (rangeHandle - handleLength);
}

CSlider::CSlider (const CSlider& slider) : CSliderBase (slider), impl (std::make_unique<Impl> (*slider.impl)) {}

CSlider::~CSlider () noexcept = default;

void CSlider::setBackgroundOffset (const CPoint& offset)
{
	impl->backgroundOffset = offset;
}

CPoint CSlider::getBackgroundOffset () const
{
	return impl->backgroundOffset;
}

void CSlider::setHandle (CBitmap* pHandle)
{
	impl->handle = pHandle;
	if (pHandle)
		setHandleSizePrivate (pHandle->getWidth (), pHandle->getHeight ());
	setDirty (true);
}

CBitmap* CSlider::getHandle () const
{
	return impl->handle;
}

void CSlider::setDrawStyle (int32_t style)
{
	impl->drawStyle = style;
	setDirty (true);
}

void CSlider::setFrameWidth (CCoord width)
{
	impl->frameWidth = width;
	setDirty (true);
}

void CSlider::setFrameColor (CColor color)
{
	impl->frameColor = color;
	setDirty (true);
}

void CSlider::setBackColor (CColor color)
{
	impl->backColor = color;
	setDirty (true);
}

void CSlider::setValueColor (CColor color)
{
	impl->valueColor = color;
	setDirty (true);
}

int32_t CSlider::getDrawStyle () const
{
	return impl->drawStyle;
}

CCoord CSlider::getFrameWidth () const
{
	return impl->frameWidth;
}

CColor CSlider::getFrameColor () const
{
	return impl->frameColor;
}

CColor CSlider::getBackColor () const
{
	return impl->backColor;
}

CColor CSlider::getValueColor () const
{
	return impl->valueColor;
}

void CSlider::draw (CDrawContext* pContext)
{
	// Colour drawing only; bitmaps are not drawn by this stand-in.
	const CRect& r = getViewSize ();
	pContext->setDrawMode (kAliasing);
	if (impl->drawStyle & kDrawBack)
	{
		pContext->setFillColor (impl->backColor);
		pContext->drawRect (r, kDrawFilled);
	}
	if (impl->drawStyle & kDrawValue)
	{
		CRect v (r);
		float norm = getValueNormalized ();
		bool inverted = (impl->drawStyle & kDrawInverted) != 0;
		if (isStyleHorizontal ())
		{
			CCoord w = r.getWidth () * norm;
			if (inverted)
				v.left = v.right - w;
			else
				v.right = v.left + w;
		}
		else
		{
			CCoord h = r.getHeight () * norm;
			if (inverted)
				v.top = v.bottom - h;
			else
				v.bottom = v.top + h;
		}
		pContext->setFillColor (impl->valueColor);
		pContext->drawRect (v, kDrawFilled);
	}
	if (impl->drawStyle & kDrawFrame)
	{
		pContext->setFrameColor (impl->frameColor);
		pContext->setLineWidth (impl->frameWidth);
		pContext->drawRect (r, kDrawStroked);
	}
	setDirty (false);
}

bool CSlider::sizeToFit ()
{
	return false;
}

} // namespace VSTGUI
