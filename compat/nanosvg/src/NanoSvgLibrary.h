// The parser's entry points as the nanosvg library compiles them. A program reaches them through the NanoSVG
// functions that nanosvg.h defines in the one source that asks for its implementation.
#pragma once

struct NSVGimage;
struct NSVGpath;

#ifdef __cplusplus
extern "C"
{
#endif

	NSVGimage* nsvgLibraryParseFromFile (const char* filename, const char* units, float dpi);
	NSVGimage* nsvgLibraryParse (char* input, const char* units, float dpi);
	NSVGpath* nsvgLibraryDuplicatePath (NSVGpath* p);
	void nsvgLibraryDelete (NSVGimage* image);

#ifdef __cplusplus
}
#endif
