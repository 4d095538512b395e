// The subcommands of the quorvane tool; each takes the arguments after its name and returns the
// process exit status (0 success, 1 failure while running, 2 bad command line).
#pragma once

#include <string>
#include <vector>

int runInfoCommand (const std::vector<std::string>& args);
int runRenderCommand (const std::vector<std::string>& args);
int runDemoCommand (const std::vector<std::string>& args);
int runPresetCommand (const std::vector<std::string>& args);
int runSvgCommand (const std::vector<std::string>& args);
int runViewCommand (const std::vector<std::string>& args);

/** Exit statuses shared by every command. */
enum ExitStatus
{
	kExitOk = 0,
	kExitFailure = 1,
	kExitUsage = 2,
};
