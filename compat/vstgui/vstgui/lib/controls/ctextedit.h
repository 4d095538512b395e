// CTextEdit: a text label that the user edits from the keyboard once it has the focus (click into it);
// Return ends the entry and reports it through valueChanged, Escape restores the old text.
#pragma once

#include "ctextlabel.h"

namespace VSTGUI
{

class CTextEdit : public CTextLabel
{
public:
	CTextEdit (const CRect& size, IControlListener* listener, int32_t tag, UTF8StringPtr txt = nullptr,
	           CBitmap* background = nullptr, const int32_t style = 0);
	CTextEdit (const CTextEdit& textEdit);

	void setText (const UTF8String& txt) override;

	void setImmediateTextChange (bool state);
	bool getImmediateTextChange () const;

	bool isEditingText () const { return editing; }

	void draw (CDrawContext* pContext) override;
	void onMouseDownEvent (MouseDownEvent& event) override;
	void onKeyboardEvent (KeyboardEvent& event) override;
	void takeFocus () override;
	void looseFocus () override;
	bool wantsFocus () const override;

	CLASS_METHODS (CTextEdit, CParamDisplay)

protected:
	~CTextEdit () noexcept override = default;

private:
	void finishEditing (bool accept);

	UTF8String textBeforeEdit;
	bool editing{false};
	bool immediateTextChange{false};
};

} // namespace VSTGUI
