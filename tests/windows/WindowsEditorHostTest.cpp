// The host library's Win32 side: the editor as a child of the host's top-level window, resized by the view's own
// resizeView, and `quorvane.exe view --png` screenshots of the whole editor holding the Linux rendering's colours
// at interior points of every control.

#include "tests/host/HostTestSupport.h"
#include "tests/win32/EditorRenderPoints.h"
#include "tests/win32/HangGuard.h"

#include "host/PlugViewHost.h"
#include "host/Utf16.h"
#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"
#include "vstgui/lib/ccolor.h"

#include <windows.h>

#include <wincodec.h>

#include <cstdlib>
#include <string>
#include <vector>

using VSTGUI::CColor;

namespace
{

std::wstring wide (const std::string& text)
{
	const std::u16string units = QuorvaneHost::utf8ToUtf16 (text);
	return std::wstring (units.begin (), units.end ());
}

/** A build-tree path as Windows programs take it: Wine shows the Unix root as drive Z:. */
std::wstring windowsPath (std::string path)
{
	if (!path.empty () && path.front () == '/')
		path = "Z:" + path;
	for (auto& c : path)
		if (c == '/')
			c = '\\';
	return wide (path);
}

SIZE clientSize (HWND window)
{
	RECT client{};
	GetClientRect (window, &client);
	return {client.right, client.bottom};
}

/** Runs quorvane.exe with `arguments`; its exit code, or -1 when it did not end within the limit (then killed). */
int runQuorvane (const std::wstring& arguments, DWORD limitMs)
{
	std::wstring commandLine = L"\"" + windowsPath (QUORVANE_CLI_PATH) + L"\" " + arguments;
	STARTUPINFOW startup{};
	startup.cb = sizeof (startup);
	PROCESS_INFORMATION process{};
	if (!CreateProcessW (nullptr, commandLine.data (), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
	                     &process))
		return -2;
	DWORD code = static_cast<DWORD> (-1);
	if (WaitForSingleObject (process.hProcess, limitMs) == WAIT_OBJECT_0)
		GetExitCodeProcess (process.hProcess, &code);
	else
		TerminateProcess (process.hProcess, 1);
	CloseHandle (process.hThread);
	CloseHandle (process.hProcess);
	return static_cast<int> (code);
}

/** A PNG read back through WIC as 0xAARRGGBB pixels, row by row; empty when it cannot be read. */
std::vector<uint32_t> readPng (const std::wstring& path, UINT& width, UINT& height)
{
	std::vector<uint32_t> pixels;
	IWICImagingFactory* wic = nullptr;
	IWICBitmapDecoder* decoder = nullptr;
	IWICBitmapFrameDecode* frame = nullptr;
	IWICFormatConverter* converter = nullptr;
	if (SUCCEEDED (CoCreateInstance (CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
	                                 reinterpret_cast<void**> (&wic))) &&
	    SUCCEEDED (wic->CreateDecoderFromFilename (path.c_str (), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
	                                               &decoder)) &&
	    SUCCEEDED (decoder->GetFrame (0, &frame)) && SUCCEEDED (frame->GetSize (&width, &height)) &&
	    SUCCEEDED (wic->CreateFormatConverter (&converter)) &&
	    SUCCEEDED (converter->Initialize (frame, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.,
	                                      WICBitmapPaletteTypeCustom)))
	{
		pixels.resize (static_cast<size_t> (width) * height);
		if (FAILED (converter->CopyPixels (nullptr, width * 4, width * height * 4,
		                                   reinterpret_cast<BYTE*> (pixels.data ()))))
			pixels.clear ();
	}
	for (IUnknown* object : std::initializer_list<IUnknown*>{converter, frame, decoder, wic})
		if (object)
			object->Release ();
	return pixels;
}

} // namespace

