#include "ctextlabel.h"

namespace VSTGUI
{

CTextLabel::CTextLabel (const CRect& size, UTF8StringPtr txt, CBitmap* background, const int32_t style)
    : CParamDisplay (size, background, style), text (txt)
{
}

CTextLabel::CTextLabel (const CRect& size, IControlListener* listener, int32_t tag, UTF8StringPtr txt,
                        CBitmap* background, int32_t style)
    : CParamDisplay (size, listener, tag, background, style), text (txt)
{
}

CTextLabel::CTextLabel (const CTextLabel& textLabel) : CParamDisplay (textLabel), text (textLabel.text) {}

void CTextLabel::setText (const UTF8String& txt)
{
	if (text == txt)
		return;
	text = txt;
	setDirty (true);
}

const UTF8String& CTextLabel::getText () const
{
	return text;
}

void CTextLabel::draw (CDrawContext* pContext)
{
	drawBack (pContext);
	setDirty (false);
}

} // namespace VSTGUI
