// Event routing through the frame: mouse observers, deferred actions, focus and keyboard, enter and exit,
// click counting.
#include "GuiTestSupport.h"

#include "vstgui/lib/platform/common/clickcounter.h"
#include "vstgui/lib/platform/offscreen/offscreentimer.h"

using namespace GuiTest;

namespace
{

// Records the events it receives and consumes the kinds it is told to.
struct EventView : CView
{
	std::vector<std::string>* log;
	std::string name;
	bool consumeMouse = true;
	bool consumeKeys = false;

	EventView (const CRect& r, std::string n, std::vector<std::string>* log)
	    : CView (r), log (log), name (std::move (n))
	{
	}
	void record (const std::string& what, const CPoint& p)
	{
		log->push_back (name + " " + what + " " + std::to_string (int (p.x)) + "," + std::to_string (int (p.y)));
	}
	void onMouseDownEvent (MouseDownEvent& e) override
	{
		record ("down" + std::to_string (e.clickCount), e.mousePosition);
		e.consumed = consumeMouse;
	}
	void onMouseMoveEvent (MouseMoveEvent& e) override
	{
		record ("move", e.mousePosition);
		e.consumed = consumeMouse;
	}
	void onMouseUpEvent (MouseUpEvent& e) override
	{
		record ("up", e.mousePosition);
		e.consumed = consumeMouse;
	}
	void onMouseEnterEvent (MouseEnterEvent& e) override { record ("enter", e.mousePosition); }
	void onMouseExitEvent (MouseExitEvent& e) override { record ("exit", e.mousePosition); }
	void onKeyboardEvent (KeyboardEvent& e) override
	{
		log->push_back (name + " key " + std::to_string (uint32_t (e.virt)));
		e.consumed = consumeKeys;
	}
	void takeFocus () override { log->push_back (name + " focus"); }
	void looseFocus () override { log->push_back (name + " blur"); }
};

struct MouseLog : IMouseObserver
{
	std::vector<std::string>* log;
	CFrame* frame = nullptr;
	bool consumeDown = false;
	int deferred = 0;

	explicit MouseLog (std::vector<std::string>* log) : log (log) {}
	void onMouseEntered (CView* view, CFrame*) override { log->push_back ("observer entered"); }
	void onMouseExited (CView* view, CFrame*) override { log->push_back ("observer exited"); }
	void onMouseEvent (MouseEvent& event, CFrame* f) override
	{
		log->push_back ("observer " + std::to_string (uint32_t (event.type)));
		if (event.type == EventType::MouseDown)
		{
			// runs once the whole event has been handled
			EXPECT_TRUE (f->doAfterEventProcessing (
			    [this]
			    {
				    ++deferred;
				    log->push_back ("deferred");
			    }));
			if (consumeDown)
				event.consumed = true;
		}
	}
};

} // namespace

TEST (FrameEvents, ObserversSeeMouseEventsFirstAndDeferredActionsRunAfterTheEvent)
{
	std::vector<std::string> log;
	OffscreenFrame f (CRect (0, 0, 100, 100));
	auto view = new EventView (CRect (10, 10, 50, 50), "v", &log);
	f.frame->addView (view);
	MouseLog observer (&log);
	f.frame->registerMouseObserver (&observer);
	ASSERT_TRUE (f.open ());
	EXPECT_FALSE (f.frame->doAfterEventProcessing ([] {})) << "only while an event is processed";

	const auto down = std::to_string (uint32_t (EventType::MouseDown));
	const auto move = std::to_string (uint32_t (EventType::MouseMove));
	const auto up = std::to_string (uint32_t (EventType::MouseUp));
	EXPECT_TRUE (f.platform ().mouseDown (CPoint (20, 30)));
	EXPECT_TRUE (f.platform ().mouseMove (CPoint (70, 80), MouseButton::Left));
	EXPECT_TRUE (f.platform ().mouseUp (CPoint (70, 80)));
	EXPECT_EQ (log, (std::vector<std::string>{"observer " + down, "v down1 20,30", "deferred", "observer " + move,
	                                          "v move 70,80", "observer " + up, "v up 70,80"}))
	    << "the view keeps the mouse while the button is down";

	log.clear ();
	observer.consumeDown = true;
	EXPECT_TRUE (f.platform ().mouseDown (CPoint (20, 30)));
	EXPECT_EQ (log, (std::vector<std::string>{"observer " + down, "deferred"}));
	EXPECT_EQ (observer.deferred, 2);
	f.frame->unregisterMouseObserver (&observer);
}

TEST (FrameEvents, ChildCoordinatesAndEnterExit)
{
	std::vector<std::string> log;
	OffscreenFrame f (CRect (0, 0, 100, 100));
	auto container = new CViewContainer (CRect (20, 20, 80, 80));
	auto inner = new EventView (CRect (10, 10, 30, 30), "in", &log);
	container->addView (inner);
	f.frame->addView (container);
	ASSERT_TRUE (f.open ());

	f.platform ().mouseMove (CPoint (35, 35));
	f.platform ().mouseMove (CPoint (36, 36));
	f.platform ().mouseMove (CPoint (90, 90));
	f.platform ().mouseDown (CPoint (31, 49));
	EXPECT_EQ (log, (std::vector<std::string>{"in enter 15,15", "in move 15,15", "in move 16,16", "in exit 70,70",
	                                          "in down1 11,29"}));
}

