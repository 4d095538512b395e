// The host's context menu on a right click, and the parameter finder under a point.
#include "framework/FrameworkTestSupport.h"

using namespace Steinberg;
using namespace VSTGUI;

namespace
{

/** Artwork: a view that is not a control. */
class ArtworkView : public CView
{
public:
	explicit ArtworkView (const CRect& size) : CView (size) {}
	void draw (CDrawContext*) override {}
};

class ContextMenu : public EditorTest
{
protected:
	void SetUp () override
	{
		EditorTest::SetUp ();
		editor = makeEditor (controls.builder ());
		open (*editor);
		handler.calls.clear ();
	}
	void TearDown () override
	{
		editor->removed ();
		editor = nullptr;
		EditorTest::TearDown ();
	}
	OffscreenPlatformFrame& frame () { return *editor->offscreen (); }
	std::optional<Vst::ParamID> parameterAt (int32 x, int32 y)
	{
		Vst::ParamID id = 12345;
		if (editor->findParameter (x, y, id) != kResultOk)
		{
			EXPECT_EQ (id, 12345u) << "untouched when nothing is found";
			return std::nullopt;
		}
		return id;
	}

	StandardControls controls;
	IPtr<TestEditor> editor;
};

TEST_F (ContextMenu, RightClickAsksForTheMenuOfTheParameterUnderTheMouse)
{
	struct Case
	{
		CPoint where;
		std::vector<std::string> calls;
	};
	const Case cases[] = {
	    {{20.7, 30.2}, {"createContextMenu 1005", "popup 20 30", "menu released"}},
	    {{70, 10}, {"createContextMenu 100", "popup 70 10", "menu released"}},
	    {{90, 60}, {"createContextMenu none", "popup 90 60", "menu released"}},
	};
	for (const auto& c : cases)
	{
		handler.calls.clear ();
		EXPECT_TRUE (frame ().mouseDown (c.where, MouseButton::Right)) << "consumed";
		EXPECT_EQ (handler.calls, c.calls);
		frame ().mouseUp (c.where, MouseButton::Right);
	}
	EXPECT_EQ (controller->getParamNormalized (kBypassId), 0.) << "no view saw the right click";
}

TEST_F (ContextMenu, OnlyARightButtonDownAsksForAMenu)
{
	auto press = [&] (EventType type, std::initializer_list<MouseButton> buttons)
	{
		std::unique_ptr<MouseDownUpMoveEvent> event;
		if (type == EventType::MouseDown)
			event = std::make_unique<MouseDownEvent> ();
		else if (type == EventType::MouseUp)
			event = std::make_unique<MouseUpEvent> ();
		else
			event = std::make_unique<MouseMoveEvent> ();
		event->mousePosition = CPoint (90, 60);
		for (auto button : buttons)
			event->buttonState.add (button);
		return frame ().dispatch (*event);
	};
	EXPECT_FALSE (press (EventType::MouseDown, {MouseButton::Left}));
	EXPECT_FALSE (press (EventType::MouseUp, {MouseButton::Left}));
	EXPECT_FALSE (press (EventType::MouseDown, {MouseButton::Middle}));
	EXPECT_FALSE (press (EventType::MouseUp, {MouseButton::Middle}));
	EXPECT_FALSE (press (EventType::MouseDown, {MouseButton::Right, MouseButton::Left}));
	EXPECT_FALSE (press (EventType::MouseUp, {MouseButton::Right}));
	EXPECT_FALSE (press (EventType::MouseMove, {MouseButton::Right}));
	EXPECT_TRUE (handler.calls.empty ());
}

TEST_F (ContextMenu, ModifiersAndDoubleClicksStillAskForTheMenu)
{
	Modifiers shift;
	shift.add (ModifierKey::Shift);
	EXPECT_TRUE (frame ().mouseDown (CPoint (20, 20), MouseButton::Right, shift));
	frame ().mouseUp (CPoint (20, 20), MouseButton::Right);
	EXPECT_TRUE (frame ().mouseDown (CPoint (20, 20), MouseButton::Right));
	EXPECT_EQ (frame ().getLastClickCount (), 2u);
	EXPECT_EQ (std::count (handler.calls.begin (), handler.calls.end (), "createContextMenu 1005"), 2);
}

TEST_F (ContextMenu, WithoutTheHostsMenuTheRightClickGoesOnToTheViews)
{
	handler.returnsMenu = false;
	EXPECT_FALSE (frame ().mouseDown (CPoint (90, 60), MouseButton::Right));
	EXPECT_EQ (handler.calls, (std::vector<std::string>{"createContextMenu none"}));

	FakeComponentHandler plainHost;
	controller->setComponentHandler (&plainHost);
	EXPECT_FALSE (frame ().mouseDown (CPoint (90, 60), MouseButton::Right));
	EXPECT_TRUE (plainHost.calls.empty ());
	controller->setComponentHandler (&handler);
}

TEST_F (ContextMenu, FinderLooksThroughTransparentUnboundControlsOnly)
{
	auto cover = [&] (CView* view)
	{
		editor->getFrame ()->addView (view);
		const auto found = parameterAt (20, 20);
		editor->getFrame ()->removeView (view);
		return found;
	};
	auto control = [&] (int32 tag, bool transparent, bool mouseEnabled)
	{
		auto* button = new COnOffButton (CRect (0, 0, 40, 40), editor.get (), tag);
		button->setTransparency (transparent);
		button->setMouseEnabled (mouseEnabled);
		return button;
	};
	EXPECT_EQ (parameterAt (20, 20), kMixId);
	EXPECT_EQ (cover (control (-1, true, true)), kMixId);
	EXPECT_EQ (cover (control (-1, false, true)), std::nullopt);
	EXPECT_EQ (cover (control (kBypassId, false, false)), std::nullopt);
	EXPECT_EQ (cover (control (kBypassId, true, false)), kMixId);
	EXPECT_EQ (cover (control (kBypassId, false, true)), kBypassId);
	EXPECT_EQ (cover (control (5000, false, true)), std::nullopt) << "a tag that names no parameter";
	EXPECT_EQ (cover (new ArtworkView (CRect (0, 0, 40, 40))), kMixId);
	EXPECT_EQ (parameterAt (90, 60), std::nullopt);
	EXPECT_EQ (parameterAt (500, 500), std::nullopt);
}

TEST_F (ContextMenu, FinderAnswersNothingWhileClosed)
{
	editor->removed ();
	EXPECT_EQ (parameterAt (20, 20), std::nullopt);
	open (*editor);
}

} // namespace
