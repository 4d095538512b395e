// CKnobBase: a rotary control (circular, relative circular or linear dragging, wheel edits, arrow keys);
// CKnob draws it as a circle with a handle line.
#pragma once

#include "../ccolor.h"
#include "ccontrol.h"

namespace VSTGUI
{

class CKnobBase : public CControl, protected CMouseWheelEditingSupport
{
public:
	virtual void valueToPoint (CPoint& point) const;
	virtual float valueFromPoint (CPoint& point) const;

	// angles in radians; the start angle is measured clockwise from the positive x axis
	virtual void setStartAngle (float val);
	virtual float getStartAngle () const { return startAngle; }
	virtual void setRangeAngle (float val);
	virtual float getRangeAngle () const { return rangeAngle; }

	// divides the linear drag distance while the zoom modifier is held
	virtual void setZoomFactor (float val) { zoomFactor = val; }
	virtual float getZoomFactor () const { return zoomFactor; }

	virtual CCoord getInsetValue () const { return inset; }
	virtual void setInsetValue (CCoord val) { inset = val; }

	// pixels of linear drag for the whole range
	virtual void setKnobRange (float val)
	{
		if (val > 0.f)
			knobRange = val;
	}
	virtual float getKnobRange () const { return knobRange; }

	// CControl / CView
	void onMouseDownEvent (MouseDownEvent& event) override;
	void onMouseMoveEvent (MouseMoveEvent& event) override;
	void onMouseUpEvent (MouseUpEvent& event) override;
	void onMouseCancelEvent (MouseCancelEvent& event) override;
	void onMouseWheelEvent (MouseWheelEvent& event) override;
	void onKeyboardEvent (KeyboardEvent& event) override;
	void setViewSize (const CRect& rect, bool invalid = true) override;
	bool sizeToFit () override;
	void setMin (float val) override;
	void setMax (float val) override;

	CLASS_METHODS_VIRTUAL (CKnobBase, CControl)

protected:
	CKnobBase (const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background);
	CKnobBase (const CKnobBase& knob);
	~CKnobBase () noexcept override;
	void compute ();

	float startAngle;
	float rangeAngle;
	float zoomFactor;
	float knobRange;
	CCoord inset;

private:
	struct MouseEditingState;
	std::unique_ptr<MouseEditingState> mouseState;
};

class CKnob : public CKnobBase
{
public:
	enum DrawStyle
	{
		kLegacyHandleLineDrawing = 0,
		kHandleCircleDrawing = 1 << 0,
		kCoronaDrawing = 1 << 1,
		kCoronaFromCenter = 1 << 2,
		kCoronaInverted = 1 << 3,
		kCoronaLineDashDot = 1 << 4,
		kCoronaOutline = 1 << 5,
		kCoronaLineCapButt = 1 << 6,
		kSkipHandleDrawing = 1 << 7,
	};

	CKnob (const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background, CBitmap* handle,
	       const CPoint& offset = CPoint (0, 0), int32_t drawStyle = kLegacyHandleLineDrawing);
	CKnob (const CKnob& knob);

	int32_t getDrawStyle () const { return drawStyle; }
	virtual void setDrawStyle (int32_t style);
	CColor getColorHandle () const { return colorHandle; }
	virtual void setColorHandle (CColor color);
	CCoord getHandleLineWidth () const { return handleLineWidth; }
	virtual void setHandleLineWidth (CCoord width);

	void draw (CDrawContext* pContext) override;

	CLASS_METHODS (CKnob, CKnobBase)

protected:
	~CKnob () noexcept override;

	int32_t drawStyle;
	CColor colorHandle;
	CCoord handleLineWidth;
};

} // namespace VSTGUI
