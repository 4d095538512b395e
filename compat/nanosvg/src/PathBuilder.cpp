#include "PathBuilder.h"

#include "ValueParsing.h"

#include <algorithm>
#include <cmath>

namespace quorvane::svg
{

void PathBuilder::ensureStarted ()
{
	if (open.points.empty ())
	{
		open.points.push_back (curX);
		open.points.push_back (curY);
		startX = curX;
		startY = curY;
	}
}

void PathBuilder::finish ()
{
	if (open.points.size () >= 8)
		done.push_back (std::move (open));
	open = DraftPath{};
}

void PathBuilder::moveTo (float x, float y)
{
	finish ();
	curX = x;
	curY = y;
	ensureStarted ();
}

void PathBuilder::lineTo (float x, float y)
{
	ensureStarted ();
	// A straight segment as a cubic with its control points at the thirds keeps the parametrisation uniform.
	// It starts where the stored path ends, which after an arc is the arc's own last point, not quite the
	// arc's end point that the next command starts from.
	const float px = open.points[open.points.size () - 2];
	const float py = open.points[open.points.size () - 1];
	const float dx = x - px;
	const float dy = y - py;
	cubicTo (px + dx / 3.f, py + dy / 3.f, x - dx / 3.f, y - dy / 3.f, x, y);
}

void PathBuilder::cubicTo (float c1x, float c1y, float c2x, float c2y, float x, float y)
{
	ensureStarted ();
	open.points.insert (open.points.end (), {c1x, c1y, c2x, c2y, x, y});
	curX = x;
	curY = y;
}

void PathBuilder::quadTo (float cx, float cy, float x, float y)
{
	const float x0 = curX, y0 = curY;
	cubicTo (x0 + 2.f / 3.f * (cx - x0), y0 + 2.f / 3.f * (cy - y0), x + 2.f / 3.f * (cx - x), y + 2.f / 3.f * (cy - y),
	         x, y);
}

void PathBuilder::closePath ()
{
	if (open.points.empty ())
		return;
	// As in NanoSVG, a subpath with a segment always gets one back to its start, even when it is already
	// there (a segment of no length then): the point count is NanoSVG's.
	if (open.points.size () >= 8)
	{
		lineTo (startX, startY);
		open.closed = true;
	}
	finish ();
	curX = startX;
	curY = startY;
}

// Single precision step by step as NanoSVG computes it, so that an arc of a whole number of quarter turns
// falls on the same side of the segment count rule and every point comes out as NanoSVG's.
void PathBuilder::arcTo (float rxIn, float ryIn, float rotationDegrees, bool largeArc, bool sweep, float x, float y)
{
	constexpr float pi = 3.14159265358979323846f;
	auto square = [] (float v) { return v * v; };
	// The signed angle from u to v.
	auto angle = [] (float ux, float uy, float vx, float vy)
	{
		const float r = std::clamp (
		    (ux * vx + uy * vy) / (std::sqrt (ux * ux + uy * uy) * std::sqrt (vx * vx + vy * vy)), -1.f, 1.f);
		return (ux * vy < uy * vx ? -1.f : 1.f) * std::acos (r);
	};

	float rx = std::fabs (rxIn), ry = std::fabs (ryIn);
	const float rotation = rotationDegrees / 180.f * pi;
	const float x1 = curX, y1 = curY;
	const float dx = x1 - x, dy = y1 - y;
	if (std::sqrt (dx * dx + dy * dy) < 1e-6f || rx < 1e-6f || ry < 1e-6f)
	{
		lineTo (x, y); // also an arc to its own start: a segment of no length
		return;
	}
	const float sinR = std::sin (rotation), cosR = std::cos (rotation);

	// Endpoint to centre parametrisation (SVG's implementation notes, F.6.5).
	const float x1p = cosR * dx / 2.f + sinR * dy / 2.f;
	const float y1p = -sinR * dx / 2.f + cosR * dy / 2.f;
	const float lambda = square (x1p) / square (rx) + square (y1p) / square (ry);
	if (lambda > 1.f)
	{
		const float grow = std::sqrt (lambda);
		rx *= grow;
		ry *= grow;
	}
	float num = square (rx) * square (ry) - square (rx) * square (y1p) - square (ry) * square (x1p);
	const float den = square (rx) * square (y1p) + square (ry) * square (x1p);
	if (num < 0.f)
		num = 0.f;
	float factor = den > 0.f ? std::sqrt (num / den) : 0.f;
	if (largeArc == sweep)
		factor = -factor;
	const float cxp = factor * rx * y1p / ry;
	const float cyp = factor * -ry * x1p / rx;
	const float cx = (x1 + x) / 2.f + cosR * cxp - sinR * cyp;
	const float cy = (y1 + y) / 2.f + sinR * cxp + cosR * cyp;

	const float ux = (x1p - cxp) / rx, uy = (y1p - cyp) / ry;
	const float vx = (-x1p - cxp) / rx, vy = (-y1p - cyp) / ry;
	const float theta1 = angle (1.f, 0.f, ux, uy);
	float delta = angle (ux, uy, vx, vy);
	if (!sweep && delta > 0.f)
		delta -= 2.f * pi;
	else if (sweep && delta < 0.f)
		delta += 2.f * pi;
	if (!std::isfinite (cx) || !std::isfinite (cy) || !std::isfinite (theta1) || !std::isfinite (delta))
	{
		lineTo (x, y);
		return;
	}

	// NanoSVG's count: one segment more than the whole quarter turns, so a half turn takes three and a
	// three-quarter turn four, each at most a quarter turn.
	const int segments = int (std::fabs (delta) / (pi * 0.5f) + 1.f);
	float half = delta / float (segments) / 2.f;
	// Tiny steps would divide by a sine of almost nothing; NanoSVG halves the angle instead.
	if (half < 1e-3f && half > -1e-3f)
		half *= 0.5f;
	else
		half = (1.f - std::cos (half)) / std::sin (half);
	float kappa = std::fabs (4.f / 3.f * half);
	if (delta < 0.f)
		kappa = -kappa;

	float px = 0.f, py = 0.f, ptx = 0.f, pty = 0.f;
	for (int i = 0; i <= segments; ++i)
	{
		const float a = theta1 + delta * (float (i) / float (segments));
		const float ca = std::cos (a), sa = std::sin (a);
		const float ex = ca * rx, ey = sa * ry;
		const float qx = ex * cosR + ey * -sinR + cx;
		const float qy = ex * sinR + ey * cosR + cy;
		const float tx0 = -sa * rx * kappa, ty0 = ca * ry * kappa;
		const float tx = tx0 * cosR + ty0 * -sinR;
		const float ty = tx0 * sinR + ty0 * cosR;
		if (i > 0)
			cubicTo (px + ptx, py + pty, qx - tx, qy - ty, qx, qy);
		px = qx;
		py = qy;
		ptx = tx;
		pty = ty;
	}
	// The next command starts from the end point as written, wherever the last computed point landed.
	curX = x;
	curY = y;
}

namespace
{

bool isSpace (char c)
{
	return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isCommand (char c)
{
	switch (c)
	{
	case 'M':
	case 'm':
	case 'L':
	case 'l':
	case 'H':
	case 'h':
	case 'V':
	case 'v':
	case 'C':
	case 'c':
	case 'S':
	case 's':
	case 'Q':
	case 'q':
	case 'T':
	case 't':
	case 'A':
	case 'a':
	case 'Z':
	case 'z':
		return true;
	default:
		return false;
	}
}

int argumentCount (char command)
{
	switch (command | 0x20)
	{
	case 'm':
	case 'l':
	case 't':
		return 2;
	case 'h':
	case 'v':
		return 1;
	case 'c':
		return 6;
	case 's':
	case 'q':
		return 4;
	case 'a':
		return 7;
	default:
		return 0;
	}
}

// Arc flags are single digits that may run together with what follows ("a1 1 0 00 1 1").
bool readFlag (std::string_view text, size_t& pos, float& out)
{
	skipSeparators (text, pos);
	if (pos < text.size () && (text[pos] == '0' || text[pos] == '1'))
	{
		out = text[pos] == '1' ? 1.f : 0.f;
		++pos;
		return true;
	}
	return false;
}

} // namespace

void parsePathData (std::string_view data, PathBuilder& builder)
{
	size_t pos = 0;
	const size_t n = data.size ();
	char command = 0;
	char previous = 0;
	float lastControlX = 0.f, lastControlY = 0.f; // second control point of the last cubic or quadratic
	bool firstOfCommand = true;
	while (true)
	{
		while (pos < n && (isSpace (data[pos]) || data[pos] == ','))
			++pos;
		if (pos >= n)
			break;
		if (isCommand (data[pos]))
		{
			command = data[pos++];
			firstOfCommand = true;
		}
		else if (command == 0 || command == 'z' || command == 'Z')
			break; // numbers without a command, or after a close, are an error
		if (command == 'z' || command == 'Z')
		{
			builder.closePath ();
			previous = command;
			continue;
		}

		float args[7];
		const int count = argumentCount (command);
		const char kind = char (command | 0x20);
		bool complete = true;
		for (int i = 0; i < count; ++i)
		{
			if (kind == 'a' && (i == 3 || i == 4))
			{
				if (!readFlag (data, pos, args[i]))
				{
					complete = false;
					break;
				}
				continue;
			}
			const auto value = readNumber (data, pos);
			if (!value)
			{
				complete = false;
				break;
			}
			args[i] = *value;
		}
		if (!complete)
			break;

		const bool relative = command >= 'a';
		const float ox = relative ? builder.currentX () : 0.f;
		const float oy = relative ? builder.currentY () : 0.f;
		const char previousKind = char (previous | 0x20);
		switch (kind)
		{
		case 'm':
			if (firstOfCommand)
				builder.moveTo (args[0] + ox, args[1] + oy);
			else
				builder.lineTo (args[0] + ox, args[1] + oy); // further pairs after a move are lines
			break;
		case 'l':
			builder.lineTo (args[0] + ox, args[1] + oy);
			break;
		case 'h':
			builder.lineTo (args[0] + ox, builder.currentY ());
			break;
		case 'v':
			builder.lineTo (builder.currentX (), args[0] + oy);
			break;
		case 'c':
			builder.cubicTo (args[0] + ox, args[1] + oy, args[2] + ox, args[3] + oy, args[4] + ox, args[5] + oy);
			lastControlX = args[2] + ox;
			lastControlY = args[3] + oy;
			break;
		case 's':
		{
			float c1x = builder.currentX (), c1y = builder.currentY ();
			if (previousKind == 'c' || previousKind == 's')
			{
				c1x = 2.f * builder.currentX () - lastControlX;
				c1y = 2.f * builder.currentY () - lastControlY;
			}
			builder.cubicTo (c1x, c1y, args[0] + ox, args[1] + oy, args[2] + ox, args[3] + oy);
			lastControlX = args[0] + ox;
			lastControlY = args[1] + oy;
			break;
		}
		case 'q':
			builder.quadTo (args[0] + ox, args[1] + oy, args[2] + ox, args[3] + oy);
			lastControlX = args[0] + ox;
			lastControlY = args[1] + oy;
			break;
		case 't':
		{
			float cx = builder.currentX (), cy = builder.currentY ();
			if (previousKind == 'q' || previousKind == 't')
			{
				cx = 2.f * builder.currentX () - lastControlX;
				cy = 2.f * builder.currentY () - lastControlY;
			}
			builder.quadTo (cx, cy, args[0] + ox, args[1] + oy);
			lastControlX = cx;
			lastControlY = cy;
			break;
		}
		case 'a':
			builder.arcTo (args[0], args[1], args[2], args[3] != 0.f, args[4] != 0.f, args[5] + ox, args[6] + oy);
			break;
		default:
			break;
		}
		previous = command;
		firstOfCommand = false;
	}
	builder.finish ();
}

} // namespace quorvane::svg
