// The editor's rule for resetting a control to its parameter's default: a double click of the left button
// alone (installed as the GUI library's default-value test in place of its Ctrl-click).
#pragma once

#include "vstgui/lib/events.h"

namespace VSTGUI
{
class CControl;
}

/** True exactly for a click count of 2 with only the left button held; control, modifiers and position do not
    matter. */
bool checkDefaultValueOnDoubleClick (VSTGUI::CControl* control, VSTGUI::MouseDownEvent& event);
