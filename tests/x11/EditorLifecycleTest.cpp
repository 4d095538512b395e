// The bundle's editor in the host library's window over a long session: opened and closed many times, resized
// to both ends from either side at several content scales, rescaled while open, and automated hard while the
// user drags a control. Nothing may be left registered with the host, no listener may outlive its editor (the
// sanitizer builds catch a late call), and every edit the host hears belongs to a gesture.
#include "x11/X11TestSupport.h"

#include "host/PluginInstance.h"
#include "host/PluginModule.h"
#include "plugin/ids.h"

#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <xcb/xcb.h>

using namespace Steinberg;
using QuorvaneHost::HandlerCall;
using QuorvaneHost::PlugViewHost;

namespace
{

constexpr int kCycles = 200;
constexpr Vst::ParamID kParameters[] = {kBypassId, kDurationId, kMixId, kOffsetId, kNoteSyncId};

struct Size
{
	int width;
	int height;
	bool operator== (const Size&) const = default;
};

std::ostream& operator<< (std::ostream& stream, const Size& size)
{
	return stream << size.width << " x " << size.height;
}

/** The editor's own X window, the host window's child: the frame as the server has it. */
Size childWindowSize (PlugViewHost& host)
{
	xcb_connection_t* xcb = host.window ().connection ();
	Size size{0, 0};
	auto* tree = xcb_query_tree_reply (xcb, xcb_query_tree (xcb, host.window ().windowId ()), nullptr);
	if (tree && xcb_query_tree_children_length (tree) == 1)
	{
		const xcb_window_t child = xcb_query_tree_children (tree)[0];
		if (auto* geometry = xcb_get_geometry_reply (xcb, xcb_get_geometry (xcb, child), nullptr))
		{
			size = {geometry->width, geometry->height};
			std::free (geometry);
		}
	}
	std::free (tree);
	return size;
}

/** The host window, the view's rectangle and the editor's X window all have `expected`. */
void expectSizes (PlugViewHost& host, Size expected)
{
	host.window ().sync ();
	EXPECT_EQ ((Size{host.window ().width (), host.window ().height ()}), expected) << "host window";
	ViewRect rect;
	ASSERT_EQ (host.view ()->getSize (&rect), kResultTrue);
	EXPECT_EQ ((Size{rect.getWidth (), rect.getHeight ()}), expected) << "view rectangle";
	EXPECT_EQ (childWindowSize (host), expected) << "editor window";
}

/** The size in the controller's stored record (int8 version, int32 width, int32 height), {0, 0} without one. */
Size storedSize (QuorvaneHost::PluginInstance& instance)
{
	std::vector<std::uint8_t> bytes;
	EXPECT_EQ (instance.getControllerState (bytes), kResultOk);
	Size size{0, 0};
	if (bytes.size () == 9)
	{
		std::memcpy (&size.width, bytes.data () + 1, 4);
		std::memcpy (&size.height, bytes.data () + 5, 4);
	}
	return size;
}

/** Every performEdit lies inside a begin/end pair of its own parameter, and every pair is closed. */
void expectEditsInsideGestures (const std::vector<HandlerCall>& calls)
{
	std::map<Vst::ParamID, int> open;
	for (size_t i = 0; i < calls.size (); ++i)
	{
		const auto& call = calls[i];
		if (call.kind == HandlerCall::kBeginEdit)
		{
			EXPECT_EQ (open[call.id]++, 0) << "nested beginEdit at " << i;
		}
		else if (call.kind == HandlerCall::kPerformEdit)
		{
			EXPECT_EQ (open[call.id], 1) << "performEdit outside a gesture at " << i;
		}
		else if (call.kind == HandlerCall::kEndEdit)
		{
			EXPECT_EQ (open[call.id]--, 1) << "endEdit without beginEdit at " << i;
		}
	}
	for (const auto& [id, depth] : open)
		EXPECT_EQ (depth, 0) << "gesture of " << id << " left open";
}

class EditorLifecycle : public testing::Test
{
protected:
	static void TearDownTestSuite () { module.reset (); }

	void SetUp () override
	{
		QUORVANE_REQUIRE_DISPLAY ();
		std::string error;
		if (!module)
			module = QuorvaneHost::PluginModule::load (QUORVANE_BUNDLE_DIR, error);
		ASSERT_TRUE (module) << error;
		instance = QuorvaneHost::PluginInstance::createFirstAudioEffect (module, error);
		ASSERT_TRUE (instance) << error;
		handler = instance->componentHandler ();
	}

