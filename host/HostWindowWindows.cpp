#include "host/HostWindow.h"

#include "host/Utf16.h"

#include <windows.h>

namespace QuorvaneHost
{

namespace
{

const wchar_t* const windowClassName = L"QuorvaneHostWindow";
constexpr DWORD windowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

/** The outer size of a window whose client area is `width` x `height`. */
SIZE outerSize (int width, int height)
{
	RECT rect{0, 0, width, height};
	AdjustWindowRectEx (&rect, windowStyle, FALSE, 0);
	return {rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace

struct HostWindowMessages
{
	static LRESULT CALLBACK procedure (HWND window, UINT message, WPARAM wParam, LPARAM lParam)
	{
		if (message == WM_NCCREATE)
			SetWindowLongPtrW (window, GWLP_USERDATA,
			                   reinterpret_cast<LONG_PTR> (reinterpret_cast<CREATESTRUCTW*> (lParam)->lpCreateParams));
		auto* host = reinterpret_cast<HostWindow*> (GetWindowLongPtrW (window, GWLP_USERDATA));
		if (host)
		{
			switch (message)
			{
			case WM_SIZE:
				if (wParam != SIZE_MINIMIZED)
				{
					host->currentWidth = LOWORD (lParam);
					host->currentHeight = HIWORD (lParam);
				}
				return 0;
			case WM_CLOSE:
				// The window stays until its owner is done with the view inside it.
				host->closing = true;
				return 0;
			case WM_NCDESTROY:
				SetWindowLongPtrW (window, GWLP_USERDATA, 0);
				break;
			default:
				break;
			}
		}
		return DefWindowProcW (window, message, wParam, lParam);
	}
};

std::unique_ptr<HostWindow> HostWindow::create (const char*, int width, int height, const std::string& title,
                                                std::string& error)
{
	const HINSTANCE instance = GetModuleHandleW (nullptr);
	WNDCLASSEXW windowClass{};
	if (!GetClassInfoExW (instance, windowClassName, &windowClass))
	{
		windowClass.cbSize = sizeof (windowClass);
		windowClass.style = CS_HREDRAW | CS_VREDRAW;
		windowClass.lpfnWndProc = HostWindowMessages::procedure;
		windowClass.hInstance = instance;
		windowClass.hCursor = LoadCursorW (nullptr, IDC_ARROW);
		windowClass.hbrBackground = static_cast<HBRUSH> (GetStockObject (BLACK_BRUSH));
		windowClass.lpszClassName = windowClassName;
		if (!RegisterClassExW (&windowClass))
		{
			error = "cannot register the host window's class (error " + std::to_string (GetLastError ()) + ")";
			return nullptr;
		}
	}
	std::unique_ptr<HostWindow> host (new HostWindow);
	host->currentWidth = width;
	host->currentHeight = height;
	const std::u16string title16 = utf8ToUtf16 (title);
	const std::wstring wideTitle (title16.begin (), title16.end ());
	const SIZE outer = outerSize (width, height);
	// At the top left of the screen, so that all of it can be read back for a screenshot.
	host->hwnd = CreateWindowExW (0, windowClassName, wideTitle.c_str (), windowStyle, 0, 0, outer.cx, outer.cy,
	                              nullptr, nullptr, instance, host.get ());
	if (!host->hwnd)
	{
		error = "cannot create the host window (error " + std::to_string (GetLastError ()) + ")";
		return nullptr;
	}
	return host;
}

HostWindow::~HostWindow ()
{
	if (hwnd)
		DestroyWindow (hwnd);
}

void* HostWindow::parentForView () const
{
	return hwnd;
}

const char* HostWindow::viewPlatformType ()
{
	return "HWND";
}

void HostWindow::waitForEvents (int ms) const
{
	MsgWaitForMultipleObjects (0, nullptr, FALSE, static_cast<DWORD> (ms), QS_ALLINPUT);
}

void HostWindow::map ()
{
	ShowWindow (hwnd, SW_SHOWNORMAL);
	sync ();
}

bool HostWindow::resize (int newWidth, int newHeight)
{
	if (newWidth <= 0 || newHeight <= 0 || newWidth > 32767 || newHeight > 32767)
		return false;
	const SIZE outer = outerSize (newWidth, newHeight);
	if (!SetWindowPos (hwnd, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE))
		return false;
	RECT client{};
	GetClientRect (hwnd, &client);
	// The system may keep a window wider than asked (its minimum tracking size); then the view has refused.
	currentWidth = client.right;
	currentHeight = client.bottom;
	return currentWidth == newWidth && currentHeight == newHeight;
}

std::optional<std::pair<int, int>> HostWindow::pointerPosition () const
{
	POINT pointer{};
	if (!GetCursorPos (&pointer) || !ScreenToClient (hwnd, &pointer) || pointer.x < 0 || pointer.y < 0 ||
	    pointer.x >= currentWidth || pointer.y >= currentHeight)
		return std::nullopt;
	return std::make_pair (static_cast<int> (pointer.x), static_cast<int> (pointer.y));
}

int HostWindow::processEvents ()
{
	int count = 0;
	MSG message{};
	while (PeekMessageW (&message, nullptr, 0, 0, PM_REMOVE))
	{
		if (message.message == WM_QUIT)
			closing = true;
		if (message.message != WM_TIMER)
			++count;
		TranslateMessage (&message);
		DispatchMessageW (&message);
	}
	if (!IsWindow (hwnd))
		closing = true;
	return count;
}

void HostWindow::sync ()
{
	RedrawWindow (hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

} // namespace QuorvaneHost
