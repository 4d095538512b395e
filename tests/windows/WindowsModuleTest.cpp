// The built DLL read back through Windows' own APIs: the export directory (dbghelp) and the version
// resource (version.dll), and the editor a host gets in its window.

#include "tests/host/HostTestSupport.h"

#include "host/Utf16.h"
#include "pluginterfaces/gui/iplugview.h"

#include <windows.h>

#include <dbghelp.h>

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

namespace
{

std::wstring modulePathW ()
{
	const std::u16string path = QuorvaneHost::utf8ToUtf16 (QUORVANE_MODULE_PATH);
	return std::wstring (path.begin (), path.end ());
}

std::vector<std::string> exportedNames (HMODULE module)
{
	ULONG size = 0;
	const auto* directory = static_cast<const IMAGE_EXPORT_DIRECTORY*> (
	    ImageDirectoryEntryToData (module, TRUE, IMAGE_DIRECTORY_ENTRY_EXPORT, &size));
	std::vector<std::string> names;
	if (!directory)
		return names;
	const auto* base = reinterpret_cast<const char*> (module);
	const auto* nameOffsets = reinterpret_cast<const DWORD*> (base + directory->AddressOfNames);
	for (DWORD i = 0; i < directory->NumberOfNames; ++i)
		names.emplace_back (base + nameOffsets[i]);
	// Exports by ordinal only would not show up among the names.
	EXPECT_EQ (directory->NumberOfFunctions, directory->NumberOfNames);
	return names;
}

std::string utf8 (const wchar_t* text)
{
	return QuorvaneHost::utf16ToUtf8 (reinterpret_cast<const Steinberg::char16*> (text), std::wcslen (text));
}

} // namespace

TEST (WindowsModule, ExportsExactlyTheModuleEntryPoints)
{
	HMODULE module = LoadLibraryW (modulePathW ().c_str ());
	ASSERT_NE (module, nullptr);
	const auto names = exportedNames (module);
	FreeLibrary (module);

	std::string listed;
	for (const auto& name : names)
		listed += (listed.empty () ? "" : ", ") + name;
	std::cout << "Exports of " << QUORVANE_MODULE_PATH << ": " << listed << "\n";
	RecordProperty ("exports", listed);
	// The export directory keeps its names sorted.
	EXPECT_EQ (names, (std::vector<std::string>{"ExitDll", "GetPluginFactory", "InitDll"}));
}

