// Stand-in for the VST3 SDK's module initialisers (see compat/vst3sdk/README.md): code that must run
// when the host first enters the module (ModuleEntry / InitDll) and when it last leaves it.
#pragma once

#include "pluginterfaces/base/ftypes.h"

#include <functional>

namespace Steinberg {

using ModuleInitFunction = std::function<void ()>;
using ModuleInitPriority = uint32;
static constexpr ModuleInitPriority DefaultModulePriority = 100;

/** Registers, from a static object, a function that the first module entry calls; lower priorities run first. */
struct ModuleInitializer
{
	explicit ModuleInitializer (ModuleInitFunction&& func, ModuleInitPriority prio = DefaultModulePriority);
};

/** Registers, from a static object, a function that the last module exit calls; lower priorities run first. */
struct ModuleTerminator
{
	explicit ModuleTerminator (ModuleInitFunction&& func, ModuleInitPriority prio = DefaultModulePriority);
};

/** The handle the host loaded the module with (null before the first entry). */
void* getPlatformModuleHandle ();

} // namespace Steinberg

/** Called by the module entry on first entry and last exit; they run the registered functions. */
bool InitModule ();
bool DeinitModule ();
