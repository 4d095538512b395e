#include "host/PluginModule.h"

#include "host/BundlePath.h"
#include "host/ModuleLibrary.h"
#include "host/Utf8Path.h"

#include <filesystem>

namespace QuorvaneHost
{

std::shared_ptr<PluginModule> PluginModule::load (const std::string& bundleOrModulePath, std::string& error)
{
	const std::string modulePath = modulePathForBundle (bundleOrModulePath);
	std::error_code fsError;
	if (!std::filesystem::exists (pathFromUtf8 (modulePath), fsError))
	{
		error = "no VST3 module at '" + modulePath + "'";
		return nullptr;
	}

	std::shared_ptr<PluginModule> module (new PluginModule);
	module->path = modulePath;
	std::string reason;
	module->libraryHandle = openModuleLibrary (modulePath, reason);
	if (!module->libraryHandle)
	{
		error = "cannot load '" + modulePath + "': " + reason;
		return nullptr;
	}

	const std::string entryName = moduleEntryName ();
	if (!module->symbol (entryName.c_str ()))
	{
		error = "'" + modulePath + "' is not a VST3 module: it exports no " + entryName;
		return nullptr;
	}
	if (!module->symbol ("GetPluginFactory"))
	{
		error = "'" + modulePath + "' is not a VST3 module: it exports no GetPluginFactory";
		return nullptr;
	}
	if (!enterModuleLibrary (module->libraryHandle))
	{
		error = "the module '" + modulePath + "' refused to initialise (" + entryName + " failed)";
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
		leaveModuleLibrary (libraryHandle);
	if (libraryHandle)
		closeModuleLibrary (libraryHandle);
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
	return moduleLibrarySymbol (libraryHandle, name);
}

} // namespace QuorvaneHost
