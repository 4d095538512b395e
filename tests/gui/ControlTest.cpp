// Controls: the default-value hook, and each control's mouse, wheel and key behaviour with its edit gesture.
#include "GuiTestSupport.h"

#include "vstgui/lib/controls/cbuttons.h"
#include "vstgui/lib/controls/cknob.h"
#include "vstgui/lib/controls/coptionmenu.h"
#include "vstgui/lib/controls/cparamdisplay.h"
#include "vstgui/lib/controls/csegmentbutton.h"
#include "vstgui/lib/controls/cslider.h"
#include "vstgui/lib/controls/ctextedit.h"
#include "vstgui/lib/platform/offscreen/offscreentimer.h"

#include <memory>

using namespace GuiTest;
using Calls = std::vector<std::string>;

namespace
{

struct Knob : CKnobBase
{
	Knob (const CRect& r, IControlListener* l, int32_t tag) : CKnobBase (r, l, tag, nullptr) {}
	void draw (CDrawContext*) override { setDirty (false); }
	CView* newCopy () const override { return new Knob (*this); }
};

struct Slider : CSlider
{
	Slider (const CRect& r, IControlListener* l, int32_t tag, int32_t style, CPoint handle)
	    : CSlider (r, l, tag, 0, 0, nullptr, nullptr, CPoint (0, 0), style)
	{
		setHandleSizePrivate (handle.x, handle.y);
		setViewSize (r, true);
	}
	using CSliderBase::calculateHandleRect;
};

// A frame of 100 × 100 with one control, its listener and an editor reporting a knob mode.
template <typename T> struct ControlFixture
{
	TestEditor editor;
	RecordingListener listener;
	OffscreenFrame f{CRect (0, 0, 100, 100), &editor};
	T* control = nullptr;

	template <typename... Args> explicit ControlFixture (int32_t knobMode, Args&&... args)
	{
		editor.knobMode = knobMode;
		control = new T (std::forward<Args> (args)...);
		f.frame->addView (control);
		EXPECT_TRUE (f.open ());
	}
	OffscreenPlatformFrame& platform () { return f.platform (); }
};

struct HookGuard
{
	CControl::CheckDefaultValueEventFuncT saved = CControl::CheckDefaultValueEventFunc;
	~HookGuard () { CControl::CheckDefaultValueEventFunc = saved; }
};

bool onDoubleClick (CControl*, MouseDownEvent& event)
{
	return event.buttonState.is (MouseButton::Left) && event.clickCount == 2;
}

} // namespace

TEST (Controls, KnobDragInEachModeIsOneGesture)
{
	struct Case
	{
		int32_t mode;
		Modifiers modifiers;
		CPoint down;
		std::vector<CPoint> path;
		Calls expected;
	};
	const Case cases[] = {
	    {kLinearMode, {}, {20, 20}, {{20, 0}, {20, 0}}, {"begin 7", "value 7 0.6", "end 7"}},
	    {kLinearMode, {}, {20, 20}, {{30, 20}, {10, 30}}, {"begin 7", "value 7 0.55", "value 7 0.4", "end 7"}},
	    {kLinearMode, Modifiers (ModifierKey::Shift), {20, 20}, {{20, 0}}, {"begin 7", "value 7 0.566667", "end 7"}},
	    {kLinearMode, {}, {20, 20}, {{20, -500}}, {"begin 7", "value 7 1", "end 7"}},
	    // 0.5 + -100 × (1 ÷ 200 in float), summed in double; summed in float it would be 0.
	    {kLinearMode, {}, {20, 20}, {{20, 120}}, {"begin 7", "value 7 1.11759e-08", "end 7"}},
	    {kCircularMode,
	     {},
	     {0, 20},
	     {{20, 0}, {40, 20}},
	     {"begin 7", "value 7 0.166667", "value 7 0.5", "value 7 0.833333", "end 7"}},
	    {kRelativCircularMode, {}, {0, 20}, {{20, 0}}, {"begin 7", "value 7 0.833333", "end 7"}},
	    {kCircularMode, Modifiers (ModifierKey::Alt), {20, 20}, {{20, 0}}, {"begin 7", "value 7 0.6", "end 7"}},
	};
	for (const auto& c : cases)
	{
		ControlFixture<Knob> t (c.mode, CRect (0, 0, 40, 40), &t.listener, 7);
		t.control->setValue (0.5f);
		MouseDownEvent down (c.down, MouseButton::Left);
		down.modifiers = c.modifiers;
		t.platform ().dispatch (down);
		for (auto p : c.path)
			t.platform ().mouseMove (p, MouseButton::Left, c.modifiers);
		EXPECT_TRUE (t.control->isEditing ());
		t.platform ().mouseUp (c.path.back ());
		EXPECT_FALSE (t.control->isEditing ());
		EXPECT_EQ (t.listener.calls, c.expected) << "mode " << c.mode;
	}
}