	void TearDown () override
	{
		if (instance)
			instance->tearDown ();
	}

	/** A new editor from the controller in a new host window; the scale is handed over before attaching. */
	std::unique_ptr<PlugViewHost> open (float scale)
	{
		IPtr<IPlugView> view = owned (instance->controller ()->createView ("editor"));
		EXPECT_TRUE (view);
		PlugViewHost::Options options;
		if (scale != 1.f)
			options.contentScale = scale;
		std::string error;
		auto host = PlugViewHost::open (view, options, error);
		EXPECT_TRUE (host) << error;
		return host;
	}

	/** Closes the editor as a host does and checks that it left no descriptor handler or timer behind. */
	void close (std::unique_ptr<PlugViewHost>& host)
	{
		IPtr<QuorvaneHost::PollRunLoop> loop (&host->runLoop ());
		host.reset ();
		EXPECT_EQ (loop->eventHandlerCount (), 0u);
		EXPECT_EQ (loop->timerCount (), 0u);
	}

	/** Host automation on every parameter; `round` varies the values. */
	void automateAll (int round)
	{
		for (size_t i = 0; i < std::size (kParameters); ++i)
			instance->controller ()->setParamNormalized (kParameters[i], ((round * 37 + i * 11) % 101) / 100.);
	}

	inline static std::shared_ptr<QuorvaneHost::PluginModule> module;
	std::unique_ptr<QuorvaneHost::PluginInstance> instance;
	QuorvaneHost::ComponentHandler* handler{nullptr};
};

} // namespace

TEST_F (EditorLifecycle, OpenCloseCyclesLeaveNothingBehindAndReopenTheSame)
{
	std::vector<double> initial;
	for (auto id : kParameters)
		initial.push_back (instance->controller ()->getParamNormalized (id));
	QuorvaneHost::WindowImage first;
	for (int cycle = 0; cycle < kCycles; ++cycle)
	{
		SCOPED_TRACE (testing::Message () << "cycle " << cycle);
		// Every fourth editor opens at twice the size; the first and the last at the plain one, to compare them.
		const bool last = cycle == kCycles - 1;
		const float scale = cycle % 4 == 2 && !last ? 2.f : 1.f;
		auto host = open (scale);
		ASSERT_TRUE (host);
		host->settle (20, 1000);
		expectSizes (*host, {static_cast<int> (200 * scale), static_cast<int> (336 * scale)});
		if (cycle == 0)
		{
			first = QuorvaneTest::screenshot (*host);
		}
		else if (last)
		{
			EXPECT_TRUE (QuorvaneTest::screenshot (*host).pixels == first.pixels);
		}
		close (host);

		// The editor is gone: a listener still registered with its parameter would be called here.
		automateAll (cycle);
		for (size_t i = 0; i < std::size (kParameters); ++i)
			instance->controller ()->setParamNormalized (kParameters[i], initial[i]);
	}
	// The comparison above means something only when the editor had painted.
	EXPECT_GT (std::set<uint32_t> (first.pixels.begin (), first.pixels.end ()).size (), 1u);
	EXPECT_EQ (storedSize (*instance), (Size{200, 336}));
	// Opening and closing edits nothing.
	EXPECT_EQ (handler->count (HandlerCall::kBeginEdit), 0u);
	EXPECT_EQ (handler->count (HandlerCall::kPerformEdit), 0u);
	EXPECT_EQ (handler->count (HandlerCall::kEndEdit), 0u);
}

