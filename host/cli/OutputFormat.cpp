#include "host/cli/OutputFormat.h"

#include <sndfile.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace
{

std::string lowerCaseExtension (const std::string& path)
{
	std::string extension = std::filesystem::path (path).extension ().string ();
	std::transform (extension.begin (), extension.end (), extension.begin (),
	                [] (unsigned char c) { return static_cast<char> (std::tolower (c)); });
	return extension;
}

// FLAC holds integers of 8, 16 or 24 bits: the input's depth where it is one of those, 24 bits for
// anything deeper or for float input.
int flacSubtype (int inputFormat)
{
	switch (inputFormat & SF_FORMAT_SUBMASK)
	{
		case SF_FORMAT_PCM_S8:
		case SF_FORMAT_PCM_U8: return SF_FORMAT_PCM_S8;
		case SF_FORMAT_PCM_16: return SF_FORMAT_PCM_16;
		default: return SF_FORMAT_PCM_24;
	}
}

} // namespace

const char* writableExtensions ()
{
	return ".wav, .aiff, .aif, .flac, .ogg, .oga";
}

std::optional<int> outputFormatFor (const std::string& outputPath, int inputFormat, bool use64Bit)
{
	const std::string extension = lowerCaseExtension (outputPath);
	const int floatSubtype = use64Bit ? SF_FORMAT_DOUBLE : SF_FORMAT_FLOAT;
	int format = 0;
	if (extension == ".wav")
		format = SF_FORMAT_WAV | floatSubtype;
	else if (extension == ".aiff" || extension == ".aif")
		format = SF_FORMAT_AIFF | floatSubtype;
	else if (extension == ".flac")
		format = SF_FORMAT_FLAC | flacSubtype (inputFormat);
	else if (extension == ".ogg" || extension == ".oga")
		format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
	else
		return std::nullopt;
	return format;
}
