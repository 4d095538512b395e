#include "Checkbox.h"

Checkbox::Checkbox (const VSTGUI::CRect& rect, VSTGUI::IControlListener* listener, int32_t tag, const char* offDocument,
                    const char* onDocument)
    : COnOffButton (rect, listener, tag, nullptr, 0), onSvg (onDocument), offSvg (offDocument)
{
}

void Checkbox::draw (VSTGUI::CDrawContext* context)
{
	// Exact equality: a value between the bounds (which the base's own toggling never makes) shows off.
	const ParsedSvg& shown = getValue () == getMax () ? onSvg : offSvg;
	shown.draw (context, getViewSize (), false);
	setDirty (false);
}

void Checkbox::drawRect (VSTGUI::CDrawContext* context, const VSTGUI::CRect& /*updateRect*/)
{
	draw (context);
}
