// The Win32 frame as a child window of a host window, driven by the window messages Windows sends it.
#include "Win32TestSupport.h"

#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "vstgui/lib/cvstguitimer.h"
#include "vstgui/lib/platform/iplatformframe.h"
#include "vstgui/lib/platform/offscreen/offscreentimer.h"
#include "vstgui/lib/platform/win32/win32frame.h"
#include "vstgui/lib/platform/win32/wintimer.h"

using namespace Win32Test;

namespace
{

struct KeyRecorder : IKeyboardHook
{
	std::vector<std::string> keys;
	void onKeyboardEvent (KeyboardEvent& e, CFrame*) override
	{
		keys.push_back (std::string (e.type == EventType::KeyDown ? "down " : "up ") +
		                std::to_string (static_cast<uint32_t> (e.virt)) + " " +
		                std::to_string (static_cast<uint32_t> (e.character)));
		e.consumed = true;
	}
};

class Win32Frame : public ::testing::Test
{
protected:
	void SetUp () override
	{
		frame = new CFrame (CRect (0, 0, 300, 200), nullptr);
		left = new RecordingView (CRect (0, 0, 100, 100), CColor (255, 0, 0, 255));
		right = new RecordingView (CRect (100, 0, 200, 100), CColor (0, 0, 255, 255));
		frame->addView (left);
		frame->addView (right);
		ASSERT_TRUE (frame->open (host.get (), PlatformType::kHWND));
		window = static_cast<HWND> (frame->getPlatformFrame ()->getPlatformRepresentation ());
		ASSERT_NE (window, nullptr);
	}
	void TearDown () override
	{
		if (frame)
			frame->close ();
	}

	CPoint clientSize () const
	{
		RECT r{};
		GetClientRect (window, &r);
		return CPoint (r.right, r.bottom);
	}
	LRESULT send (UINT message, WPARAM wParam, LPARAM lParam) { return SendMessageW (window, message, wParam, lParam); }
	POINT toScreen (int x, int y) const
	{
		POINT p{x, y};
		ClientToScreen (window, &p);
		return p;
	}

	HostWindow host{300, 200};
	CFrame* frame{nullptr};
	RecordingView* left{nullptr};
	RecordingView* right{nullptr};
	HWND window{nullptr};
};

// Top-level windows of this thread (tooltips among them), by class name, sorted: their z-order moves as other
// programs' windows come and go.
std::vector<std::wstring> threadWindows ()
{
	std::vector<std::wstring> classes;
	EnumThreadWindows (
	    GetCurrentThreadId (),
	    [] (HWND window, LPARAM list)
	    {
		    wchar_t name[64] = L"";
		    GetClassNameW (window, name, 64);
		    reinterpret_cast<std::vector<std::wstring>*> (list)->push_back (name);
		    return TRUE;
	    },
	    reinterpret_cast<LPARAM> (&classes));
	std::sort (classes.begin (), classes.end ());
	return classes;
}

HWND visibleTooltip ()
{
	HWND found = nullptr;
	EnumThreadWindows (
	    GetCurrentThreadId (),
	    [] (HWND window, LPARAM result)
	    {
		    wchar_t name[64] = L"";
		    GetClassNameW (window, name, 64);
		    if (std::wstring (name) == TOOLTIPS_CLASSW && IsWindowVisible (window))
			    *reinterpret_cast<HWND*> (result) = window;
		    return TRUE;
	    },
	    reinterpret_cast<LPARAM> (&found));
	return found;
}

bool classRegistered (const wchar_t* name)
{
	WNDCLASSEXW info{};
	info.cbSize = sizeof (info);
	HINSTANCE instance = nullptr;
	GetModuleHandleExW (GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
	                    reinterpret_cast<LPCWSTR> (&classRegistered), &instance);
	return GetClassInfoExW (instance, name, &info) != 0;
}

} // namespace

