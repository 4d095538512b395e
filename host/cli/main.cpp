// The quorvane tool: loads the Quorvane VST3 module the way a host does and renders audio through it.

#include "host/cli/Commands.h"

#include "plugin/version.h"

#include <cstring>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace
{

using Command = int (*) (const std::vector<std::string>&);

const std::map<std::string, Command>& commands ()
{
	static const std::map<std::string, Command> table{
	    {"info", runInfoCommand},     {"render", runRenderCommand}, {"demo", runDemoCommand},
	    {"preset", runPresetCommand}, {"svg", runSvgCommand},       {"view", runViewCommand},
	};
	return table;
}

void printHelp (std::ostream& out)
{
	out << "Usage: quorvane COMMAND [ARGUMENTS]\n"
	       "\n"
	       "Commands:\n"
	       "  info [BUNDLE]        show the module's factory information, class entries and parameters\n"
	       "  render IN OUT [...]  process an audio file through Quorvane\n"
	       "  preset save FILE     write Quorvane's settings as a .vstpreset for any VST3 host\n"
	       "  demo [DIR]           render a built-in chord pad and a picture of the gain\n"
	       "  svg IN.svg OUT.png   draw an SVG document to a PNG the way the editor draws it\n"
	       "  view [--png OUT.png] open the editor in a window, or save a screenshot of it\n"
	       "\n"
	       "'quorvane help COMMAND' or 'quorvane COMMAND --help' describes a command.\n"
	       "'quorvane --version' prints the version.\n";
}

} // namespace

int main (int argc, char** argv)
{
	std::vector<std::string> args (argv + 1, argv + argc);
	if (args.empty ())
	{
		printHelp (std::cerr);
		return kExitUsage;
	}
	const std::string name = args.front ();
	args.erase (args.begin ());

	if (name == "--help" || name == "-h")
	{
		printHelp (std::cout);
		return kExitOk;
	}
	if (name == "--version")
	{
		std::cout << "quorvane " << QUORVANE_VERSION_STR << "\n";
		return kExitOk;
	}
	if (name == "help")
	{
		if (args.empty ())
		{
			printHelp (std::cout);
			return kExitOk;
		}
		auto it = commands ().find (args.front ());
		if (it == commands ().end ())
		{
			std::cerr << "quorvane: no command '" << args.front () << "'\n";
			return kExitUsage;
		}
		return it->second ({"--help"});
	}

	auto it = commands ().find (name);
	if (it == commands ().end ())
	{
		std::cerr << "quorvane: no command '" << name << "'\n\n";
		printHelp (std::cerr);
		return kExitUsage;
	}
	return it->second (args);
}
