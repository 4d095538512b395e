// Translations between Win32 input and the library's: virtual-key codes, modifier keys, button flags, cursors.
#pragma once

#include "../../events.h"
#include "../../vstguifwd.h"

#include <windows.h>

namespace VSTGUI
{
namespace Win32
{

// VirtualKey::None for keys the library has no code for (letters and digits come as characters).
VirtualKey translateWinVirtualKey (WPARAM virtualKey);
// The modifier keys as the thread's input state has them when the current message was posted.
Modifiers currentModifiers ();
// Mouse messages carry Shift and Control in wParam; Alt only the keyboard state knows.
Modifiers modifiersFromMouseKeys (WPARAM keys);
MouseEventButtonState buttonsFromMouseKeys (WPARAM keys);
// A shared system cursor; never destroyed.
HCURSOR systemCursor (CCursorType type);

} // namespace Win32
} // namespace VSTGUI
