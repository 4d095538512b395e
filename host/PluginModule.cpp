#include "host/PluginModule.h"

#include "host/BundlePath.h"

#include <dlfcn.h>
#include <filesystem>

namespace QuorvaneHost
{

namespace
{

using ModuleEntryFunc = bool (*) (void*);
using ModuleExitFunc = bool (*) ();

} // namespace

std::shared_ptr<PluginModule> PluginModule::load (const std::string& bundleOrModulePath, std::string& error)
{
	const std::string modulePath = modulePathForBundle (bundleOrModulePath);
	std::error_code fsError;
	if (!std::filesystem::exists (modulePath, fsError))
	{
		error = "no VST3 module at '" + modulePath + "'";
		return nullptr;
	}

	std::shared_ptr<PluginModule> module (new PluginModule);
	module->path = modulePath;
	// RTLD_LOCAL keeps the module's symbols out of the process's namespace, as hosts do, so two modules
	// built from the same SDK never bind to each other's copies.
	module->libraryHandle = dlopen (modulePath.c_str (), RTLD_NOW | RTLD_LOCAL);
	if (!module->libraryHandle)
	{
		const char* reason = dlerror ();
		error = "cannot load '" + modulePath + "': " + (reason ? reason : "unknown error");
		return nullptr;
	}

	auto entry = reinterpret_cast<ModuleEntryFunc> (module->symbol ("ModuleEntry"));
	if (!entry)
	{
		error = "'" + modulePath + "' is not a VST3 module: it exports no ModuleEntry";
		return nullptr;
	}
	if (!module->symbol ("GetPluginFactory"))
	{
		error = "'" + modulePath + "' is not a VST3 module: it exports no GetPluginFactory";
		return nullptr;
	}
	if (!entry (module->libraryHandle))
	{
		error = "the module '" + modulePath + "' refused to initialise (ModuleEntry failed)";
		return nullptr;
	}
	module->entered = true;
	return module;
}

PluginModule::~PluginModule ()
{
	// The factory belongs to the module's code: it must go before the module is left and unmapped.
	pluginFactory = nullptr;
	if (entered)
	{
		if (auto exitFunc = reinterpret_cast<ModuleExitFunc> (symbol ("ModuleExit")))
			exitFunc ();
	}
	if (libraryHandle)
		dlclose (libraryHandle);
}

Steinberg::IPluginFactory* PluginModule::factory ()
{
	if (!pluginFactory)
	{
		if (auto getFactory = reinterpret_cast<GetFactoryProc> (symbol ("GetPluginFactory")))
			pluginFactory = Steinberg::owned (getFactory ());
	}
	return pluginFactory;
}

void PluginModule::releaseFactory ()
{
	pluginFactory = nullptr;
}

void* PluginModule::symbol (const char* name) const
{
	return libraryHandle ? dlsym (libraryHandle, name) : nullptr;
}

} // namespace QuorvaneHost
