// The C entry points: every failure inside becomes a null result, never an exception across the C boundary.
#include "SvgParser.h"

#include "NanoSvgLibrary.h"
#include "nanosvg.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

extern "C" NSVGimage* nsvgLibraryParse (char* input, const char* units, float dpi)
{
	if (!input)
		return nullptr;
	try
	{
		quorvane::svg::SvgParser parser (units, dpi);
		quorvane::svg::scanXml (std::string_view (input, std::strlen (input)), parser);
		return parser.takeImage ();
	}
	catch (...)
	{
		return nullptr;
	}
}

extern "C" NSVGimage* nsvgLibraryParseFromFile (const char* filename, const char* units, float dpi)
{
	if (!filename)
		return nullptr;
	std::FILE* file = std::fopen (filename, "rb");
	if (!file)
		return nullptr;
	char* data = nullptr;
	long size = -1;
	if (std::fseek (file, 0, SEEK_END) == 0)
		size = std::ftell (file);
	if (size >= 0 && std::fseek (file, 0, SEEK_SET) == 0)
	{
		data = static_cast<char*> (std::malloc (size_t (size) + 1));
		if (data && std::fread (data, 1, size_t (size), file) != size_t (size))
		{
			std::free (data);
			data = nullptr;
		}
	}
	std::fclose (file);
	if (!data)
		return nullptr;
	data[size] = '\0';
	NSVGimage* image = nsvgLibraryParse (data, units, dpi);
	std::free (data);
	return image;
}

extern "C" NSVGpath* nsvgLibraryDuplicatePath (NSVGpath* p)
{
	if (!p)
		return nullptr;
	auto* copy = static_cast<NSVGpath*> (std::malloc (sizeof (NSVGpath)));
	if (!copy)
		return nullptr;
	*copy = *p;
	copy->next = nullptr;
	copy->pts = static_cast<float*> (std::malloc (size_t (p->npts) * 2 * sizeof (float)));
	if (!copy->pts)
	{
		std::free (copy);
		return nullptr;
	}
	std::memcpy (copy->pts, p->pts, size_t (p->npts) * 2 * sizeof (float));
	return copy;
}
