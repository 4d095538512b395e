#include "cparamdisplay.h"

#include "../cdrawcontext.h"

#include <cstdio>
#include <cstring>

namespace VSTGUI
{

CParamDisplay::CParamDisplay (const CRect& size, CBitmap* background, int32_t style)
    : CControl (size, nullptr, -1, background), style (style), fontColor (kWhiteCColor), backColor (kBlackCColor),
      frameColor (kBlackCColor)
{
	setWantsFocus (false);
}

CParamDisplay::CParamDisplay (const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
                              int32_t style)
    : CControl (size, listener, tag, background), style (style), fontColor (kWhiteCColor), backColor (kBlackCColor),
      frameColor (kBlackCColor)
{
}

CParamDisplay::CParamDisplay (const CParamDisplay& other)
    : CControl (other), valueToStringFunction (other.valueToStringFunction), style (other.style),
      horiTxtAlign (other.horiTxtAlign), fontColor (other.fontColor), backColor (other.backColor),
      frameColor (other.frameColor), valuePrecision (other.valuePrecision)
{
}

CParamDisplay::~CParamDisplay () noexcept = default;

void CParamDisplay::setFontColor (CColor color)
{
	fontColor = color;
	setDirty (true);
}

CColor CParamDisplay::getFontColor () const
{
	return fontColor;
}

void CParamDisplay::setBackColor (CColor color)
{
	backColor = color;
	setDirty (true);
}

CColor CParamDisplay::getBackColor () const
{
	return backColor;
}

void CParamDisplay::setFrameColor (CColor color)
{
	frameColor = color;
	setDirty (true);
}

CColor CParamDisplay::getFrameColor () const
{
	return frameColor;
}

void CParamDisplay::setHoriAlign (CHoriTxtAlign hAlign)
{
	horiTxtAlign = hAlign;
	setDirty (true);
}

CHoriTxtAlign CParamDisplay::getHoriAlign () const
{
	return horiTxtAlign;
}

void CParamDisplay::setStyle (int32_t val)
{
	style = val;
	setDirty (true);
}

int32_t CParamDisplay::getStyle () const
{
	return style;
}

void CParamDisplay::setPrecision (uint8_t precision)
{
	valuePrecision = precision;
	setDirty (true);
}

uint8_t CParamDisplay::getPrecision () const
{
	return valuePrecision;
}

namespace
{

CParamDisplay::ValueToStringFunction2 wrap (CParamDisplay::ValueToStringFunction func)
{
	if (!func)
		return {};
	return [func = std::move (func)] (float value, std::string& result, CParamDisplay* display)
	{
		char buffer[256] = {};
		if (!func (value, buffer, display))
			return false;
		buffer[255] = 0;
		result = buffer;
		return true;
	};
}

} // namespace

void CParamDisplay::setValueToStringFunction (const ValueToStringFunction& valueToStringFunc)
{
	valueToStringFunction = wrap (valueToStringFunc);
	setDirty (true);
}

void CParamDisplay::setValueToStringFunction (ValueToStringFunction&& valueToStringFunc)
{
	valueToStringFunction = wrap (std::move (valueToStringFunc));
	setDirty (true);
}

void CParamDisplay::setValueToStringFunction2 (const ValueToStringFunction2& valueToStringFunc)
{
	valueToStringFunction = valueToStringFunc;
	setDirty (true);
}

void CParamDisplay::setValueToStringFunction2 (ValueToStringFunction2&& valueToStringFunc)
{
	valueToStringFunction = std::move (valueToStringFunc);
	setDirty (true);
}

std::string CParamDisplay::valueToText (float value)
{
	std::string text;
	if (valueToStringFunction && valueToStringFunction (value, text, this))
		return text;
	char buffer[64];
	std::snprintf (buffer, sizeof (buffer), "%.*f", static_cast<int> (valuePrecision), static_cast<double> (value));
	return buffer;
}

void CParamDisplay::setValue (float val)
{
	CControl::setValue (val);
}

void CParamDisplay::drawBack (CDrawContext* pContext, CBitmap* newBack)
{
	if (getTransparency ())
		return;
	pContext->setDrawMode (kAliasing);
	pContext->setFillColor (backColor);
	pContext->drawRect (getViewSize (), kDrawFilled);
}

void CParamDisplay::draw (CDrawContext* pContext)
{
	// Text is not rendered by this stand-in (it has no font back end); the background is.
	drawBack (pContext);
	setDirty (false);
}

} // namespace VSTGUI
