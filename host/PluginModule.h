// A loaded VST3 module: opens the shared library, enters it (ModuleEntry on Linux, InitDll on Windows), hands
// out its class factory, and on destruction leaves it (factory release, ModuleExit or ExitDll, unload) in that
// order.
#pragma once

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/base/smartpointer.h"

#include <memory>
#include <string>

namespace QuorvaneHost
{

class PluginModule
{
public:
	/** Loads a bundle folder or a module file. Returns null and sets `error` to a sentence a user can act on. */
	static std::shared_ptr<PluginModule> load (const std::string& bundleOrModulePath, std::string& error);

	~PluginModule ();
	PluginModule (const PluginModule&) = delete;
	PluginModule& operator= (const PluginModule&) = delete;

	/** The module's factory, asked for on first use; the module keeps one reference until it unloads or
	    releaseFactory is called. Null when the module gives none. */
	Steinberg::IPluginFactory* factory ();
	/** Drops the module's reference to the factory; the next factory() asks the module again. */
	void releaseFactory ();

	/** An exported symbol of the module, or null. */
	void* symbol (const char* name) const;
	/** The handle the platform's loader gave (dlopen's, which ModuleEntry was given; or the HMODULE). */
	void* handle () const { return libraryHandle; }
	const std::string& modulePath () const { return path; }

private:
	PluginModule () = default;

	std::string path;
	void* libraryHandle{nullptr};
	bool entered{false};
	Steinberg::IPtr<Steinberg::IPluginFactory> pluginFactory;
};

} // namespace QuorvaneHost
