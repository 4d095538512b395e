// COnOffButton: a two-state switch that toggles on a completed click or on Return/Space.
#pragma once

#include "ccontrol.h"

namespace VSTGUI
{

class COnOffButton : public CControl
{
public:
	COnOffButton (const CRect& size, IControlListener* listener = nullptr, int32_t tag = -1,
	              CBitmap* background = nullptr, int32_t style = 0);
	COnOffButton (const COnOffButton& onOffButton);

	virtual int32_t getStyle () const { return style; }
	virtual void setStyle (int32_t newStyle) { style = newStyle; }

	void draw (CDrawContext*) override;
	void onMouseDownEvent (MouseDownEvent& event) override;
	void onMouseMoveEvent (MouseMoveEvent& event) override;
	void onMouseUpEvent (MouseUpEvent& event) override;
	void onMouseCancelEvent (MouseCancelEvent& event) override;
	void onKeyboardEvent (KeyboardEvent& event) override;
	bool sizeToFit () override;

	CLASS_METHODS (COnOffButton, CControl)

protected:
	~COnOffButton () noexcept override;

	int32_t style;

private:
	void toggle ();
	bool tracking{false};
};

} // namespace VSTGUI
