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
	const float dx = x - curX;
	const float dy = y - curY;
	cubicTo (curX + dx / 3.f, curY + dy / 3.f, x - dx / 3.f, y - dy / 3.f, x, y);
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
	if (curX != startX || curY != startY)
		lineTo (startX, startY);
	open.closed = true;
	finish ();
	curX = startX;
	curY = startY;
}

void PathBuilder::arcTo (float rxIn, float ryIn, float rotationDegrees, bool largeArc, bool sweep, float x, float y)
{
	const double x1 = curX, y1 = curY;
	double rx = std::fabs (double (rxIn)), ry = std::fabs (double (ryIn));
	if (x1 == x && y1 == y)
		return; // an arc to its own start draws nothing
	if (rx == 0.0 || ry == 0.0)
	{
		lineTo (x, y);
		return;
	}
	const double pi = 3.14159265358979323846;
	const double phi = double (rotationDegrees) * pi / 180.0;
	const double cosPhi = std::cos (phi), sinPhi = std::sin (phi);

	// Endpoint to centre parametrisation (SVG's implementation notes, F.6.5).
	const double hx = (x1 - x) / 2.0, hy = (y1 - y) / 2.0;
	const double x1p = cosPhi * hx + sinPhi * hy;
	const double y1p = -sinPhi * hx + cosPhi * hy;
	const double lambda = (x1p * x1p) / (rx * rx) + (y1p * y1p) / (ry * ry);
	if (lambda > 1.0)
	{
		const double grow = std::sqrt (lambda);
		rx *= grow;
		ry *= grow;
	}
	const double num = rx * rx * ry * ry - rx * rx * y1p * y1p - ry * ry * x1p * x1p;
	const double den = rx * rx * y1p * y1p + ry * ry * x1p * x1p;
	double factor = (den > 0.0 && num > 0.0) ? std::sqrt (num / den) : 0.0;
	if (largeArc == sweep)
		factor = -factor;
	const double cxp = factor * rx * y1p / ry;
	const double cyp = -factor * ry * x1p / rx;
	const double cx = cosPhi * cxp - sinPhi * cyp + (x1 + x) / 2.0;
	const double cy = sinPhi * cxp + cosPhi * cyp + (y1 + y) / 2.0;

	auto angle = [] (double ux, double uy, double vx, double vy)
	{ return std::atan2 (ux * vy - uy * vx, ux * vx + uy * vy); };
	const double ux = (x1p - cxp) / rx, uy = (y1p - cyp) / ry;
	const double vx = (-x1p - cxp) / rx, vy = (-y1p - cyp) / ry;
	const double theta1 = angle (1.0, 0.0, ux, uy);
	double delta = angle (ux, uy, vx, vy);
	if (!sweep && delta > 0.0)
		delta -= 2.0 * pi;
	else if (sweep && delta < 0.0)
		delta += 2.0 * pi;
	if (!std::isfinite (cx) || !std::isfinite (cy) || !std::isfinite (delta))
	{
		lineTo (x, y);
		return;
	}

	// At most a quarter turn per cubic keeps the approximation error far below a pixel.
	const int segments = std::max (1, int (std::ceil (std::fabs (delta) / (pi / 2.0) - 1e-6)));
	const double step = delta / segments;
	const double kappa = 4.0 / 3.0 * std::tan (step / 4.0);
	auto point = [&] (double t, double& px, double& py, double& tx, double& ty)
	{
		const double ct = std::cos (t), st = std::sin (t);
		px = cx + rx * ct * cosPhi - ry * st * sinPhi;
		py = cy + rx * ct * sinPhi + ry * st * cosPhi;
		tx = -rx * st * cosPhi - ry * ct * sinPhi; // derivative
		ty = -rx * st * sinPhi + ry * ct * cosPhi;
	};
	double t = theta1;
	double px, py, tx, ty;
	point (t, px, py, tx, ty);
	for (int i = 0; i < segments; ++i)
	{
		const double t2 = t + step;
		double qx, qy, sx, sy;
		point (t2, qx, qy, sx, sy);
		const bool last = i == segments - 1;
		cubicTo (float (px + kappa * tx), float (py + kappa * ty), float (qx - kappa * sx), float (qy - kappa * sy),
		         last ? x : float (qx), last ? y : float (qy));
		t = t2;
		px = qx;
		py = qy;
		tx = sx;
		ty = sy;
	}
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
