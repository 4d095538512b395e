#include "win32support.h"

#include <utility>

namespace VSTGUI
{
namespace Win32
{

VirtualKey translateWinVirtualKey (WPARAM virtualKey)
{
	static constexpr std::pair<WPARAM, VirtualKey> table[] = {
	    {VK_BACK, VirtualKey::Back},
	    {VK_TAB, VirtualKey::Tab},
	    {VK_CLEAR, VirtualKey::Clear},
	    {VK_RETURN, VirtualKey::Return},
	    {VK_PAUSE, VirtualKey::Pause},
	    {VK_ESCAPE, VirtualKey::Escape},
	    {VK_SPACE, VirtualKey::Space},
	    {VK_PRIOR, VirtualKey::PageUp},
	    {VK_NEXT, VirtualKey::PageDown},
	    {VK_END, VirtualKey::End},
	    {VK_HOME, VirtualKey::Home},
	    {VK_LEFT, VirtualKey::Left},
	    {VK_UP, VirtualKey::Up},
	    {VK_RIGHT, VirtualKey::Right},
	    {VK_DOWN, VirtualKey::Down},
	    {VK_SELECT, VirtualKey::Select},
	    {VK_PRINT, VirtualKey::Print},
	    {VK_SNAPSHOT, VirtualKey::Snapshot},
	    {VK_INSERT, VirtualKey::Insert},
	    {VK_DELETE, VirtualKey::Delete},
	    {VK_HELP, VirtualKey::Help},
	    {VK_MULTIPLY, VirtualKey::Multiply},
	    {VK_ADD, VirtualKey::Add},
	    {VK_SEPARATOR, VirtualKey::Separator},
	    {VK_SUBTRACT, VirtualKey::Subtract},
	    {VK_DECIMAL, VirtualKey::Decimal},
	    {VK_DIVIDE, VirtualKey::Divide},
	    {VK_NUMLOCK, VirtualKey::NumLock},
	    {VK_SCROLL, VirtualKey::Scroll},
	    {VK_SHIFT, VirtualKey::ShiftModifier},
	    {VK_CONTROL, VirtualKey::ControlModifier},
	    {VK_MENU, VirtualKey::AltModifier},
	    {VK_OEM_PLUS, VirtualKey::Equals},
	};
	if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9)
		return static_cast<VirtualKey> (static_cast<uint32_t> (VirtualKey::NumPad0) + (virtualKey - VK_NUMPAD0));
	if (virtualKey >= VK_F1 && virtualKey <= VK_F12)
		return static_cast<VirtualKey> (static_cast<uint32_t> (VirtualKey::F1) + (virtualKey - VK_F1));
	for (const auto& [key, virt] : table)
		if (key == virtualKey)
			return virt;
	return VirtualKey::None;
}

Modifiers currentModifiers ()
{
	Modifiers modifiers;
	if (GetKeyState (VK_SHIFT) < 0)
		modifiers.add (ModifierKey::Shift);
	if (GetKeyState (VK_CONTROL) < 0)
		modifiers.add (ModifierKey::Control);
	if (GetKeyState (VK_MENU) < 0)
		modifiers.add (ModifierKey::Alt);
	if (GetKeyState (VK_LWIN) < 0 || GetKeyState (VK_RWIN) < 0)
		modifiers.add (ModifierKey::Super);
	return modifiers;
}

Modifiers modifiersFromMouseKeys (WPARAM keys)
{
	Modifiers modifiers;
	if (keys & MK_SHIFT)
		modifiers.add (ModifierKey::Shift);
	if (keys & MK_CONTROL)
		modifiers.add (ModifierKey::Control);
	if (GetKeyState (VK_MENU) < 0)
		modifiers.add (ModifierKey::Alt);
	return modifiers;
}

MouseEventButtonState buttonsFromMouseKeys (WPARAM keys)
{
	MouseEventButtonState buttons;
	if (keys & MK_LBUTTON)
		buttons.add (MouseButton::Left);
	if (keys & MK_RBUTTON)
		buttons.add (MouseButton::Right);
	if (keys & MK_MBUTTON)
		buttons.add (MouseButton::Middle);
	if (keys & MK_XBUTTON1)
		buttons.add (MouseButton::Fourth);
	if (keys & MK_XBUTTON2)
		buttons.add (MouseButton::Fifth);
	return buttons;
}

HCURSOR systemCursor (CCursorType type)
{
	LPCWSTR id = IDC_ARROW;
	switch (type)
	{
	case kCursorWait:
		id = IDC_WAIT;
		break;
	case kCursorHSize:
		id = IDC_SIZEWE;
		break;
	case kCursorVSize:
		id = IDC_SIZENS;
		break;
	case kCursorSizeAll:
		id = IDC_SIZEALL;
		break;
	case kCursorNESWSize:
		id = IDC_SIZENESW;
		break;
	case kCursorNWSESize:
		id = IDC_SIZENWSE;
		break;
	case kCursorNotAllowed:
		id = IDC_NO;
		break;
	case kCursorHand:
		id = IDC_HAND;
		break;
	case kCursorIBeam:
		id = IDC_IBEAM;
		break;
	case kCursorCrosshair:
		id = IDC_CROSS;
		break;
	default:
		break;
	}
	return LoadCursorW (nullptr, id);
}

} // namespace Win32
} // namespace VSTGUI
