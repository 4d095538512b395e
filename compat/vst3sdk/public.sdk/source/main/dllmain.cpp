// Stand-in for the VST3 SDK's Windows module main (see compat/vst3sdk/README.md). Windows hosts call InitDll
// right after loading the module and ExitDll before unloading it, possibly more than once each: the first
// InitDll runs the module initialisers, the ExitDll that brings the use count back to 0 the terminators.

#include "pluginterfaces/base/fplatform.h"
#include "pluginterfaces/base/ftypes.h"
#include "public.sdk/source/main/moduleinit.h"

#include <windows.h>

#include <cwchar>

// The SDK's names for what DllMain keeps; code written for the SDK refers to them directly.
HINSTANCE ghInst = nullptr;
void* moduleHandle = nullptr;
#define VST_MAX_PATH 2048
/** The module's folder, ending in a backslash. */
Steinberg::tchar gPath[VST_MAX_PATH] = {0};

namespace
{

int useCount = 0;

} // namespace

void* Steinberg::getPlatformModuleHandle ()
{
	return moduleHandle;
}

extern "C"
{

	SMTG_EXPORT_SYMBOL bool InitDll ()
	{
		if (++useCount == 1)
			return InitModule ();
		return true;
	}

	SMTG_EXPORT_SYMBOL bool ExitDll ()
	{
		if (--useCount == 0)
			return DeinitModule ();
		// An ExitDll without its InitDll.
		if (useCount < 0)
			return false;
		return true;
	}

} // extern "C"

BOOL WINAPI DllMain (HINSTANCE instance, DWORD reason, LPVOID /*reserved*/)
{
	if (reason == DLL_PROCESS_ATTACH)
	{
		ghInst = instance;
		moduleHandle = instance;
		auto* path = reinterpret_cast<wchar_t*> (gPath);
		if (GetModuleFileNameW (instance, path, VST_MAX_PATH) > 0)
		{
			if (wchar_t* lastSeparator = std::wcsrchr (path, L'\\'))
				lastSeparator[1] = L'\0';
		}
	}
	return TRUE;
}
