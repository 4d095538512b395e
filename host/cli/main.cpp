// The quorvane tool: loads the Quorvane VST3 module the way a host does and renders audio through it.

#include "host/cli/Commands.h"

#include "host/Utf16.h"
#include "plugin/version.h"

#include <cstring>
#include <cwchar>
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

int run (std::vector<std::string> args)
{
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

} // namespace

#ifdef _WIN32
// Windows hands over the command line in UTF-16; the commands take UTF-8, as on every other system.
int wmain (int argc, wchar_t** argv)
{
	std::vector<std::string> args;
	for (int i = 1; i < argc; ++i)
		args.push_back (
		    QuorvaneHost::utf16ToUtf8 (reinterpret_cast<const Steinberg::char16*> (argv[i]), std::wcslen (argv[i])));
	return run (std::move (args));
}
#else
int main (int argc, char** argv)
{
	return run ({argv + 1, argv + argc});
}
#endif
