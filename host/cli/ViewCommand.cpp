// `quorvane view [--png OUT.png] [--size WxH] [--scale S]`: opens the module's editor the way a host on this
// platform does, embedded in a window of its own; with --png it lets the editor settle, saves a screenshot and quits,
// otherwise it keeps the window open and prints the edits the host receives until the window is closed.

#include "host/cli/BundleLocation.h"
#include "host/cli/CommandLine.h"
#include "host/cli/Commands.h"
#include "host/cli/ParameterSetting.h"
#ifndef _WIN32
#include "host/cli/PrivateXServer.h"
#endif

#include "host/PlugViewHost.h"
#include "host/PluginInstance.h"
#include "host/PluginModule.h"

#include <cstdlib>
#include <iostream>
#include <optional>

namespace
{

const char* viewHelp =
    "Usage: quorvane view [--png OUT.png] [--size WxH] [--scale S] [--set TITLE=TEXT]... [--quirk NAME]...\n"
    "                     [--bundle PATH]\n"
    "\n"
    "Opens Quorvane's editor in a window, embedded the way VST3 hosts embed it (in an X11 window with a host\n"
    "run loop on Linux, in a Win32 window on Windows).\n"
    "  --png OUT.png  wait until the editor has drawn itself, write a screenshot of the window and quit\n"
    "  --size WxH     resize the editor to W x H pixels after it opens, as a user dragging the window would\n"
    "  --scale S      the content scale factor handed to the editor (0.5 to 4); without it none is sent\n"
    "  --set T=TEXT   set a parameter by its title before the editor opens, e.g. --set Mix=50\n"
    "  --quirk NAME   behave like some shipping hosts: 'no-fd-events' (never report the descriptors the\n"
    "                 editor registers; only its timers run; Linux only) or 'repeat-onsize' (call onSize\n"
    "                 twice for a size the editor asked for)\n"
    "Without --png the window stays open and every edit the host receives (beginEdit, performEdit, endEdit,\n"
    "context-menu requests) is printed, until the window is closed.\n"
    "On Linux it needs an X display; without one, --png starts a private Xvfb when it is installed.\n";

int fail (int code, const std::string& message)
{
	std::cerr << "quorvane view: " << message << "\n";
	if (code == kExitUsage)
		std::cerr << viewHelp;
	return code;
}

bool parseSize (const std::string& text, int& width, int& height)
{
	const size_t x = text.find_first_of ("xX");
	double w = 0., h = 0.;
	if (x == std::string::npos || !CommandLine::parseNumber (text.substr (0, x), w) ||
	    !CommandLine::parseNumber (text.substr (x + 1), h))
		return false;
	if (w < 1. || h < 1. || w > 16384. || h > 16384. || w != static_cast<int> (w) || h != static_cast<int> (h))
		return false;
	width = static_cast<int> (w);
	height = static_cast<int> (h);
	return true;
}

void printNewCalls (QuorvaneHost::ComponentHandler& handler, size_t& printed)
{
	const auto calls = handler.calls ();
	for (; printed < calls.size (); ++printed)
		std::cout << QuorvaneHost::describeHandlerCall (calls[printed]) << std::endl;
}

} // namespace

