#include "events.h"

namespace VSTGUI
{

Event::Event () noexcept
{
	static uint64_t nextID = 0;
	id = ++nextID;
	timestamp = 0;
}

const Event& noEvent ()
{
	static Event e;
	return e;
}

CButtonState buttonStateFromEventModifiers (const Modifiers& mods)
{
	int32_t state = 0;
	if (mods.has (ModifierKey::Shift))
		state |= kShift;
	if (mods.has (ModifierKey::Control))
		state |= kControl;
	if (mods.has (ModifierKey::Alt))
		state |= kAlt;
	if (mods.has (ModifierKey::Super))
		state |= kApple;
	return state;
}

CButtonState buttonStateFromMouseEvent (const MouseEvent& event)
{
	int32_t state = buttonStateFromEventModifiers (event.modifiers);
	if (event.buttonState.has (MouseButton::Left))
		state |= kLButton;
	if (event.buttonState.has (MouseButton::Right))
		state |= kRButton;
	if (event.buttonState.has (MouseButton::Middle))
		state |= kMButton;
	if (event.buttonState.has (MouseButton::Fourth))
		state |= kButton4;
	if (event.buttonState.has (MouseButton::Fifth))
		state |= kButton5;
	if (event.type == EventType::MouseDown || event.type == EventType::MouseUp || event.type == EventType::MouseMove)
	{
		if (static_cast<const MouseDownUpMoveEvent&> (event).clickCount > 1)
			state |= kDoubleClick;
	}
	return state;
}

} // namespace VSTGUI
