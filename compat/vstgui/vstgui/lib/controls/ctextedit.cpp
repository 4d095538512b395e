#include "ctextedit.h"

#include "../cframe.h"

namespace VSTGUI
{

namespace
{

void appendUTF8 (std::string& s, char32_t c)
{
	if (c < 0x80)
		s += static_cast<char> (c);
	else if (c < 0x800)
	{
		s += static_cast<char> (0xC0 | (c >> 6));
		s += static_cast<char> (0x80 | (c & 0x3F));
	}
	else if (c < 0x10000)
	{
		s += static_cast<char> (0xE0 | (c >> 12));
		s += static_cast<char> (0x80 | ((c >> 6) & 0x3F));
		s += static_cast<char> (0x80 | (c & 0x3F));
	}
	else
	{
		s += static_cast<char> (0xF0 | (c >> 18));
		s += static_cast<char> (0x80 | ((c >> 12) & 0x3F));
		s += static_cast<char> (0x80 | ((c >> 6) & 0x3F));
		s += static_cast<char> (0x80 | (c & 0x3F));
	}
}

void removeLastUTF8 (std::string& s)
{
	while (!s.empty ())
	{
		unsigned char c = static_cast<unsigned char> (s.back ());
		s.pop_back ();
		if ((c & 0xC0) != 0x80)
			break;
	}
}

} // namespace

CTextEdit::CTextEdit (const CRect& size, IControlListener* listener, int32_t tag, UTF8StringPtr txt,
                      CBitmap* background, const int32_t style)
    : CTextLabel (size, listener, tag, txt, background, style)
{
	setWantsFocus (true);
}

CTextEdit::CTextEdit (const CTextEdit& textEdit)
    : CTextLabel (textEdit), immediateTextChange (textEdit.immediateTextChange)
{
}

void CTextEdit::setText (const UTF8String& txt)
{
	CTextLabel::setText (txt);
}

void CTextEdit::setImmediateTextChange (bool state)
{
	immediateTextChange = state;
}

bool CTextEdit::getImmediateTextChange () const
{
	return immediateTextChange;
}

bool CTextEdit::wantsFocus () const
{
	return getMouseEnabled ();
}

void CTextEdit::draw (CDrawContext* pContext)
{
	CTextLabel::draw (pContext);
}

void CTextEdit::onMouseDownEvent (MouseDownEvent& event)
{
	if (!event.buttonState.isLeft ())
		return;
	if (auto frame = getFrame ())
	{
		if (frame->getFocusView () != this)
			frame->setFocusView (this);
	}
	event.consumed = true;
	event.ignoreFollowUpMoveAndUpEvents (true);
}

void CTextEdit::takeFocus ()
{
	CTextLabel::takeFocus ();
	if (editing)
		return;
	editing = true;
	textBeforeEdit = getText ();
	beginEdit ();
}

void CTextEdit::looseFocus ()
{
	if (editing)
		finishEditing (true);
	CTextLabel::looseFocus ();
}

void CTextEdit::finishEditing (bool accept)
{
	editing = false;
	if (!accept)
		CTextLabel::setText (textBeforeEdit);
	if (accept && getText () != textBeforeEdit)
		valueChanged ();
	endEdit ();
	invalid ();
}

void CTextEdit::onKeyboardEvent (KeyboardEvent& event)
{
	if (!editing || event.type != EventType::KeyDown)
		return;
	event.consumed = true;
	switch (event.virt)
	{
	case VirtualKey::Return:
	case VirtualKey::Enter:
	{
		finishEditing (true);
		if (auto frame = getFrame (); frame && frame->getFocusView () == this)
			frame->setFocusView (nullptr);
		return;
	}
	case VirtualKey::Escape:
	{
		finishEditing (false);
		if (auto frame = getFrame (); frame && frame->getFocusView () == this)
			frame->setFocusView (nullptr);
		return;
	}
	case VirtualKey::Back:
	{
		std::string s = getText ().getString ();
		removeLastUTF8 (s);
		CTextLabel::setText (UTF8String (s));
		break;
	}
	default:
	{
		bool printable = event.character >= 0x20 && event.character != 0x7F;
		if (!printable || (!event.modifiers.empty () && !event.modifiers.is (ModifierKey::Shift)))
		{
			event.consumed = false;
			return;
		}
		std::string s = getText ().getString ();
		appendUTF8 (s, event.character);
		CTextLabel::setText (UTF8String (s));
		break;
	}
	}
	if (immediateTextChange)
		valueChanged ();
}

} // namespace VSTGUI