int runViewCommand (const std::vector<std::string>& args)
{
	for (const auto& arg : args)
		if (arg == "--help" || arg == "-h")
		{
			std::cout << viewHelp << bundleSearchHelp ();
			return kExitOk;
		}
	CommandLine commandLine;
	std::string error;
	if (!commandLine.parse (args,
	                        {{"png", true},
	                         {"size", true},
	                         {"scale", true},
	                         {"set", true, true},
	                         {"quirk", true, true},
	                         {"bundle", true}},
	                        error))
		return fail (kExitUsage, error);
	if (!commandLine.positionals ().empty ())
		return fail (kExitUsage, "unexpected argument '" + commandLine.positionals ().front () + "'");

	QuorvaneHost::PlugViewHost::Options options;
	options.title = "Quorvane";
	if (auto sizeText = commandLine.value ("size"))
	{
		int width = 0, height = 0;
		if (!parseSize (*sizeText, width, height))
			return fail (kExitUsage, "--size must be WxH in whole pixels from 1 to 16384, not " + *sizeText);
		options.size = std::make_pair (width, height);
	}
	if (commandLine.has ("scale"))
	{
		double scale = 1.;
		if (!commandLine.number ("scale", 0.5, 4., 1., scale, error))
			return fail (kExitUsage, error);
		options.contentScale = static_cast<float> (scale);
	}
	for (const auto& quirk : commandLine.all ("quirk"))
	{
		if (quirk == "no-fd-events")
			options.deliverDescriptorEvents = false;
		else if (quirk == "repeat-onsize")
			options.repeatOnSize = true;
		else
			return fail (kExitUsage, "no quirk '" + quirk + "' (known: no-fd-events, repeat-onsize)");
	}
	std::vector<ParameterSetting> settings;
	for (const auto& argument : commandLine.all ("set"))
	{
		ParameterSetting setting;
		if (!parseParameterSetting (argument, setting, error))
			return fail (kExitUsage, error);
		settings.push_back (setting);
	}
	const auto png = commandLine.value ("png");

#ifndef _WIN32
	std::unique_ptr<PrivateXServer> privateServer;
	if (!displayReachable ())
	{
		const char* display = std::getenv ("DISPLAY");
		const std::string why = display && *display ? std::string ("cannot connect to the X display '") + display + "'"
		                                            : std::string ("no X display ($DISPLAY is not set)");
		if (!png)
			return fail (kExitFailure, why + ": the window needs a desktop; use --png OUT.png for a screenshot");
		privateServer = PrivateXServer::start (error);
		if (!privateServer)
			return fail (kExitFailure, why + ", and no private one: " + error);
		setenv ("DISPLAY", privateServer->display ().c_str (), 1);
		std::cerr << "quorvane view: " << why << "; using a private Xvfb on " << privateServer->display () << "\n";
	}
#endif

	auto module = QuorvaneHost::PluginModule::load (locateBundle (commandLine.value ("bundle")), error);
	if (!module)
		return fail (kExitFailure, error);
	auto instance = QuorvaneHost::PluginInstance::createFirstAudioEffect (module, error);
	if (!instance)
		return fail (kExitFailure, error);
	if (!instance->controller ())
		return fail (kExitFailure, "the module's audio effect has no edit controller, so no editor");
	if (!applyParameterSettings (*instance, settings, error))
		return fail (kExitUsage, error);

	Steinberg::IPtr<Steinberg::IPlugView> view =
	    Steinberg::owned (instance->controller ()->createView (Steinberg::Vst::ViewType::kEditor));
	if (!view)
		return fail (kExitFailure, "the module has no editor: its controller's createView(\"editor\") answered null");

	int status = kExitOk;
	{
		auto host = QuorvaneHost::PlugViewHost::open (view, options, error);
		if (!host)
			return fail (kExitFailure, error);
		if (png)
		{
			host->settle ();
			QuorvaneHost::WindowImage image;
			if (!host->screenshot (image, error) || !QuorvaneHost::writePng (image, *png, error))
				status = fail (kExitFailure, error);
			else
				std::cout << "wrote " << *png << " (" << image.width << "x" << image.height << " pixels)\n";
		}
		else
		{
			host->settle ();
			std::cout << "Editor open (" << host->window ().width () << "x" << host->window ().height ()
			          << "); close the window to quit. Edits as the host receives them:" << std::endl;
			size_t printed = instance->componentHandler ()->calls ().size ();
			std::optional<Steinberg::Vst::ParamID> underPointer;
			host->runUntilClosed (
			    [&]
			    {
				    printNewCalls (*instance->componentHandler (), printed);
				    // What a host's status line shows: the parameter under the pointer, asked of the view.
				    const auto pointer = host->window ().pointerPosition ();
				    const auto found = pointer ? host->parameterAt (pointer->first, pointer->second) : std::nullopt;
				    if (found != underPointer)
				    {
					    underPointer = found;
					    const auto* parameter = found ? instance->findParameter (*found) : nullptr;
					    if (parameter)
						    std::cout << "pointer over parameter " << *found << " (" << parameter->title << ")"
						              << std::endl;
					    else
						    std::cout << "pointer over no parameter" << std::endl;
				    }
			    });
		}
	}
	view = nullptr;
	return status;
}
