#include "CheckDefaultValueOnDoubleClick.h"

bool checkDefaultValueOnDoubleClick (VSTGUI::CControl* /*control*/, VSTGUI::MouseDownUpMoveEvent& event)
{
	return event.buttonState.isLeft () && event.clickCount == 2;
}
