// COptionMenu: a parameter display with a list of entries whose value is the selected entry's index; a click
// opens the (minimal) popup, which selects the next entry.
#pragma once

#include "../cstring.h"
#include "cparamdisplay.h"

#include <vector>

namespace VSTGUI
{

class CMenuItem : public CBaseObject
{
public:
	enum Flags
	{
		kNoFlags = 0,
		kDisabled = 1 << 0,
		kTitle = 1 << 1,
		kChecked = 1 << 2,
		kSeparator = 1 << 3
	};

	CMenuItem (const UTF8String& title, const UTF8String& keycode = nullptr, int32_t keyModifiers = 0,
	           CBitmap* icon = nullptr, int32_t flags = kNoFlags);
	CMenuItem (const UTF8String& title, int32_t tag);

	virtual void setTitle (const UTF8String& title);
	const UTF8String& getTitle () const { return title; }
	virtual void setEnabled (bool state = true);
	bool isEnabled () const { return !(flags & kDisabled); }
	virtual void setChecked (bool state = true);
	bool isChecked () const { return flags & kChecked; }
	bool isSeparator () const { return flags & kSeparator; }
	bool isTitle () const { return flags & kTitle; }
	virtual void setTag (int32_t tag);
	int32_t getTag () const { return tag; }

protected:
	~CMenuItem () noexcept override = default;

	UTF8String title;
	UTF8String keycode;
	int32_t keyModifiers;
	int32_t flags;
	int32_t tag{-1};
};

class COptionMenu : public CParamDisplay
{
public:
	COptionMenu (const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background = nullptr,
	             CBitmap* bgWhenClick = nullptr, const int32_t style = 0);
	COptionMenu ();
	COptionMenu (const COptionMenu& menu);

	using CMenuItemList = std::vector<SharedPointer<CMenuItem>>;

	// `index` −1 appends; the menu takes over the caller's reference to `item`.
	virtual CMenuItem* addEntry (CMenuItem* item, int32_t index = -1);
	virtual CMenuItem* addEntry (const UTF8String& title, int32_t index = -1, int32_t itemFlags = CMenuItem::kNoFlags);
	virtual CMenuItem* addSeparator (int32_t index = -1);
	virtual CMenuItem* getCurrent () const;
	virtual int32_t getCurrentIndex (bool countSeparator = false) const;
	virtual CMenuItem* getEntry (int32_t index) const;
	virtual int32_t getNbEntries () const;
	virtual bool setCurrent (int32_t index, bool countSeparator = true);
	virtual bool removeEntry (int32_t index);
	virtual bool removeAllEntry ();
	CMenuItemList* getItems () const;

	// Opens the popup; this stand-in has no popup window and selects the next enabled entry (wrapping).
	bool popup ();
	int32_t getLastResult () const { return lastResult; }

	void setValue (float val) override;
	void draw (CDrawContext* pContext) override;
	void onMouseDownEvent (MouseDownEvent& event) override;
	void onKeyboardEvent (KeyboardEvent& event) override;

	CLASS_METHODS (COptionMenu, CParamDisplay)

protected:
	~COptionMenu () noexcept override;

private:
	mutable CMenuItemList menuItems;
	int32_t lastResult{-1};
};

} // namespace VSTGUI
