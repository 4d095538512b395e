// The view tree: observers of views joining and leaving, getViewsAt, the layout protocol, invalidation and
// reference counting.
#include "GuiTestSupport.h"

#include "vstgui/lib/cviewcontainer.h"

using namespace GuiTest;

namespace
{

struct NamedView : CView
{
	std::string name;
	std::vector<std::string>* log;
	static inline int alive = 0;

	NamedView (const CRect& r, std::string n, std::vector<std::string>* log = nullptr)
	    : CView (r), name (std::move (n)), log (log)
	{
		++alive;
	}
	NamedView (const NamedView& other) : CView (other), name (other.name), log (other.log) { ++alive; }
	~NamedView () noexcept override { --alive; }
	CView* newCopy () const override { return new NamedView (*this); }
	void parentSizeChanged () override
	{
		if (log)
			log->push_back ("layout " + name);
	}
};

struct NamedContainer : CViewContainer
{
	std::string name;
	NamedContainer (const CRect& r, std::string n) : CViewContainer (r), name (std::move (n)) {}
};

std::string nameOf (CView* v)
{
	if (auto n = dynamic_cast<NamedView*> (v))
		return n->name;
	if (auto c = dynamic_cast<NamedContainer*> (v))
		return c->name;
	return "?";
}

struct ObserverLog : IViewAddedRemovedObserver
{
	std::vector<std::string> calls;
	void onViewAdded (CFrame*, CView* v) override { calls.push_back ("+" + nameOf (v)); }
	void onViewRemoved (CFrame*, CView* v) override { calls.push_back ("-" + nameOf (v)); }
};

struct DirtySwitch
{
	bool saved = CView::kDirtyCallAlwaysOnMainThread;
	explicit DirtySwitch (bool state) { CView::kDirtyCallAlwaysOnMainThread = state; }
	~DirtySwitch () { CView::kDirtyCallAlwaysOnMainThread = saved; }
};

} // namespace

TEST (ViewTree, ObserverHearsEveryViewJoinAndLeaveRecursively)
{
	ObserverLog observer;
	OffscreenFrame f (CRect (0, 0, 100, 100));
	f.frame->setViewAddedRemovedObserver (&observer);
	auto container = new NamedContainer (CRect (0, 0, 50, 50), "C");
	container->addView (new NamedView (CRect (0, 0, 10, 10), "c1"));
	container->addView (new NamedView (CRect (10, 0, 20, 10), "c2"));
	f.frame->addView (new NamedView (CRect (0, 0, 100, 100), "A"));
	f.frame->addView (container);
	EXPECT_TRUE (observer.calls.empty ()) << "nothing joins before the frame opens";

	ASSERT_TRUE (f.open ());
	EXPECT_EQ (observer.calls, (std::vector<std::string>{"+A", "+C", "+c1", "+c2"}));
	observer.calls.clear ();

	auto late = new NamedView (CRect (), "late");
	container->addView (late);
	container->removeView (late);
	f.frame->removeView (container);
	EXPECT_EQ (observer.calls, (std::vector<std::string>{"+late", "-late", "-c1", "-c2", "-C"}));
	observer.calls.clear ();

	f.frame->removeAll (true);
	EXPECT_EQ (observer.calls, (std::vector<std::string>{"-A"}));
	EXPECT_EQ (NamedView::alive, 0);
}

TEST (ViewTree, GetViewsAtListsFrontMostFirstWithoutContainersAndInvisibleViews)
{
	OffscreenFrame f (CRect (0, 0, 100, 100));
	auto container = new NamedContainer (CRect (10, 10, 60, 60), "C");
	auto hidden = new NamedView (CRect (0, 0, 50, 50), "H");
	auto disabled = new NamedView (CRect (20, 20, 40, 40), "D");
	container->addView (new NamedView (CRect (5, 5, 25, 25), "B"));
	container->addView (hidden);
	container->addView (disabled);
	f.frame->addView (new NamedView (CRect (0, 0, 100, 100), "A"));
	f.frame->addView (container);
	ASSERT_TRUE (f.open ());
	hidden->setVisible (false);
	disabled->setMouseEnabled (false);

	struct Case
	{
		CPoint where;
		GetViewOptions options;
		std::vector<std::string> expected;
	};
	const Case cases[] = {
	    {{32, 32}, GetViewOptions ().deep (), {"D", "B", "A"}},
	    {{32, 32}, GetViewOptions ().deep ().mouseEnabled (), {"B", "A"}},
	    {{32, 32}, GetViewOptions ().deep ().includeInvisible (), {"D", "H", "B", "A"}},
	    {{32, 32}, GetViewOptions ().deep ().includeViewContainer (), {"D", "B", "C", "A"}},
	    {{32, 32}, GetViewOptions (), {"A"}},
	    {{80, 80}, GetViewOptions ().deep (), {"A"}},
	    {{150, 10}, GetViewOptions ().deep (), {}},
	};
	for (const auto& c : cases)
	{
		CViewContainer::ViewList views;
		bool found = f.frame->getViewsAt (c.where, views, c.options);
		std::vector<std::string> names;
		for (auto& v : views)
			names.push_back (nameOf (v));
		EXPECT_EQ (names, c.expected) << c.where.x << "," << c.where.y;
		EXPECT_EQ (found, !c.expected.empty ());
	}
}

