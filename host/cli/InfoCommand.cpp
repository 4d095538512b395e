// `quorvane info [BUNDLE]`: what the module's factory says about itself and its classes, and the
// parameters its edit controller declares, with the texts a host shows for them.

#include "host/cli/BundleLocation.h"
#include "host/cli/CommandLine.h"
#include "host/cli/Commands.h"

#include "host/FactoryDescription.h"
#include "host/PluginInstance.h"
#include "host/PluginModule.h"

#include <cstdio>
#include <iostream>
#include <iterator>

namespace
{

const char* infoHelp = "Usage: quorvane info [BUNDLE] [--bundle PATH]\n"
                       "\n"
                       "Loads the module and prints its factory information and class entries, then creates the\n"
                       "audio effect with its edit controller and lists every parameter: identifier, title, short\n"
                       "title, units, step count, default, flags, and its text at 0, 0.25, 0.5, 0.75 and 1 (the\n"
                       "normalized values hosts send). The texts are what 'render --set TITLE=TEXT' accepts.\n";

std::string cardinalityText (Steinberg::int32 cardinality)
{
	return cardinality == Steinberg::PClassInfo::kManyInstances ? "many instances" : std::to_string (cardinality);
}

std::string orNone (const std::string& text)
{
	return text.empty () ? "(none)" : text;
}

std::string normalizedText (double value)
{
	char text[32];
	std::snprintf (text, sizeof text, "%g", value);
	return text;
}

void printParameters (const QuorvaneHost::PluginInstance& instance)
{
	const auto& parameters = instance.parameters ();
	std::cout << "\nParameters: " << parameters.size () << "\n";
	for (const auto& parameter : parameters)
	{
		auto textAt = [&] (double normalized)
		{
			std::string text;
			if (instance.parameterText (parameter.id, normalized, text) != Steinberg::kResultOk)
				return std::string ("?");
			return text;
		};
		std::cout << "\n"
		          << parameter.id << " " << parameter.title << "\n"
		          << "  Short title:    " << orNone (parameter.shortTitle) << "\n"
		          << "  Units:          " << orNone (parameter.units) << "\n"
		          << "  Step count:     " << parameter.stepCount << (parameter.stepCount == 0 ? " (continuous)" : "")
		          << "\n"
		          << "  Default:        " << normalizedText (parameter.defaultNormalized) << " ("
		          << textAt (parameter.defaultNormalized) << ")\n"
		          << "  Flags:          " << QuorvaneHost::parameterFlagsText (parameter.flags) << "\n"
		          << "  Text at 0, 0.25, 0.5, 0.75, 1: ";
		const double points[] = {0.0, 0.25, 0.5, 0.75, 1.0};
		for (size_t i = 0; i < std::size (points); ++i)
			std::cout << (i ? " | " : "") << textAt (points[i]);
		std::cout << "\n";
	}
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

	auto instance = QuorvaneHost::PluginInstance::createFirstAudioEffect (module, error);
	if (!instance)
	{
		std::cerr << "quorvane info: cannot list the parameters: " << error << "\n";
		return kExitFailure;
	}
	printParameters (*instance);
	return kExitOk;
}
