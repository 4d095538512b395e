/*
 * Parser for the SVG subset that vector drawing editors save: shapes, paths, transforms, colours and
 * gradients become cubic Bézier outlines with their paints. Same structures, names and conventions as NanoSVG.
 * As with NanoSVG, the program's one source that defines NANOSVG_IMPLEMENTATION before its first inclusion of
 * this header gets the parser's functions; the parsing itself lives in the nanosvg library.
 */
#ifndef NANOSVG_H
#define NANOSVG_H

#ifdef __cplusplus
extern "C"
{
#endif

	enum NSVGpaintType
	{
		NSVG_PAINT_UNDEF = -1,
		NSVG_PAINT_NONE = 0,
		NSVG_PAINT_COLOR = 1,
		NSVG_PAINT_LINEAR_GRADIENT = 2,
		NSVG_PAINT_RADIAL_GRADIENT = 3
	};

	enum NSVGspreadType
	{
		NSVG_SPREAD_PAD = 0,
		NSVG_SPREAD_REFLECT = 1,
		NSVG_SPREAD_REPEAT = 2
	};

	enum NSVGlineJoin
	{
		NSVG_JOIN_MITER = 0,
		NSVG_JOIN_ROUND = 1,
		NSVG_JOIN_BEVEL = 2
	};

	enum NSVGlineCap
	{
		NSVG_CAP_BUTT = 0,
		NSVG_CAP_ROUND = 1,
		NSVG_CAP_SQUARE = 2
	};

	enum NSVGfillRule
	{
		NSVG_FILLRULE_NONZERO = 0,
		NSVG_FILLRULE_EVENODD = 1
	};

	enum NSVGflags
	{
		NSVG_FLAGS_VISIBLE = 0x01
	};

	// One step of the paint order; a shape's paintOrder packs three of them, two bits each, first painted
	// lowest: fill, stroke, markers (the default) is 0 | 2 << 2 | 1 << 4.
	enum NSVGpaintOrder
	{
		NSVG_PAINT_FILL = 0x00,
		NSVG_PAINT_MARKERS = 0x01,
		NSVG_PAINT_STROKE = 0x02
	};

	typedef struct NSVGgradientStop
	{
		unsigned int color; // red in bits 0-7, green 8-15, blue 16-23, alpha 24-31
		float offset;
	} NSVGgradientStop;

	typedef struct NSVGgradient
	{
		// Maps image coordinates into the gradient's own space: a linear gradient runs from (0, 0) to (0, 1),
		// a radial one is centred at (0, 0) with radius 1.
		float xform[6];
		char spread;
		float fx, fy; // the focal point's coordinates divided by the radius (not relative to the centre)
		int nstops;
		NSVGgradientStop stops[1]; // nstops entries follow
	} NSVGgradient;

	typedef struct NSVGpaint
	{
		signed char type; // NSVGpaintType
		union
		{
			unsigned int color;
			NSVGgradient* gradient;
		};
	} NSVGpaint;

	typedef struct NSVGpath
	{
		float* pts;      // x0,y0 then groups of (cp1x,cp1y, cp2x,cp2y, x,y): 1 + 3k points
		int npts;        // number of points
		char closed;     // the subpath ended with a close command
		float bounds[4]; // minx, miny, maxx, maxy of the curve
		struct NSVGpath* next;
	} NSVGpath;

	typedef struct NSVGshape
	{
		char id[64];
		NSVGpaint fill;
		NSVGpaint stroke;
		float opacity; // the element's opacity, kept apart from the paints' alpha
		float strokeWidth;
		float strokeDashOffset;
		float strokeDashArray[8];
		char strokeDashCount;
		char strokeLineJoin;
		char strokeLineCap;
		float miterLimit;
		char fillRule;
		unsigned char paintOrder; // three NSVGpaintOrder steps, two bits each
		unsigned char flags;
		float bounds[4];
		char fillGradient[64];
		char strokeGradient[64];
		float xform[6];
		NSVGpath* paths;
		struct NSVGshape* next;
	} NSVGshape;

	typedef struct NSVGimage
	{
		float width; // in the units asked for
		float height;
		NSVGshape* shapes;
	} NSVGimage;

	// Parses a whole file; null when the file cannot be read or memory runs out.
	NSVGimage* nsvgParseFromFile (const char* filename, const char* units, float dpi);

	// Parses a NUL-terminated document in place: the buffer is altered. units: "px", "pt", "pc", "mm", "cm" or
	// "in" (anything else counts as "px"). Null only when memory runs out; malformed text gives what could be read.
	NSVGimage* nsvgParse (char* input, const char* units, float dpi);

	// Copies one path (and only that one: next is null). Null for a null path or when memory runs out.
	NSVGpath* nsvgDuplicatePath (NSVGpath* p);

	// Frees an image from nsvgParse or nsvgParseFromFile; null is allowed.
	void nsvgDelete (NSVGimage* image);

#ifdef __cplusplus
}
#endif

#ifdef NANOSVG_IMPLEMENTATION
// Inside the include guard, as in NanoSVG: a source that includes this header before it asks for the
// implementation gets nothing more, and a program without a source that asks first does not link.
#include "src/NanoSvgLibrary.h"

#ifdef __cplusplus
extern "C"
{
#endif

	NSVGimage* nsvgParseFromFile (const char* filename, const char* units, float dpi)
	{
		return nsvgLibraryParseFromFile (filename, units, dpi);
	}

	NSVGimage* nsvgParse (char* input, const char* units, float dpi)
	{
		return nsvgLibraryParse (input, units, dpi);
	}

	NSVGpath* nsvgDuplicatePath (NSVGpath* p)
	{
		return nsvgLibraryDuplicatePath (p);
	}

	void nsvgDelete (NSVGimage* image)
	{
		nsvgLibraryDelete (image);
	}

#ifdef __cplusplus
}
#endif
#endif // NANOSVG_IMPLEMENTATION

#endif // NANOSVG_H