TEST_F (Win32Frame, IsAChildWindowOfTheHostThatFollowsTheFrameSizeAndZoom)
{
	EXPECT_EQ (host.children (), std::vector<HWND> ({window}));
	EXPECT_EQ (GetParent (window), host.get ());
	EXPECT_TRUE (GetWindowLongW (window, GWL_STYLE) & WS_CHILD);
	wchar_t name[64] = L"";
	GetClassNameW (window, name, 64);
	EXPECT_STREQ (name, Win32::frameWindowClassName ());
	EXPECT_TRUE (classRegistered (name));
	EXPECT_EQ (clientSize (), CPoint (300, 200));

	struct Case
	{
		const char* what;
		std::function<bool ()> change;
		CPoint expected;
	} cases[] = {{"setSize", [&] { return frame->setSize (250, 150); }, {250, 150}},
	             {"zoom 1.5", [&] { return frame->setZoom (1.5); }, {375, 225}},
	             {"zoom 1", [&] { return frame->setZoom (1.); }, {250, 150}}};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.what);
		EXPECT_TRUE (c.change ());
		EXPECT_EQ (clientSize (), c.expected);
		CRect size;
		frame->getPlatformFrame ()->getSize (size);
		EXPECT_EQ (size, CRect (0, 0, c.expected.x, c.expected.y));
	}

	frame->close ();
	frame = nullptr;
	EXPECT_TRUE (host.children ().empty ());
	EXPECT_FALSE (classRegistered (name));
}

TEST_F (Win32Frame, PaintDrawsExactlyTheInvalidRegion)
{
	UpdateWindow (window);
	EXPECT_EQ (left->draws, 1);
	EXPECT_EQ (right->draws, 1);
	// What the views drew reaches the window itself.
	HDC dc = GetDC (window);
	EXPECT_EQ (GetPixel (dc, 50, 50), RGB (255, 0, 0));
	EXPECT_EQ (GetPixel (dc, 150, 50), RGB (0, 0, 255));
	ReleaseDC (window, dc);

	left->invalid ();
	UpdateWindow (window);
	EXPECT_EQ (left->draws, 2);
	EXPECT_EQ (right->draws, 1);

	// The system's own invalidation (an uncovered part, say) is drawn from the back buffer's views too.
	RECT part{150, 10, 160, 20};
	InvalidateRect (window, &part, FALSE);
	UpdateWindow (window);
	EXPECT_EQ (left->draws, 2);
	EXPECT_EQ (right->draws, 2);
	RECT none{};
	EXPECT_FALSE (GetUpdateRect (window, &none, FALSE));

	// A host that sizes our window itself: the back buffer goes with the old size, and all is drawn anew.
	SetWindowPos (window, nullptr, 0, 0, 320, 220, SWP_NOZORDER | SWP_NOACTIVATE);
	UpdateWindow (window);
	EXPECT_EQ (left->draws, 3);
	EXPECT_EQ (right->draws, 3);
}

TEST_F (Win32Frame, MouseMessagesBecomeEventsWithCaptureAndClickCounts)
{
	send (WM_LBUTTONDOWN, MK_LBUTTON, clientPoint (20, 30));
	EXPECT_EQ (GetCapture (), window);
	// Captured: the pressed view follows the pointer beyond its own bounds.
	send (WM_MOUSEMOVE, MK_LBUTTON, clientPoint (150, 30));
	send (WM_LBUTTONUP, 0, clientPoint (150, 30));
	EXPECT_EQ (GetCapture (), nullptr);
	// The system sends the second press of a double click as WM_LBUTTONDBLCLK.
	send (WM_LBUTTONDBLCLK, MK_LBUTTON, clientPoint (20, 30));
	send (WM_LBUTTONUP, 0, clientPoint (20, 30));
	// Far from the last press: a new first click, now with Shift.
	send (WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, clientPoint (60, 70));
	send (WM_LBUTTONUP, MK_SHIFT, clientPoint (60, 70));
	send (WM_RBUTTONDOWN, MK_RBUTTON, clientPoint (10, 10));
	send (WM_RBUTTONUP, 0, clientPoint (10, 10));
	// Enter and exit as the frame works them out from the positions are no concern here.
	auto withoutCrossings = [] (std::vector<std::string> events)
	{
		std::erase_if (events, [] (const std::string& e) { return e == "enter" || e == "exit"; });
		return events;
	};
	EXPECT_EQ (
	    withoutCrossings (left->take ()),
	    std::vector<std::string> ({"down left 20,30 x1", "move 150,30", "up 150,30", "down left 20,30 x2", "up 20,30",
	                               "down left 60,70 x1 shift", "up 60,70", "down right 10,10 x1", "up 10,10"}));
	EXPECT_TRUE (withoutCrossings (right->take ()).empty ());
}

