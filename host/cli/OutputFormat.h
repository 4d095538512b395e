// The libsndfile format `quorvane render` writes, chosen by the output file's extension: float samples
// where the container holds them, otherwise the input's own bit depth.
#pragma once

#include <optional>
#include <string>

/** The extensions `outputFormatFor` accepts, for messages and help. */
const char* writableExtensions ();

/** The SF_FORMAT_* major | subtype for `outputPath` given the input's format (SF_INFO::format), or nothing
    when the extension names no format the tool writes (none, unknown, or one libsndfile cannot encode). */
std::optional<int> outputFormatFor (const std::string& outputPath, int inputFormat, bool use64Bit);
