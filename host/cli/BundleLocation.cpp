#include "host/cli/BundleLocation.h"

#include "host/Utf8Path.h"

#include <cstdlib>
#include <filesystem>

std::string locateBundle (const std::optional<std::string>& bundleOption)
{
	if (bundleOption && !bundleOption->empty ())
		return *bundleOption;
	if (const char* fromEnvironment = std::getenv ("QUORVANE_BUNDLE"); fromEnvironment && *fromEnvironment)
		return fromEnvironment;

	std::error_code error;
#ifdef QUORVANE_BUILD_BUNDLE_DIR
	if (std::filesystem::is_directory (QUORVANE_BUILD_BUNDLE_DIR, error))
		return QUORVANE_BUILD_BUNDLE_DIR;
#endif
#ifdef _WIN32
	// Where VST3 hosts on Windows look: C:\Program Files\Common Files\VST3.
	const char* common = std::getenv ("CommonProgramFiles");
	const std::filesystem::path installed =
	    std::filesystem::path (common && *common ? common : "C:\\Program Files\\Common Files") / "VST3" /
	    "Quorvane.vst3";
#else
	const char* home = std::getenv ("HOME");
	const std::filesystem::path installed =
	    std::filesystem::path (home && *home ? home : ".") / ".vst3" / "Quorvane.vst3";
#endif
	return QuorvaneHost::utf8FromPath (installed);
}

const char* bundleSearchHelp ()
{
#ifdef _WIN32
	return "The bundle is the one given with --bundle PATH (a Quorvane.vst3 folder or the module in it),\n"
	       "else %QUORVANE_BUNDLE%, else the bundle built next to this tool, else\n"
	       "%CommonProgramFiles%\\VST3\\Quorvane.vst3.\n";
#else
	return "The bundle is the one given with --bundle PATH (a Quorvane.vst3 folder or its .so), else\n"
	       "$QUORVANE_BUNDLE, else the bundle built next to this tool, else ~/.vst3/Quorvane.vst3.\n";
#endif
}
