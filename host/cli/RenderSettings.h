// The effect settings and transport of one render, in the units a user types, and their conversion to
// the normalized parameter values the host sends to the processor.
#pragma once

#include "host/cli/CommandLine.h"

#include <string>
#include <vector>

struct RenderSettings
{
	double tempo{120.0};      // quarter notes per minute
	int noteSyncIndex{4};     // index into noteSyncNames: "1/4"
	double mixPercent{100.0}; // 0..100
	double duration{0.5};     // fraction of the cycle, 0..1
	double offset{0.0};       // cycles, -1..1
	bool bypass{false};
	double startPosition{0.0}; // quarter notes
	bool stopped{false};
	int blockSize{512};
	bool use64Bit{false};
};

/** The Note Sync entries, longest first: "4/1" ... "1/64". */
const std::vector<std::string>& noteSyncNames ();

/** The options shared by the commands that render. */
std::vector<CommandLine::Option> renderOptions ();
/** Their help lines. */
const char* renderOptionsHelp ();

/** Reads the render options; false with a message for a value out of range or not a number. */
bool readRenderSettings (const CommandLine& commandLine, RenderSettings& settings, std::string& error);

/** One normalized parameter value to send. */
struct ParameterValue
{
	unsigned id;
	double normalized;
};

/** All five parameters, normalized as the processor expects them. */
std::vector<ParameterValue> normalizedParameters (const RenderSettings& settings);
