// The editor window: which view types the controller answers, the size it opens at (stored, default, scaled),
// where a new size goes, and which platform types it accepts.

#include "editor/EditorTestSupport.h"

#include "controller/StateBytes.h"

using namespace Steinberg;

using EditorWindow = OpenEditorTest;

namespace
{

void restoreSize (DuckerController& controller, int32 width, int32 height)
{
	Bytes bytes = controllerRecord (1, width, height);
	auto stream = streamOver (bytes);
	ASSERT_EQ (controller.setState (&stream), kResultOk);
}

} // namespace

TEST_F (EditorWindow, OnlyTheExactNameEditorMakesAViewOfTheStoredOrDefaultSize)
{
	for (const char* name : {(const char*)nullptr, "Editor", "edit", "editors", "editor ", ""})
		EXPECT_EQ (controller->createView (name), nullptr) << (name ? name : "(null)");

	IPtr<IPlugView> first = owned (controller->createView ("editor"));
	restoreSize (*controller, 640, 1075);
	IPtr<IPlugView> second = owned (controller->createView ("editor"));
	ASSERT_TRUE (first && second);
	EXPECT_NE (first.get (), second.get ());
	ViewRect rect;
	first->getSize (&rect);
	EXPECT_EQ (std::vector<int32> ({rect.left, rect.top, rect.right, rect.bottom}),
	           (std::vector<int32>{0, 0, 200, 336}));
	second->getSize (&rect);
	EXPECT_EQ (std::vector<int32> ({rect.right, rect.bottom}), (std::vector<int32>{640, 1075}));
	EXPECT_EQ (static_cast<DuckerEditor*> (first.get ())->getMinSize (), VSTGUI::CPoint (100, 168));
}

TEST_F (EditorWindow, OpensAtTheSizeStoredWhenItOpensTimesTheContentScale)
{
	struct Case
	{
		int32 storedWidth, storedHeight; // 0: none stored
		double scale;
		VSTGUI::CRect frameSize;
	} cases[] = {{0, 0, 1.5, VSTGUI::CRect (0, 0, 300, 504)},
	             {0, 0, 2., VSTGUI::CRect (0, 0, 400, 672)},
	             {640, 1075, 1., VSTGUI::CRect (0, 0, 640, 1075)},
	             {640, 1075, 2., VSTGUI::CRect (0, 0, 1280, 2150)}};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (testing::Message () << c.storedWidth << " x " << c.storedHeight << " at " << c.scale);
		if (c.storedWidth)
			restoreSize (*controller, c.storedWidth, c.storedHeight);
		plugFrame.requests.clear ();
		open (c.scale);
		EXPECT_EQ (frame ()->getViewSize (), c.frameSize);
		ASSERT_FALSE (plugFrame.requests.empty ());
		EXPECT_EQ (plugFrame.requests.front ().right, int32 (c.frameSize.right));
		EXPECT_EQ (plugFrame.requests.front ().bottom, int32 (c.frameSize.bottom));
		EXPECT_EQ (mainContainer ()->getViewSize ().getHeight (), c.frameSize.getHeight ());
		// A size stored while the editor is open waits for the next opening.
		if (c.storedWidth)
			restoreSize (*controller, 300, 504);
		EXPECT_EQ (frame ()->getViewSize (), c.frameSize);
		close ();
	}
	open ();
	EXPECT_EQ (frame ()->getViewSize (), VSTGUI::CRect (0, 0, 300, 504));
}

TEST_F (EditorWindow, EveryAcceptedSizeIsStoredUnscaledAndNeverReportedDirty)
{
	open (1.5);
	handler.calls.clear ();
	resize (500, 833);
	EXPECT_EQ (controller->getWinSize ()->width, 333);
	EXPECT_EQ (controller->getWinSize ()->height, 555);
	EXPECT_EQ (handler.calls, std::vector<std::string>{});
}

TEST_F (EditorWindow, AcceptsX11AndWindowsWindowsOnly)
{
	IPtr<IPlugView> view = owned (controller->createView ("editor"));
	for (FIDString type : {kPlatformTypeX11EmbedWindowID, kPlatformTypeHWND})
		EXPECT_EQ (view->isPlatformTypeSupported (type), kResultTrue) << type;
	for (FIDString type : {"WaylandSurfaceID", kPlatformTypeNSView, "x11", "", (const char*)nullptr})
		EXPECT_EQ (view->isPlatformTypeSupported (type), kResultFalse) << (type ? type : "(null)");
	EXPECT_EQ (view->attached (nullptr, "WaylandSurfaceID"), kResultFalse);
	EXPECT_EQ (static_cast<DuckerEditor*> (view.get ())->getFrame (), nullptr);
}
