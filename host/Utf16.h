// Conversion of the SDK's UTF-16 strings (String128, char16 arrays) to UTF-8 for printing and comparing.
#pragma once

#include "pluginterfaces/base/ftypes.h"

#include <string>

namespace QuorvaneHost
{

/** Converts a NUL-terminated UTF-16 string of at most maxUnits units; unpaired surrogates become U+FFFD. */
std::string utf16ToUtf8 (const Steinberg::char16* text, size_t maxUnits);

} // namespace QuorvaneHost