TEST (ViewTree, FrameSizeGoesThroughTheEditorAndLaysOutEveryChild)
{
	std::vector<std::string> log;
	TestEditor editor;
	OffscreenFrame f (CRect (0, 0, 100, 100), &editor);
	f.frame->setAutosizingEnabled (false);
	auto container = new NamedContainer (CRect (0, 0, 100, 100), "C");
	container->addView (new NamedView (CRect (0, 0, 10, 10), "c1", &log));
	container->addView (new NamedView (CRect (0, 0, 10, 10), "c2", &log));
	auto stretch = new NamedView (CRect (0, 0, 100, 10), "s", &log);
	stretch->setAutosizeFlags (kAutosizeLeft | kAutosizeRight);
	f.frame->addView (stretch);
	f.frame->addView (container);
	ASSERT_TRUE (f.open ());

	editor.allowResize = false;
	EXPECT_FALSE (f.frame->setSize (200, 150));
	EXPECT_EQ (describe (f.frame->getViewSize ()), "0,0,100,100");
	EXPECT_TRUE (log.empty ());

	editor.allowResize = true;
	EXPECT_TRUE (f.frame->setSize (200, 150));
	EXPECT_EQ (describe (f.frame->getViewSize ()), "0,0,200,150");
	CRect platformSize;
	ASSERT_TRUE (f.frame->getSize (platformSize));
	EXPECT_EQ (describe (platformSize), "0,0,200,150");
	EXPECT_EQ (describe (editor.sizeRequests), (std::vector<std::string>{"0,0,200,150", "0,0,200,150"}));
	// Every view below the frame hears of the change, in child order, containers passing it on.
	EXPECT_EQ (log, (std::vector<std::string>{"layout s", "layout c1", "layout c2"}));
	EXPECT_EQ (describe (stretch->getViewSize ()), "0,0,100,10") << "autosizing is off";

	log.clear ();
	container->setViewSize (CRect (0, 0, 50, 50));
	f.frame->parentSizeChanged ();
	EXPECT_EQ (log, (std::vector<std::string>{"layout c1", "layout c2", "layout s", "layout c1", "layout c2"}));

	f.frame->setAutosizingEnabled (true);
	EXPECT_TRUE (f.frame->setSize (250, 150));
	EXPECT_EQ (describe (stretch->getViewSize ()), "0,0,150,10");
}

TEST (ViewTree, ZoomScalesTheFrameAndItsTransform)
{
	OffscreenFrame f (CRect (0, 0, 100, 50));
	auto view = new NamedView (CRect (10, 10, 20, 20), "v");
	f.frame->addView (view);
	ASSERT_TRUE (f.open ());
	EXPECT_TRUE (f.frame->setZoom (2.));
	EXPECT_EQ (f.frame->getZoom (), 2.);
	EXPECT_EQ (describe (f.frame->getViewSize ()), "0,0,200,100");
	auto t = f.frame->getTransform ();
	EXPECT_EQ (t, CGraphicsTransform (2, 0, 0, 2, 0, 0));
	EXPECT_EQ (nameOf (f.frame->getViewAt (CPoint (30, 30))), "v");
	EXPECT_EQ (f.frame->getViewAt (CPoint (15, 15)), nullptr);
	EXPECT_FALSE (f.frame->setZoom (0.));
}

