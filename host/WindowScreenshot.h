// Screenshots of a window's contents, child windows included, read back as 32-bit RGB pixels and written as PNG:
// from the X server (xcb get-image) and through cairo on Linux (WindowScreenshot.cpp), from the window's client
// area on the screen (GDI) and through WIC on Windows (WindowScreenshotWindows.cpp).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct xcb_connection_t;
struct HWND__;

namespace QuorvaneHost
{

struct WindowImage
{
	int width{0};
	int height{0};
	/** Row by row, 0x00RRGGBB per pixel (cairo's RGB24 layout). */
	std::vector<uint32_t> pixels;

	uint32_t at (int x, int y) const
	{
		return pixels[static_cast<size_t> (y) * static_cast<size_t> (width) + x] & 0xffffffu;
	}
};

#ifdef _WIN32
/** Reads the window's client area as it shows on the screen; false with `error` set when it cannot be read. */
bool captureWindow (HWND__* window, WindowImage& image, std::string& error);
#else
/** Reads the window's visible contents; false with `error` set when the server refuses or the format is not
    the 24-bit true colour of 32 bits a pixel that X servers use today. */
bool captureWindow (xcb_connection_t* xcb, uint32_t window, WindowImage& image, std::string& error);
#endif

bool writePng (const WindowImage& image, const std::string& path, std::string& error);

} // namespace QuorvaneHost
