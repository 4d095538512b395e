#include "cbuttons.h"

namespace VSTGUI
{

COnOffButton::COnOffButton (const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
                            int32_t style)
    : CControl (size, listener, tag, background), style (style)
{
	setWantsFocus (true);
}

COnOffButton::COnOffButton (const COnOffButton& onOffButton) : CControl (onOffButton), style (onOffButton.style) {}

COnOffButton::~COnOffButton () noexcept = default;

void COnOffButton::draw (CDrawContext*)
{
	setDirty (false);
}

void COnOffButton::toggle ()
{
	setValue (getValue () == getMax () ? getMin () : getMax ());
	invalid ();
}

void COnOffButton::onMouseDownEvent (MouseDownEvent& event)
{
	if (!event.buttonState.isLeft ())
		return;
	tracking = true;
	beginEdit ();
	event.consumed = true;
}

void COnOffButton::onMouseMoveEvent (MouseMoveEvent& event)
{
	if (tracking)
		event.consumed = true;
}

void COnOffButton::onMouseUpEvent (MouseUpEvent& event)
{
	if (!tracking)
		return;
	tracking = false;
	// Only a click that ends over the button toggles it.
	if (getViewSize ().pointInside (event.mousePosition))
	{
		toggle ();
		valueChanged ();
	}
	endEdit ();
	event.consumed = true;
}

void COnOffButton::onMouseCancelEvent (MouseCancelEvent& event)
{
	if (!tracking)
		return;
	tracking = false;
	endEdit ();
	event.consumed = true;
}

void COnOffButton::onKeyboardEvent (KeyboardEvent& event)
{
	if (event.type != EventType::KeyDown || !event.modifiers.empty ())
		return;
	if (event.virt != VirtualKey::Return && event.virt != VirtualKey::Enter && event.virt != VirtualKey::Space)
		return;
	toggle ();
	beginEdit ();
	valueChanged ();
	endEdit ();
	event.consumed = true;
}

bool COnOffButton::sizeToFit ()
{
	return false;
}

} // namespace VSTGUI