TEST (Controls, ArrowKeysAreCompleteGestures)
{
	struct Case
	{
		VirtualKey key;
		Modifiers modifiers;
		Calls expected;
	};
	const Case cases[] = {
	    {VirtualKey::Up, {}, {"begin 3", "value 3 0.6", "end 3"}},
	    {VirtualKey::Left, {}, {"begin 3", "value 3 0.4", "end 3"}},
	    {VirtualKey::Down, Modifiers (ModifierKey::Shift), {"begin 3", "value 3 0.49", "end 3"}},
	    {VirtualKey::Home, {}, {}},
	};
	for (const auto& c : cases)
	{
		ControlFixture<Knob> knob (kLinearMode, CRect (0, 0, 40, 40), &knob.listener, 3);
		knob.control->setValue (0.5f);
		knob.f.frame->setFocusView (knob.control);
		knob.platform ().keyDown (c.key, 0, c.modifiers);
		EXPECT_EQ (knob.listener.calls, c.expected) << "knob " << int (c.key);

		ControlFixture<Slider> slider (kLinearMode, CRect (0, 0, 100, 20), &slider.listener, 3,
		                               CSliderBase::kHorizontal, CPoint (20, 20));
		slider.control->setValue (0.5f);
		slider.f.frame->setFocusView (slider.control);
		slider.platform ().keyDown (c.key, 0, c.modifiers);
		EXPECT_EQ (slider.listener.calls, c.expected) << "slider " << int (c.key);
	}
}

