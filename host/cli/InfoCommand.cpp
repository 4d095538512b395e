// `quorvane info [BUNDLE]`: what the module's factory says about itself and its classes.

#include "host/cli/BundleLocation.h"
#include "host/cli/CommandLine.h"
#include "host/cli/Commands.h"

#include "host/FactoryDescription.h"
#include "host/PluginModule.h"

#include <cstdio>
#include <iostream>

namespace
{

const char* infoHelp = "Usage: quorvane info [BUNDLE] [--bundle PATH]\n"
                       "\n"
                       "Loads the module and prints its factory information and class entries.\n";

std::string cardinalityText (Steinberg::int32 cardinality)
{
	return cardinality == Steinberg::PClassInfo::kManyInstances ? "many instances" : std::to_string (cardinality);
}

} // namespace

int runInfoCommand (const std::vector<std::string>& args)
{
	for (const auto& arg : args)
		if (arg == "--help" || arg == "-h")
		{
			std::cout << infoHelp << bundleSearchHelp ();
			return kExitOk;
		}

	CommandLine commandLine;
	std::string error;
	if (!commandLine.parse (args, {{"bundle", true}}, error) || commandLine.positionals ().size () > 1)
	{
		std::cerr << "quorvane info: " << (error.empty () ? "too many arguments" : error) << "\n" << infoHelp;
		return kExitUsage;
	}
	std::optional<std::string> bundleOption = commandLine.value ("bundle");
	if (!commandLine.positionals ().empty ())
		bundleOption = commandLine.positionals ().front ();
	const std::string bundle = locateBundle (bundleOption);

	auto module = QuorvaneHost::PluginModule::load (bundle, error);
	if (!module)
	{
		std::cerr << "quorvane info: " << error << "\n";
		return kExitFailure;
	}
	QuorvaneHost::FactoryDescription description;
	if (!QuorvaneHost::describeFactory (module->factory (), description))
	{
		std::cerr << "quorvane info: the module gives no factory information\n";
		return kExitFailure;
	}

	std::cout << "Module:   " << module->modulePath () << "\n"
	          << "Vendor:   " << description.vendor << "\n"
	          << "URL:      " << description.url << "\n"
	          << "E-mail:   " << description.email << "\n"
	          << "Flags:    " << description.flags << "\n"
	          << "Classes:  " << description.classes.size () << "\n";
	int index = 0;
	for (const auto& entry : description.classes)
	{
		std::cout << "\n[" << index++ << "] " << entry.name << "\n"
		          << "  Class ID:       " << QuorvaneHost::cidToString (entry.cid) << "\n"
		          << "  Category:       " << entry.category << "\n"
		          << "  Cardinality:    " << cardinalityText (entry.cardinality) << "\n";
		if (entry.hasInfo2)
		{
			std::cout << "  Sub-categories: " << entry.subCategories << "\n"
			          << "  Class flags:    " << entry.classFlags << "\n"
			          << "  Vendor:         " << (entry.vendor.empty () ? "(factory's)" : entry.vendor) << "\n"
			          << "  Version:        " << entry.version << "\n"
			          << "  SDK version:    " << entry.sdkVersion << "\n";
		}
	}
	return kExitOk;
}
