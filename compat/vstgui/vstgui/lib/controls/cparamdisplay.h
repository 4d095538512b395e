// CParamDisplay: a control that shows its value as text (through a value-to-string function when set).
#pragma once

#include "../ccolor.h"
#include "../cstring.h"
#include "ccontrol.h"

#include <functional>
#include <string>

namespace VSTGUI
{

class CParamDisplay : public CControl
{
public:
	CParamDisplay (const CRect& size, CBitmap* background = nullptr, int32_t style = 0);
	CParamDisplay (const CParamDisplay& paramDisplay);

	virtual void setFontColor (CColor color);
	CColor getFontColor () const;
	virtual void setBackColor (CColor color);
	CColor getBackColor () const;
	virtual void setFrameColor (CColor color);
	CColor getFrameColor () const;
	virtual void setHoriAlign (CHoriTxtAlign hAlign);
	CHoriTxtAlign getHoriAlign () const;
	virtual void setStyle (int32_t val);
	int32_t getStyle () const;
	virtual void setPrecision (uint8_t precision);
	uint8_t getPrecision () const;

	// (value, a 256-byte UTF-8 buffer to fill, this display) → true when the buffer holds the text
	using ValueToStringFunction = std::function<bool (float value, char utf8String[256], CParamDisplay* display)>;
	using ValueToStringFunction2 = std::function<bool (float value, std::string& result, CParamDisplay* display)>;
	void setValueToStringFunction (const ValueToStringFunction& valueToStringFunc);
	void setValueToStringFunction (ValueToStringFunction&& valueToStringFunc);
	void setValueToStringFunction2 (const ValueToStringFunction2& valueToStringFunc);
	void setValueToStringFunction2 (ValueToStringFunction2&& valueToStringFunc);

	void draw (CDrawContext* pContext) override;
	void setValue (float val) override;

	CLASS_METHODS (CParamDisplay, CControl)

protected:
	// for displays that edit (text edit, option menu): the listener and tag without tag-change notifications
	CParamDisplay (const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background, int32_t style);
	~CParamDisplay () noexcept override;

	// The text the display shows for `value`: the value-to-string function's, else the value with the precision.
	std::string valueToText (float value);
	virtual void drawBack (CDrawContext* pContext, CBitmap* newBack = nullptr);

	ValueToStringFunction2 valueToStringFunction;
	int32_t style;
	CHoriTxtAlign horiTxtAlign{kCenterText};
	CColor fontColor;
	CColor backColor;
	CColor frameColor;
	uint8_t valuePrecision{2};
};

} // namespace VSTGUI