TEST (Controls, WheelEditsEndFromATimerAfterTheLastNotch)
{
	enum Kind
	{
		KnobControl,
		HorizontalSlider,
		RightSlider,
		VerticalSlider
	};
	struct Case
	{
		Kind kind;
		float start;
		CPoint delta;
		Modifiers modifiers;
		Calls expected; // before the timer ends the edit
	};
	const Case cases[] = {
	    {KnobControl, 0.5f, {0, 1}, {}, {"begin 3", "value 3 0.6"}},
	    {KnobControl, 0.5f, {0, -1}, {}, {"begin 3", "value 3 0.4"}},
	    {KnobControl, 0.5f, {0, 1}, Modifiers (ModifierKey::Shift), {"begin 3", "value 3 0.51"}},
	    // a notch that changes nothing still begins (and ends) an edit
	    {KnobControl, 1.f, {0, 1}, {}, {"begin 3"}},
	    {KnobControl, 0.5f, {1, 0}, {}, {"begin 3"}},
	    // a horizontal slider reads only the horizontal wheel, turning right lowering it
	    {HorizontalSlider, 0.5f, {0, 1}, {}, {}},
	    {HorizontalSlider, 0.5f, {1, 0}, {}, {"begin 3", "value 3 0.4"}},
	    {HorizontalSlider, 0.5f, {-1, 0}, Modifiers (ModifierKey::Shift), {"begin 3", "value 3 0.51"}},
	    {RightSlider, 0.5f, {1, 0}, {}, {"begin 3", "value 3 0.6"}},
	    {VerticalSlider, 0.5f, {1, 0}, {}, {}},
	    {VerticalSlider, 0.5f, {0, 1}, {}, {"begin 3", "value 3 0.6"}},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (testing::Message () << "kind " << c.kind << ", delta " << c.delta.x << "," << c.delta.y);
		std::unique_ptr<ControlFixture<Knob>> knob;
		std::unique_ptr<ControlFixture<Slider>> slider;
		RecordingListener* listener;
		OffscreenPlatformFrame* platform;
		if (c.kind == KnobControl)
		{
			knob = std::make_unique<ControlFixture<Knob>> (kLinearMode, CRect (0, 0, 40, 40), nullptr, 3);
			knob->control->setListener (&knob->listener);
			knob->control->setValue (c.start);
			listener = &knob->listener;
			platform = &knob->platform ();
		}
		else
		{
			const int32_t style = c.kind == HorizontalSlider ? CSliderBase::kHorizontal
			                      : c.kind == RightSlider    ? CSliderBase::kHorizontal | CSliderBase::kRight
			                                                 : CSliderBase::kVertical;
			const CRect r = c.kind == VerticalSlider ? CRect (0, 0, 20, 100) : CRect (0, 0, 100, 20);
			slider = std::make_unique<ControlFixture<Slider>> (kLinearMode, r, nullptr, 3, style, CPoint (20, 20));
			slider->control->setListener (&slider->listener);
			slider->control->setValue (c.start);
			listener = &slider->listener;
			platform = &slider->platform ();
		}
		EXPECT_EQ (platform->wheel (CPoint (10, 10), c.delta.x, c.delta.y, c.modifiers), !c.expected.empty ());
		Offscreen::advanceTimers (CMouseWheelEditingSupport::kEndEditDelay - 1);
		EXPECT_EQ (listener->calls, c.expected);
		Offscreen::advanceTimers (1);
		Calls ended = c.expected;
		if (!ended.empty ())
			ended.push_back ("end 3");
		EXPECT_EQ (listener->calls, ended);
	}
}

TEST (Controls, AWheelEditEndsEarlyForAMouseGestureOrAKey)
{
	ControlFixture<Knob> t (kLinearMode, CRect (0, 0, 40, 40), &t.listener, 3);
	t.control->setValue (0.5f);
	t.f.frame->setFocusView (t.control);

	// Notches less than half a second apart stay one edit.
	t.platform ().wheel (CPoint (10, 10), 0, 1);
	Offscreen::advanceTimers (400);
	t.platform ().wheel (CPoint (10, 10), 0, 1);
	Offscreen::advanceTimers (400);
	EXPECT_EQ (t.listener.take (), (Calls{"begin 3", "value 3 0.6", "value 3 0.7"}));

	// A click ends the pending edit before it begins its own, and the old timer ends nothing later.
	t.platform ().mouseDown (CPoint (10, 10));
	EXPECT_EQ (t.listener.take (), (Calls{"end 3", "begin 3"}));
	Offscreen::advanceTimers (1000);
	EXPECT_TRUE (t.control->isEditing ());
	t.platform ().mouseUp (CPoint (10, 10));
	EXPECT_EQ (t.listener.take (), (Calls{"end 3"}));

	// An arrow key steps within the open wheel edit, then ends it.
	t.platform ().wheel (CPoint (10, 10), 0, -1);
	t.platform ().keyDown (VirtualKey::Up);
	EXPECT_EQ (t.listener.take (), (Calls{"begin 3", "value 3 0.6", "value 3 0.7", "end 3"}));
	EXPECT_FALSE (t.control->isEditing ());
	Offscreen::advanceTimers (1000);
	EXPECT_EQ (t.listener.take (), Calls{});
}

