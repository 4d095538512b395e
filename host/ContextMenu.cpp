#include "host/ContextMenu.h"

#include "host/Utf16.h"

#include <algorithm>

namespace QuorvaneHost
{

using namespace Steinberg;
using namespace Steinberg::Vst;

ContextMenu::ContextMenu (PopupRecorder onPopup) : recorder (std::move (onPopup)) {}

int32 PLUGIN_API ContextMenu::getItemCount ()
{
	return static_cast<int32> (entries.size ());
}

tresult PLUGIN_API ContextMenu::getItem (int32 index, Item& item, IContextMenuTarget** target)
{
	if (index < 0 || index >= getItemCount ())
		return kInvalidArgument;
	const Entry& entry = entries[static_cast<size_t> (index)];
	item = entry.item;
	if (target)
	{
		*target = entry.target;
		if (*target)
			(*target)->addRef ();
	}
	return kResultOk;
}

tresult PLUGIN_API ContextMenu::addItem (const Item& item, IContextMenuTarget* target)
{
	entries.push_back ({item, target});
	return kResultOk;
}

tresult PLUGIN_API ContextMenu::removeItem (const Item& item, IContextMenuTarget* target)
{
	auto it = std::find_if (entries.begin (), entries.end (),
	                        [&] (const Entry& entry) { return entry.item.tag == item.tag && entry.target == target; });
	if (it == entries.end ())
		return kResultFalse;
	entries.erase (it);
	return kResultOk;
}

tresult PLUGIN_API ContextMenu::popup (UCoord x, UCoord y)
{
	std::vector<std::string> titles;
	for (const Entry& entry : entries)
		titles.push_back (utf16ToUtf8 (entry.item.name, sizeof (entry.item.name) / sizeof (entry.item.name[0])));
	if (recorder)
		recorder (x, y, titles);
	return kResultOk;
}

} // namespace QuorvaneHost
