// `quorvane view` in builds without a window for the editor (the Windows build has no editor yet): says so
// instead of failing to link.

#include "host/cli/Commands.h"

#include <iostream>

int runViewCommand (const std::vector<std::string>&)
{
	std::cerr << "quorvane view: not built: this build of quorvane has no editor window\n";
	return kExitFailure;
}
