// `quorvane render` and `quorvane demo` in builds without libsndfile (the Windows build: Debian has no
// libsndfile for the mingw-w64 toolchain): they say so instead of failing to link.

#include "host/cli/Commands.h"

#include <iostream>

namespace
{

int notBuilt (const char* command)
{
	std::cerr << "quorvane " << command
	          << ": not built: this build of quorvane has no libsndfile to read and write audio files\n";
	return kExitFailure;
}

} // namespace

int runRenderCommand (const std::vector<std::string>&)
{
	return notBuilt ("render");
}

int runDemoCommand (const std::vector<std::string>&)
{
	return notBuilt ("demo");
}
