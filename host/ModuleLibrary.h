// How a host on this platform opens a VST3 module's shared library, finds its exports, enters and leaves it,
// and closes it: dlopen and ModuleEntry/ModuleExit on Linux, LoadLibraryW and InitDll/ExitDll on Windows.
#pragma once

#include <string>

namespace QuorvaneHost
{

/** Opens the module file at `path` (UTF-8), its symbols kept to itself; null with `error` set on failure. */
void* openModuleLibrary (const std::string& path, std::string& error);
/** An exported symbol of an open library, or null. */
void* moduleLibrarySymbol (void* library, const char* name);
void closeModuleLibrary (void* library);

/** The export the platform's hosts enter a module through ("ModuleEntry" or "InitDll"). */
const char* moduleEntryName ();
/** Enters the module through that export; false when it is missing or refuses. */
bool enterModuleLibrary (void* library);
/** Leaves the module through the platform's exit export ("ModuleExit" or "ExitDll"), if it has one. */
void leaveModuleLibrary (void* library);

} // namespace QuorvaneHost
