// End to end on an X server: an editor built on the framework, embedded in the host library's window. Its X11
// frame opens because the editor hands it the host's run loop; over the controller of the real bundle, a drag on
// a bound control reaches the host as one gesture, and the next block of the bundle's processor applies the value.
#include "framework/FrameworkTestSupport.h"
#include "host/HostTestSupport.h"
#include "x11/X11TestSupport.h"

#include "editor/framework/PlugFrameRunLoop.h"
#include "vstgui/lib/platform/platform_x11.h"

#include "host/BlockProcessor.h"
#include "host/PluginInstance.h"
#include "host/PluginModule.h"

#include <cstring>

using namespace Steinberg;
using namespace VSTGUI;

namespace
{

/** Mix as the processor stores it: the float after the version byte and Duration. */
float storedMix (QuorvaneHost::PluginInstance& instance)
{
	std::vector<std::uint8_t> bytes;
	EXPECT_EQ (instance.getState (bytes), kResultOk);
	float mix = -1.f;
	if (bytes.size () >= 9)
		std::memcpy (&mix, bytes.data () + 5, sizeof (mix));
	return mix;
}

/** A run loop that writes down what the frame asks of the host's loop, and passes it on. */
class LoggingRunLoop final : public X11::IRunLoop, public AtomicReferenceCounted
{
public:
	explicit LoggingRunLoop (SharedPointer<X11::IRunLoop> inner) : inner (std::move (inner)) {}
	std::vector<std::string> log;