TEST_F (Win32Frame, EnterAndLeave)
{
	send (WM_MOUSEMOVE, 0, clientPoint (20, 20));
	send (WM_MOUSEMOVE, 0, clientPoint (120, 20));
	send (WM_MOUSELEAVE, 0, 0);
	EXPECT_EQ (left->take (), std::vector<std::string> ({"enter", "move 20,20", "exit"}));
	EXPECT_EQ (right->take (), std::vector<std::string> ({"enter", "move 120,20", "exit"}));
}

TEST_F (Win32Frame, WheelsTakeThePointerFromTheCursor)
{
	PointerLock pointer;
	const POINT screen = toScreen (50, 40);
	ASSERT_TRUE (SetCursorPos (screen.x, screen.y));
	POINT cursor{};
	GetCursorPos (&cursor);
	ASSERT_EQ (cursor.x, screen.x);
	// Windows gives screen coordinates in lParam, Wine client ones for the horizontal wheel: neither is read.
	send (WM_MOUSEWHEEL, MAKEWPARAM (0, WHEEL_DELTA), MAKELPARAM (screen.x, screen.y));
	send (WM_MOUSEWHEEL, MAKEWPARAM (0, static_cast<WORD> (-2 * WHEEL_DELTA)), MAKELPARAM (screen.x, screen.y));
	send (WM_MOUSEHWHEEL, MAKEWPARAM (0, WHEEL_DELTA), clientPoint (50, 40));
	EXPECT_EQ (left->take (), std::vector<std::string> ({"wheel 50,40 0 1", "wheel 50,40 0 -2", "wheel 50,40 1 0"}));
}

TEST_F (Win32Frame, KeysBecomeTheLibrarysKeyCodes)
{
	KeyRecorder recorder;
	frame->registerKeyboardHook (&recorder);
	send (WM_KEYDOWN, VK_LEFT, 1);
	send (WM_KEYUP, VK_LEFT, 1 | (1u << 30) | (1u << 31));
	send (WM_KEYDOWN, 'A', 1);
	send (WM_KEYDOWN, VK_F5, 1);
	send (WM_KEYDOWN, VK_RETURN, 1);
	frame->unregisterKeyboardHook (&recorder);
	auto code = [] (VirtualKey k) { return std::to_string (static_cast<uint32_t> (k)); };
	EXPECT_EQ (recorder.keys,
	           std::vector<std::string> (
	               {"down " + code (VirtualKey::Left) + " 0", "up " + code (VirtualKey::Left) + " 0", "down 0 97",
	                "down " + code (VirtualKey::F5) + " 0", "down " + code (VirtualKey::Return) + " 13"}));
}

TEST_F (Win32Frame, CursorIsTheOneTheFrameAskedFor)
{
	frame->setCursor (kCursorHand);
	send (WM_SETCURSOR, reinterpret_cast<WPARAM> (window), MAKELPARAM (HTCLIENT, WM_MOUSEMOVE));
	EXPECT_EQ (GetCursor (), LoadCursorW (nullptr, IDC_HAND));
	frame->setCursor (kCursorDefault);
	send (WM_SETCURSOR, reinterpret_cast<WPARAM> (window), MAKELPARAM (HTCLIENT, WM_MOUSEMOVE));
	EXPECT_EQ (GetCursor (), LoadCursorW (nullptr, IDC_ARROW));
}

TEST_F (Win32Frame, TooltipShowsTheTextAndHides)
{
	PointerLock pointer;
	const POINT screen = toScreen (50, 40);
	SetCursorPos (screen.x, screen.y);
	ASSERT_TRUE (frame->getPlatformFrame ()->showTooltip (CRect (0, 0, 100, 100), "Dry/wet mix"));
	HWND tooltip = visibleTooltip ();
	ASSERT_NE (tooltip, nullptr);
	wchar_t text[64] = L"";
	TOOLINFOW tool{};
	tool.cbSize = sizeof (tool);
	tool.hwnd = window;
	tool.lpszText = text;
	SendMessageW (tooltip, TTM_GETTEXTW, 64, reinterpret_cast<LPARAM> (&tool));
	EXPECT_STREQ (text, L"Dry/wet mix");
	RECT r{};
	GetWindowRect (tooltip, &r);
	EXPECT_GT (r.top, screen.y); // below the pointer
	frame->getPlatformFrame ()->hideTooltip ();
	EXPECT_EQ (visibleTooltip (), nullptr);
}

