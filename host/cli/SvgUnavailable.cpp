// `quorvane svg` in builds without the editor: says so instead of failing to link.

#include "host/cli/Commands.h"

#include <iostream>

int runSvgCommand (const std::vector<std::string>&)
{
	std::cerr << "quorvane svg: not built: this build of quorvane has no editor library\n";
	return kExitFailure;
}
