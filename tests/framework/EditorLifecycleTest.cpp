// The editor base: construction, interface lookup, opening and closing, the shared idle-update timer.
#include "framework/FrameworkTestSupport.h"

#include "editor/framework/IdleUpdateHandler.h"
#include "editor/framework/ParameterChangeListener.h"

#include "base/source/updatehandler.h"

using namespace Steinberg;
using namespace VSTGUI;

IUpdateHandler* updateHandlerBeforeFirstTest = nullptr;

namespace
{

class EditorLifecycle : public EditorTest
{
};

TEST_F (EditorLifecycle, ViewRectangleTruncatesAFractionalSize)
{
	auto editor = Steinberg::owned (new TestEditor (controller, {}, CPoint (200.9, 336.2)));
	ViewRect rect;
	ASSERT_EQ (editor->getSize (&rect), kResultTrue);
	EXPECT_EQ (rect, ViewRect (0, 0, 200, 336));
}

TEST_F (EditorLifecycle, ThreeInterfacesAreFacesOfOneObjectEachAddingOneReference)
{
	auto editor = makeEditor ();
	struct Face
	{
		const TUID& iid;
		void* expected;
	};
	const Face faces[] = {
	    {IPlugViewContentScaleSupport::iid, static_cast<IPlugViewContentScaleSupport*> (editor.get ())},
	    {Vst::IParameterFinder::iid, static_cast<Vst::IParameterFinder*> (editor.get ())},
	    {IPlugView::iid, static_cast<IPlugView*> (editor.get ())},
	};
	EXPECT_NE (faces[0].expected, faces[1].expected);
	EXPECT_NE (faces[1].expected, faces[2].expected);
	for (const auto& face : faces)
	{
		const int32 before = editor->references ();
		void* obj = nullptr;
		EXPECT_EQ (editor->queryInterface (face.iid, &obj), kResultOk);
		EXPECT_EQ (obj, face.expected);
		EXPECT_EQ (editor->references (), before + 1);
		static_cast<FUnknown*> (static_cast<IPlugView*> (editor.get ()))->release ();
	}
	void* obj = &obj;
	EXPECT_EQ (editor->queryInterface (Vst::IEditController::iid, &obj), kNoInterface);
	EXPECT_EQ (obj, nullptr);
}

TEST_F (EditorLifecycle, FrameRightAfterOpenHasTheMinimumSizeAndTheEditorAsObserver)
{
	auto editor = makeEditor ();
	FakePlugFrame plugFrame;
	editor->setFrame (&plugFrame);
	open (*editor);

	auto* frame = editor->getFrame ();
	CRect size;
	frame->getSize (size);
	EXPECT_EQ (size, CRect (0, 0, 100, 168));
	EXPECT_EQ (frame->getZoom (), 1.);
	EXPECT_FALSE (frame->getAutosizingEnabled ());
	EXPECT_FALSE (frame->getTransparency ());
	EXPECT_EQ (frame->getViewAddedRemovedObserver (), static_cast<IViewAddedRemovedObserver*> (editor.get ()));
	// attached reports the frame's size to the host; the host's answer is the frame's own size (case B).
	EXPECT_EQ (plugFrame.requests, (std::vector<FakePlugFrame::Request>{{100, 168}}));
	EXPECT_EQ (editor->savedSizes, (std::vector<std::pair<int32, int32>>{{100, 168}}));
	ViewRect rect;
	editor->getSize (&rect);
	EXPECT_EQ (rect, ViewRect (0, 0, 100, 168));
	// The mouse observer: a right click reaches the host as a menu request.
	EXPECT_TRUE (editor->offscreen ()->mouseDown (CPoint (90, 160), MouseButton::Right));
	EXPECT_EQ (handler.calls.front (), "createContextMenu none");

	editor->removed ();
	editor->setFrame (nullptr);
}

// Counts down the controls' references as listeners and the frame let go of them.
class RecordingButton : public COnOffButton
{
public:
	RecordingButton (IControlListener* listener, int32_t tag, std::vector<std::string>& log)
	    : COnOffButton (CRect (0, 0, 10, 10), listener, tag), log (log)
	{
	}
	void forget () override
	{
		log.push_back ("forget " + std::to_string (getTag ()));
		COnOffButton::forget ();
	}

private:
	std::vector<std::string>& log;
};

TEST_F (EditorLifecycle, CloseReleasesEveryListenerInTagOrderBeforeAnyViewLeaves)
{
	std::vector<std::string> log;
	auto editor = makeEditor (
	    [&log] (TestEditor& editor, CFrame& frame)
	    {
		    for (const int32 tag : {kNoteSyncId, kBypassId, kMixId, kDurationId, kMixId})
			    frame.addView (new RecordingButton (&editor, tag, log));
	    });
	editor->afterViewRemoved = [&] (CView* view)
	{
		log.push_back ("removed " + std::to_string (dynamic_cast<CControl*> (view)->getTag ()) + " with " +
		               std::to_string (editor->getParameterChangeListeners ().size ()) + " listeners");
	};
	open (*editor);
	ASSERT_EQ (editor->getParameterChangeListeners ().size (), 4u);
	log.clear ();

	editor->removed ();

	const std::vector<std::string> listenerReleases (log.begin (), log.begin () + 5);
	EXPECT_EQ (listenerReleases,
	           (std::vector<std::string>{"forget 100", "forget 1000", "forget 1005", "forget 1005", "forget 1030"}));
	EXPECT_EQ (log[5].rfind ("removed ", 0), 0u) << log[5];
	EXPECT_EQ (std::count_if (log.begin (), log.end (),
	                          [] (const std::string& entry) { return entry.ends_with ("with 0 listeners"); }),
	           5);
	EXPECT_TRUE (editor->getParameterChangeListeners ().empty ());
	EXPECT_EQ (editor->getFrame (), nullptr);
}

TEST_F (EditorLifecycle, ReopeningBuildsAnewAndKeepsTheContentScaleFactor)
{
	StandardControls controls;
	auto editor = makeEditor (controls.builder ());
	editor->storedSize = CPoint (200, 336);
	FakePlugFrame plugFrame;
	editor->setFrame (&plugFrame);
	EXPECT_EQ (editor->setContentScaleFactor (2.f), kResultOk);
	EXPECT_TRUE (plugFrame.requests.empty ());

	for (int opening = 0; opening < 2; ++opening)
	{
		plugFrame.requests.clear ();
		editor->savedSizes.clear ();
		open (*editor);
		CRect size;
		editor->getFrame ()->getSize (size);
		EXPECT_EQ (size, CRect (0, 0, 400, 672));
		// restoreWinSize's request (answered inside it, case A), then attached's report (case B).
		EXPECT_EQ (plugFrame.requests, (std::vector<FakePlugFrame::Request>{{400, 672}, {400, 672}}));
		EXPECT_EQ (editor->savedSizes, (std::vector<std::pair<int32, int32>>{{200, 336}, {200, 336}}));
		EXPECT_EQ (editor->getParameterChangeListeners ().size (), 4u);
		EXPECT_EQ (editor->getParameterChangeListener (kMixId)->getControls ().size (), 2u);
		editor->removed ();
		EXPECT_EQ (editor->getFrame (), nullptr);
		EXPECT_TRUE (editor->getParameterChangeListeners ().empty ());
	}
	EXPECT_EQ (editor->getContentScaleFactor (), 2.);
	editor->setFrame (nullptr);
}

TEST_F (EditorLifecycle, ImmediateInvalidationStaysOnAfterAnEditorIsGone)
{
	CView::kDirtyCallAlwaysOnMainThread = false;
	makeEditor ();
	EXPECT_TRUE (CView::kDirtyCallAlwaysOnMainThread);
}

TEST_F (EditorLifecycle, UpdateHandlerExistsBeforeAnyObjectIsCreated)
{
	ASSERT_NE (updateHandlerBeforeFirstTest, nullptr);
	EXPECT_EQ (updateHandlerBeforeFirstTest, FObject::getUpdateHandler ());
	EXPECT_EQ (static_cast<IUpdateHandler*> (UpdateHandler::instance (false)), updateHandlerBeforeFirstTest);
}

TEST_F (EditorLifecycle, OpenEditorsShareOneIdleUpdateTimer)
{
	auto first = makeEditor ();
	auto second = makeEditor ();
	ASSERT_EQ (IdleUpdateHandler::getTimer (), nullptr);

	open (*first);
	auto* timer = IdleUpdateHandler::getTimer ();
	ASSERT_NE (timer, nullptr);
	open (*second);
	EXPECT_EQ (IdleUpdateHandler::getTimer (), timer);
	EXPECT_EQ (timer->getFireTime (), 33u);
	first->removed ();
	EXPECT_EQ (IdleUpdateHandler::getTimer (), timer);
	second->removed ();
	EXPECT_EQ (IdleUpdateHandler::getTimer (), nullptr);

	open (*first);
	EXPECT_NE (IdleUpdateHandler::getTimer (), nullptr);
	first->removed ();
	EXPECT_EQ (IdleUpdateHandler::getTimer (), nullptr);
}

TEST_F (EditorLifecycle, ControlJoiningAListenerTakesTheValueWithinOneTimerPeriod)
{
	StandardControls controls;
	auto editor = makeEditor (controls.builder ());
	open (*editor);
	// The knob created Mix's listener and shows the value at once; the slider joined it and waits for the
	// deferred notification.
	EXPECT_EQ (controls.mixKnob->getValueNormalized (), 1.f);
	EXPECT_EQ (controls.mixSlider->getValueNormalized (), 0.f);
	Offscreen::advanceTimers (IdleUpdateHandler::kTickMilliseconds - 1);
	EXPECT_EQ (controls.mixSlider->getValueNormalized (), 0.f);
	Offscreen::advanceTimers (1);
	EXPECT_EQ (controls.mixSlider->getValueNormalized (), 1.f);
	editor->removed ();
}

TEST_F (EditorLifecycle, HundredOpenCloseCyclesLeaveNothingBehind)
{
	StandardControls controls;
	auto editor = makeEditor (controls.builder ());
	FakePlugFrame plugFrame;
	editor->setFrame (&plugFrame);
	const int32 editorReferences = editor->references ();
	const uint32 controllerReferences = controller->getRefCount ();
	for (int cycle = 0; cycle < 100; ++cycle)
	{
		open (*editor);
		Offscreen::advanceTimers (IdleUpdateHandler::kTickMilliseconds);
		editor->removed ();
	}
	EXPECT_EQ (IdleUpdateHandler::getTimer (), nullptr);
	EXPECT_EQ (editor->references (), editorReferences);
	EXPECT_EQ (controller->getRefCount (), controllerReferences);
	EXPECT_EQ (plugFrame.references, 1u);
	editor->setFrame (nullptr);
}

} // namespace
