#include "cslider.h"

#include "../cbitmap.h"
#include "../cdrawcontext.h"
#include "../cvstguitimer.h"

#include <algorithm>
#include <cmath>

namespace VSTGUI
{

namespace
{

CSliderMode globalSliderMode = CSliderMode::FreeClick;

// how often a ramp moves the value on while the mouse is held beside the handle
constexpr uint32_t kRampInterval = 16;

} // namespace

bool CSliderBase::kAlwaysUseZoomFactor = false;

struct CSliderBase::Impl
{
	int32_t style{0};
	float zoomFactor{10.f};
	CSliderMode mode{CSliderMode::UseGlobal};

	CPoint offsetHandle;
	CPoint handleSize{1., 1.};
	// the handle's travel, where it starts in the view, and the bounds of the handle's leading and trailing edge
	CCoord rangeHandle{0.};
	CCoord minPos{0.};
	CCoord minTmp{0.};
	CCoord maxTmp{0.};

	// the mouse gesture in progress
	CPoint startPoint;
	// the normalized value that fine adjustment scales from; below zero until the first move sets it
	float previousValue{-1.f};
	float startValue{0.f};
	CButtonState oldButtons{0};
	// the mouse coordinate, along the travel, that maps to the value 0
	CCoord delta{0.};
	SharedPointer<CVSTGUITimer> rampTimer;
};

CSliderBase::CSliderBase (const CRect& size, IControlListener* listener, int32_t tag)
    : CControl (size, listener, tag), impl (std::make_unique<Impl> ())
{
}

CSliderBase::CSliderBase (const CSliderBase& slider)
    : CControl (slider), CMouseWheelEditingSupport (slider), impl (std::make_unique<Impl> (*slider.impl))
{
	impl->rampTimer = nullptr;
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
	// The wheel and the arrow keys turn round for kRight and kTop, while the handle's placement turns round for
	// kRight and kBottom: a vertical slider has its minimum at the top unless it says kBottom, and Up raises it
	// unless it says kTop.
	return isStyleHorizontal () ? isStyleRight () : (impl->style & kTop) != 0;
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
	impl->handleSize = CPoint (width, height);
	updateInternalHandleValues ();
}

CPoint CSliderBase::getHandleSizePrivate () const
{
	return impl->handleSize;
}

CPoint CSliderBase::getControlSizePrivate () const
{
	return {getWidth (), getHeight ()};
}

void CSliderBase::setHandleRangePrivate (CCoord range)
{
	impl->rangeHandle = range;
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
	const CCoord offset = isStyleHorizontal () ? impl->offsetHandle.x : impl->offsetHandle.y;
	const CCoord length = isStyleHorizontal () ? impl->handleSize.x : impl->handleSize.y;
	impl->minTmp = offset + impl->minPos;
	impl->maxTmp = impl->minTmp + impl->rangeHandle + length;
}

void CSliderBase::setViewSize (const CRect& rect, bool doInvalid)
{
	CControl::setViewSize (rect, doInvalid);
	// A new size gives the handle the whole length less itself and its offset at both ends.
	impl->minPos = 0.;
	if (isStyleHorizontal ())
		impl->rangeHandle = rect.getWidth () - (impl->handleSize.x + impl->offsetHandle.x * 2.);
	else
		impl->rangeHandle = rect.getHeight () - (impl->handleSize.y + impl->offsetHandle.y * 2.);
	updateInternalHandleValues ();
}

CRect CSliderBase::calculateHandleRect (float normValue) const
{
	if (isStyleRight () || isStyleBottom ())
		normValue = 1.f - normValue;
	const auto& i = *impl;
	// whole pixels along the travel, kept within the travel's bounds
	const CCoord travelled = std::floor (normValue * i.rangeHandle);
	CRect r;
	if (isStyleHorizontal ())
	{
		r.top = i.offsetHandle.y;
		r.bottom = r.top + i.handleSize.y;
		r.left = std::max (i.offsetHandle.x + travelled, i.minTmp);
		r.right = std::min (r.left + i.handleSize.x, i.maxTmp);
	}
	else
	{
		r.left = i.offsetHandle.x;
		r.right = r.left + i.handleSize.x;
		r.top = std::max (i.offsetHandle.y + travelled, i.minTmp);
		r.bottom = std::min (r.top + i.handleSize.y, i.maxTmp);
	}
	r.offset (getViewSize ().left, getViewSize ().top);
	return r;
}

float CSliderBase::calculateDelta (const CPoint& where, CRect* handleRect) const
{
	const auto& i = *impl;
	const bool horizontal = isStyleHorizontal ();
	CCoord result = horizontal ? getViewSize ().left + i.offsetHandle.x : getViewSize ().top + i.offsetHandle.y;
	if (getEffectiveSliderMode () == CSliderMode::FreeClick)
	{
		// The handle's centre, less one pixel, lands on the click.
		result += (horizontal ? i.handleSize.x : i.handleSize.y) / 2. - 1.;
		return static_cast<float> (result);
	}
	// The handle keeps its place under the mouse: the value follows the movement from here on.
	float normValue = getValueNormalized ();
	if (isStyleRight () || isStyleBottom ())
		normValue = 1.f - normValue;
	const CCoord actualPos = result + static_cast<int32_t> (normValue * i.rangeHandle);
	if (handleRect)
	{
		if (horizontal)
		{
			handleRect->left = actualPos;
			handleRect->top = getViewSize ().top + i.offsetHandle.y;
		}
		else
		{
			handleRect->left = getViewSize ().left + i.offsetHandle.x;
			handleRect->top = actualPos;
		}
		handleRect->right = handleRect->left + i.handleSize.x;
		handleRect->bottom = handleRect->top + i.handleSize.y;
	}
	result += (horizontal ? where.x : where.y) - actualPos;
	return static_cast<float> (result);
}

float CSliderBase::normalizedAt (const CPoint& where, CCoord delta) const
{
	const CCoord along = isStyleHorizontal () ? where.x : where.y;
	float normValue = static_cast<float> (along - delta) / static_cast<float> (impl->rangeHandle);
	if (isStyleRight () || isStyleBottom ())
		normValue = 1.f - normValue;
	return normValue;
}

void CSliderBase::doRamping ()
{
	// Steps of a tenth of the wheel increment towards the clicked place, until the handle's centre reaches it.
	auto& i = *impl;
	float normValue = getValueNormalized ();
	const CPoint centre = calculateHandleRect (normValue).getCenter ();
	float distance;
	if (isStyleHorizontal ())
		distance = i.startPoint.x < centre.x ? -0.1f : 0.1f;
	else
		distance = i.startPoint.y < centre.y ? 0.1f : -0.1f;
	if (isInverseStyle ())
		distance = -distance;

	const bool horizontal = isStyleHorizontal ();
	const CCoord delta = (horizontal ? getViewSize ().left + i.offsetHandle.x + i.handleSize.x / 2.
	                                 : getViewSize ().top + i.offsetHandle.y + i.handleSize.y / 2.) -
	                     1.;
	const float clickValue = normalizedAt (i.startPoint, delta);

	normValue += distance * getWheelInc ();
	if ((clickValue > normValue && distance < 0.f) || (clickValue < normValue && distance > 0.f))
	{
		normValue = clickValue;
		i.rampTimer = nullptr;
		i.delta = delta;
	}
	changeValueNormalized (normValue);
}

void CSliderBase::changeValueNormalized (float normValue)
{
	const float old = getValue ();
	setValueNormalized (normValue);
	if (getValue () != old)
	{
		valueChanged ();
		invalid ();
	}
}

void CSliderBase::onMouseDownEvent (MouseDownEvent& event)
{
	if (!event.buttonState.has (MouseButton::Left))
		return;
	invalidMouseWheelEditTimer (this);

	auto& i = *impl;
	const auto mode = getEffectiveSliderMode ();
	CRect handleRect;
	i.delta = calculateDelta (event.mousePosition, mode != CSliderMode::FreeClick ? &handleRect : nullptr);
	event.consumed = true;
	if (mode == CSliderMode::Touch && !handleRect.pointInside (event.mousePosition))
	{
		event.ignoreFollowUpMoveAndUpEvents (true);
		return;
	}
	i.previousValue = -1.f;
	i.oldButtons = buttonStateFromMouseEvent (event);
	if (mode == CSliderMode::Ramp && !handleRect.pointInside (event.mousePosition))
		i.rampTimer = makeOwned<CVSTGUITimer> ([this] (CVSTGUITimer*) { doRamping (); }, kRampInterval);

	i.startValue = getValue ();
	beginEdit ();
	i.startPoint = event.mousePosition;
	// With the fine-adjust key the value waits for the first move; otherwise the click itself places it.
	if (!(i.oldButtons & kZoomModifier))
		moveTo (event.mousePosition, i.oldButtons);
}

void CSliderBase::onMouseMoveEvent (MouseMoveEvent& event)
{
	if (!event.buttonState.has (MouseButton::Left) || !isEditing ())
		return;
	event.consumed = true;
	moveTo (event.mousePosition, buttonStateFromMouseEvent (event));
}

void CSliderBase::moveTo (const CPoint& where, CButtonState buttons)
{
	auto& i = *impl;
	if (kAlwaysUseZoomFactor)
		buttons |= kZoomModifier;
	if (i.rampTimer)
	{
		i.startPoint = where;
		return;
	}
	if (kAlwaysUseZoomFactor)
	{
		// The farther the mouse leaves the slider sideways, the finer the adjustment, in steps of a tenth.
		const bool horizontal = isStyleHorizontal ();
		const CCoord across = std::abs (horizontal ? where.y - i.startPoint.y : where.x - i.startPoint.x);
		const CCoord thickness = horizontal ? getHeight () : getWidth ();
		float newZoomFactor = 1.f;
		if (across > thickness)
			newZoomFactor = static_cast<int32_t> (static_cast<float> (across / thickness) * 10.f) / 10.f;
		if (i.zoomFactor != newZoomFactor)
		{
			i.zoomFactor = newZoomFactor;
			i.previousValue = getValueNormalized ();
			i.delta = calculateDelta (where);
		}
	}

	// Fine adjustment scales the distance from the value it started at (or from where the buttons last
	// changed); without it the value follows the mouse directly.
	if (i.previousValue < 0.f)
		i.previousValue = getValueNormalized ();
	if (i.oldButtons != buttons && (buttons & kZoomModifier))
	{
		i.previousValue = getValueNormalized ();
		i.oldButtons = buttons;
	}
	else if (!(buttons & kZoomModifier))
		i.previousValue = getValueNormalized ();

	float normValue = normalizedAt (where, i.delta);
	if (buttons & kZoomModifier)
		normValue = i.previousValue + (normValue - i.previousValue) / i.zoomFactor;
	changeValueNormalized (normValue);
}

void CSliderBase::onMouseUpEvent (MouseUpEvent& event)
{
	event.consumed = true;
	if (!isEditing ())
		return;
	impl->oldButtons = 0;
	impl->rampTimer = nullptr;
	endEdit ();
}

void CSliderBase::onMouseCancelEvent (MouseCancelEvent& event)
{
	event.consumed = true;
	if (!isEditing ())
		return;
	if (!impl->oldButtons)
	{
		// a wheel edit: the value stays, the edit ends
		endEdit ();
		return;
	}
	impl->oldButtons = 0;
	impl->rampTimer = nullptr;
	if (getValue () != impl->startValue)
	{
		setValue (impl->startValue);
		valueChanged ();
		invalid ();
	}
	endEdit ();
}

void CSliderBase::onMouseWheelEvent (MouseWheelEvent& event)
{
	if (!getMouseEnabled ())
		return;
	// Only the wheel along the slider moves it; the other passes on to the views behind.
	float distance = static_cast<float> (isStyleHorizontal () ? event.deltaX : event.deltaY);
	if (distance == 0.f)
		return;
	onMouseWheelEditing (this);
	// The real library turns the horizontal wheel round for a horizontal slider: turning right lowers it.
	if (isStyleHorizontal ())
		distance = -distance;
	if (isInverseStyle ())
		distance = -distance;
	if (stepByWheelIncrements (distance, event.modifiers))
		valueChanged ();
	event.consumed = true;
}

void CSliderBase::onKeyboardEvent (KeyboardEvent& event)
{
	if (event.type != EventType::KeyDown)
		return;
	switch (event.virt)
	{
	case VirtualKey::Up:
	case VirtualKey::Right:
	case VirtualKey::Down:
	case VirtualKey::Left:
	{
		const bool inverse = isInverseStyle ();
		const bool lowers = event.virt == VirtualKey::Down || event.virt == VirtualKey::Left;
		const float distance = lowers != inverse ? -1.f : 1.f;
		if (stepByWheelIncrements (distance, event.modifiers))
		{
			beginEdit ();
			valueChanged ();
			endEdit ();
		}
		event.consumed = true;
		// As in the real library an arrow key also does what Escape does: an edit still open (a drag, or a
		// wheel edit waiting for its timer) ends here.
		[[fallthrough]];
	}
	case VirtualKey::Escape:
		if (isEditing ())
		{
			MouseCancelEvent cancel;
			onMouseCancelEvent (cancel);
			event.consumed = true;
		}
		break;
	default:
		break;
	}
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
	setBackgroundOffset (offset);
	setBackground (background);
	setStyle (style);
	setHandle (handle);
	// the positions are in the parent's coordinates
	setHandleMinPosPrivate (iMinPos - (isStyleHorizontal () ? getViewSize ().left : getViewSize ().top));
	setHandleRangePrivate (static_cast<CCoord> (iMaxPos) - iMinPos);
}

CSlider::CSlider (const CRect& rect, IControlListener* listener, int32_t tag, const CPoint& offsetHandle,
                  int32_t rangeHandle, CBitmap* handle, CBitmap* background, const CPoint& offset, const int32_t style)
    : CSliderBase (rect, listener, tag), impl (std::make_unique<Impl> ())
{
	setBackgroundOffset (offset);
	setBackground (background);
	setStyle (style);
	setHandle (handle);
	setHandleRangePrivate (rangeHandle -
	                       (isStyleHorizontal () ? getHandleSizePrivate ().x : getHandleSizePrivate ().y));
	setOffsetHandle (offsetHandle);
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
	{
		setHandleSizePrivate (pHandle->getWidth (), pHandle->getHeight ());
		setViewSize (getViewSize (), true);
	}
	else
		setHandleSizePrivate (1., 1.);
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
