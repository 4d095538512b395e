#include "CheckDefaultValueOnDoubleClick.h"

bool checkDefaultValueOnDoubleClick (VSTGUI::CControl* /*control*/, VSTGUI::MouseDownEvent& event)
{
	return event.buttonState.isLeft () && event.clickCount == 2;
}