TEST_F (EditorLifecycle, ResizesToBothEndsFromTheHostAndFromTheViewAtEveryScale)
{
	// Host pixels asked for, what the window gets, the stored (unscaled) size, and what a new editor then asks
	// for itself (the stored size times the scale).
	struct Case
	{
		float scale;
		Size asked;
		Size window;
		Size stored;
		Size reopened;
	};
	const Case cases[] = {
	    {1.f, {10, 10}, {100, 168}, {100, 168}, {100, 168}},
	    {1.f, {640, 480}, {640, 480}, {640, 480}, {640, 480}},
	    {1.f, {7680, 4320}, {7680, 4320}, {7680, 4320}, {7680, 4320}},
	    {1.f, {32000, 32000}, {7680, 4320}, {7680, 4320}, {7680, 4320}},
	    {1.f, {9000, 100}, {7680, 168}, {7680, 168}, {7680, 168}},
	    {1.5f, {1, 1}, {150, 252}, {100, 168}, {150, 252}},
	    {1.5f, {1000, 1000}, {1000, 1000}, {666, 666}, {999, 999}},
	    {1.5f, {11520, 6480}, {11520, 6480}, {7680, 4320}, {11520, 6480}},
	    {1.5f, {20000, 20000}, {11520, 6480}, {7680, 4320}, {11520, 6480}},
	    {2.f, {199, 335}, {200, 336}, {100, 168}, {200, 336}},
	    {2.f, {1001, 1681}, {1001, 1681}, {500, 840}, {1000, 1680}},
	    {2.f, {15360, 8640}, {15360, 8640}, {7680, 4320}, {15360, 8640}},
	    {2.f, {100, 30000}, {200, 8640}, {100, 4320}, {200, 8640}},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (testing::Message () << c.asked << " at " << c.scale);
		auto host = open (c.scale);
		ASSERT_TRUE (host);
		const auto [width, height] = host->resizeFromHost (c.asked.width, c.asked.height);
		EXPECT_EQ ((Size{width, height}), c.window);
		host->run (10);
		expectSizes (*host, c.window);
		EXPECT_EQ (storedSize (*instance), c.stored);
		close (host);

		host = open (c.scale);
		ASSERT_TRUE (host);
		bool asked = false;
		for (const auto& request : host->plugFrame ().resizeRequests ())
			asked |= Size{request.width, request.height} == c.reopened && request.answer == kResultTrue;
		EXPECT_TRUE (asked) << "the new editor did not ask for " << c.reopened;
		host->run (10);
		expectSizes (*host, c.reopened);
		close (host);
	}
	EXPECT_EQ (handler->count (HandlerCall::kPerformEdit), 0u);
}

TEST_F (EditorLifecycle, ContentScaleChangesWhileOpenKeepTheStoredSize)
{
	auto host = open (1.f);
	ASSERT_TRUE (host);
	FUnknownPtr<IPlugViewContentScaleSupport> scaling (host->view ());
	ASSERT_TRUE (scaling);
	for (const auto& [scale, window] :
	     {std::pair{1.5f, Size{300, 504}}, std::pair{2.f, Size{400, 672}}, std::pair{1.f, Size{200, 336}}})
	{
		SCOPED_TRACE (testing::Message () << "scale " << scale);
		ASSERT_EQ (scaling->setContentScaleFactor (scale), kResultOk);
		const auto& request = host->plugFrame ().resizeRequests ().back ();
		EXPECT_EQ ((Size{request.width, request.height}), window);
		EXPECT_EQ (request.answer, kResultTrue);
		host->run (10);
		expectSizes (*host, window);
		EXPECT_EQ (storedSize (*instance), (Size{200, 336}));
	}
	close (host);
}

TEST_F (EditorLifecycle, AutomationStormDuringADragKeepsEveryEditInsideTheGesture)
{
	constexpr int kRoundsPerStep = 400;
	constexpr int kSteps = 10;
	auto host = open (1.f);
	ASSERT_TRUE (host);
	host->settle ();
	QuorvaneTest::SyntheticInput input (*host);
	handler->clearCalls ();

	// Drag the Mix knob (centre 162, 33) upwards while the host automates all five parameters.
	input.moveTo (162, 33);
	input.button (1, true);
	int round = 0;
	for (int step = 1; step <= kSteps; ++step)
	{
		for (int i = 0; i < kRoundsPerStep; ++i)
		{
			automateAll (round++);
			if (i % 100 == 0)
				host->runLoop ().runOnce (0);
		}
		input.moveTo (162, 33 - 2 * step);
	}
	input.button (1, false);
	host->run (50);

	const auto calls = handler->calls ();
	expectEditsInsideGestures (calls);
	EXPECT_EQ (handler->count (HandlerCall::kBeginEdit), 1u);
	EXPECT_EQ (handler->count (HandlerCall::kEndEdit), 1u);
	double lastMix = -1.;
	for (const auto& call : calls)
		if (call.kind == HandlerCall::kPerformEdit)
		{
			EXPECT_EQ (call.id, kMixId);
			lastMix = call.value;
		}
	// What the host heard last is what the controller holds.
	EXPECT_EQ (lastMix, instance->controller ()->getParamNormalized (kMixId));
	close (host);

	// After the close, the storm reaches nothing of the editor and the host hears nothing.
	handler->clearCalls ();
	for (int i = 0; i < kRoundsPerStep; ++i)
		automateAll (round++);
	EXPECT_TRUE (handler->calls ().empty ());
}