TEST (FrameEvents, KeyboardGoesToTheFocusViewAfterTheHooks)
{
	struct Hook : IKeyboardHook
	{
		bool consume = false;
		int calls = 0;
		void onKeyboardEvent (KeyboardEvent& event, CFrame*) override
		{
			++calls;
			event.consumed = consume;
		}
	} hook;

	std::vector<std::string> log;
	OffscreenFrame f (CRect (0, 0, 100, 100));
	auto a = new EventView (CRect (0, 0, 10, 10), "a", &log);
	auto b = new EventView (CRect (20, 0, 30, 10), "b", &log);
	a->setWantsFocus (true);
	b->setWantsFocus (true);
	f.frame->addView (a);
	f.frame->addView (b);
	f.frame->registerKeyboardHook (&hook);
	ASSERT_TRUE (f.open ());

	EXPECT_FALSE (f.platform ().keyDown (VirtualKey::Up)) << "no focus view";
	f.platform ().mouseDown (CPoint (5, 5));
	f.platform ().mouseUp (CPoint (5, 5));
	EXPECT_EQ (f.frame->getFocusView (), a);
	f.platform ().keyDown (VirtualKey::Up);
	EXPECT_TRUE (f.platform ().keyDown (VirtualKey::Tab));
	EXPECT_EQ (f.frame->getFocusView (), b);
	hook.consume = true;
	EXPECT_TRUE (f.platform ().keyDown (VirtualKey::Down));
	f.platform ().mouseDown (CPoint (60, 60));
	EXPECT_EQ (f.frame->getFocusView (), nullptr) << "a click elsewhere ends the focus";
	const auto up = std::to_string (uint32_t (VirtualKey::Up));
	const auto tab = std::to_string (uint32_t (VirtualKey::Tab));
	EXPECT_EQ (log, (std::vector<std::string>{"a focus", "a down1 5,5", "a up 5,5", "a enter 5,5", "a key " + up,
	                                          "a key " + tab, "a blur", "b focus", "b blur"}));
	EXPECT_EQ (hook.calls, 4);
	f.frame->unregisterKeyboardHook (&hook);
}

TEST (FrameEvents, ClickCountFollowsTimeAndDistance)
{
	struct Case
	{
		uint64_t time;
		CPoint where;
		MouseButton button;
		uint32_t expected;
	};
	const Case sequence[] = {
	    {1000, {10, 10}, MouseButton::Left, 1},  {1300, {12, 13}, MouseButton::Left, 2},
	    {1600, {10, 10}, MouseButton::Left, 3},  {1700, {10, 10}, MouseButton::Left, 1},
	    {2101, {10, 10}, MouseButton::Left, 1},  {2200, {15, 10}, MouseButton::Left, 1},
	    {2300, {15, 10}, MouseButton::Right, 1}, {2400, {15, 10}, MouseButton::Right, 2},
	};
	ClickCounter counter;
	for (const auto& c : sequence)
		EXPECT_EQ (counter.onMouseDown (c.where, c.button, c.time), c.expected) << c.time;

	std::vector<std::string> log;
	OffscreenFrame f (CRect (0, 0, 100, 100));
	f.frame->addView (new EventView (CRect (0, 0, 100, 100), "v", &log));
	ASSERT_TRUE (f.open ());
	f.platform ().click (CPoint (10, 10));
	Offscreen::advanceTimers (200);
	f.platform ().click (CPoint (10, 10));
	EXPECT_EQ (f.platform ().getLastClickCount (), 2u);
	Offscreen::advanceTimers (500);
	f.platform ().click (CPoint (10, 10));
	EXPECT_EQ (f.platform ().getLastClickCount (), 1u);
}

TEST (FrameEvents, TooltipsAppearAfterTheDelayAndIdleViewsAreCalled)
{
	struct IdleView : CView
	{
		int idles = 0;
		using CView::CView;
		void onIdle () override { ++idles; }
	};
	OffscreenFrame f (CRect (0, 0, 100, 100));
	auto view = new IdleView (CRect (10, 10, 50, 50));
	view->setTooltipText ("tip");
	f.frame->addView (view);
	f.frame->enableTooltips (true, 1000);
	ASSERT_TRUE (f.open ());

	f.platform ().mouseMove (CPoint (20, 20));
	Offscreen::advanceTimers (999);
	EXPECT_EQ (f.platform ().getTooltipText (), "");
	Offscreen::advanceTimers (1);
	EXPECT_EQ (f.platform ().getTooltipText (), "tip");
	f.platform ().mouseDown (CPoint (20, 20));
	EXPECT_EQ (f.platform ().getTooltipText (), "");

	const uint32_t period = 1000 / CView::idleRate;
	view->setWantsIdle (true);
	Offscreen::advanceTimers (3 * period);
	view->setWantsIdle (false);
	Offscreen::advanceTimers (3 * period);
	EXPECT_EQ (view->idles, 3);
}
