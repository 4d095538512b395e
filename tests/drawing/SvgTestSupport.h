// Parsing helpers for the SVG parser tests: documents from string literals, owned results, point access.
#pragma once

#include "nanosvg.h"

#include <memory>
#include <string>
#include <vector>

namespace svgtest
{

struct ImageDeleter
{
	void operator() (NSVGimage* image) const { nsvgDelete (image); }
};
using ImagePtr = std::unique_ptr<NSVGimage, ImageDeleter>;

// Parses a copy of `text`: the parser writes into its buffer.
inline ImagePtr parse (const std::string& text, const char* units = "px", float dpi = 96.f)
{
	std::vector<char> buffer (text.begin (), text.end ());
	buffer.push_back ('\0');
	return ImagePtr (nsvgParse (buffer.data (), units, dpi));
}

// A 100 × 100 pixel document without view box, so user units are image units.
inline ImagePtr parseBody (const std::string& body)
{
	return parse ("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100\" height=\"100\">" + body + "</svg>");
}

inline int countShapes (const NSVGimage* image)
{
	int n = 0;
	for (const NSVGshape* s = image->shapes; s; s = s->next)
		++n;
	return n;
}

inline int countPaths (const NSVGshape* shape)
{
	int n = 0;
	for (const NSVGpath* p = shape->paths; p; p = p->next)
		++n;
	return n;
}

struct Point
{
	float x, y;
};

inline Point point (const NSVGpath* path, int i)
{
	return {path->pts[2 * i], path->pts[2 * i + 1]};
}

// Applies a gradient's xform (image units to gradient space).
inline Point toGradient (const NSVGgradient* g, float x, float y)
{
	return {g->xform[0] * x + g->xform[2] * y + g->xform[4], g->xform[1] * x + g->xform[3] * y + g->xform[5]};
}

} // namespace svgtest

#define EXPECT_POINT(path, i, ex, ey)                                                                                  \
	do                                                                                                                 \
	{                                                                                                                  \
		const auto p_ = svgtest::point ((path), (i));                                                                  \
		EXPECT_NEAR (p_.x, (ex), 1e-4f) << "x of point " << (i);                                                       \
		EXPECT_NEAR (p_.y, (ey), 1e-4f) << "y of point " << (i);                                                       \
	} while (false)