	bool registerEventHandler (int fd, X11::IEventHandler* handler) override
	{
		log.push_back ("registerEventHandler");
		return inner->registerEventHandler (fd, handler);
	}
	bool unregisterEventHandler (X11::IEventHandler* handler) override
	{
		log.push_back ("unregisterEventHandler");
		return inner->unregisterEventHandler (handler);
	}
	bool registerTimer (uint64_t interval, X11::ITimerHandler* handler) override
	{
		log.push_back ("registerTimer");
		return inner->registerTimer (interval, handler);
	}
	bool unregisterTimer (X11::ITimerHandler* handler) override
	{
		log.push_back ("unregisterTimer");
		return inner->unregisterTimer (handler);
	}

private:
	SharedPointer<X11::IRunLoop> inner;
};

/** The host's knob mode, which the bundle's controller set to linear, lives in the bundle's copy of the SDK;
 *  an editor built into the bundle reads that one, this one reads the test's copy and is told instead. */
class LinearKnobEditor : public TestEditor
{
public:
	using TestEditor::TestEditor;
	int32_t getKnobMode () const override { return VSTGUI::kLinearMode; }
};

// The X11 frame needs the host's run loop in its configuration: the real library's crashes without one, this
// one refuses. The editor gives it the plug frame's, so the host's window shows it.
TEST (EditorThroughHost, X11FrameOpensOnlyWithARunLoopInItsConfigurationAndTheEditorGivesIt)
{
	QUORVANE_REQUIRE_DISPLAY ();
	auto controller = newController ();
	ASSERT_EQ (controller->initialize (nullptr), kResultOk);
	auto editor = Steinberg::owned (new TestEditor (controller));
	std::string error;
	auto host = QuorvaneHost::PlugViewHost::open (IPtr<IPlugView> (editor.get ()), {}, error);
	ASSERT_TRUE (host) << error;
	ASSERT_NE (editor->getFrame (), nullptr);
	ASSERT_NE (editor->getFrame ()->getPlatformFrame (), nullptr);
	EXPECT_EQ (editor->getFrame ()->getPlatformFrame ()->getPlatformType (), PlatformType::kX11EmbedWindowID);

	X11::FrameConfig withoutRunLoop;
	X11::FrameConfig withRunLoop;
	withRunLoop.runLoop = PlugFrameRunLoop::create (&host->plugFrame ());
	const struct
	{
		const char* config;
		IPlatformFrameConfig* frameConfig;
		bool opens;
	} cases[] = {
	    {"none", nullptr, false},
	    {"without a run loop", &withoutRunLoop, false},
	    {"with the plug frame's run loop", &withRunLoop, true},
	};
	void* parent = reinterpret_cast<void*> (static_cast<uintptr_t> (host->window ().windowId ()));
	for (const auto& c : cases)
	{
		auto* frame = new CFrame (CRect (0, 0, 40, 40), nullptr);
		EXPECT_EQ (frame->open (parent, PlatformType::kX11EmbedWindowID, c.frameConfig), c.opens) << c.config;
		EXPECT_EQ (frame->getPlatformFrame () != nullptr, c.opens) << c.config;
		frame->close ();
	}

	// Closing, the frame gives back its timers first and its event handler last, as the real library does.
	auto* logging = new LoggingRunLoop (withRunLoop.runLoop);
	X11::FrameConfig logged;
	logged.runLoop = VSTGUI::owned<X11::IRunLoop> (logging);
	auto* frame = new CFrame (CRect (0, 0, 40, 40), nullptr);
	ASSERT_TRUE (frame->open (parent, PlatformType::kX11EmbedWindowID, &logged));
	host->settle ();
	const auto opened = logging->log.size ();
	frame->close ();
	const std::vector<std::string> closing (logging->log.begin () + opened, logging->log.end ());
	EXPECT_EQ (closing, (std::vector<std::string>{"unregisterTimer", "unregisterEventHandler"}));

	host.reset ();
	editor = nullptr;
	controller->terminate ();
}

TEST (EditorThroughHost, DragOnABoundKnobReachesTheHostAndTheNextBlock)
{
	QUORVANE_REQUIRE_DISPLAY ();
	std::string error;
	auto running = QuorvaneTest::startProcessor (QuorvaneTest::stereoSetup (512));
	ASSERT_TRUE (running.blocks);
	auto& instance = running.instance;
	auto& blocks = *running.blocks;
	ASSERT_EQ (instance->automateParameter (kMixId, 0.5), kResultOk);
	ASSERT_EQ (blocks.process (64), kResultOk);
	ASSERT_EQ (storedMix (*instance), 0.5f);
	instance->componentHandler ()->clearCalls ();

	// The bundle's controller is an EditController built from the same SDK sources as this test.
	auto* controller = static_cast<Vst::EditController*> (instance->controller ());
	CKnob* knob = nullptr;
	auto editor = Steinberg::owned (new LinearKnobEditor (controller,
	                                                      [&knob] (TestEditor& editor, CFrame& frame)
	                                                      {
		                                                      knob = new CKnob (CRect (20, 20, 80, 80), &editor, kMixId,
		                                                                        nullptr, nullptr);
		                                                      frame.addView (knob);
	                                                      }));
	auto host = QuorvaneHost::PlugViewHost::open (IPtr<IPlugView> (editor.get ()), {}, error);
	ASSERT_TRUE (host) << error;
	host->settle ();

	// The bundle's parameter told the knob its value at once: the bundle created its update handler at load.
	EXPECT_EQ (knob->getValueNormalized (), 0.5f);

	QuorvaneTest::SyntheticInput input (*host);
	input.moveTo (50, 50);
	input.button (1, true);
	input.moveTo (50, 40);
	input.moveTo (50, 30);
	input.button (1, false);
	host->settle ();

	const auto calls = instance->componentHandler ()->calls ();
	ASSERT_GE (calls.size (), 3u);
	EXPECT_EQ (calls.front ().kind, QuorvaneHost::HandlerCall::kBeginEdit);
	EXPECT_EQ (calls.back ().kind, QuorvaneHost::HandlerCall::kEndEdit);
	double lastPerformed = -1.;
	for (size_t i = 0; i < calls.size (); ++i)
	{
		EXPECT_EQ (calls[i].id, kMixId) << i;
		if (i > 0 && i + 1 < calls.size ())
		{
			EXPECT_EQ (calls[i].kind, QuorvaneHost::HandlerCall::kPerformEdit) << i;
			lastPerformed = calls[i].value;
		}
	}
	EXPECT_GT (lastPerformed, 0.5) << "dragged up";
	EXPECT_EQ (lastPerformed, knob->getValueNormalized ());
	EXPECT_EQ (lastPerformed, instance->parameterNormalized (kMixId));

	ASSERT_EQ (blocks.process (64), kResultOk);
	EXPECT_EQ (storedMix (*instance), static_cast<float> (lastPerformed));

	host.reset ();
	editor = nullptr;
	instance->tearDown ();
}

} // namespace