TEST (ViewTree, DirtyViewsInvalidateAtOnceOnlyWithTheImmediateSwitch)
{
	struct Case
	{
		bool immediate;
		std::vector<std::string> beforeIdle;
		std::vector<std::string> afterIdle;
	};
	const Case cases[] = {
	    {true, {"25,5,35,15"}, {}},
	    {false, {}, {"25,5,35,15"}},
	};
	for (const auto& c : cases)
	{
		DirtySwitch dirtySwitch (c.immediate);
		OffscreenFrame f (CRect (0, 0, 100, 100));
		auto container = new NamedContainer (CRect (20, 0, 80, 50), "C");
		auto view = new NamedView (CRect (5, 5, 15, 15), "v");
		container->addView (view);
		f.frame->addView (container);
		ASSERT_TRUE (f.open ());
		f.platform ().renderAll ();

		view->setDirty (true);
		EXPECT_EQ (describe (f.platform ().getInvalidRegion ()), c.beforeIdle) << c.immediate;
		EXPECT_EQ (view->isDirty (), !c.immediate);
		f.platform ().renderInvalid ();
		f.frame->idle ();
		EXPECT_EQ (describe (f.platform ().getInvalidRegion ()), c.afterIdle) << c.immediate;
	}
}

TEST (ViewTree, ReferencesAreBalanced)
{
	NamedView::alive = 0;
	{
		OffscreenFrame f (CRect (0, 0, 100, 100));
		auto kept = new NamedView (CRect (), "kept");
		f.frame->addView (kept);
		EXPECT_EQ (kept->getNbReference (), 2) << "the creator's reference and the container's";
		kept->remember ();
		f.frame->removeView (kept, true);
		EXPECT_EQ (kept->getNbReference (), 1);
		auto moved = new NamedView (CRect (), "moved");
		f.frame->addView (moved);
		f.frame->removeView (moved, false);
		EXPECT_EQ (moved->getNbReference (), 1) << "removal without forget hands the view back to the caller";
		moved->forget ();
		kept->forget ();
		EXPECT_EQ (NamedView::alive, 0);

		auto container = new NamedContainer (CRect (0, 0, 50, 50), "C");
		container->addView (new NamedView (CRect (), "x"));
		f.frame->addView (container);
		ASSERT_TRUE (f.open ());
		EXPECT_EQ (f.frame->getNbReference (), 1);
		auto copy = owned (static_cast<CViewContainer*> (container->newCopy ()));
		EXPECT_EQ (copy->getNbViews (), 1u);
		EXPECT_EQ (NamedView::alive, 2);
	}
	EXPECT_EQ (NamedView::alive, 0) << "closing the frame releases the whole tree";
}

TEST (ViewTree, ChildrenDrawInOrderClippedToTheirRectangles)
{
	// Fills a rectangle larger than itself; the container clips it to its own view size.
	struct Spill : SolidView
	{
		using SolidView::SolidView;
		void draw (CDrawContext* context) override
		{
			context->setDrawMode (kAliasing);
			context->setFillColor (color);
			CRect r (getViewSize ());
			r.extend (5, 5);
			context->drawRect (r, kDrawFilled);
		}
	};
	const CColor red (255, 0, 0, 255), blue (0, 0, 255, 255), green (0, 255, 0, 255), black (0, 0, 0, 255);
	OffscreenFrame f (CRect (0, 0, 60, 20));
	auto container = new CViewContainer (CRect (10, 0, 60, 20));
	container->setTransparency (true);
	container->addView (new SolidView (CRect (0, 0, 20, 20), red));
	container->addView (new Spill (CRect (10, 5, 20, 15), blue));
	auto hidden = new SolidView (CRect (0, 0, 50, 20), green);
	container->addView (hidden);
	auto faded = new SolidView (CRect (30, 0, 40, 20), CColor (255, 255, 255, 255));
	container->addView (faded);
	f.frame->addView (container);
	ASSERT_TRUE (f.open ());
	hidden->setVisible (false);
	faded->setAlphaValue (0.5f);
	f.platform ().renderAll ();

	struct Probe
	{
		uint32_t x, y;
		CColor color;
	};
	const Probe probes[] = {
	    {5, 10, black},
	    {12, 10, red},
	    {21, 10, blue},
	    {21, 4, red},
	    {29, 10, blue},
	    {31, 10, black},
	    {45, 10, CColor (128, 128, 128, 255)},
	    {55, 10, black},
	};
	for (const auto& p : probes)
		EXPECT_EQ (f.platform ().getPixel (p.x, p.y), p.color) << p.x << "," << p.y;
}
