#include "SvgParser.h"

#include "NanoSvgLibrary.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>
#include <new>

namespace quorvane::svg
{
namespace
{

constexpr float kappa90 = 0.5522847493f; // cubic handle length of a quarter circle of radius 1

float finiteOrZero (float v)
{
	return std::isfinite (v) ? v : 0.f;
}

bool isSpace (char c)
{
	return c != '\0' && std::strchr (" \t\n\v\f\r", c) != nullptr;
}

// The alpha byte truncates (0.7 gives 178, not 179), as NanoSVG's does.
uint32_t withAlpha (uint32_t rgb, float opacity)
{
	const float a = std::clamp (opacity, 0.f, 1.f) * 255.f;
	return (rgb & 0xffffffu) | (uint32_t (a) << 24);
}

std::string_view localName (std::string_view name)
{
	if (name.starts_with ("svg:"))
		name.remove_prefix (4);
	return name;
}

std::optional<std::string_view> findAttribute (const std::vector<XmlAttribute>& attributes, std::string_view name)
{
	for (const auto& attribute : attributes)
		if (attribute.name == name)
			return attribute.value;
	return std::nullopt;
}

void copyId (char (&target)[64], std::string_view id)
{
	const size_t n = std::min (id.size (), sizeof (target) - 1);
	std::memcpy (target, id.data (), n);
	target[n] = 0;
}

void growBounds (float (&bounds)[4], float x, float y, bool& first)
{
	if (first)
	{
		bounds[0] = bounds[2] = x;
		bounds[1] = bounds[3] = y;
		first = false;
		return;
	}
	bounds[0] = std::min (bounds[0], x);
	bounds[1] = std::min (bounds[1], y);
	bounds[2] = std::max (bounds[2], x);
	bounds[3] = std::max (bounds[3], y);
}

// The extreme values of one coordinate of a cubic segment lie at its ends or where its derivative is zero.
void cubicExtremes (float p0, float p1, float p2, float p3, float& lo, float& hi)
{
	lo = std::min (p0, p3);
	hi = std::max (p0, p3);
	const double a = -p0 + 3.0 * p1 - 3.0 * p2 + p3;
	const double b = 2.0 * (p0 - 2.0 * p1 + p2);
	const double c = p1 - p0;
	double roots[2];
	int count = 0;
	if (std::fabs (a) < 1e-12)
	{
		if (std::fabs (b) > 1e-12)
			roots[count++] = -c / b;
	}
	else
	{
		const double disc = b * b - 4.0 * a * c;
		if (disc >= 0.0)
		{
			const double s = std::sqrt (disc);
			roots[count++] = (-b + s) / (2.0 * a);
			roots[count++] = (-b - s) / (2.0 * a);
		}
	}
	for (int i = 0; i < count; ++i)
	{
		const double t = roots[i];
		if (!(t > 0.0 && t < 1.0))
			continue;
		const double u = 1.0 - t;
		const float v = float (u * u * u * p0 + 3.0 * u * u * t * p1 + 3.0 * u * t * t * p2 + t * t * t * p3);
		lo = std::min (lo, v);
		hi = std::max (hi, v);
	}
}

void pathBounds (const std::vector<float>& pts, float (&bounds)[4])
{
	bounds[0] = bounds[2] = pts[0];
	bounds[1] = bounds[3] = pts[1];
	for (size_t i = 2; i + 5 < pts.size (); i += 6)
	{
		float lo, hi;
		cubicExtremes (pts[i - 2], pts[i], pts[i + 2], pts[i + 4], lo, hi);
		bounds[0] = std::min (bounds[0], lo);
		bounds[2] = std::max (bounds[2], hi);
		cubicExtremes (pts[i - 1], pts[i + 1], pts[i + 3], pts[i + 5], lo, hi);
		bounds[1] = std::min (bounds[1], lo);
		bounds[3] = std::max (bounds[3], hi);
	}
}

void freeShape (NSVGshape* shape)
{
	NSVGpath* path = shape->paths;
	while (path)
	{
		NSVGpath* next = path->next;
		std::free (path->pts);
		std::free (path);
		path = next;
	}
	if (shape->fill.type == NSVG_PAINT_LINEAR_GRADIENT || shape->fill.type == NSVG_PAINT_RADIAL_GRADIENT)
		std::free (shape->fill.gradient);
	if (shape->stroke.type == NSVG_PAINT_LINEAR_GRADIENT || shape->stroke.type == NSVG_PAINT_RADIAL_GRADIENT)
		std::free (shape->stroke.gradient);
	std::free (shape);
}

} // namespace

SvgParser::SvgParser (const char* units, float dpiIn) : dpi (std::isfinite (dpiIn) && dpiIn > 0.f ? dpiIn : 96.f)
{
	styles.emplace_back ();
	const Unit unit = units ? parseUnitName (units) : Unit::px;
	unitScale = 1.f / pixelsPerUnit (unit == Unit::percent || unit == Unit::em || unit == Unit::ex ? Unit::px : unit,
	                                 dpi, 12.f);
}

SvgParser::~SvgParser ()
{
	for (auto& draft : shapes)
	{
		// Gradients made for drafts that never reached the image belong to the drafts.
		if (draft.shape.fill.type == NSVG_PAINT_LINEAR_GRADIENT || draft.shape.fill.type == NSVG_PAINT_RADIAL_GRADIENT)
			std::free (draft.shape.fill.gradient);
		if (draft.shape.stroke.type == NSVG_PAINT_LINEAR_GRADIENT ||
		    draft.shape.stroke.type == NSVG_PAINT_RADIAL_GRADIENT)
			std::free (draft.shape.stroke.gradient);
	}
}

void SvgParser::pushStyle ()
{
	if (styles.size () >= maxDepth)
	{
		++overflowDepth;
		return;
	}
	styles.push_back (styles.back ());
	Style& s = styles.back ();
	s.inheritedOpacity = s.opacity;
	// Stop colours are not inherited: every stop starts from opaque black.
	s.stopColor = 0;
	s.stopOpacity = 1.f;
}

void SvgParser::popStyle ()
{
	if (overflowDepth > 0)
		--overflowDepth;
	else if (styles.size () > 1)
		styles.pop_back ();
}

void SvgParser::startElement (std::string_view rawName, const std::vector<XmlAttribute>& attributes)
{
	const std::string_view name = localName (rawName);
	pushStyle ();
	if (name == "defs")
	{
		++defsDepth;
		return;
	}
	if (name == "linearGradient" || name == "radialGradient")
	{
		parseGradient (attributes, name == "radialGradient");
		return;
	}
	if (name == "stop")
	{
		parseStop (attributes);
		return;
	}
	if (name == "svg")
	{
		if (!rootSeen)
			parseRoot (attributes);
		rootSeen = true;
		return;
	}
	if (name == "g")
	{
		parsePresentation (attributes);
		return;
	}
	// Shapes inside <defs> are only referenced, never drawn; this parser has no <use>.
	if (defsDepth > 0)
		return;
	if (name == "path")
		parsePath (attributes);
	else if (name == "rect")
		parseRect (attributes);
	else if (name == "circle")
		parseCircle (attributes);
	else if (name == "ellipse")
		parseEllipse (attributes);
	else if (name == "line")
		parseLine (attributes);
	else if (name == "polyline")
		parsePoly (attributes, false);
	else if (name == "polygon")
		parsePoly (attributes, true);
}

void SvgParser::endElement (std::string_view rawName)
{
	const std::string_view name = localName (rawName);
	if (name == "defs" && defsDepth > 0)
		--defsDepth;
	if (name == "linearGradient" || name == "radialGradient")
		openGradient = -1;
	popStyle ();
}

void SvgParser::parsePresentation (const std::vector<XmlAttribute>& attributes)
{
	// Presentation attributes first: a style attribute overrides them whatever the order in the tag.
	for (const auto& attribute : attributes)
		if (attribute.name != "style")
			applyProperty (attribute.name, attribute.value);
	for (const auto& attribute : attributes)
		if (attribute.name == "style")
			applyStyleAttribute (attribute.value);
}

void SvgParser::applyStyleAttribute (std::string_view declarations)
{
	while (!declarations.empty ())
	{
		const size_t end = declarations.find (';');
		const std::string_view declaration = declarations.substr (0, end);
		declarations = end == std::string_view::npos ? std::string_view{} : declarations.substr (end + 1);
		const size_t colon = declaration.find (':');
		if (colon == std::string_view::npos)
			continue;
		applyProperty (trim (declaration.substr (0, colon)), trim (declaration.substr (colon + 1)));
	}
}

void SvgParser::applyProperty (std::string_view name, std::string_view rawValue)
{
	Style& s = style ();
	const std::string_view value = trim (rawValue);
	if (value == "inherit")
		return;
	if (name == "fill" || name == "stroke")
	{
		const bool fill = name == "fill";
		PaintKind& kind = fill ? s.fillKind : s.strokeKind;
		if (value == "none")
			kind = PaintKind::none;
		else if (const auto ref = parseUrlReference (value))
		{
			kind = PaintKind::gradient;
			(fill ? s.fillGradient : s.strokeGradient) = std::string (*ref);
		}
		else if (const auto color = parseColor (value))
		{
			kind = PaintKind::color;
			(fill ? s.fillColor : s.strokeColor) = *color;
		}
	}
	else if (name == "opacity")
		s.opacity = s.inheritedOpacity * parseOpacity (value, 1.f);
	else if (name == "fill-opacity")
		s.fillOpacity = parseOpacity (value, s.fillOpacity);
	else if (name == "paint-order")
		s.paintOrder = parsePaintOrder (value);
	else if (name == "stroke-opacity")
		s.strokeOpacity = parseOpacity (value, s.strokeOpacity);
	else if (name == "stroke-width")
	{
		const float width = toUser (parseLength (value), Axis::other);
		if (width >= 0.f)
			s.strokeWidth = width;
	}
	else if (name == "stroke-dasharray")
		parseDashArray (value, s);
	else if (name == "stroke-dashoffset")
		s.dashOffset = toUser (parseLength (value), Axis::other);
	else if (name == "stroke-linejoin")
	{
		if (value == "miter")
			s.lineJoin = NSVG_JOIN_MITER;
		else if (value == "round")
			s.lineJoin = NSVG_JOIN_ROUND;
		else if (value == "bevel")
			s.lineJoin = NSVG_JOIN_BEVEL;
	}
	else if (name == "stroke-linecap")
	{
		if (value == "butt")
			s.lineCap = NSVG_CAP_BUTT;
		else if (value == "round")
			s.lineCap = NSVG_CAP_ROUND;
		else if (value == "square")
			s.lineCap = NSVG_CAP_SQUARE;
	}
	else if (name == "stroke-miterlimit")
		s.miterLimit = std::max (1.f, parseNumber (value, s.miterLimit));
	else if (name == "fill-rule")
	{
		if (value == "evenodd")
			s.fillRule = NSVG_FILLRULE_EVENODD;
		else if (value == "nonzero")
			s.fillRule = NSVG_FILLRULE_NONZERO;
	}
	else if (name == "display")
	{
		// A hidden group hides its children whatever they say themselves.
		if (value == "none")
			s.visible = false;
	}
	else if (name == "font-size")
	{
		const float size = toUser (parseLength (value), Axis::other);
		if (size > 0.f)
			s.fontSize = size;
	}
	else if (name == "transform")
		s.xform = concatAffine (parseTransform (value), s.xform);
	else if (name == "id")
		s.id = std::string (value.substr (0, 63));
	else if (name == "stop-color")
	{
		if (const auto color = parseColor (value))
			s.stopColor = *color;
	}
	else if (name == "stop-opacity")
		s.stopOpacity = parseOpacity (value, 1.f);
}

float SvgParser::toUser (const Length& length, Axis axis) const
{
	const float fontSize = styles.empty () ? 12.f : styles.back ().fontSize;
	if (length.unit == Unit::percent)
	{
		// Percentages refer to the view box, else to the document's absolute size, else to 100 units.
		auto reference = [&] (const std::optional<Length>& size, float viewBoxSize)
		{
			if (hasViewBox)
				return viewBoxSize;
			if (size && size->unit != Unit::percent)
				return size->value * pixelsPerUnit (size->unit, dpi, fontSize);
			return 100.f;
		};
		const float w = reference (rootWidth, viewBox[2]);
		const float h = reference (rootHeight, viewBox[3]);
		const float base = axis == Axis::x ? w : axis == Axis::y ? h : std::sqrt ((w * w + h * h) * 0.5f);
		return length.value / 100.f * base;
	}
	return length.value * pixelsPerUnit (length.unit, dpi, fontSize);
}

float SvgParser::attributeLength (const std::vector<XmlAttribute>& attributes, std::string_view name, Axis axis,
                                  float fallback) const
{
	const auto value = findAttribute (attributes, name);
	if (!value)
		return fallback;
	size_t pos = 0;
	if (!readNumber (*value, pos))
		return fallback;
	return toUser (parseLength (*value), axis);
}

void SvgParser::parseRoot (const std::vector<XmlAttribute>& attributes)
{
	parsePresentation (attributes);
	style ().xform = identityAffine (); // the root's geometry is its view box, not a transform
	if (const auto vb = findAttribute (attributes, "viewBox"))
	{
		size_t pos = 0;
		float v[4];
		int count = 0;
		while (count < 4)
		{
			const auto number = readNumber (*vb, pos);
			if (!number)
				break;
			v[count++] = *number;
		}
		if (count == 4 && v[2] > 0.f && v[3] > 0.f)
		{
			std::copy (v, v + 4, viewBox);
			hasViewBox = true;
		}
	}
	for (const char* which : {"width", "height"})
	{
		if (const auto value = findAttribute (attributes, which))
		{
			size_t pos = 0;
			if (readNumber (*value, pos))
				(which[0] == 'w' ? rootWidth : rootHeight) = parseLength (*value);
		}
	}
	if (const auto par = findAttribute (attributes, "preserveAspectRatio"))
	{
		// Read as NanoSVG reads it, by the words it contains, both alignments starting at the minimum: "none"
		// anywhere stretches; else "xMin", "xMid" or "xMax", and "slice" or a meet. NanoSVG looks for the
		// vertical alignment as "yMin", "yMid" or "yMax", which a valid value never contains (it writes "YMid"),
		// so the top edges stay aligned.
		const std::string_view text = *par;
		auto has = [text] (std::string_view word) { return text.find (word) != std::string_view::npos; };
		auto alignment = [&has] (char axis, int current)
		{
			const char words[3][5] = {{axis, 'M', 'i', 'n'}, {axis, 'M', 'i', 'd'}, {axis, 'M', 'a', 'x'}};
			for (int i = 0; i < 3; ++i)
				if (has (words[i]))
					return i;
			return current;
		};
		alignNone = has ("none");
		alignX = alignment ('x', 0);
		alignY = alignment ('y', 0);
		alignSlice = has ("slice");
	}
}

void SvgParser::parseDashArray (std::string_view value, Style& s) const
{
	// As NanoSVG reads it: items apart by white space or commas, each a length in any unit (a percentage counts
	// from the normalized diagonal) and an item that is no number as 0; at most eight, and none when they add
	// up to nothing or the value starts with 'n' ("none").
	s.dashCount = 0;
	if (value.starts_with ('n'))
		return;
	float sum = 0.f;
	size_t pos = 0;
	while (true)
	{
		while (pos < value.size () && (isSpace (value[pos]) || value[pos] == ','))
			++pos;
		if (pos == value.size ())
			break;
		size_t end = pos;
		while (end < value.size () && !isSpace (value[end]) && value[end] != ',')
			++end;
		const float dash = std::fabs (toUser (parseLength (value.substr (pos, end - pos)), Axis::other));
		pos = end;
		if (s.dashCount < int (std::size (s.dashes)))
		{
			s.dashes[s.dashCount++] = dash;
			sum += dash;
		}
	}
	if (!(sum > 1e-6f))
		s.dashCount = 0;
}

void SvgParser::addShape (PathBuilder& builder)
{
	auto& paths = builder.paths ();
	if (paths.empty ())
		return;
	const Style& s = style ();
	ShapeDraft draft;

	bool first = true;
	for (auto& path : paths)
	{
		for (float& v : path.points)
			v = finiteOrZero (v);
		float b[4];
		pathBounds (path.points, b);
		growBounds (draft.localBounds, b[0], b[1], first);
		growBounds (draft.localBounds, b[2], b[3], first);
		for (size_t i = 0; i + 1 < path.points.size (); i += 2)
		{
			float x, y;
			applyAffine (s.xform, path.points[i], path.points[i + 1], x, y);
			path.points[i] = finiteOrZero (x);
			path.points[i + 1] = finiteOrZero (y);
		}
	}

	NSVGshape& shape = draft.shape;
	copyId (shape.id, s.id);
	const float scale = averageScale (s.xform);
	shape.opacity = std::clamp (s.opacity, 0.f, 1.f);
	shape.strokeWidth = finiteOrZero (s.strokeWidth * scale);
	shape.strokeDashOffset = finiteOrZero (s.dashOffset * scale);
	shape.strokeDashCount = char (s.dashCount);
	for (int i = 0; i < s.dashCount; ++i)
		shape.strokeDashArray[i] = finiteOrZero (s.dashes[i] * scale);
	shape.strokeLineJoin = s.lineJoin;
	shape.strokeLineCap = s.lineCap;
	shape.miterLimit = s.miterLimit;
	shape.fillRule = s.fillRule;
	shape.paintOrder = s.paintOrder;
	shape.flags = s.visible ? NSVG_FLAGS_VISIBLE : 0;
	std::copy (s.xform.begin (), s.xform.end (), shape.xform);

	auto setPaint = [] (NSVGpaint& paint, PaintKind kind, uint32_t color, float opacity)
	{
		switch (kind)
		{
		case PaintKind::none:
			paint.type = NSVG_PAINT_NONE;
			break;
		case PaintKind::color:
			paint.type = NSVG_PAINT_COLOR;
			paint.color = withAlpha (color, opacity);
			break;
		case PaintKind::gradient:
			paint.type = NSVG_PAINT_UNDEF; // resolved once every gradient of the document is known
			break;
		}
	};
	setPaint (shape.fill, s.fillKind, s.fillColor, s.fillOpacity);
	setPaint (shape.stroke, s.strokeKind, s.strokeColor, s.strokeOpacity);
	if (s.fillKind == PaintKind::gradient)
		draft.fillGradient = s.fillGradient;
	if (s.strokeKind == PaintKind::gradient)
		draft.strokeGradient = s.strokeGradient;
	draft.fillOpacity = s.fillOpacity;
	draft.strokeOpacity = s.strokeOpacity;
	draft.paths = std::move (paths);
	paths.clear ();
	shapes.push_back (std::move (draft));
}

void SvgParser::parsePath (const std::vector<XmlAttribute>& attributes)
{
	parsePresentation (attributes);
	const auto data = findAttribute (attributes, "d");
	if (!data)
		return;
	PathBuilder builder;
	parsePathData (*data, builder);
	addShape (builder);
}

void SvgParser::addEllipsePath (PathBuilder& builder, float cx, float cy, float rx, float ry)
{
	// Four quarter arcs, clockwise on screen from the rightmost point.
	const float kx = rx * kappa90, ky = ry * kappa90;
	builder.moveTo (cx + rx, cy);
	builder.cubicTo (cx + rx, cy + ky, cx + kx, cy + ry, cx, cy + ry);
	builder.cubicTo (cx - kx, cy + ry, cx - rx, cy + ky, cx - rx, cy);
	builder.cubicTo (cx - rx, cy - ky, cx - kx, cy - ry, cx, cy - ry);
	builder.cubicTo (cx + kx, cy - ry, cx + rx, cy - ky, cx + rx, cy);
	builder.closePath ();
}

void SvgParser::parseRect (const std::vector<XmlAttribute>& attributes)
{
	parsePresentation (attributes);
	const float x = attributeLength (attributes, "x", Axis::x, 0.f);
	const float y = attributeLength (attributes, "y", Axis::y, 0.f);
	const float w = attributeLength (attributes, "width", Axis::x, 0.f);
	const float h = attributeLength (attributes, "height", Axis::y, 0.f);
	float rx = attributeLength (attributes, "rx", Axis::x, -1.f);
	float ry = attributeLength (attributes, "ry", Axis::y, -1.f);
	if (!(w > 0.f && h > 0.f))
		return;
	// One radius given stands for both; each is at most half the side it rounds.
	if (rx < 0.f && ry >= 0.f)
		rx = ry;
	if (ry < 0.f && rx >= 0.f)
		ry = rx;
	rx = std::clamp (rx, 0.f, w / 2.f);
	ry = std::clamp (ry, 0.f, h / 2.f);

	PathBuilder builder;
	if (rx < 0.00001f || ry < 0.00001f)
	{
		builder.moveTo (x, y);
		builder.lineTo (x + w, y);
		builder.lineTo (x + w, y + h);
		builder.lineTo (x, y + h);
	}
	else
	{
		const float kx = rx * (1.f - kappa90), ky = ry * (1.f - kappa90);
		builder.moveTo (x + rx, y);
		builder.lineTo (x + w - rx, y);
		builder.cubicTo (x + w - kx, y, x + w, y + ky, x + w, y + ry);
		builder.lineTo (x + w, y + h - ry);
		builder.cubicTo (x + w, y + h - ky, x + w - kx, y + h, x + w - rx, y + h);
		builder.lineTo (x + rx, y + h);
		builder.cubicTo (x + kx, y + h, x, y + h - ky, x, y + h - ry);
		builder.lineTo (x, y + ry);
		builder.cubicTo (x, y + ky, x + kx, y, x + rx, y);
	}
	builder.closePath ();
	addShape (builder);
}

void SvgParser::parseCircle (const std::vector<XmlAttribute>& attributes)
{
	parsePresentation (attributes);
	const float cx = attributeLength (attributes, "cx", Axis::x, 0.f);
	const float cy = attributeLength (attributes, "cy", Axis::y, 0.f);
	const float r = attributeLength (attributes, "r", Axis::other, 0.f);
	if (!(r > 0.f))
		return;
	PathBuilder builder;
	addEllipsePath (builder, cx, cy, r, r);
	addShape (builder);
}

void SvgParser::parseEllipse (const std::vector<XmlAttribute>& attributes)
{
	parsePresentation (attributes);
	const float cx = attributeLength (attributes, "cx", Axis::x, 0.f);
	const float cy = attributeLength (attributes, "cy", Axis::y, 0.f);
	const float rx = attributeLength (attributes, "rx", Axis::x, 0.f);
	const float ry = attributeLength (attributes, "ry", Axis::y, 0.f);
	if (!(rx > 0.f && ry > 0.f))
		return;
	PathBuilder builder;
	addEllipsePath (builder, cx, cy, rx, ry);
	addShape (builder);
}

void SvgParser::parseLine (const std::vector<XmlAttribute>& attributes)
{
	parsePresentation (attributes);
	PathBuilder builder;
	builder.moveTo (attributeLength (attributes, "x1", Axis::x, 0.f), attributeLength (attributes, "y1", Axis::y, 0.f));
	builder.lineTo (attributeLength (attributes, "x2", Axis::x, 0.f), attributeLength (attributes, "y2", Axis::y, 0.f));
	builder.finish ();
	addShape (builder);
}

void SvgParser::parsePoly (const std::vector<XmlAttribute>& attributes, bool closed)
{
	parsePresentation (attributes);
	const auto points = findAttribute (attributes, "points");
	if (!points)
		return;
	PathBuilder builder;
	size_t pos = 0;
	bool firstPoint = true;
	while (true)
	{
		const auto x = readNumber (*points, pos);
		if (!x)
			break;
		const auto y = readNumber (*points, pos);
		if (!y)
			break;
		if (firstPoint)
			builder.moveTo (*x, *y);
		else
			builder.lineTo (*x, *y);
		firstPoint = false;
	}
	if (closed)
		builder.closePath ();
	builder.finish ();
	addShape (builder);
}

void SvgParser::parseGradient (const std::vector<XmlAttribute>& attributes, bool radial)
{
	GradientDraft g;
	g.radial = radial;
	auto length = [&] (std::string_view name, std::optional<Length>& target)
	{
		if (const auto value = findAttribute (attributes, name))
		{
			size_t pos = 0;
			if (readNumber (*value, pos))
				target = parseLength (*value);
		}
	};
	length ("x1", g.x1);
	length ("y1", g.y1);
	length ("x2", g.x2);
	length ("y2", g.y2);
	length ("cx", g.cx);
	length ("cy", g.cy);
	length ("r", g.r);
	length ("fx", g.fx);
	length ("fy", g.fy);
	for (const auto& attribute : attributes)
	{
		const std::string_view value = trim (attribute.value);
		if (attribute.name == "id")
			g.id = std::string (value);
		else if (attribute.name == "gradientUnits")
		{
			if (value == "userSpaceOnUse")
				g.userSpace = true;
			else if (value == "objectBoundingBox")
				g.userSpace = false;
		}
		else if (attribute.name == "gradientTransform")
			g.transform = parseTransform (value);
		else if (attribute.name == "spreadMethod")
		{
			if (value == "pad")
				g.spread = NSVG_SPREAD_PAD;
			else if (value == "reflect")
				g.spread = NSVG_SPREAD_REFLECT;
			else if (value == "repeat")
				g.spread = NSVG_SPREAD_REPEAT;
		}
		else if ((attribute.name == "xlink:href" || attribute.name == "href") && value.starts_with ("#"))
			g.href = std::string (value.substr (1));
	}
	openGradient = long (gradients.size ());
	if (!g.id.empty ())
		gradientIndex.emplace (g.id, gradients.size ()); // the first gradient of an id wins
	gradients.push_back (std::move (g));
}

void SvgParser::parseStop (const std::vector<XmlAttribute>& attributes)
{
	if (openGradient < 0)
		return;
	GradientDraft& g = gradients[size_t (openGradient)];
	parsePresentation (attributes);
	if (g.stops.size () >= maxStops)
		return;
	float offset = 0.f;
	if (const auto value = findAttribute (attributes, "offset"))
	{
		const Length length = parseLength (*value);
		offset = length.unit == Unit::percent ? length.value / 100.f : length.value;
	}
	offset = std::clamp (offset, 0.f, 1.f);
	// Offsets never go backwards: a smaller one takes the largest offset before it.
	if (!g.stops.empty ())
		offset = std::max (offset, g.stops.back ().offset);
	g.stops.push_back ({withAlpha (style ().stopColor, style ().stopOpacity), offset});
}

NSVGgradient* SvgParser::makeGradient (const ShapeDraft& draft, const std::string& id, float opacity, signed char& type)
{
	type = NSVG_PAINT_NONE;
	const auto found = gradientIndex.find (id);
	if (found == gradientIndex.end ())
		return nullptr;
	const GradientDraft& own = gradients[found->second];

	// Unset attributes and missing stops come from the chain of referenced gradients; the chain is cut
	// after a bounded number of steps, which also ends reference cycles.
	GradientDraft merged = own;
	const GradientDraft* link = &own;
	for (int depth = 0; depth < 32 && !link->href.empty (); ++depth)
	{
		const auto next = gradientIndex.find (link->href);
		if (next == gradientIndex.end ())
			break;
		link = &gradients[next->second];
		auto inherit = [] (auto& target, const auto& source)
		{
			if (!target)
				target = source;
		};
		inherit (merged.x1, link->x1);
		inherit (merged.y1, link->y1);
		inherit (merged.x2, link->x2);
		inherit (merged.y2, link->y2);
		inherit (merged.cx, link->cx);
		inherit (merged.cy, link->cy);
		inherit (merged.r, link->r);
		inherit (merged.fx, link->fx);
		inherit (merged.fy, link->fy);
		inherit (merged.userSpace, link->userSpace);
		inherit (merged.transform, link->transform);
		inherit (merged.spread, link->spread);
		if (merged.stops.empty ())
			merged.stops = link->stops;
	}
	if (merged.stops.empty ())
		return nullptr;

	// Bounding-box units resolve as NanoSVG resolves them: a percentage counts from the box's corner along its
	// width, height or normalized diagonal, a plain number is taken in user units (not as a fraction of the box),
	// and the gradient transform applies in user space.
	const bool userSpace = merged.userSpace.value_or (false);
	const float* box = draft.localBounds;
	const float boxWidth = box[2] - box[0], boxHeight = box[3] - box[1];
	auto coordinate = [&] (const std::optional<Length>& length, float fallbackFraction, Axis axis)
	{
		const Length l = length.value_or (Length{fallbackFraction * 100.f, Unit::percent});
		if (userSpace || l.unit != Unit::percent)
			return toUser (l, axis);
		if (axis == Axis::x)
			return box[0] + l.value / 100.f * boxWidth;
		if (axis == Axis::y)
			return box[1] + l.value / 100.f * boxHeight;
		return l.value / 100.f * (std::sqrt (boxWidth * boxWidth + boxHeight * boxHeight) / std::sqrt (2.f));
	};

	// G maps the gradient's own space into the space its coordinates are given in.
	Affine toUnits;
	float fx = 0.f, fy = 0.f;
	if (merged.radial)
	{
		const float cx = coordinate (merged.cx, 0.5f, Axis::x);
		const float cy = coordinate (merged.cy, 0.5f, Axis::y);
		const float r = coordinate (merged.r, 0.5f, Axis::other);
		// NanoSVG leaves an unset focal coordinate at 0 user units, not at the centre.
		const float focalX = merged.fx ? coordinate (merged.fx, 0.f, Axis::x) : 0.f;
		const float focalY = merged.fy ? coordinate (merged.fy, 0.f, Axis::y) : 0.f;
		toUnits = {r, 0.f, 0.f, r, cx, cy};
		// What NanoSVG stores: the focal point's coordinates over the radius, not its offset from the centre.
		fx = focalX / r;
		fy = focalY / r;
	}
	else
	{
		const float x1 = coordinate (merged.x1, 0.f, Axis::x);
		const float y1 = coordinate (merged.y1, 0.f, Axis::y);
		const float x2 = coordinate (merged.x2, 1.f, Axis::x);
		const float y2 = coordinate (merged.y2, 0.f, Axis::y);
		const float dx = x2 - x1, dy = y2 - y1;
		toUnits = {dy, -dx, dx, dy, x1, y1};
	}
	Affine toImage = toUnits;
	if (merged.transform)
		toImage = concatAffine (toImage, *merged.transform);
	Affine shapeXform;
	std::copy (draft.shape.xform, draft.shape.xform + 6, shapeXform.begin ());
	toImage = concatAffine (toImage, shapeXform);
	const Affine xform = invertAffine (toImage);

	const size_t count = merged.stops.size ();
	auto* gradient =
	    static_cast<NSVGgradient*> (std::calloc (1, sizeof (NSVGgradient) + (count - 1) * sizeof (NSVGgradientStop)));
	if (!gradient)
		throw std::bad_alloc ();
	std::copy (xform.begin (), xform.end (), gradient->xform);
	gradient->spread = merged.spread.value_or (NSVG_SPREAD_PAD);
	gradient->fx = finiteOrZero (fx);
	gradient->fy = finiteOrZero (fy);
	gradient->nstops = int (count);
	for (size_t i = 0; i < count; ++i)
	{
		const NSVGgradientStop& stop = merged.stops[i];
		const float alpha = float (stop.color >> 24) / 255.f * std::clamp (opacity, 0.f, 1.f);
		gradient->stops[i].color = withAlpha (stop.color, alpha);
		gradient->stops[i].offset = stop.offset;
	}
	type = merged.radial ? NSVG_PAINT_RADIAL_GRADIENT : NSVG_PAINT_LINEAR_GRADIENT;
	return gradient;
}

void SvgParser::fitViewBox ()
{
	float bounds[4] = {};
	bool first = true;
	for (const auto& draft : shapes)
		for (const auto& path : draft.paths)
		{
			float b[4];
			pathBounds (path.points, b);
			growBounds (bounds, b[0], b[1], first);
			growBounds (bounds, b[2], b[3], first);
		}

	float width = rootWidth && rootWidth->unit != Unit::percent ? toUser (*rootWidth, Axis::x) : -1.f;
	float height = rootHeight && rootHeight->unit != Unit::percent ? toUser (*rootHeight, Axis::y) : -1.f;
	if (hasViewBox)
	{
		if (rootWidth && rootWidth->unit == Unit::percent)
			width = viewBox[2] * rootWidth->value / 100.f;
		if (rootHeight && rootHeight->unit == Unit::percent)
			height = viewBox[3] * rootHeight->value / 100.f;
	}
	float vx, vy, vw, vh;
	if (hasViewBox)
	{
		vx = viewBox[0];
		vy = viewBox[1];
		vw = viewBox[2];
		vh = viewBox[3];
		if (width < 0.f)
			width = vw;
		if (height < 0.f)
			height = vh;
	}
	else
	{
		// Without a view box the user space is the pixel space; a missing size is taken from the drawing.
		vx = width < 0.f ? bounds[0] : 0.f;
		vy = height < 0.f ? bounds[1] : 0.f;
		if (width < 0.f)
			width = bounds[2] - bounds[0];
		if (height < 0.f)
			height = bounds[3] - bounds[1];
		vw = width;
		vh = height;
	}
	width = std::max (0.f, finiteOrZero (width));
	height = std::max (0.f, finiteOrZero (height));

	float sx = vw > 0.f ? width / vw : 1.f;
	float sy = vh > 0.f ? height / vh : 1.f;
	float offsetX = 0.f, offsetY = 0.f;
	if (!alignNone && vw > 0.f && vh > 0.f)
	{
		const float s = alignSlice ? std::max (sx, sy) : std::min (sx, sy);
		offsetX = (width - vw * s) * 0.5f * float (alignX);
		offsetY = (height - vh * s) * 0.5f * float (alignY);
		sx = sy = s;
	}
	const Affine fit = {
	    sx * unitScale, 0.f, 0.f, sy * unitScale, (offsetX - vx * sx) * unitScale, (offsetY - vy * sy) * unitScale};
	const Affine unfit = invertAffine (fit);
	const float lengthScale = (sx + sy) * 0.5f * unitScale;

	for (auto& draft : shapes)
	{
		NSVGshape& shape = draft.shape;
		bool firstBound = true;
		for (auto& path : draft.paths)
		{
			for (size_t i = 0; i + 1 < path.points.size (); i += 2)
			{
				float x, y;
				applyAffine (fit, path.points[i], path.points[i + 1], x, y);
				path.points[i] = finiteOrZero (x);
				path.points[i + 1] = finiteOrZero (y);
			}
			float b[4];
			pathBounds (path.points, b);
			growBounds (shape.bounds, b[0], b[1], firstBound);
			growBounds (shape.bounds, b[2], b[3], firstBound);
		}
		shape.strokeWidth = finiteOrZero (shape.strokeWidth * lengthScale);
		shape.strokeDashOffset = finiteOrZero (shape.strokeDashOffset * lengthScale);
		for (int i = 0; i < shape.strokeDashCount; ++i)
			shape.strokeDashArray[i] = finiteOrZero (shape.strokeDashArray[i] * lengthScale);
		Affine xform;
		std::copy (shape.xform, shape.xform + 6, xform.begin ());
		xform = concatAffine (xform, fit);
		for (int i = 0; i < 6; ++i)
			shape.xform[i] = finiteOrZero (xform[i]);
		for (NSVGpaint* paint : {&shape.fill, &shape.stroke})
		{
			if (paint->type != NSVG_PAINT_LINEAR_GRADIENT && paint->type != NSVG_PAINT_RADIAL_GRADIENT)
				continue;
			Affine g;
			std::copy (paint->gradient->xform, paint->gradient->xform + 6, g.begin ());
			g = concatAffine (unfit, g);
			for (int i = 0; i < 6; ++i)
				paint->gradient->xform[i] = finiteOrZero (g[i]);
		}
	}
	imageWidth = finiteOrZero (width * unitScale);
	imageHeight = finiteOrZero (height * unitScale);
}

NSVGimage* SvgParser::takeImage ()
{
	for (auto& draft : shapes)
	{
		if (draft.shape.fill.type == NSVG_PAINT_UNDEF)
			draft.shape.fill.gradient =
			    makeGradient (draft, draft.fillGradient, draft.fillOpacity, draft.shape.fill.type);
		if (draft.shape.stroke.type == NSVG_PAINT_UNDEF)
			draft.shape.stroke.gradient =
			    makeGradient (draft, draft.strokeGradient, draft.strokeOpacity, draft.shape.stroke.type);
	}
	fitViewBox ();

	auto* image = static_cast<NSVGimage*> (std::calloc (1, sizeof (NSVGimage)));
	if (!image)
		throw std::bad_alloc ();
	image->width = imageWidth;
	image->height = imageHeight;
	NSVGshape** tail = &image->shapes;
	try
	{
		for (auto& draft : shapes)
		{
			auto* shape = static_cast<NSVGshape*> (std::malloc (sizeof (NSVGshape)));
			if (!shape)
				throw std::bad_alloc ();
			*shape = draft.shape;
			shape->paths = nullptr;
			shape->next = nullptr;
			*tail = shape;
			tail = &shape->next;
			// The gradients now belong to the image.
			draft.shape.fill.type = NSVG_PAINT_NONE;
			draft.shape.stroke.type = NSVG_PAINT_NONE;

			NSVGpath** pathTail = &shape->paths;
			for (const auto& path : draft.paths)
			{
				auto* out = static_cast<NSVGpath*> (std::calloc (1, sizeof (NSVGpath)));
				if (!out)
					throw std::bad_alloc ();
				*pathTail = out;
				pathTail = &out->next;
				out->pts = static_cast<float*> (std::malloc (path.points.size () * sizeof (float)));
				if (!out->pts)
					throw std::bad_alloc ();
				std::copy (path.points.begin (), path.points.end (), out->pts);
				out->npts = int (path.points.size () / 2);
				out->closed = path.closed ? 1 : 0;
				pathBounds (path.points, out->bounds);
			}
		}
	}
	catch (...)
	{
		nsvgLibraryDelete (image);
		throw;
	}
	shapes.clear ();
	return image;
}

} // namespace quorvane::svg

extern "C" void nsvgLibraryDelete (NSVGimage* image)
{
	if (!image)
		return;
	NSVGshape* shape = image->shapes;
	while (shape)
	{
		NSVGshape* next = shape->next;
		quorvane::svg::freeShape (shape);
		shape = next;
	}
	std::free (image);
}