TEST (WindowsEditorHost, ViewIsAChildOfTheTopLevelWindowAndResizesItThroughResizeView)
{
	HangGuard guard (std::chrono::seconds (60), "opening the editor in a host window");
	auto module = QuorvaneTest::loadModule ();
	ASSERT_TRUE (module);
	auto instance = QuorvaneTest::createPair (module);
	ASSERT_TRUE (instance && instance->controller ());
	Steinberg::IPtr<Steinberg::IPlugView> view = Steinberg::owned (instance->controller ()->createView ("editor"));
	ASSERT_TRUE (view);
	QuorvaneHost::PlugViewHost::Options options;
	options.contentScale = 2.f;
	std::string error;
	auto host = QuorvaneHost::PlugViewHost::open (view, options, error);
	ASSERT_TRUE (host) << error;
	HWND top = host->window ().handle ();
	host->settle ();

	HWND child = GetWindow (top, GW_CHILD);
	ASSERT_NE (child, nullptr);
	EXPECT_EQ (GetParent (child), top);
	EXPECT_EQ (GetAncestor (child, GA_ROOT), top);
	EXPECT_EQ (GetWindow (child, GW_HWNDNEXT), nullptr) << "more than one child window";
	EXPECT_TRUE (GetWindowLongW (child, GWL_STYLE) & WS_CHILD);

	// Scaled before attaching, the editor asked for twice its size while attaching; scaled back, for its own.
	struct Step
	{
		float scale;
		LONG width, height;
	};
	for (const Step step : {Step{2.f, 400, 672}, Step{1.f, 200, 336}, Step{1.5f, 300, 504}})
	{
		SCOPED_TRACE (step.scale);
		if (step.scale != 2.f)
		{
			Steinberg::FUnknownPtr<Steinberg::IPlugViewContentScaleSupport> scaling (view);
			ASSERT_TRUE (scaling);
			scaling->setContentScaleFactor (step.scale);
			host->run (20);
		}
		const auto& requests = host->plugFrame ().resizeRequests ();
		ASSERT_FALSE (requests.empty ());
		EXPECT_EQ (requests.back ().width, step.width);
		EXPECT_EQ (requests.back ().height, step.height);
		EXPECT_EQ (requests.back ().answer, Steinberg::kResultTrue);
		EXPECT_EQ (clientSize (top).cx, step.width);
		EXPECT_EQ (clientSize (top).cy, step.height);
		EXPECT_EQ (clientSize (child).cx, step.width);
		EXPECT_EQ (clientSize (child).cy, step.height);
	}

	host.reset ();
	EXPECT_FALSE (IsWindow (top));
	EXPECT_FALSE (IsWindow (child));
}

TEST (WindowsEditorHost, ViewPngHoldsTheLinuxColoursAtEveryControlAtBothSizes)
{
	CoInitializeEx (nullptr, COINIT_APARTMENTTHREADED);
	// The points were measured with every control at the start of its range.
	const std::wstring atStart = L" --set Duration=0 --set Mix=0 --set Offset=-1 --set \"Note Sync=4/1\"";
	for (int scale : {1, 2})
	{
		const std::string size = std::to_string (200 * scale) + "x" + std::to_string (336 * scale);
		SCOPED_TRACE (size);
		const std::wstring png = wide ("quorvane-view-" + size + ".png");
		DeleteFileW (png.c_str ());
		// A hung editor or host ends in a failure, not a stalled run.
		const int code = runQuorvane (L"view --png " + png + L" --size " + wide (size) + atStart + L" --bundle \"" +
		                                  windowsPath (QUORVANE_BUNDLE_DIR) + L"\"",
		                              120000);
		ASSERT_EQ (code, 0) << "quorvane.exe view failed or did not finish within 120 s";
		UINT width = 0, height = 0;
		const auto pixels = readPng (png, width, height);
		ASSERT_FALSE (pixels.empty ());
		ASSERT_EQ (width, UINT (200 * scale));
		ASSERT_EQ (height, UINT (336 * scale));
		for (const auto& p : QuorvaneTest::editorRenderPoints)
		{
			const uint32_t pixel = pixels[size_t (p.y * scale) * width + size_t (p.x * scale)];
			const CColor got (uint8_t (pixel >> 16), uint8_t (pixel >> 8), uint8_t (pixel), 255);
			EXPECT_TRUE (QuorvaneTest::nearEditorColour (got, p.color, false))
			    << p.what << " at " << p.x << ", " << p.y << ": " << QuorvaneTest::colourText (got) << ", expected "
			    << QuorvaneTest::colourText (p.color);
		}
	}
	CoUninitialize ();
}