TEST (Controls, DefaultValueHookIsConsultedOnEveryMouseDown)
{
	HookGuard guard;
	struct Case
	{
		CControl::CheckDefaultValueEventFuncT hook;
		float value;
		int clicks;
		Modifiers modifiers;
		Calls expected;
		float after;
	};
	const Case cases[] = {
	    // the library's own test: the left button with Control
	    {guard.saved, 0.2f, 1, Modifiers (ModifierKey::Control), {"begin 4", "value 4 0.75", "end 4"}, 0.75f},
	    {guard.saved, 0.75f, 1, Modifiers (ModifierKey::Control), {}, 0.75f},
	    // replaced by a double-click test: the first click of the pair is an ordinary (linear) knob gesture
	    {onDoubleClick, 0.2f, 2, {}, {"begin 4", "value 4 0.25", "end 4", "begin 4", "value 4 0.75", "end 4"}, 0.75f},
	    {onDoubleClick, 0.2f, 1, Modifiers (ModifierKey::Control), {"begin 4", "value 4 0.25", "end 4"}, 0.25f},
	};
	for (const auto& c : cases)
	{
		CControl::CheckDefaultValueEventFunc = c.hook;
		ControlFixture<Knob> t (kLinearMode, CRect (0, 0, 40, 40), &t.listener, 4);
		t.control->setDefaultValue (0.75f);
		t.control->setValue (c.value);
		for (int i = 0; i < c.clicks; ++i)
		{
			t.platform ().mouseDown (CPoint (10, 10), MouseButton::Left, c.modifiers);
			// follow-up events of a consumed reset must not reach the knob
			t.platform ().mouseMove (CPoint (10, 0), MouseButton::Left, c.modifiers);
			t.platform ().mouseUp (CPoint (10, 0), MouseButton::Left, c.modifiers);
			if (i + 1 < c.clicks)
			{
				t.control->setValue (c.value);
				t.platform ().mouseMove (CPoint (10, 10));
			}
		}
		EXPECT_EQ (t.listener.calls, c.expected);
		EXPECT_FLOAT_EQ (t.control->getValue (), c.after);
		EXPECT_FALSE (t.control->isEditing ());
	}
}

TEST (Controls, OnOffButtonTogglesOnACompletedClickAndOnKeys)
{
	struct Case
	{
		CPoint up;
		MouseButton button;
		Calls expected;
	};
	const Case cases[] = {
	    {{10, 10}, MouseButton::Left, {"begin 2", "value 2 1", "end 2"}},
	    {{90, 90}, MouseButton::Left, {"begin 2", "end 2"}},
	    {{10, 10}, MouseButton::Right, {}},
	};
	for (const auto& c : cases)
	{
		ControlFixture<COnOffButton> t (kLinearMode, CRect (0, 0, 20, 20), &t.listener, 2);
		t.platform ().mouseDown (CPoint (10, 10), c.button);
		t.platform ().mouseMove (c.up, c.button);
		t.platform ().mouseUp (c.up, c.button);
		EXPECT_EQ (t.listener.calls, c.expected);
	}
	ControlFixture<COnOffButton> t (kLinearMode, CRect (0, 0, 20, 20), &t.listener, 2);
	t.f.frame->setFocusView (t.control);
	t.platform ().keyDown (VirtualKey::Return);
	t.platform ().keyDown (VirtualKey::Space);
	t.platform ().keyDown (VirtualKey::Up);
	EXPECT_EQ (t.listener.calls, (Calls{"begin 2", "value 2 1", "end 2", "begin 2", "value 2 0", "end 2"}));
}

