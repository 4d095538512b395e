// Which Quorvane bundle the tool loads: the one named on the command line, else $QUORVANE_BUNDLE,
// else the bundle of the build the tool came from, else the installed one (~/.vst3/Quorvane.vst3, or on
// Windows C:\Program Files\Common Files\VST3\Quorvane.vst3).
#pragma once

#include <optional>
#include <string>

/** The bundle to load, given the value of a --bundle option if there was one. When nothing is found,
    the installed location is returned, so that the error names where the bundle was expected. */
std::string locateBundle (const std::optional<std::string>& bundleOption);

/** The help text's description of the search order. */
const char* bundleSearchHelp ();
