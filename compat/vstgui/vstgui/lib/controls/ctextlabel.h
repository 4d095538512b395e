// CTextLabel: a parameter display that shows a text of its own instead of its value.
#pragma once

#include "../cstring.h"
#include "cparamdisplay.h"

namespace VSTGUI
{

class CTextLabel : public CParamDisplay
{
public:
	CTextLabel (const CRect& size, UTF8StringPtr txt = nullptr, CBitmap* background = nullptr, const int32_t style = 0);
	CTextLabel (const CTextLabel& textLabel);

	virtual void setText (const UTF8String& txt);
	virtual const UTF8String& getText () const;

	void draw (CDrawContext* pContext) override;

	CLASS_METHODS (CTextLabel, CParamDisplay)

protected:
	CTextLabel (const CRect& size, IControlListener* listener, int32_t tag, UTF8StringPtr txt, CBitmap* background,
	            int32_t style);
	~CTextLabel () noexcept override = default;

	UTF8String text;
};

} // namespace VSTGUI
