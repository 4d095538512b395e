// The host's IContextMenu: the menu that IComponentHandler3::createContextMenu hands a view. It shows nothing;
// it keeps the items a view adds and, on popup, tells the component handler where and with which items.
#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/ivstcontextmenu.h"

#include <functional>
#include <string>
#include <vector>

namespace QuorvaneHost
{

class ContextMenu : public Steinberg::FObject, public Steinberg::Vst::IContextMenu
{
public:
	/** Told of each popup: the point and the titles of the items then in the menu. */
	using PopupRecorder =
	    std::function<void (Steinberg::int32 x, Steinberg::int32 y, const std::vector<std::string>& items)>;

	/** Starts with one reference, the one createContextMenu gives its caller. */
	explicit ContextMenu (PopupRecorder onPopup);

	//---from IContextMenu---
	Steinberg::int32 PLUGIN_API getItemCount () SMTG_OVERRIDE;
	Steinberg::tresult PLUGIN_API getItem (Steinberg::int32 index, Item& item,
	                                       Steinberg::Vst::IContextMenuTarget** target) SMTG_OVERRIDE;
	Steinberg::tresult PLUGIN_API addItem (const Item& item, Steinberg::Vst::IContextMenuTarget* target) SMTG_OVERRIDE;
	Steinberg::tresult PLUGIN_API removeItem (const Item& item,
	                                          Steinberg::Vst::IContextMenuTarget* target) SMTG_OVERRIDE;
	/** Records the popup and answers kResultOk without choosing an item. */
	Steinberg::tresult PLUGIN_API popup (Steinberg::UCoord x, Steinberg::UCoord y) SMTG_OVERRIDE;

	OBJ_METHODS (ContextMenu, FObject)
	FUNKNOWN_METHODS (Steinberg::Vst::IContextMenu, FObject)

private:
	~ContextMenu () override = default;

	struct Entry
	{
		Item item;
		Steinberg::IPtr<Steinberg::Vst::IContextMenuTarget> target;
	};

	PopupRecorder recorder;
	std::vector<Entry> entries;
};

} // namespace QuorvaneHost
