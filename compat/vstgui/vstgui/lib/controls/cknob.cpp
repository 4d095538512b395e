#include "cknob.h"

#include "../cdrawcontext.h"
#include "../cframe.h"

#include <cmath>

namespace VSTGUI
{

namespace
{

constexpr float kDefaultKnobRange = 200.f;

} // namespace

struct CKnobBase::MouseEditingState
{
	enum class Mode
	{
		Circular,
		RelativeCircular,
		Linear
	};

	Mode mode{Mode::Linear};
	CPoint firstPoint;
	CPoint lastPoint;
	float entryValue{0.f};
	// linear: value per pixel; relative circular: the angle value where the drag started
	float coef{0.f};
	float startValue{0.f};
	float range{kDefaultKnobRange};
	bool zoom{false};
};

CKnobBase::CKnobBase (const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background)
    : CControl (size, listener, tag, background), startAngle (0.f), rangeAngle (1.f), zoomFactor (1.5f),
      knobRange (kDefaultKnobRange), inset (3.)
{
	setStartAngle (static_cast<float> (3. * kPI / 4.));
	setRangeAngle (static_cast<float> (3. * kPI / 2.));
}

CKnobBase::CKnobBase (const CKnobBase& knob)
    : CControl (knob), CMouseWheelEditingSupport (knob), startAngle (knob.startAngle), rangeAngle (knob.rangeAngle),
      zoomFactor (knob.zoomFactor), knobRange (knob.knobRange), inset (knob.inset)
{
}

CKnobBase::~CKnobBase () noexcept = default;

void CKnobBase::setStartAngle (float val)
{
	startAngle = val;
	compute ();
}

void CKnobBase::setRangeAngle (float val)
{
	rangeAngle = val;
	compute ();
}

void CKnobBase::compute ()
{
	setDirty (true);
}

void CKnobBase::valueToPoint (CPoint& point) const
{
	double alpha = getValueNormalized () * rangeAngle + startAngle;
	CPoint c (getViewSize ().getWidth () / 2., getViewSize ().getHeight () / 2.);
	double xradius = c.x - inset;
	double yradius = c.y - inset;
	point.x = c.x + std::cos (alpha) * xradius;
	point.y = c.y + std::sin (alpha) * yradius;
}

float CKnobBase::valueFromPoint (CPoint& point) const
{
	// Angles grow clockwise on screen (y points down); the value follows the angle between the start angle and
	// the start angle plus the range, and sticks to the nearer end outside it.
	double half = rangeAngle * 0.5;
	double middle = startAngle + half;
	CPoint c (getViewSize ().getWidth () / 2., getViewSize ().getHeight () / 2.);
	double xradius = std::max (c.x - inset, 1.);
	double yradius = std::max (c.y - inset, 1.);
	double alpha = std::atan2 ((point.y - c.y) / yradius, (point.x - c.x) / xradius) - middle;
	while (alpha >= kPI)
		alpha -= 2. * kPI;
	while (alpha < -kPI)
		alpha += 2. * kPI;
	if (half < 0.)
	{
		alpha = -alpha;
		half = -half;
	}
	if (alpha > half)
		return getMax ();
	if (alpha < -half)
		return getMin ();
	return static_cast<float> (0.5 + alpha / std::abs (rangeAngle)) * getRange () + getMin ();
}

void CKnobBase::onMouseDownEvent (MouseDownEvent& event)
{
	if (!event.buttonState.isLeft ())
		return;
	mouseState = std::make_unique<MouseEditingState> ();
	auto& state = *mouseState;
	int32_t knobMode = getFrame () ? getFrame ()->getKnobMode () : CFrame::kDefaultKnobMode;
	// Alt swaps between linear and the host's circular mode.
	bool alt = event.modifiers.has (ModifierKey::Alt);
	if ((knobMode == kLinearMode) != alt)
		state.mode = MouseEditingState::Mode::Linear;
	else if (knobMode == kRelativCircularMode)
		state.mode = MouseEditingState::Mode::RelativeCircular;
	else
		state.mode = MouseEditingState::Mode::Circular;

	invalidMouseWheelEditTimer (this);
	beginEdit ();
	state.firstPoint = event.mousePosition;
	state.lastPoint = event.mousePosition;
	state.entryValue = getValue ();
	state.zoom = isZoomModifier (event.modifiers);
	state.range = knobRange * (state.zoom ? zoomFactor : 1.f);
	state.coef = getRange () / state.range;
	CPoint local (event.mousePosition);
	local.offset (-getViewSize ().left, -getViewSize ().top);
	state.startValue = valueFromPoint (local);
	if (state.mode == MouseEditingState::Mode::Circular && state.startValue != getValue ())
	{
		setValue (state.startValue);
		valueChanged ();
		invalid ();
	}
	event.consumed = true;
}

void CKnobBase::onMouseMoveEvent (MouseMoveEvent& event)
{
	if (!mouseState || !isEditing ())
		return;
	event.consumed = true;
	auto& state = *mouseState;
	if (event.mousePosition == state.lastPoint)
		return;
	state.lastPoint = event.mousePosition;
	float oldValue = getValue ();
	float newValue = oldValue;
	CPoint local (event.mousePosition);
	local.offset (-getViewSize ().left, -getViewSize ().top);
	switch (state.mode)
	{
	case MouseEditingState::Mode::Linear:
	{
		CCoord diff = (state.firstPoint.y - event.mousePosition.y) + (event.mousePosition.x - state.firstPoint.x);
		bool zoom = isZoomModifier (event.modifiers);
		if (zoom != state.zoom)
		{
			// Keep the value where it is when the fine-adjust key changes mid-drag.
			float newCoef = getRange () / (knobRange * (zoom ? zoomFactor : 1.f));
			state.entryValue += static_cast<float> (diff * (state.coef - newCoef));
			state.coef = newCoef;
			state.zoom = zoom;
		}
		// In double, narrowed once, as the real library does: near the range's ends float steps would round
		// a drag's last value onto the one shown already.
		newValue = static_cast<float> (state.entryValue + diff * state.coef);
		break;
	}
	case MouseEditingState::Mode::Circular:
	{
		newValue = valueFromPoint (local);
		// no jumps across the gap between the ends
		float half = getRange () * 0.5f;
		if (state.startValue - newValue > half)
			newValue = getMax ();
		else if (newValue - state.startValue > half)
			newValue = getMin ();
		else
			state.startValue = newValue;
		break;
	}
	case MouseEditingState::Mode::RelativeCircular:
	{
		float angleValue = valueFromPoint (local);
		float half = getRange () * 0.5f;
		float step = angleValue - state.startValue;
		if (std::abs (step) < half)
			newValue = oldValue + step;
		state.startValue = angleValue;
		break;
	}
	}
	setValue (newValue);
	if (getValue () != oldValue)
	{
		valueChanged ();
		invalid ();
	}
}

void CKnobBase::onMouseUpEvent (MouseUpEvent& event)
{
	if (!mouseState)
		return;
	mouseState.reset ();
	endEdit ();
	event.consumed = true;
}

void CKnobBase::onMouseCancelEvent (MouseCancelEvent& event)
{
	if (!isEditing ())
		return;
	event.consumed = true;
	if (!mouseState)
	{
		// a wheel edit: the value stays, the edit ends
		endEdit ();
		return;
	}
	float entry = mouseState->entryValue;
	mouseState.reset ();
	if (getValue () != entry)
	{
		setValue (entry);
		valueChanged ();
		invalid ();
	}
	endEdit ();
}

void CKnobBase::onMouseWheelEvent (MouseWheelEvent& event)
{
	// Only the vertical wheel turns a knob, but any notch takes part in the wheel edit: a horizontal notch, or
	// one at an end of the range, begins and (later) ends an edit without a value.
	onMouseWheelEditing (this);
	if (stepByWheelIncrements (static_cast<float> (event.deltaY), event.modifiers))
		valueChanged ();
	event.consumed = true;
}

void CKnobBase::onKeyboardEvent (KeyboardEvent& event)
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
		const float distance = (event.virt == VirtualKey::Down || event.virt == VirtualKey::Left) ? -1.f : 1.f;
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

void CKnobBase::setViewSize (const CRect& rect, bool doInvalid)
{
	CControl::setViewSize (rect, doInvalid);
	compute ();
}

bool CKnobBase::sizeToFit ()
{
	return false;
}

void CKnobBase::setMin (float val)
{
	CControl::setMin (val);
	if (getValue () < val)
		setValue (val);
}

void CKnobBase::setMax (float val)
{
	CControl::setMax (val);
	if (getValue () > val)
		setValue (val);
}

// ---- CKnob

CKnob::CKnob (const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background, CBitmap* handle,
              const CPoint& offset, int32_t drawStyle)
    : CKnobBase (size, listener, tag, background), drawStyle (drawStyle), colorHandle (kWhiteCColor),
      handleLineWidth (1.)
{
}

CKnob::CKnob (const CKnob& knob)
    : CKnobBase (knob), drawStyle (knob.drawStyle), colorHandle (knob.colorHandle),
      handleLineWidth (knob.handleLineWidth)
{
}

CKnob::~CKnob () noexcept = default;

void CKnob::setDrawStyle (int32_t style)
{
	drawStyle = style;
	setDirty (true);
}

void CKnob::setColorHandle (CColor color)
{
	colorHandle = color;
	setDirty (true);
}

void CKnob::setHandleLineWidth (CCoord width)
{
	handleLineWidth = width;
	setDirty (true);
}

void CKnob::draw (CDrawContext* pContext)
{
	if (!(drawStyle & kSkipHandleDrawing))
	{
		CPoint where;
		valueToPoint (where);
		CPoint origin (getViewSize ().getWidth () / 2., getViewSize ().getHeight () / 2.);
		where.offset (getViewSize ().left, getViewSize ().top);
		origin.offset (getViewSize ().left, getViewSize ().top);
		pContext->setDrawMode (kAntiAliasing);
		pContext->setFrameColor (colorHandle);
		pContext->setLineWidth (handleLineWidth);
		pContext->drawLine (origin, where);
	}
	setDirty (false);
}

} // namespace VSTGUI
