// The editor's edit gestures through the Win32 frame: each gesture is sent once as window messages to the
// editor in a child window and once as events to the offscreen frame (the platform-free path the Linux
// tests take), each time on a freshly built editor; the controls' begin/value/end calls must be the same.
#include "Win32TestSupport.h"

#include "editor/CheckDefaultValueOnDoubleClick.h"
#include "editor/DuckerViewTree.h"

#include "vstgui/lib/controls/ccontrol.h"
#include "vstgui/lib/platform/offscreen/offscreenframe.h"
#include "vstgui/lib/platform/offscreen/offscreentimer.h"

#include <algorithm>
#include <sstream>

using namespace Win32Test;

namespace
{

struct EditRecorder : IControlListener
{
	std::vector<std::string> calls;
	void valueChanged (CControl* c) override
	{
		std::ostringstream s;
		s << "p" << c->getTag () << "=" << c->getValueNormalized ();
		calls.push_back (s.str ());
	}
	void controlBeginEdit (CControl* c) override { calls.push_back ("B" + std::to_string (c->getTag ())); }
	void controlEndEdit (CControl* c) override { calls.push_back ("E" + std::to_string (c->getTag ())); }
};

struct Step
{
	enum Kind
	{
		Down,
		SecondDown, // the second press of a double click
		Move,
		Up,
		Wheel,
		HorizontalWheel
	} kind;
	int x, y;
	bool shift = false;
	int notches = 0;
};

struct Gesture
{
	const char* name;
	std::vector<Step> steps;
};

// Positions in the editor at 200 × 336.
const std::vector<Gesture> gestures = {
    {"Duration knob: drag up 40 px",
     {{Step::Down, 100, 130}, {Step::Move, 100, 110}, {Step::Move, 100, 90}, {Step::Up, 100, 90}}},
    {"Offset: drag the handle right 50 px",
     {{Step::Down, 36, 232}, {Step::Move, 61, 232}, {Step::Move, 86, 232}, {Step::Up, 86, 232}}},
    {"Offset: Shift-drag right 50 px",
     {{Step::Down, 36, 232, true}, {Step::Move, 86, 232, true}, {Step::Up, 86, 232, true}}},
    {"Offset: double click",
     {{Step::Down, 36, 232}, {Step::Up, 36, 232}, {Step::SecondDown, 36, 232}, {Step::Up, 36, 232}}},
    {"Mix knob: one notch, then two", {{Step::Wheel, 165, 33, false, 1}, {Step::Wheel, 165, 33, false, 2}}},
    {"Mix knob: horizontal wheel", {{Step::HorizontalWheel, 165, 33, false, 1}}},
    {"Offset: horizontal wheel right, then left",
     {{Step::HorizontalWheel, 100, 232, false, 1}, {Step::HorizontalWheel, 100, 232, false, -1}}},
    {"Bypass: click", {{Step::Down, 100, 305}, {Step::Up, 100, 305}}},
    {"Sync spinner: click", {{Step::Down, 32, 35}, {Step::Up, 32, 35}}},
};

// Long enough for any end of gesture that a timer sends after the last wheel notch.
constexpr uint32_t kSettleMs = 700;

std::vector<std::string> runOffscreen (const Gesture& gesture)
{
	EditRecorder recorder;
	auto* frame = new CFrame (CRect (0, 0, 1, 1), nullptr);
	addDuckerViewTree (frame, &recorder);
	frame->open (nullptr);
	frame->setSize (200, 336);
	auto& platform = *dynamic_cast<OffscreenPlatformFrame*> (frame->getPlatformFrame ().get ());
	for (const auto& s : gesture.steps)
	{
		const CPoint where (s.x, s.y);
		const Modifiers mods = s.shift ? Modifiers (ModifierKey::Shift) : Modifiers ();
		switch (s.kind)
		{
		case Step::Down:
		case Step::SecondDown:
			platform.mouseDown (where, MouseButton::Left, mods);
			break;
		case Step::Move:
			platform.mouseMove (where, MouseButton::Left, mods);
			break;
		case Step::Up:
			platform.mouseUp (where, MouseButton::Left, mods);
			break;
		case Step::Wheel:
			platform.wheel (where, 0., s.notches, mods);
			break;
		case Step::HorizontalWheel:
			platform.wheel (where, s.notches, 0., mods);
			break;
		}
	}
	Offscreen::advanceTimers (kSettleMs);
	frame->close ();
	// Clicks of the next gesture must not count on this one's.
	Offscreen::advanceTimers (1000);
	return recorder.calls;
}

std::vector<std::string> runInWindow (const Gesture& gesture, HostWindow& host)
{
	EditRecorder recorder;
	auto* frame = new CFrame (CRect (0, 0, 1, 1), nullptr);
	addDuckerViewTree (frame, &recorder);
	EXPECT_TRUE (frame->open (host.get (), PlatformType::kHWND));
	frame->setSize (200, 336);
	auto* window = static_cast<HWND> (frame->getPlatformFrame ()->getPlatformRepresentation ());
	for (const auto& s : gesture.steps)
	{
		const LPARAM at = clientPoint (s.x, s.y);
		const WPARAM shift = s.shift ? MK_SHIFT : 0;
		switch (s.kind)
		{
		case Step::Down:
			SendMessageW (window, WM_LBUTTONDOWN, MK_LBUTTON | shift, at);
			break;
		case Step::SecondDown:
			SendMessageW (window, WM_LBUTTONDBLCLK, MK_LBUTTON | shift, at);
			break;
		case Step::Move:
			SendMessageW (window, WM_MOUSEMOVE, MK_LBUTTON | shift, at);
			break;
		case Step::Up:
			SendMessageW (window, WM_LBUTTONUP, shift, at);
			break;
		case Step::Wheel:
		case Step::HorizontalWheel:
		{
			POINT screen{s.x, s.y};
			ClientToScreen (window, &screen);
			SetCursorPos (screen.x, screen.y);
			SendMessageW (window, s.kind == Step::Wheel ? WM_MOUSEWHEEL : WM_MOUSEHWHEEL,
			              MAKEWPARAM (shift, static_cast<WORD> (s.notches * WHEEL_DELTA)),
			              MAKELPARAM (screen.x, screen.y));
			break;
		}
		}
	}
	// Painting is no concern here and takes long under Wine: only timers are left to run, after a wheel.
	ValidateRect (window, nullptr);
	const bool wheel =
	    std::any_of (gesture.steps.begin (), gesture.steps.end (),
	                 [] (const Step& s) { return s.kind == Step::Wheel || s.kind == Step::HorizontalWheel; });
	pumpMessages (wheel ? kSettleMs : 0);
	frame->close ();
	return recorder.calls;
}

} // namespace

TEST (Win32EditorGestures, WindowMessagesEditAsTheOffscreenFrameDoes)
{
	CControl::CheckDefaultValueEventFunc = checkDefaultValueOnDoubleClick;
	HostWindow host (200, 336);
	PointerLock pointer;
	for (const auto& gesture : gestures)
	{
		SCOPED_TRACE (gesture.name);
		const auto expected = runOffscreen (gesture);
		// Whether a horizontal wheel turns a knob is the library's choice; the two paths agree either way.
		if (std::string (gesture.name).find ("knob: horizontal") == std::string::npos)
		{
			EXPECT_FALSE (expected.empty ());
		}
		EXPECT_EQ (runInWindow (gesture, host), expected);
	}
}
