#include "coptionmenu.h"

#include <cmath>

namespace VSTGUI
{

CMenuItem::CMenuItem (const UTF8String& title, const UTF8String& keycode, int32_t keyModifiers, CBitmap* icon,
                      int32_t flags)
    : title (title), keycode (keycode), keyModifiers (keyModifiers), flags (flags)
{
	if (title == "-")
		this->flags |= kSeparator;
}

CMenuItem::CMenuItem (const UTF8String& title, int32_t tag) : CMenuItem (title)
{
	this->tag = tag;
}

void CMenuItem::setTitle (const UTF8String& newTitle)
{
	title = newTitle;
}

void CMenuItem::setEnabled (bool state)
{
	flags = state ? (flags & ~kDisabled) : (flags | kDisabled);
}

void CMenuItem::setChecked (bool state)
{
	flags = state ? (flags | kChecked) : (flags & ~kChecked);
}

void CMenuItem::setTag (int32_t newTag)
{
	tag = newTag;
}

COptionMenu::COptionMenu (const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
                          CBitmap* bgWhenClick, const int32_t style)
    : CParamDisplay (size, listener, tag, background, style)
{
	setWantsFocus (true);
	setMin (0.f);
	setMax (0.f);
}

COptionMenu::COptionMenu () : COptionMenu (CRect (), nullptr, -1) {}

COptionMenu::COptionMenu (const COptionMenu& menu) : CParamDisplay (menu), lastResult (menu.lastResult)
{
	for (auto& item : menu.menuItems)
		menuItems.push_back (makeOwned<CMenuItem> (*item));
}

COptionMenu::~COptionMenu () noexcept = default;

CMenuItem* COptionMenu::addEntry (CMenuItem* item, int32_t index)
{
	if (!item)
		return nullptr;
	auto owned = SharedPointer<CMenuItem> (item, false);
	if (index < 0 || index >= getNbEntries ())
		menuItems.push_back (owned);
	else
		menuItems.insert (menuItems.begin () + index, owned);
	setMax (static_cast<float> (std::max (0, getNbEntries () - 1)));
	return item;
}

CMenuItem* COptionMenu::addEntry (const UTF8String& title, int32_t index, int32_t itemFlags)
{
	return addEntry (new CMenuItem (title, nullptr, 0, nullptr, itemFlags), index);
}

CMenuItem* COptionMenu::addSeparator (int32_t index)
{
	return addEntry (new CMenuItem ("", nullptr, 0, nullptr, CMenuItem::kSeparator), index);
}

CMenuItem* COptionMenu::getCurrent () const
{
	return getEntry (getCurrentIndex (true));
}

int32_t COptionMenu::getCurrentIndex (bool countSeparator) const
{
	auto index = static_cast<int32_t> (std::lround (getValue ()));
	if (countSeparator)
		return index;
	int32_t result = 0;
	for (int32_t i = 0; i < index && i < getNbEntries (); ++i)
	{
		if (!menuItems[static_cast<size_t> (i)]->isSeparator ())
			++result;
	}
	return result;
}

CMenuItem* COptionMenu::getEntry (int32_t index) const
{
	if (index < 0 || index >= getNbEntries ())
		return nullptr;
	return menuItems[static_cast<size_t> (index)];
}

int32_t COptionMenu::getNbEntries () const
{
	return static_cast<int32_t> (menuItems.size ());
}

bool COptionMenu::setCurrent (int32_t index, bool countSeparator)
{
	if (index < 0 || index >= getNbEntries ())
		return false;
	setValue (static_cast<float> (index));
	return true;
}

bool COptionMenu::removeEntry (int32_t index)
{
	if (index < 0 || index >= getNbEntries ())
		return false;
	menuItems.erase (menuItems.begin () + index);
	setMax (static_cast<float> (std::max (0, getNbEntries () - 1)));
	return true;
}

bool COptionMenu::removeAllEntry ()
{
	menuItems.clear ();
	setMax (0.f);
	return true;
}

COptionMenu::CMenuItemList* COptionMenu::getItems () const
{
	return &menuItems;
}

bool COptionMenu::popup ()
{
	int32_t count = getNbEntries ();
	int32_t current = getCurrentIndex (true);
	for (int32_t step = 1; step <= count; ++step)
	{
		int32_t candidate = (current + step) % count;
		auto item = menuItems[static_cast<size_t> (candidate)];
		if (item->isSeparator () || item->isTitle () || !item->isEnabled ())
			continue;
		lastResult = candidate;
		beginEdit ();
		setValue (static_cast<float> (candidate));
		valueChanged ();
		endEdit ();
		invalid ();
		return true;
	}
	lastResult = -1;
	return false;
}

void COptionMenu::setValue (float val)
{
	CParamDisplay::setValue (val);
}

void COptionMenu::draw (CDrawContext* pContext)
{
	drawBack (pContext);
	setDirty (false);
}

void COptionMenu::onMouseDownEvent (MouseDownEvent& event)
{
	if (!event.buttonState.isLeft ())
		return;
	popup ();
	event.consumed = true;
	event.ignoreFollowUpMoveAndUpEvents (true);
}

void COptionMenu::onKeyboardEvent (KeyboardEvent& event)
{
	if (event.type != EventType::KeyDown || !event.modifiers.empty ())
		return;
	if (event.virt == VirtualKey::Return || event.virt == VirtualKey::Enter || event.virt == VirtualKey::Space)
	{
		popup ();
		event.consumed = true;
	}
}

} // namespace VSTGUI
