// A host window for the Win32 GUI tests, message pumping, and views that record what reaches them.
#pragma once

#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/cview.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Win32Test
{

using namespace VSTGUI;

// A top-level window standing in for the host's editor window, with a client area of the given size.
class HostWindow
{
public:
	HostWindow (int width, int height)
	{
		WNDCLASSW windowClass{};
		windowClass.lpfnWndProc = DefWindowProcW;
		windowClass.hInstance = GetModuleHandleW (nullptr);
		windowClass.lpszClassName = L"QuorvaneTestHost";
		RegisterClassW (&windowClass); // fails harmlessly when a previous host registered it
		RECT r{0, 0, width, height};
		AdjustWindowRect (&r, WS_OVERLAPPEDWINDOW, FALSE);
		window =
		    CreateWindowExW (0, L"QuorvaneTestHost", L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
		                     r.right - r.left, r.bottom - r.top, nullptr, nullptr, GetModuleHandleW (nullptr), nullptr);
	}
	~HostWindow () { DestroyWindow (window); }
	HostWindow (const HostWindow&) = delete;
	HostWindow& operator= (const HostWindow&) = delete;

	HWND get () const { return window; }

	std::vector<HWND> children () const
	{
		std::vector<HWND> result;
		EnumChildWindows (
		    window,
		    [] (HWND child, LPARAM list)
		    {
			    reinterpret_cast<std::vector<HWND>*> (list)->push_back (child);
			    return TRUE;
		    },
		    reinterpret_cast<LPARAM> (&result));
		return result;
	}

private:
	HWND window{nullptr};
};

// Held while a test places the pointer and relies on it: the pointer is one for every test program that runs
// at the same time (CTest runs several), so they take turns through a mutex that Wine shares between them.
class PointerLock
{
public:
	PointerLock () : mutex (CreateMutexW (nullptr, FALSE, L"QuorvaneWin32TestPointer"))
	{
		WaitForSingleObject (mutex, INFINITE);
	}
	~PointerLock ()
	{
		ReleaseMutex (mutex);
		CloseHandle (mutex);
	}
	PointerLock (const PointerLock&) = delete;
	PointerLock& operator= (const PointerLock&) = delete;

private:
	HANDLE mutex;
};

// Dispatches the thread's messages for `milliseconds`.
inline void pumpMessages (DWORD milliseconds)
{
	const ULONGLONG end = GetTickCount64 () + milliseconds;
	do
	{
		MSG msg;
		while (PeekMessageW (&msg, nullptr, 0, 0, PM_REMOVE))
		{
			TranslateMessage (&msg);
			DispatchMessageW (&msg);
		}
		if (GetTickCount64 () >= end)
			break;
		MsgWaitForMultipleObjects (0, nullptr, FALSE, 5, QS_ALLINPUT);
	} while (true);
}

inline LPARAM clientPoint (int x, int y)
{
	return MAKELPARAM (x, y);
}

// Fills itself with one colour and records every event that reaches it as one line.
struct RecordingView : CView
{
	CColor color;
	int draws = 0;
	std::vector<std::string> events;

	RecordingView (const CRect& r, CColor c) : CView (r), color (c) {}

	void draw (CDrawContext* context) override
	{
		++draws;
		context->setFillColor (color);
		context->drawRect (getViewSize (), kDrawFilled);
		setDirty (false);
	}
	static std::string where (const MousePositionEvent& e)
	{
		return std::to_string (int (e.mousePosition.x)) + "," + std::to_string (int (e.mousePosition.y));
	}
	void onMouseDownEvent (MouseDownEvent& e) override
	{
		events.push_back (std::string ("down ") + (e.buttonState.isRight () ? "right " : "left ") + where (e) + " x" +
		                  std::to_string (e.clickCount) + (e.modifiers.has (ModifierKey::Shift) ? " shift" : ""));
		e.consumed = true;
	}
	void onMouseMoveEvent (MouseMoveEvent& e) override
	{
		events.push_back ("move " + where (e));
		e.consumed = true;
	}
	void onMouseUpEvent (MouseUpEvent& e) override
	{
		events.push_back ("up " + where (e));
		e.consumed = true;
	}
	void onMouseEnterEvent (MouseEnterEvent& e) override { events.push_back ("enter"); }
	void onMouseExitEvent (MouseExitEvent& e) override { events.push_back ("exit"); }
	void onMouseWheelEvent (MouseWheelEvent& e) override
	{
		events.push_back ("wheel " + where (e) + " " + std::to_string (int (e.deltaX)) + " " +
		                  std::to_string (int (e.deltaY)));
		e.consumed = true;
	}
	std::vector<std::string> take () { return std::exchange (events, {}); }
};

} // namespace Win32Test
