// The double-click rule: which mouse-downs reset a control to its parameter's default, and the one edit
// gesture a reset sends to the host.

#include "editor/EditorTestSupport.h"

#include "editor/CheckDefaultValueOnDoubleClick.h"

#include "plugin/ids.h"
#include "vstgui/lib/controls/ccontrol.h"
#include "vstgui/lib/platform/offscreen/offscreentimer.h"

using namespace VSTGUI;

TEST (CheckDefaultValueOnDoubleClick, OnlyALeftDoubleClickWithNoOtherButton)
{
	MouseEventButtonState leftAndRight (MouseButton::Left);
	leftAndRight.add (MouseButton::Right);
	struct Case
	{
		const char* name;
		MouseEventButtonState buttons;
		uint32_t clicks;
		Modifiers modifiers;
		bool resets;
	} cases[] = {
	    {"left double click", MouseButton::Left, 2, {}, true},
	    {"left double click with a modifier", MouseButton::Left, 2, Modifiers (ModifierKey::Control), true},
	    {"single click", MouseButton::Left, 1, {}, false},
	    {"single click with the library's modifier", MouseButton::Left, 1, Modifiers (ModifierKey::Control), false},
	    {"right double click", MouseButton::Right, 2, {}, false},
	    {"double click with two buttons", leftAndRight, 2, {}, false},
	    {"third click of a triple click", MouseButton::Left, 3, {}, false},
	};
	for (const auto& c : cases)
	{
		MouseDownEvent event (CPoint (3, 4), c.buttons);
		event.clickCount = c.clicks;
		event.modifiers = c.modifiers;
		EXPECT_EQ (checkDefaultValueOnDoubleClick (nullptr, event), c.resets) << c.name;
	}
}

class EditorDoubleClick : public OpenEditorTest
{
protected:
	void SetUp () override
	{
		OpenEditorTest::SetUp ();
		open ();
		ASSERT_EQ (CControl::CheckDefaultValueEventFunc, &checkDefaultValueOnDoubleClick);
		durationCentre = inFrame (child (kDurationKnob)).getCenter ();
		moveDurationAwayFromDefault ();
	}
	void moveDurationAwayFromDefault ()
	{
		controller->setParamNormalized (kDurationId, 0.2);
		handler.calls.clear ();
		// A fresh start for the platform's click counting.
		Offscreen::advanceTimers (2000);
	}
	double duration () const { return controller->getParamNormalized (kDurationId); }

	CPoint durationCentre;
};

TEST_F (EditorDoubleClick, ResetsToTheDefaultAsOneEditGesture)
{
	// The first click is the knob's own: a gesture without a value.
	platform ()->click (durationCentre);
	EXPECT_EQ (handler.calls, (std::vector<std::string>{"beginEdit 1000", "endEdit 1000"}));
	handler.calls.clear ();
	platform ()->mouseDown (durationCentre);
	EXPECT_EQ (platform ()->getLastClickCount (), 2u);
	platform ()->mouseUp (durationCentre);
	EXPECT_EQ (duration (), 0.5);
	EXPECT_EQ (handler.calls,
	           (std::vector<std::string>{"beginEdit 1000", "performEdit 1000 0.500000", "endEdit 1000"}));

	// At the default a double click changes and sends nothing, and the knob's own handling never sees it.
	handler.calls.clear ();
	Offscreen::advanceTimers (2000);
	platform ()->click (durationCentre);
	handler.calls.clear ();
	EXPECT_TRUE (platform ()->mouseDown (durationCentre));
	platform ()->mouseUp (durationCentre);
	EXPECT_EQ (handler.calls, std::vector<std::string> ());
	EXPECT_EQ (duration (), 0.5);
}

TEST_F (EditorDoubleClick, OtherClicksNeverReset)
{
	struct Case
	{
		const char* name;
		MouseButton button;
		Modifiers modifiers;
		int clicks;
	} cases[] = {{"single click", MouseButton::Left, {}, 1},
	             {"single click with Control", MouseButton::Left, Modifiers (ModifierKey::Control), 1},
	             {"single click with Shift", MouseButton::Left, Modifiers (ModifierKey::Shift), 1},
	             {"right double click", MouseButton::Right, {}, 2}};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.name);
		moveDurationAwayFromDefault ();
		for (int i = 0; i < c.clicks; ++i)
			platform ()->click (durationCentre, c.button, c.modifiers);
		EXPECT_EQ (duration (), 0.2);
		for (const auto& call : handler.calls)
			EXPECT_EQ (call.rfind ("performEdit", 0), std::string::npos) << call;
	}

	// The third click of a triple click: the second click reset, the third must not.
	moveDurationAwayFromDefault ();
	platform ()->click (durationCentre);
	platform ()->click (durationCentre);
	EXPECT_EQ (duration (), 0.5);
	controller->setParamNormalized (kDurationId, 0.2);
	platform ()->click (durationCentre);
	EXPECT_EQ (platform ()->getLastClickCount (), 3u);
	EXPECT_EQ (duration (), 0.2);
}
