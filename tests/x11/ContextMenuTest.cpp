// The component handler's context menus: what a view asked for (a parameter's menu or the general one), the
// items it added, and where the menu popped up, all in the handler's record of calls.

#include "FakePlugView.h"
#include "host/ComponentHandler.h"
#include "host/Utf16.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace QuorvaneHost;

TEST (HostContextMenu, RecordsTheRequestTheItemsAndThePopupPoint)
{
	IPtr<ComponentHandler> handler = owned (new ComponentHandler (nullptr));
	FUnknownPtr<IComponentHandler3> menus (static_cast<IComponentHandler*> (handler.get ()));
	ASSERT_TRUE (menus);
	QuorvaneTest::FakePlugView view;

	const ParamID mix = 1005;
	IContextMenu* forMix = menus->createContextMenu (&view, &mix);
	ASSERT_NE (forMix, nullptr);
	IContextMenuItem item{};
	const auto title = utf8ToUtf16 ("Reset");
	std::copy (title.begin (), title.end (), item.name);
	item.tag = 7;
	EXPECT_EQ (forMix->addItem (item, nullptr), kResultOk);
	EXPECT_EQ (forMix->getItemCount (), 1);
	EXPECT_EQ (forMix->popup (40, 25), kResultOk);
	forMix->release ();

	IContextMenu* general = menus->createContextMenu (&view, nullptr);
	ASSERT_NE (general, nullptr);
	general->popup (3, 4);
	general->release ();
	EXPECT_EQ (menus->createContextMenu (nullptr, nullptr), nullptr);

	std::vector<std::string> lines;
	for (const auto& call : handler->calls ())
		lines.push_back (describeHandlerCall (call));
	EXPECT_EQ (lines,
	           (std::vector<std::string>{"createContextMenu 1005", "contextMenuPopup at 40,25 with 1 items \"Reset\"",
	                                     "createContextMenu (no parameter)", "contextMenuPopup at 3,4 with 0 items",
	                                     "createContextMenu (no parameter)"}));
	EXPECT_EQ (view.references, 1);
}
