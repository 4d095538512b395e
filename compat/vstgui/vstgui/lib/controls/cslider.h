// CSliderBase: a linear control with a handle moving along a horizontal or vertical track (click, drag, ramp,
// wheel edits, arrow keys); CSlider draws it with optional bitmaps and colours.
#pragma once

#include "../ccolor.h"
#include "ccontrol.h"

namespace VSTGUI
{

class CSliderBase : public CControl, protected CMouseWheelEditingSupport
{
private:
	enum StyleEnum
	{
		StyleHorizontal = 0,
		StyleVertical,
		StyleLeft,
		StyleRight,
		StyleTop,
		StyleBottom,
	};

public:
	enum Style
	{
		kHorizontal = 1 << StyleHorizontal,
		kVertical = 1 << StyleVertical,
		kLeft = 1 << StyleLeft,
		kRight = 1 << StyleRight,
		kTop = 1 << StyleTop,
		kBottom = 1 << StyleBottom,
	};

	CSliderBase (const CRect& size, IControlListener* listener, int32_t tag);
	CSliderBase (const CSliderBase& slider);

	void setOffsetHandle (const CPoint& val);
	CPoint getOffsetHandle () const;

	void setStyle (int32_t style);
	int32_t getStyle () const;
	bool isStyleHorizontal () const;
	bool isStyleRight () const;
	bool isStyleBottom () const;
	bool isInverseStyle () const;

	void setZoomFactor (float val);
	float getZoomFactor () const;

	void setSliderMode (CSliderMode mode);
	CSliderMode getSliderMode () const;
	CSliderMode getEffectiveSliderMode () const;
	static void setGlobalMode (CSliderMode mode);
	static CSliderMode getGlobalMode ();

	void onMouseDownEvent (MouseDownEvent& event) override;
	void onMouseMoveEvent (MouseMoveEvent& event) override;
	void onMouseUpEvent (MouseUpEvent& event) override;
	void onMouseCancelEvent (MouseCancelEvent& event) override;
	void onMouseWheelEvent (MouseWheelEvent& event) override;
	void onKeyboardEvent (KeyboardEvent& event) override;
	void setViewSize (const CRect& rect, bool invalid) override;

	static bool kAlwaysUseZoomFactor;

protected:
	~CSliderBase () noexcept override;

	// The handle's rectangle (view coordinates) for a normalized value.
	CRect calculateHandleRect (float normValue) const;

	void setHandleSizePrivate (CCoord width, CCoord height);
	CPoint getHandleSizePrivate () const;
	CPoint getControlSizePrivate () const;
	void setHandleRangePrivate (CCoord range);
	void setHandleMinPosPrivate (CCoord pos);
	CCoord getHandleMinPosPrivate () const;

private:
	void updateInternalHandleValues ();
	float calculateDelta (const CPoint& where, CRect* handleRect = nullptr) const;
	void doRamping ();
	// the normalized value for a mouse position, given the coordinate that maps to 0
	float normalizedAt (const CPoint& where, CCoord delta) const;
	void moveTo (const CPoint& where, CButtonState buttons);
	// sets the value and tells the listener when it changed
	void changeValueNormalized (float normValue);

	struct Impl;
	std::unique_ptr<Impl> impl;
};

class CSlider : public CSliderBase
{
public:
	CSlider (const CRect& size, IControlListener* listener, int32_t tag, int32_t iMinPos, int32_t iMaxPos,
	         CBitmap* handle, CBitmap* background, const CPoint& offset = CPoint (0, 0),
	         const int32_t style = kLeft | kHorizontal);
	CSlider (const CRect& rect, IControlListener* listener, int32_t tag, const CPoint& offsetHandle,
	         int32_t rangeHandle, CBitmap* handle, CBitmap* background, const CPoint& offset = CPoint (0, 0),
	         const int32_t style = kLeft | kHorizontal);
	CSlider (const CSlider& slider);

	void setBackgroundOffset (const CPoint& offset);
	CPoint getBackgroundOffset () const;
	virtual void setHandle (CBitmap* pHandle);
	virtual CBitmap* getHandle () const;

	enum DrawStyle
	{
		kDrawFrame = 1 << 0,
		kDrawBack = 1 << 1,
		kDrawValue = 1 << 2,
		kDrawValueFromCenter = 1 << 3,
		kDrawInverted = 1 << 4
	};

	virtual void setDrawStyle (int32_t style);
	virtual void setFrameWidth (CCoord width);
	virtual void setFrameColor (CColor color);
	virtual void setBackColor (CColor color);
	virtual void setValueColor (CColor color);
	int32_t getDrawStyle () const;
	CCoord getFrameWidth () const;
	CColor getFrameColor () const;
	CColor getBackColor () const;
	CColor getValueColor () const;

	void draw (CDrawContext*) override;
	bool sizeToFit () override;

	CLASS_METHODS (CSlider, CControl)

protected:
	~CSlider () noexcept override;

	struct Impl;
	std::unique_ptr<Impl> impl;
};

} // namespace VSTGUI
