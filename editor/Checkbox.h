// A two-state switch drawn as one of two SVG documents: the on document only while the value is at its
// maximum, the off document otherwise.
#pragma once

#include "ParsedSvg.h"

#include "vstgui/lib/controls/cbuttons.h"

struct Checkbox : VSTGUI::COnOffButton
{
	/** The first document is the off state, the second the on state. */
	Checkbox (const VSTGUI::CRect& rect, VSTGUI::IControlListener* listener, int32_t tag, const char* offDocument,
	          const char* onDocument);

	void draw (VSTGUI::CDrawContext* context) override;
	/** The whole view is drawn whatever the update rectangle. */
	void drawRect (VSTGUI::CDrawContext* context, const VSTGUI::CRect& updateRect) override;

	ParsedSvg onSvg;
	ParsedSvg offSvg;

protected:
	~Checkbox () noexcept override = default;
};
