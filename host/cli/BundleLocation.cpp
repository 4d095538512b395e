#include "host/cli/BundleLocation.h"

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
	const char* home = std::getenv ("HOME");
	const std::filesystem::path installed =
	    std::filesystem::path (home && *home ? home : ".") / ".vst3" / "Quorvane.vst3";
	return installed.string ();
}

const char* bundleSearchHelp ()
{
	return "The bundle is the one given with --bundle PATH (a Quorvane.vst3 folder or its .so), else\n"
	       "$QUORVANE_BUNDLE, else the bundle built next to this tool, else ~/.vst3/Quorvane.vst3.\n";
}