TEST_F (Win32Frame, TimersFireFromTheMessageLoopWhileAFrameIsOpen)
{
	// The first paint sets Direct2D up, which takes a while under Wine; timing starts after it.
	UpdateWindow (window);
	int fired = 0;
	auto timer = makeOwned<CVSTGUITimer> ([&] (CVSTGUITimer*) { ++fired; }, 20);
	EXPECT_EQ (Win32::runningTimerCount (), 1u);
	const ULONGLONG start = GetTickCount64 ();
	while (fired < 5 && GetTickCount64 () - start < 2000)
		pumpMessages (10);
	EXPECT_EQ (fired, 5);
	// Never sooner than the interval asks.
	EXPECT_GE (GetTickCount64 () - start, 4 * 20u);
	timer->stop ();
	EXPECT_EQ (Win32::runningTimerCount (), 0u);
	pumpMessages (60);
	EXPECT_EQ (fired, 5);

	// With no window of ours open the manual clock drives them, as offscreen.
	frame->close ();
	frame = nullptr;
	fired = 0;
	timer->start ();
	EXPECT_EQ (Win32::runningTimerCount (), 0u);
	Offscreen::advanceTimers (40);
	EXPECT_EQ (fired, 2);
	timer->stop ();
}

TEST (Win32FrameHost, DestroyingTheHostWindowFirstLeavesAFrameThatClosesCleanly)
{
	auto host = std::make_unique<HostWindow> (300, 200);
	auto* frame = new CFrame (CRect (0, 0, 300, 200), nullptr);
	ASSERT_TRUE (frame->open (host->get (), PlatformType::kHWND));
	const std::wstring className = Win32::frameWindowClassName ();
	host.reset ();
	frame->invalid ();
	frame->close ();
	EXPECT_FALSE (classRegistered (className.c_str ()));
}

TEST (Win32FrameCycles, HundredOpenCloseCyclesLeaveNothingBehind)
{
	HostWindow host (300, 200);
	std::wstring className;
	auto cycle = [&] (int number)
	{
		auto* frame = new CFrame (CRect (0, 0, 300, 200), nullptr);
		frame->addView (new RecordingView (CRect (0, 0, 300, 200), CColor (0, 128, 0, 255)));
		ASSERT_TRUE (frame->open (host.get (), PlatformType::kHWND));
		auto* window = static_cast<HWND> (frame->getPlatformFrame ()->getPlatformRepresentation ());
		auto timer = makeOwned<CVSTGUITimer> ([] (CVSTGUITimer*) {}, 10);
		UpdateWindow (window);
		SendMessageW (window, WM_LBUTTONDOWN, MK_LBUTTON, clientPoint (5, 5));
		SendMessageW (window, WM_LBUTTONUP, 0, clientPoint (5, 5));
		frame->getPlatformFrame ()->showTooltip (CRect (0, 0, 10, 10), "tip");
		pumpMessages (number % 10 == 0 ? 20 : 0);
		className = Win32::frameWindowClassName ();
		ASSERT_EQ (host.children ().size (), 1u);
		timer->stop ();
		frame->close ();
		ASSERT_TRUE (host.children ().empty ()) << "cycle " << number;
	};
	// The first cycle sets up what the system keeps for the process (common controls, Direct2D) once.
	cycle (0);
	const DWORD userObjectsBefore = GetGuiResources (GetCurrentProcess (), GR_USEROBJECTS);
	const DWORD gdiObjectsBefore = GetGuiResources (GetCurrentProcess (), GR_GDIOBJECTS);
	const auto windowsBefore = threadWindows ();
	for (int number = 1; number <= 100; ++number)
		cycle (number);
	EXPECT_EQ (Win32::runningTimerCount (), 0u);
	EXPECT_FALSE (classRegistered (className.c_str ()));
	EXPECT_EQ (threadWindows (), windowsBefore);
	// Wine answers 0 where it keeps no count; Windows counts every window, cursor and GDI object.
	EXPECT_EQ (GetGuiResources (GetCurrentProcess (), GR_USEROBJECTS), userObjectsBefore);
	EXPECT_EQ (GetGuiResources (GetCurrentProcess (), GR_GDIOBJECTS), gdiObjectsBefore);
}
