// Collects subpaths as a start point plus groups of three cubic Bézier points, converting lines, quadratic
// curves and elliptical arcs to cubics; also reads SVG path data into it.
#pragma once

#include <string_view>
#include <vector>

namespace quorvane::svg
{

struct DraftPath
{
	std::vector<float> points; // x, y pairs: 1 + 3k points
	bool closed = false;
};

class PathBuilder
{
public:
	void moveTo (float x, float y);
	void lineTo (float x, float y);
	void cubicTo (float c1x, float c1y, float c2x, float c2y, float x, float y);
	void quadTo (float cx, float cy, float x, float y);
	void arcTo (float rx, float ry, float rotationDegrees, bool largeArc, bool sweep, float x, float y);
	void closePath ();
	// Ends the open subpath; a subpath without any segment is dropped.
	void finish ();

	float currentX () const { return curX; }
	float currentY () const { return curY; }
	std::vector<DraftPath>& paths () { return done; }

private:
	void ensureStarted ();

	std::vector<DraftPath> done;
	DraftPath open;
	float curX = 0.f, curY = 0.f;
	float startX = 0.f, startY = 0.f;
};

// Reads an SVG path's "d" attribute into the builder; reading stops at the first malformed command, keeping
// everything before it, as SVG renderers do.
void parsePathData (std::string_view data, PathBuilder& builder);

} // namespace quorvane::svg
