// The SDK's editor base as it stands in here: platform types, knob mode, counting, gestures by index, the
// host's keys and wheel, and the host's Linux run loop offered to the GUI library.
#include "framework/FrameworkTestSupport.h"

#include "vstgui/lib/controls/ccontrol.h"
#include "vstgui/lib/platform/offscreen/offscreentimer.h"
#include "vstgui/lib/platform/platform_x11.h"

using namespace Steinberg;
using namespace VSTGUI;

namespace
{

class BaseEditor : public EditorTest
{
};

TEST_F (BaseEditor, AttachesOnlyToAnX11Window)
{
	auto editor = makeEditor ();
	for (const FIDString type : {kPlatformTypeHWND, kPlatformTypeNSView, "X11", static_cast<FIDString> (nullptr)})
	{
		EXPECT_EQ (editor->isPlatformTypeSupported (type), kInvalidArgument);
		EXPECT_EQ (editor->attached (nullptr, type), kResultFalse);
		EXPECT_EQ (editor->getFrame (), nullptr);
	}
	EXPECT_EQ (editor->isPlatformTypeSupported (kPlatformTypeX11EmbedWindowID), kResultTrue);
}

TEST_F (BaseEditor, KnobModeFollowsTheHost)
{
	auto editor = makeEditor ();
	const std::pair<Vst::KnobMode, int32_t> modes[] = {
	    {Vst::kCircularMode, VSTGUI::kCircularMode},
	    {Vst::kRelativCircularMode, VSTGUI::kRelativCircularMode},
	    {Vst::kLinearMode, VSTGUI::kLinearMode},
	};
	for (const auto& [hostMode, guiMode] : modes)
	{
		controller->setKnobMode (hostMode);
		EXPECT_EQ (editor->getKnobMode (), guiMode);
	}
}

TEST_F (BaseEditor, RememberAndForgetCountThePlugView)
{
	auto editor = makeEditor ();
	editor->remember ();
	EXPECT_EQ (editor->references (), 2);
	EXPECT_EQ (editor->getRefCount (), 2);
	editor->forget ();
	EXPECT_EQ (editor->references (), 1);
}

TEST_F (BaseEditor, GesturesByIndexGoToTheControllerExceptInTheFramework)
{
	auto* base = new Vst::VSTGUIEditor (controller.get ());
	base->beginEdit (kMixId);
	base->endEdit (kMixId);
	EXPECT_EQ (handler.calls, (std::vector<std::string>{"beginEdit 1005", "endEdit 1005"}));
	base->release ();

	handler.calls.clear ();
	auto editor = makeEditor ();
	static_cast<VSTGUIEditorInterface*> (editor.get ())->beginEdit (kMixId);
	static_cast<VSTGUIEditorInterface*> (editor.get ())->endEdit (kMixId);
	EXPECT_TRUE (handler.calls.empty ());
}

TEST_F (BaseEditor, WheelOverAControlEditsItsParameter)
{
	StandardControls controls;
	auto editor = makeEditor (controls.builder ());
	open (*editor);
	controller->setParamNormalized (kMixId, 0.5);
	handler.calls.clear ();
	editor->offscreen ()->mouseMove (CPoint (20, 20));
	EXPECT_EQ (editor->onWheel (1.f), kResultTrue);
	ASSERT_FALSE (handler.calls.empty ());
	EXPECT_EQ (handler.calls.front (), "beginEdit 1005");
	// The wheel edit ends from its timer.
	EXPECT_NE (handler.calls.back (), "endEdit 1005");
	Offscreen::advanceTimers (CMouseWheelEditingSupport::kEndEditDelay);
	EXPECT_EQ (handler.calls.back (), "endEdit 1005");
	EXPECT_GT (controller->getParamNormalized (kMixId), 0.5);
	editor->removed ();
}

/** A host's run loop: records registrations and lets the test fire them. */
class FakeRunLoop : public Linux::IRunLoop
{
public:
	std::vector<std::string> log;
	std::vector<Linux::ITimerHandler*> timers;
	std::vector<Linux::IEventHandler*> eventHandlers;

