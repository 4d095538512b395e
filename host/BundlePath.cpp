#include "host/BundlePath.h"

#include "host/Utf8Path.h"

#include <filesystem>

namespace QuorvaneHost
{

const char* bundleArchitecture ()
{
#if defined(_WIN32) && defined(__x86_64__)
	return "x86_64-win";
#elif defined(_WIN32)
	return "x86-win";
#elif defined(__x86_64__)
	return "x86_64-linux";
#elif defined(__aarch64__)
	return "aarch64-linux";
#elif defined(__i386__)
	return "i386-linux";
#else
	return "unknown-linux";
#endif
}

const char* moduleFileExtension ()
{
#if defined(_WIN32)
	// A Windows bundle's DLL keeps the bundle's own name.
	return ".vst3";
#else
	return ".so";
#endif
}

std::string modulePathForBundle (const std::string& path)
{
	namespace fs = std::filesystem;
	std::error_code error;
	fs::path bundle = pathFromUtf8 (path);
	// "Quorvane.vst3/" names the same bundle as "Quorvane.vst3".
	if (!bundle.has_filename ())
		bundle = bundle.parent_path ();
	// A missing "X.vst3" is still taken as a bundle, so that an error names the module file looked for. An
	// existing file is the module itself: on Windows the DLL is named "X.vst3" too.
	if (fs::is_regular_file (bundle, error) || (!fs::is_directory (bundle, error) && bundle.extension () != ".vst3"))
		return path;
	return utf8FromPath (bundle / "Contents" / bundleArchitecture () / (bundle.stem () += moduleFileExtension ()));
}

} // namespace QuorvaneHost