TEST (Controls, SliderFollowsTheMouseInEachMode)
{
	struct Case
	{
		CSliderMode mode;
		int32_t style;
		CPoint down;
		CPoint move;
		Modifiers modifiers;
		Calls expected;
	};
	// horizontal: view 100 wide, handle 20 → 80 of travel; vertical: 100 high, handle 20. A free click puts the
	// handle's centre less one pixel (9) on the mouse.
	const Modifiers Shift (ModifierKey::Shift);
	const Case cases[] = {
	    {CSliderMode::FreeClick,
	     CSliderBase::kHorizontal,
	     {50, 5},
	     {70, 5},
	     {},
	     {"begin 9", "value 9 0.5125", "value 9 0.7625", "end 9"}},
	    {CSliderMode::FreeClick,
	     CSliderBase::kHorizontal,
	     {5, 5},
	     {200, 5},
	     {},
	     {"begin 9", "value 9 0", "value 9 1", "end 9"}},
	    {CSliderMode::FreeClick,
	     CSliderBase::kHorizontal | CSliderBase::kRight,
	     {30, 5},
	     {30, 5},
	     {},
	     {"begin 9", "value 9 0.7375", "end 9"}},
	    {CSliderMode::FreeClick,
	     CSliderBase::kVertical,
	     {5, 30},
	     {5, 50},
	     {},
	     {"begin 9", "value 9 0.2625", "value 9 0.5125", "end 9"}},
	    // fine adjustment: no jump at the click, then a tenth of the way from the start value to the mouse's
	    {CSliderMode::FreeClick,
	     CSliderBase::kHorizontal,
	     {50, 5},
	     {70, 5},
	     Shift,
	     {"begin 9", "value 9 0.30125", "end 9"}},
	    {CSliderMode::Touch, CSliderBase::kHorizontal, {60, 5}, {80, 5}, {}, {}},
	    {CSliderMode::Touch, CSliderBase::kHorizontal, {25, 5}, {45, 5}, {}, {"begin 9", "value 9 0.5", "end 9"}},
	    {CSliderMode::RelativeTouch,
	     CSliderBase::kHorizontal,
	     {90, 5},
	     {98, 5},
	     {},
	     {"begin 9", "value 9 0.35", "end 9"}},
	};
	for (const auto& c : cases)
	{
		bool vertical = c.style & CSliderBase::kVertical;
		CRect r = vertical ? CRect (0, 0, 10, 100) : CRect (0, 0, 100, 10);
		ControlFixture<Slider> t (kLinearMode, r, &t.listener, 9, c.style,
		                          vertical ? CPoint (10, 20) : CPoint (20, 10));
		t.control->setSliderMode (c.mode);
		t.control->setValue (0.25f);
		t.platform ().mouseDown (c.down, MouseButton::Left, c.modifiers);
		t.platform ().mouseMove (c.move, MouseButton::Left, c.modifiers);
		t.platform ().mouseUp (c.move, MouseButton::Left, c.modifiers);
		EXPECT_EQ (t.listener.calls, c.expected) << int (c.mode) << " " << c.down.x << "," << c.down.y;
	}
	ControlFixture<Slider> t (kLinearMode, CRect (10, 0, 110, 10), &t.listener, 9, CSliderBase::kHorizontal,
	                          CPoint (20, 10));
	EXPECT_EQ (describe (t.control->calculateHandleRect (0.f)), "10,0,30,10");
	EXPECT_EQ (describe (t.control->calculateHandleRect (0.5f)), "50,0,70,10");
	EXPECT_EQ (describe (t.control->calculateHandleRect (1.f)), "90,0,110,10");
}

