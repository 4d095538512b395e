// Stand-in for the VST3 SDK's Linux module entry (see compat/vst3sdk/README.md). Linux hosts call
// ModuleEntry/ModuleExit; InitDll/ExitDll, the Windows names, behave the same and share the use count,
// so the initialisers run on the first entry of either kind and the terminators on the last exit.

#include "public.sdk/source/main/moduleinit.h"
#include "pluginterfaces/base/fplatform.h"

#include <dlfcn.h>

namespace {

int useCount = 0;
void* moduleHandle = nullptr;

bool enter (void* handle)
{
	if (++useCount > 1)
		return true;
	moduleHandle = handle;
	if (!InitModule ())
	{
		--useCount;
		moduleHandle = nullptr;
		return false;
	}
	return true;
}

bool leave ()
{
	if (useCount <= 0)
		return false;
	if (--useCount > 0)
		return true;
	DeinitModule ();
	moduleHandle = nullptr;
	return true;
}

// What a Windows DllMain keeps at process attach: the module's own handle, found from one of its
// addresses. RTLD_NOLOAD takes no new reference beyond the one released right away.
void* ownHandle ()
{
	Dl_info info {};
	if (!dladdr (reinterpret_cast<void*> (&ownHandle), &info) || !info.dli_fname)
		return nullptr;
	void* handle = dlopen (info.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
	if (handle)
		dlclose (handle);
	return handle;
}

} // namespace

void* Steinberg::getPlatformModuleHandle ()
{
	return moduleHandle;
}

extern "C" {

SMTG_EXPORT_SYMBOL bool ModuleEntry (void* sharedLibraryHandle)
{
	return enter (sharedLibraryHandle);
}

SMTG_EXPORT_SYMBOL bool ModuleExit ()
{
	return leave ();
}

SMTG_EXPORT_SYMBOL bool InitDll ()
{
	return enter (ownHandle ());
}

SMTG_EXPORT_SYMBOL bool ExitDll ()
{
	return leave ();
}

} // extern "C"
