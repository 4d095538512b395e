// The Win32 platform frame. Views draw with Direct2D into a back buffer of the window's size, and WM_PAINT
// draws only the invalid region into it and copies it to the window, so the window never shows a half-drawn
// state and nothing erases it first (no flicker). The window class is registered once, under the module
// handle the library was started with, and unregistered when the last frame has gone.
#include "win32frame.h"

#include "../../cbitmap.h"
#include "../../cdrawcontext.h"
#include "../../coffscreencontext.h"
#include "../common/clickcounter.h"
#include "../iplatformbitmap.h"
#include "../iplatformfactory.h"
#include "win32factory.h"
#include "win32support.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace VSTGUI
{
namespace Win32
{
namespace
{

wchar_t className[64] = L"";
int32_t classUsers = 0;

LRESULT CALLBACK windowProc (HWND window, UINT message, WPARAM wParam, LPARAM lParam);

bool registerWindowClass ()
{
	if (classUsers++ > 0)
		return true;
	// The handle in the name keeps two modules that carry this library from sharing one class.
	std::swprintf (className, std::size (className), L"VSTGUI%p", static_cast<void*> (getInstance ()));
	WNDCLASSW windowClass{};
	// CS_DBLCLKS: the second press of a double click arrives as WM_xBUTTONDBLCLK.
	windowClass.style = CS_GLOBALCLASS | CS_DBLCLKS;
	windowClass.lpfnWndProc = windowProc;
	windowClass.hInstance = getInstance ();
	windowClass.hCursor = LoadCursorW (nullptr, IDC_ARROW);
	windowClass.lpszClassName = className;
	if (RegisterClassW (&windowClass) == 0)
	{
		classUsers = 0;
		return false;
	}
	return true;
}

void unregisterWindowClass ()
{
	if (classUsers > 0 && --classUsers == 0)
		UnregisterClassW (className, getInstance ());
}

class Frame final : public IPlatformFrame
{
public:
	Frame (IPlatformFrameCallback* callback, const CRect& size, HWND parent)
	    : IPlatformFrame (callback),
	      clicks (GetDoubleClickTime (),
	              // The system's double-click rectangle is centred on the first press.
	              std::min (GetSystemMetrics (SM_CXDOUBLECLK), GetSystemMetrics (SM_CYDOUBLECLK)) / 2.)
	{
		if (!IsWindow (parent) || !registerWindowClass ())
			return;
		classRegistered = true;
		window = CreateWindowExW (0, className, L"Window", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
		                          static_cast<int> (size.left), static_cast<int> (size.top), pixels (size.getWidth ()),
		                          pixels (size.getHeight ()), parent, nullptr, getInstance (), nullptr);
		if (!window)
			return;
		SetWindowLongPtrW (window, GWLP_USERDATA, reinterpret_cast<LONG_PTR> (this));
		frameOpened ();
	}

	~Frame () noexcept override
	{
		if (tooltip)
			DestroyWindow (tooltip);
		if (window)
		{
			SetWindowLongPtrW (window, GWLP_USERDATA, 0);
			DestroyWindow (window);
			frameClosed ();
		}
		if (classRegistered)
			unregisterWindowClass ();
	}

	bool valid () const { return window != nullptr; }

	//---IPlatformFrame---
	bool getGlobalPosition (CPoint& pos) const override
	{
		RECT r;
		if (!window || !GetWindowRect (window, &r))
			return false;
		pos = CPoint (r.left, r.top);
		return true;
	}

	bool setSize (const CRect& newSize) override
	{
		if (!window)
			return false;
		SetWindowPos (window, nullptr, static_cast<int> (newSize.left), static_cast<int> (newSize.top),
		              pixels (newSize.getWidth ()), pixels (newSize.getHeight ()),
		              SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
		backBuffer = nullptr;
		InvalidateRect (window, nullptr, FALSE);
		return true;
	}

	bool getSize (CRect& size) const override
	{
		RECT r;
		if (!window || !GetWindowRect (window, &r))
			return false;
		POINT origin{r.left, r.top};
		MapWindowPoints (HWND_DESKTOP, GetParent (window), &origin, 1);
		size = CRect (origin.x, origin.y, origin.x + (r.right - r.left), origin.y + (r.bottom - r.top));
		return true;
	}

	bool getCurrentMousePosition (CPoint& mousePosition) const override
	{
		POINT p;
		if (!window || !GetCursorPos (&p) || !ScreenToClient (window, &p))
			return false;
		mousePosition = CPoint (p.x, p.y);
		return true;
	}

	bool getCurrentMouseButtons (CButtonState& buttons) const override
	{
		int32_t state = 0;
		if (GetAsyncKeyState (VK_LBUTTON) < 0)
			state |= kLButton;
		if (GetAsyncKeyState (VK_MBUTTON) < 0)
			state |= kMButton;
		if (GetAsyncKeyState (VK_RBUTTON) < 0)
			state |= kRButton;
		buttons = CButtonState (state | buttonStateFromEventModifiers (currentModifiers ()));
		return true;
	}

	bool getCurrentModifiers (Modifiers& modifiers) const override
	{
		modifiers = currentModifiers ();
		return true;
	}

	bool setMouseCursor (CCursorType type) override
	{
		cursor = systemCursor (type);
		POINT p;
		if (window && GetCursorPos (&p) && WindowFromPoint (p) == window)
			SetCursor (cursor);
		return true;
	}

	bool invalidRect (const CRect& rect) override
	{
		// Drawing that invalidates again would paint for ever; what changes while painting is drawn already.
		if (!window || inPaint)
			return false;
		if (rect.isEmpty ())
			return true;
		RECT r{static_cast<LONG> (std::floor (rect.left)), static_cast<LONG> (std::floor (rect.top)),
		       static_cast<LONG> (std::ceil (rect.right)), static_cast<LONG> (std::ceil (rect.bottom))};
		InvalidateRect (window, &r, FALSE);
		return true;
	}

	bool showTooltip (const CRect& rect, const char* utf8Text) override;
	bool hideTooltip () override;

	void* getPlatformRepresentation () const override { return window; }
	PlatformType getPlatformType () const override { return PlatformType::kHWND; }
	// One device pixel per view unit: the host scales the editor through the content scale it reports,
	// which the editor turns into the frame's zoom.
	double getScaleFactor () const override { return 1.; }

	void onFrameClosed () override { frame = nullptr; }

	LRESULT handle (HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
	static int pixels (CCoord length) { return std::max (1, static_cast<int> (std::lround (length))); }

	void dispatch (Event& event)
	{
		if (frame)
			frame->platformOnEvent (event);
	}

	void paint ();
	void mouseDown (MouseButton button, WPARAM wParam, LPARAM lParam, bool secondPress);
	void mouseUp (MouseButton button, WPARAM wParam, LPARAM lParam);
	void mouseMove (WPARAM wParam, LPARAM lParam);
	bool wheel (bool horizontal, WPARAM wParam);
	bool key (EventType type, WPARAM wParam, LPARAM lParam);

	HWND window{nullptr};
	HWND tooltip{nullptr};
	bool classRegistered{false};
	bool inPaint{false};
	bool mouseInside{false};
	HCURSOR cursor{LoadCursorW (nullptr, IDC_ARROW)};
	SharedPointer<COffscreenContext> backBuffer;
	ClickCounter clicks;
};

bool Frame::showTooltip (const CRect& rect, const char* utf8Text)
{
	if (!window)
		return false;
	if (!tooltip)
	{
		INITCOMMONCONTROLSEX controls{sizeof (controls), ICC_WIN95_CLASSES};
		InitCommonControlsEx (&controls);
		tooltip = CreateWindowExW (WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
		                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
		                           getInstance (), nullptr);
		if (!tooltip)
			return false;
	}
	std::wstring text;
	if (const int length = MultiByteToWideChar (CP_UTF8, 0, utf8Text ? utf8Text : "", -1, nullptr, 0); length > 0)
	{
		text.resize (static_cast<size_t> (length));
		MultiByteToWideChar (CP_UTF8, 0, utf8Text ? utf8Text : "", -1, text.data (), length);
	}
	// One tracking tool, placed by hand below the pointer, clear of the cursor image.
	TOOLINFOW tool{};
	tool.cbSize = sizeof (tool);
	tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
	tool.hwnd = window;
	tool.lpszText = text.data ();
	SendMessageW (tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM> (&tool));
	SendMessageW (tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM> (&tool));
	POINT p;
	GetCursorPos (&p);
	SendMessageW (tooltip, TTM_TRACKPOSITION, 0, MAKELPARAM (p.x, p.y + 20));
	SendMessageW (tooltip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM> (&tool));
	return true;
}

bool Frame::hideTooltip ()
{
	if (!tooltip)
		return false;
	TOOLINFOW tool{};
	tool.cbSize = sizeof (tool);
	tool.hwnd = window;
	SendMessageW (tooltip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM> (&tool));
	return true;
}

void Frame::paint ()
{
	HRGN region = CreateRectRgn (0, 0, 0, 0);
	const int kind = GetUpdateRgn (window, region, FALSE);
	PAINTSTRUCT ps;
	HDC dc = BeginPaint (window, &ps);
	if (dc && frame && kind != NULLREGION && kind != ERROR)
	{
		inPaint = true;
		RECT client;
		GetClientRect (window, &client);
		std::vector<CRect> rects;
		if (!backBuffer)
		{
			// A fresh buffer holds nothing yet: all of it is drawn once, then only what becomes invalid.
			backBuffer = COffscreenContext::create (CPoint (std::max (1l, client.right), std::max (1l, client.bottom)));
			rects.push_back (CRect (0, 0, client.right, client.bottom));
		}
		else if (DWORD bytes = GetRegionData (region, 0, nullptr))
		{
			std::vector<uint8_t> data (bytes);
			auto* regionData = reinterpret_cast<RGNDATA*> (data.data ());
			if (GetRegionData (region, bytes, regionData))
			{
				const auto* r = reinterpret_cast<const RECT*> (regionData->Buffer);
				for (DWORD i = 0; i < regionData->rdh.nCount; ++i)
					rects.push_back (CRect (r[i].left, r[i].top, r[i].right, r[i].bottom));
			}
		}
		if (backBuffer)
		{
			backBuffer->beginDraw ();
			for (const CRect& rect : rects)
			{
				if (!frame)
					break;
				backBuffer->saveGlobalState ();
				backBuffer->setClipRect (rect);
				backBuffer->clearRect (rect);
				frame->platformDrawRect (backBuffer, rect);
				backBuffer->restoreGlobalState ();
			}
			backBuffer->endDraw ();
			// The paint DC is clipped to the update region: copying the whole buffer shows just that region.
			auto pixels = backBuffer->getBitmap ()->getPlatformBitmap ()->lockPixels (true);
			if (pixels)
			{
				const CPoint size = backBuffer->getBitmap ()->getPlatformBitmap ()->getSize ();
				BITMAPINFO info{};
				info.bmiHeader.biSize = sizeof (info.bmiHeader);
				info.bmiHeader.biWidth = static_cast<LONG> (pixels->getBytesPerRow () / 4);
				info.bmiHeader.biHeight = -static_cast<LONG> (size.y); // rows top to bottom
				info.bmiHeader.biPlanes = 1;
				info.bmiHeader.biBitCount = 32;
				info.bmiHeader.biCompression = BI_RGB;
				SetDIBitsToDevice (dc, 0, 0, static_cast<DWORD> (size.x), static_cast<DWORD> (size.y), 0, 0, 0,
				                   static_cast<UINT> (size.y), pixels->getAddress (), &info, DIB_RGB_COLORS);
			}
		}
		inPaint = false;
	}
	EndPaint (window, &ps);
	DeleteObject (region);
}

void Frame::mouseDown (MouseButton button, WPARAM wParam, LPARAM lParam, bool secondPress)
{
	// Keys follow the pointer into the editor, as in any child window that takes text.
	SetFocus (window);
	MouseDownEvent down;
	down.mousePosition = CPoint (GET_X_LPARAM (lParam), GET_Y_LPARAM (lParam));
	down.modifiers = modifiersFromMouseKeys (wParam);
	down.buttonState.set (button);
	down.timestamp = GetMessageTime ();
	down.clickCount = clicks.onMouseDown (down.mousePosition, button, static_cast<uint32_t> (down.timestamp));
	// The system has decided already that this press is the second of a double click.
	if (secondPress && down.clickCount < 2)
		down.clickCount = 2;
	dispatch (down);
	// The view that took the press gets the moves and the release even outside the window.
	if (down.consumed && window)
		SetCapture (window);
}

void Frame::mouseUp (MouseButton button, WPARAM wParam, LPARAM lParam)
{
	MouseUpEvent up;
	up.mousePosition = CPoint (GET_X_LPARAM (lParam), GET_Y_LPARAM (lParam));
	up.modifiers = modifiersFromMouseKeys (wParam);
	up.buttonState.set (button);
	up.timestamp = GetMessageTime ();
	dispatch (up);
	if (GetCapture () == window)
		ReleaseCapture ();
}

void Frame::mouseMove (WPARAM wParam, LPARAM lParam)
{
	const CPoint where (GET_X_LPARAM (lParam), GET_Y_LPARAM (lParam));
	const Modifiers modifiers = modifiersFromMouseKeys (wParam);
	const MouseEventButtonState buttons = buttonsFromMouseKeys (wParam);
	if (!mouseInside)
	{
		// The system reports the leave (WM_MOUSELEAVE) only when asked after each entry.
		mouseInside = true;
		TRACKMOUSEEVENT track{sizeof (track), TME_LEAVE, window, 0};
		TrackMouseEvent (&track);
		MouseEnterEvent enter (where, buttons, modifiers);
		dispatch (enter);
	}
	MouseMoveEvent move (where, buttons);
	move.modifiers = modifiers;
	move.timestamp = GetMessageTime ();
	dispatch (move);
}

bool Frame::wheel (bool horizontal, WPARAM wParam)
{
	// The pointer comes from the cursor, not lParam: Windows puts screen coordinates there, Wine client
	// coordinates for the horizontal wheel.
	POINT p;
	if (!GetCursorPos (&p) || !ScreenToClient (window, &p))
		return false;
	MouseWheelEvent event;
	event.mousePosition = CPoint (p.x, p.y);
	event.modifiers = modifiersFromMouseKeys (GET_KEYSTATE_WPARAM (wParam));
	event.timestamp = GetMessageTime ();
	const CCoord notches = static_cast<CCoord> (GET_WHEEL_DELTA_WPARAM (wParam)) / WHEEL_DELTA;
	// A tilt to the right is positive, as the library's horizontal delta to the right (X11's button 7).
	if (horizontal)
		event.deltaX = notches;
	else
		event.deltaY = notches;
	dispatch (event);
	return event.consumed;
}

bool Frame::key (EventType type, WPARAM wParam, LPARAM lParam)
{
	KeyboardEvent event (type);
	event.modifiers = currentModifiers ();
	event.virt = translateWinVirtualKey (wParam);
	// Bit 30: the key was down before this message, so this is a repeat.
	event.isRepeat = type == EventType::KeyDown && (lParam & (1 << 30)) != 0;
	event.character = static_cast<char32_t> (std::towlower (
	    static_cast<wint_t> (MapVirtualKeyW (static_cast<UINT> (wParam), MAPVK_VK_TO_CHAR) & 0x7fffffff)));
	event.timestamp = GetMessageTime ();
	if (event.virt == VirtualKey::None && event.character == 0)
		return false;
	dispatch (event);
	return event.consumed;
}

LRESULT Frame::handle (HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
	// Views may close the frame from inside an event; it stays alive until the message is handled.
	SharedPointer<Frame> self (this);
	switch (message)
	{
	case WM_PAINT:
		paint ();
		return 0;
	case WM_ERASEBKGND:
		return 1; // WM_PAINT covers every pixel; erasing first would flash
	case WM_SIZE:
	{
		const CPoint newSize (LOWORD (lParam), HIWORD (lParam));
		// The buffer of the old size goes; the new one is drawn whole, so all of the window is shown anew.
		if (backBuffer && (backBuffer->getWidth () != newSize.x || backBuffer->getHeight () != newSize.y))
		{
			backBuffer = nullptr;
			InvalidateRect (hwnd, nullptr, FALSE);
		}
		return 0;
	}
	case WM_LBUTTONDOWN:
	case WM_LBUTTONDBLCLK:
		mouseDown (MouseButton::Left, wParam, lParam, message == WM_LBUTTONDBLCLK);
		return 0;
	case WM_RBUTTONDOWN:
	case WM_RBUTTONDBLCLK:
		mouseDown (MouseButton::Right, wParam, lParam, message == WM_RBUTTONDBLCLK);
		return 0;
	case WM_MBUTTONDOWN:
	case WM_MBUTTONDBLCLK:
		mouseDown (MouseButton::Middle, wParam, lParam, message == WM_MBUTTONDBLCLK);
		return 0;
	case WM_XBUTTONDOWN:
	case WM_XBUTTONDBLCLK:
		mouseDown (GET_XBUTTON_WPARAM (wParam) == XBUTTON1 ? MouseButton::Fourth : MouseButton::Fifth, wParam, lParam,
		           message == WM_XBUTTONDBLCLK);
		return TRUE;
	case WM_LBUTTONUP:
		mouseUp (MouseButton::Left, wParam, lParam);
		return 0;
	case WM_RBUTTONUP:
		mouseUp (MouseButton::Right, wParam, lParam);
		return 0;
	case WM_MBUTTONUP:
		mouseUp (MouseButton::Middle, wParam, lParam);
		return 0;
	case WM_XBUTTONUP:
		mouseUp (GET_XBUTTON_WPARAM (wParam) == XBUTTON1 ? MouseButton::Fourth : MouseButton::Fifth, wParam, lParam);
		return TRUE;
	case WM_MOUSEMOVE:
		mouseMove (wParam, lParam);
		return 0;
	case WM_MOUSELEAVE:
	{
		mouseInside = false;
		MouseExitEvent exit;
		getCurrentMousePosition (exit.mousePosition);
		exit.modifiers = currentModifiers ();
		dispatch (exit);
		return 0;
	}
	case WM_MOUSEWHEEL:
	case WM_MOUSEHWHEEL:
		// Unused wheel turns go on to the host's window, which may scroll.
		if (wheel (message == WM_MOUSEHWHEEL, wParam))
			return 0;
		break;
	case WM_KEYDOWN:
	case WM_KEYUP:
		if (key (message == WM_KEYDOWN ? EventType::KeyDown : EventType::KeyUp, wParam, lParam))
			return 0;
		break;
	case WM_SETCURSOR:
		if (LOWORD (lParam) == HTCLIENT)
		{
			SetCursor (cursor);
			return TRUE;
		}
		break;
	case WM_SETFOCUS:
		if (frame)
			frame->platformOnActivate (true);
		break;
	case WM_KILLFOCUS:
		if (frame)
			frame->platformOnActivate (false);
		break;
	case WM_DESTROY:
		// The host destroyed its window with ours inside: there is no window left to destroy or count.
		SetWindowLongPtrW (hwnd, GWLP_USERDATA, 0);
		window = nullptr;
		frameClosed ();
		break;
	default:
		break;
	}
	return DefWindowProcW (hwnd, message, wParam, lParam);
}

LRESULT CALLBACK windowProc (HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
	if (auto* frame = reinterpret_cast<Frame*> (GetWindowLongPtrW (window, GWLP_USERDATA)))
		return frame->handle (window, message, wParam, lParam);
	return DefWindowProcW (window, message, wParam, lParam);
}

} // namespace

PlatformFramePtr createWin32PlatformFrame (IPlatformFrameCallback* callback, const CRect& size, HWND parent,
                                           PlatformType parentType)
{
	if (!parent || (parentType != PlatformType::kHWND && parentType != PlatformType::kDefaultNative))
		return nullptr;
	auto frame = makeOwned<Frame> (callback, size, parent);
	if (!frame->valid ())
		return nullptr;
	return frame;
}

const wchar_t* frameWindowClassName ()
{
	return className;
}

} // namespace Win32
} // namespace VSTGUI