TEST (Controls, ListControlsAndTextEntry)
{
	{
		ControlFixture<COptionMenu> t (kLinearMode, CRect (0, 0, 50, 20), &t.listener, 11);
		for (auto text : {"a", "b", "c"})
			t.control->addEntry (text, -1, 0);
		EXPECT_EQ (t.control->getNbEntries (), 3);
		EXPECT_FLOAT_EQ (t.control->getMax (), 2.f);
		t.platform ().click (CPoint (5, 5));
		t.control->setValue (2.f);
		t.platform ().click (CPoint (5, 5));
		EXPECT_EQ (t.listener.calls, (Calls{"begin 11", "value 11 1", "end 11", "begin 11", "value 11 0", "end 11"}));
		EXPECT_EQ (std::string (t.control->getCurrent ()->getTitle ()), "a");
		t.control->removeAllEntry ();
		EXPECT_EQ (t.control->getNbEntries (), 0);
	}
	{
		ControlFixture<CSegmentButton> t (kLinearMode, CRect (0, 0, 90, 30), &t.listener, 12);
		for (auto name : {"x", "y", "z"})
		{
			CSegmentButton::Segment segment;
			segment.name = name;
			t.control->addSegment (segment, static_cast<uint32_t> (-1));
		}
		EXPECT_EQ (describe (t.control->getSegments ()[1].rect), "30,0,60,30");
		t.platform ().click (CPoint (70, 10));
		EXPECT_EQ (t.control->getSelectedSegment (), 2u);
		t.f.frame->setFocusView (t.control);
		t.platform ().keyDown (VirtualKey::Left);
		EXPECT_EQ (t.listener.calls, (Calls{"begin 12", "value 12 1", "end 12", "begin 12", "value 12 0.5", "end 12"}));
	}
	{
		ControlFixture<CTextEdit> t (kLinearMode, CRect (0, 0, 50, 20), &t.listener, 5, "old");
		t.platform ().click (CPoint (5, 5));
		EXPECT_TRUE (t.control->isEditingText ());
		for (char32_t c : {U'a', U'é'})
			t.platform ().keyDown (VirtualKey::None, c);
		t.platform ().keyDown (VirtualKey::Back);
		t.platform ().keyDown (VirtualKey::None, U'b');
		EXPECT_EQ (t.control->getText (), "oldab");
		t.platform ().keyDown (VirtualKey::Return);
		EXPECT_FALSE (t.control->isEditingText ());
		t.platform ().click (CPoint (5, 5));
		t.platform ().keyDown (VirtualKey::None, U'x');
		t.platform ().keyDown (VirtualKey::Escape);
		EXPECT_EQ (t.control->getText (), "oldab");
		EXPECT_EQ (t.listener.calls, (Calls{"begin 5", "value 5 0", "end 5", "begin 5", "end 5"}));
	}
	{
		struct Display : CParamDisplay
		{
			using CParamDisplay::CParamDisplay;
			using CParamDisplay::valueToText;
		};
		auto display = owned (new Display (CRect ()));
		EXPECT_EQ (display->valueToText (0.25f), "0.25");
		display->setValueToStringFunction (
		    [] (float value, char text[256], CParamDisplay*)
		    {
			    std::snprintf (text, 256, "%d%%", static_cast<int> (value * 100));
			    return value > 0.f;
		    });
		EXPECT_EQ (display->valueToText (0.5f), "50%");
		EXPECT_EQ (display->valueToText (0.f), "0.00") << "a function that declines leaves the default text";
	}
	{
		RecordingListener listener;
		auto knob = owned (new Knob (CRect (), &listener, 1));
		knob->setTag (2);
		EXPECT_EQ (listener.calls, (Calls{"tagWill 1", "tagDid 2"}));
	}
}

TEST (Controls, ValuesStayInTheirRange)
{
	struct Case
	{
		float min, max, set;
		float value, normalized;
	};
	const Case cases[] = {
	    {0.f, 1.f, 0.25f, 0.25f, 0.25f}, {0.f, 1.f, 2.f, 1.f, 1.f},    {0.f, 1.f, -1.f, 0.f, 0.f},
	    {-4.f, 4.f, 2.f, 2.f, 0.75f},    {10.f, 20.f, 0.f, 10.f, 0.f}, {3.f, 3.f, 7.f, 3.f, 0.f},
	};
	for (const auto& c : cases)
	{
		auto knob = owned (new Knob (CRect (), nullptr, 0));
		knob->setMin (c.min);
		knob->setMax (c.max);
		knob->setValue (c.set);
		EXPECT_FLOAT_EQ (knob->getValue (), c.value) << c.set;
		EXPECT_FLOAT_EQ (knob->getValueNormalized (), c.normalized) << c.set;
	}
	auto knob = owned (new Knob (CRect (), nullptr, 0));
	knob->setMin (-4.f);
	knob->setMax (4.f);
	knob->setValueNormalized (0.25f);
	EXPECT_FLOAT_EQ (knob->getValue (), -2.f);
	knob->setMax (-3.f);
	EXPECT_FLOAT_EQ (knob->getValue (), -3.f) << "a narrower range pulls the value in";
}