	tresult PLUGIN_API registerEventHandler (Linux::IEventHandler* handler, Linux::FileDescriptor fd) override
	{
		log.push_back ("registerEventHandler " + std::to_string (fd));
		eventHandlers.push_back (handler);
		return kResultTrue;
	}
	tresult PLUGIN_API unregisterEventHandler (Linux::IEventHandler* handler) override
	{
		log.push_back ("unregisterEventHandler");
		std::erase (eventHandlers, handler);
		return kResultTrue;
	}
	tresult PLUGIN_API registerTimer (Linux::ITimerHandler* handler, Linux::TimerInterval ms) override
	{
		log.push_back ("registerTimer " + std::to_string (ms));
		timers.push_back (handler);
		return kResultTrue;
	}
	tresult PLUGIN_API unregisterTimer (Linux::ITimerHandler* handler) override
	{
		log.push_back ("unregisterTimer");
		std::erase (timers, handler);
		return kResultTrue;
	}
	tresult PLUGIN_API queryInterface (const TUID, void** obj) override
	{
		*obj = nullptr;
		return kNoInterface;
	}
	uint32 PLUGIN_API addRef () override { return ++references; }
	uint32 PLUGIN_API release () override { return --references; }
	uint32 references = 1;
};

/** A plug frame that offers the host's run loop, as Linux hosts do. */
class RunLoopPlugFrame : public FakePlugFrame
{
public:
	FakeRunLoop loop;
	tresult PLUGIN_API queryInterface (const TUID iid, void** obj) override
	{
		if (FUnknownPrivate::iidEqual (iid, Linux::IRunLoop::iid))
		{
			loop.addRef ();
			*obj = static_cast<Linux::IRunLoop*> (&loop);
			return kResultOk;
		}
		return FakePlugFrame::queryInterface (iid, obj);
	}
};

struct CountingHandler : X11::ITimerHandler, X11::IEventHandler
{
	int timerCalls = 0;
	int eventCalls = 0;
	void onTimer () override { ++timerCalls; }
	void onEvent () override { ++eventCalls; }
};

TEST_F (BaseEditor, HostRunLoopBecomesTheGuiLibrarysWhileThePlugFrameIsSet)
{
	auto editor = makeEditor ();
	RunLoopPlugFrame plugFrame;
	ASSERT_EQ (X11::RunLoop::get (), nullptr);
	editor->setFrame (&plugFrame);
	auto runLoop = X11::RunLoop::get ();
	ASSERT_NE (runLoop, nullptr);

	CountingHandler handler;
	EXPECT_TRUE (runLoop->registerTimer (40, &handler));
	EXPECT_TRUE (runLoop->registerEventHandler (7, &handler));
	ASSERT_EQ (plugFrame.loop.timers.size (), 1u);
	ASSERT_EQ (plugFrame.loop.eventHandlers.size (), 1u);
	plugFrame.loop.timers[0]->onTimer ();
	plugFrame.loop.eventHandlers[0]->onFDIsSet (7);
	EXPECT_EQ (handler.timerCalls, 1);
	EXPECT_EQ (handler.eventCalls, 1);
	EXPECT_TRUE (runLoop->unregisterTimer (&handler));
	EXPECT_FALSE (runLoop->unregisterTimer (&handler)) << "already gone";
	EXPECT_EQ (plugFrame.loop.log,
	           (std::vector<std::string>{"registerTimer 40", "registerEventHandler 7", "unregisterTimer"}));

	runLoop = nullptr;
	editor->setFrame (nullptr);
	EXPECT_EQ (X11::RunLoop::get (), nullptr);
	EXPECT_EQ (plugFrame.loop.log.back (), "unregisterEventHandler") << "what the GUI library left is cleaned up";
	EXPECT_EQ (plugFrame.loop.references, 1u);
}

} // namespace
