#include "host/ModuleLibrary.h"

#include <dlfcn.h>

namespace QuorvaneHost
{

void* openModuleLibrary (const std::string& path, std::string& error)
{
	// RTLD_LOCAL keeps the module's symbols out of the process's namespace, as hosts do, so two modules
	// built from the same SDK never bind to each other's copies.
	void* library = dlopen (path.c_str (), RTLD_NOW | RTLD_LOCAL);
	if (!library)
	{
		const char* reason = dlerror ();
		error = reason ? reason : "unknown error";
	}
	return library;
}

void* moduleLibrarySymbol (void* library, const char* name)
{
	return library ? dlsym (library, name) : nullptr;
}

void closeModuleLibrary (void* library)
{
	dlclose (library);
}

const char* moduleEntryName ()
{
	return "ModuleEntry";
}

bool enterModuleLibrary (void* library)
{
	// Linux hosts hand the module the handle they loaded it with.
	auto entry = reinterpret_cast<bool (*) (void*)> (moduleLibrarySymbol (library, "ModuleEntry"));
	return entry && entry (library);
}

void leaveModuleLibrary (void* library)
{
	if (auto exitFunc = reinterpret_cast<bool (*) ()> (moduleLibrarySymbol (library, "ModuleExit")))
		exitFunc ();
}

} // namespace QuorvaneHost
