#include "host/ModuleLibrary.h"

#include "host/Utf16.h"

#include <windows.h>

namespace QuorvaneHost
{

namespace
{

std::string systemMessage (DWORD code)
{
	wchar_t* text = nullptr;
	const DWORD length =
	    FormatMessageW (FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
	                    nullptr, code, 0, reinterpret_cast<wchar_t*> (&text), 0, nullptr);
	std::string message = text ? utf16ToUtf8 (reinterpret_cast<const Steinberg::char16*> (text), length) : "";
	LocalFree (text);
	while (!message.empty () && (message.back () == '\n' || message.back () == '\r' || message.back () == ' '))
		message.pop_back ();
	if (message.empty ())
		return "error " + std::to_string (code);
	return message;
}

} // namespace

void* openModuleLibrary (const std::string& path, std::string& error)
{
	const std::u16string widePath = utf8ToUtf16 (path);
	HMODULE library = LoadLibraryW (reinterpret_cast<const wchar_t*> (widePath.c_str ()));
	if (!library)
		error = systemMessage (GetLastError ());
	return reinterpret_cast<void*> (library);
}

void* moduleLibrarySymbol (void* library, const char* name)
{
	return library ? reinterpret_cast<void*> (GetProcAddress (static_cast<HMODULE> (library), name)) : nullptr;
}

void closeModuleLibrary (void* library)
{
	FreeLibrary (static_cast<HMODULE> (library));
}

const char* moduleEntryName ()
{
	return "InitDll";
}

bool enterModuleLibrary (void* library)
{
	auto entry = reinterpret_cast<bool (*) ()> (moduleLibrarySymbol (library, "InitDll"));
	return entry && entry ();
}

void leaveModuleLibrary (void* library)
{
	if (auto exitFunc = reinterpret_cast<bool (*) ()> (moduleLibrarySymbol (library, "ExitDll")))
		exitFunc ();
}

} // namespace QuorvaneHost