TEST (WindowsModule, VersionResourceHoldsTheModuleVersion)
{
	const std::wstring path = modulePathW ();
	DWORD ignored = 0;
	const DWORD size = GetFileVersionInfoSizeW (path.c_str (), &ignored);
	ASSERT_GT (size, 0u);
	std::vector<char> data (size);
	ASSERT_TRUE (GetFileVersionInfoW (path.c_str (), 0, size, data.data ()));

	VS_FIXEDFILEINFO* fixed = nullptr;
	UINT fixedSize = 0;
	ASSERT_TRUE (VerQueryValueW (data.data (), L"\\", reinterpret_cast<void**> (&fixed), &fixedSize));
	ASSERT_GE (fixedSize, sizeof (VS_FIXEDFILEINFO));
	EXPECT_EQ (fixed->dwSignature, 0xFEEF04BDu);
	// 1.2.0.0: major and minor in the high word, patch and build in the low one.
	EXPECT_EQ (fixed->dwFileVersionMS, 0x00010002u);
	EXPECT_EQ (fixed->dwFileVersionLS, 0x00000000u);
	EXPECT_EQ (fixed->dwProductVersionMS, 0x00010002u);
	EXPECT_EQ (fixed->dwProductVersionLS, 0x00000000u);
	EXPECT_EQ (fixed->dwFileOS, static_cast<DWORD> (VOS_NT_WINDOWS32));
	EXPECT_EQ (fixed->dwFileType, static_cast<DWORD> (VFT_APP));
	EXPECT_EQ (fixed->dwFileFlags, 0u);

	struct Translation
	{
		WORD language;
		WORD codePage;
	};
	Translation* translations = nullptr;
	UINT translationsSize = 0;
	ASSERT_TRUE (VerQueryValueW (data.data (), L"\\VarFileInfo\\Translation", reinterpret_cast<void**> (&translations),
	                             &translationsSize));
	ASSERT_EQ (translationsSize, sizeof (Translation));
	EXPECT_EQ (translations->language, 0x0409); // US English
	EXPECT_EQ (translations->codePage, 1200);   // Unicode

	const std::pair<const wchar_t*, std::string> expected[] = {
	    {L"FileVersion", "1.2.0.0"},
	    {L"ProductVersion", "1.2.0.0"},
	    {L"OriginalFilename", "Quorvane.vst3"},
	    {L"FileDescription", "Quorvane VST3"},
	    {L"InternalName", "Quorvane VST3"},
	    {L"ProductName", "Quorvane VST3"},
	    {L"CompanyName", "Kelvanor"},
	    {L"LegalCopyright", "Copyright (c) 2026 Kelvanor"},
	    {L"LegalTrademarks",
	     "VST is a trademark of Steinberg Media Technologies GmbH, registered in Europe and other countries."},
	};
	std::string shown;
	for (const auto& [name, value] : expected)
	{
		const std::wstring query = std::wstring (L"\\StringFileInfo\\040904B0\\") + name;
		wchar_t* text = nullptr;
		UINT length = 0;
		ASSERT_TRUE (VerQueryValueW (data.data (), query.c_str (), reinterpret_cast<void**> (&text), &length))
		    << utf8 (name);
		EXPECT_EQ (utf8 (text), value) << utf8 (name);
		shown += utf8 (name) + " \"" + utf8 (text) + "\"\n";
	}
	std::cout << "Version resource of " << QUORVANE_MODULE_PATH << ":\n"
	          << "FILEVERSION/PRODUCTVERSION " << HIWORD (fixed->dwFileVersionMS) << "."
	          << LOWORD (fixed->dwFileVersionMS) << "." << HIWORD (fixed->dwFileVersionLS) << "."
	          << LOWORD (fixed->dwFileVersionLS) << ", FILEOS 0x" << std::hex << fixed->dwFileOS << ", FILETYPE "
	          << fixed->dwFileType << ", FILEFLAGS " << fixed->dwFileFlags << std::dec << "\n"
	          << shown;
}

TEST (WindowsModule, HostsGetTheEditorAsAChildOfTheirWindow)
{
	auto module = QuorvaneTest::loadModule ();
	ASSERT_TRUE (module);
	auto instance = QuorvaneTest::createPair (module);
	ASSERT_TRUE (instance && instance->controller ());
	Steinberg::IPlugView* view = instance->controller ()->createView ("editor");
	ASSERT_NE (view, nullptr);
	EXPECT_EQ (view->isPlatformTypeSupported ("HWND"), Steinberg::kResultTrue);

	WNDCLASSW windowClass{};
	windowClass.lpfnWndProc = DefWindowProcW;
	windowClass.hInstance = GetModuleHandleW (nullptr);
	windowClass.lpszClassName = L"QuorvaneModuleTestHost";
	RegisterClassW (&windowClass);
	HWND host = CreateWindowExW (0, L"QuorvaneModuleTestHost", L"Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500,
	                             800, nullptr, nullptr, GetModuleHandleW (nullptr), nullptr);
	auto children = [host] {
		int count = 0;
		EnumChildWindows (
		    host, [] (HWND, LPARAM n) { return ++*reinterpret_cast<int*> (n), TRUE; },
		    reinterpret_cast<LPARAM> (&count));
		return count;
	};
	ASSERT_EQ (view->attached (host, "HWND"), Steinberg::kResultOk);
	EXPECT_EQ (children (), 1);
	Steinberg::ViewRect size;
	ASSERT_EQ (view->getSize (&size), Steinberg::kResultOk);
	RECT client{};
	GetClientRect (GetWindow (host, GW_CHILD), &client);
	EXPECT_EQ (client.right, size.getWidth ());
	EXPECT_EQ (client.bottom, size.getHeight ());
	EXPECT_EQ (view->removed (), Steinberg::kResultOk);
	EXPECT_EQ (children (), 0);
	view->release ();
	DestroyWindow (host);
}
