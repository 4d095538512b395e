#include "host/WindowScreenshot.h"

#include "host/Utf16.h"

#include <windows.h>

#include <wincodec.h>

#include <cstring>

namespace QuorvaneHost
{

namespace
{

/** Releases a COM interface when it goes. */
template <typename Interface> struct ComPtr
{
	Interface* pointer{nullptr};
	~ComPtr ()
	{
		if (pointer)
			pointer->Release ();
	}
	Interface* operator->() const { return pointer; }
	Interface** put () { return &pointer; }
};

/** COM set up on this thread for as long as the object lives, unless it was already (in whatever mode). */
struct ComApartment
{
	const bool ours{SUCCEEDED (CoInitializeEx (nullptr, COINIT_APARTMENTTHREADED))};
	~ComApartment ()
	{
		if (ours)
			CoUninitialize ();
	}
};

} // namespace

bool captureWindow (HWND window, WindowImage& image, std::string& error)
{
	RECT client{};
	if (!IsWindow (window) || !GetClientRect (window, &client) || client.right <= 0 || client.bottom <= 0)
	{
		error = "the window is gone or has no client area";
		return false;
	}
	const int width = client.right, height = client.bottom;
	BITMAPINFO info{};
	info.bmiHeader.biSize = sizeof (info.bmiHeader);
	info.bmiHeader.biWidth = width;
	info.bmiHeader.biHeight = -height; // top-down rows, as WindowImage keeps them
	info.bmiHeader.biPlanes = 1;
	info.bmiHeader.biBitCount = 32;
	info.bmiHeader.biCompression = BI_RGB;
	// The screen's pixels, not a WM_PRINT repaint: views that draw with Direct2D into child windows answer
	// WM_PRINT with nothing, but what they copied to the screen is there to read.
	HDC screen = GetDC (window);
	HDC memory = CreateCompatibleDC (screen);
	void* bits = nullptr;
	HBITMAP bitmap = CreateDIBSection (screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
	bool copied = false;
	if (memory && bitmap)
	{
		HGDIOBJ previous = SelectObject (memory, bitmap);
		copied = BitBlt (memory, 0, 0, width, height, screen, 0, 0, SRCCOPY) != 0;
		GdiFlush ();
		if (copied)
		{
			// BI_RGB's 32-bit pixels are 0x00RRGGBB in memory order B, G, R, unused: WindowImage's layout.
			image.width = width;
			image.height = height;
			image.pixels.resize (static_cast<size_t> (width) * height);
			std::memcpy (image.pixels.data (), bits, image.pixels.size () * 4);
			for (auto& pixel : image.pixels)
				pixel &= 0xffffffu;
		}
		SelectObject (memory, previous);
	}
	if (bitmap)
		DeleteObject (bitmap);
	if (memory)
		DeleteDC (memory);
	ReleaseDC (window, screen);
	if (!copied)
		error = "cannot read the window's pixels from the screen";
	return copied;
}

bool writePng (const WindowImage& image, const std::string& path, std::string& error)
{
	if (image.width <= 0 || image.height <= 0 ||
	    image.pixels.size () != static_cast<size_t> (image.width) * image.height)
	{
		error = "the image has no pixels to write";
		return false;
	}
	// Opaque BGRA, a format every PNG encoder takes as it is.
	std::vector<uint32_t> opaque (image.pixels);
	for (auto& pixel : opaque)
		pixel |= 0xff000000u;
	const UINT stride = static_cast<UINT> (image.width) * 4;
	const std::u16string path16 = utf8ToUtf16 (path);
	const std::wstring widePath (path16.begin (), path16.end ());

	ComApartment apartment;
	ComPtr<IWICImagingFactory> wic;
	ComPtr<IWICStream> stream;
	ComPtr<IWICBitmapEncoder> encoder;
	ComPtr<IWICBitmapFrameEncode> frame;
	WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
	if (FAILED (CoCreateInstance (CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
	                              reinterpret_cast<void**> (wic.put ()))))
	{
		error = "cannot write '" + path + "': the Windows Imaging Component is not available";
		return false;
	}
	if (FAILED (wic->CreateStream (stream.put ())) ||
	    FAILED (stream->InitializeFromFilename (widePath.c_str (), GENERIC_WRITE)))
	{
		error = "cannot write '" + path + "': the file cannot be created";
		return false;
	}
	if (FAILED (wic->CreateEncoder (GUID_ContainerFormatPng, nullptr, encoder.put ())) ||
	    FAILED (encoder->Initialize (stream.pointer, WICBitmapEncoderNoCache)) ||
	    FAILED (encoder->CreateNewFrame (frame.put (), nullptr)) || FAILED (frame->Initialize (nullptr)) ||
	    FAILED (frame->SetSize (static_cast<UINT> (image.width), static_cast<UINT> (image.height))) ||
	    FAILED (frame->SetPixelFormat (&format)) || format != GUID_WICPixelFormat32bppBGRA ||
	    FAILED (frame->WritePixels (static_cast<UINT> (image.height), stride, stride * image.height,
	                                reinterpret_cast<BYTE*> (opaque.data ()))) ||
	    FAILED (frame->Commit ()) || FAILED (encoder->Commit ()))
	{
		error = "cannot write '" + path + "': the PNG encoder failed";
		return false;
	}
	return true;
}

} // namespace QuorvaneHost
