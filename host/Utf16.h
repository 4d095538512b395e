// Conversion between the SDK's UTF-16 strings (String128, char16 arrays) and the UTF-8 that users type and read.
#pragma once

#include "pluginterfaces/base/ftypes.h"

#include <string>

namespace QuorvaneHost
{

/** Converts a NUL-terminated UTF-16 string of at most maxUnits units; unpaired surrogates become U+FFFD. */
std::string utf16ToUtf8 (const Steinberg::char16* text, size_t maxUnits);

/** Converts UTF-8 to UTF-16 (without a terminating NUL); malformed or overlong sequences become U+FFFD, so
    text from a command line can never smuggle a NUL or a lone surrogate into a plug-in. */
std::u16string utf8ToUtf16 (const std::string& text);

} // namespace QuorvaneHost
