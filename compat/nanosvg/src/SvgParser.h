// Builds an NSVGimage from SVG text: keeps the inherited presentation state of nested elements, turns every
// shape into cubic paths in image coordinates, resolves gradient references and fits the view box.
#pragma once

#include "Affine.h"
#include "PathBuilder.h"
#include "ValueParsing.h"
#include "XmlScanner.h"

#include "nanosvg.h"

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace quorvane::svg
{

class SvgParser : public XmlHandler
{
public:
	SvgParser (const char* units, float dpi);
	~SvgParser () override;

	void startElement (std::string_view name, const std::vector<XmlAttribute>& attributes) override;
	void endElement (std::string_view name) override;

	// Hands the finished image to the caller (who frees it with nsvgLibraryDelete). Throws std::bad_alloc.
	NSVGimage* takeImage ();

	// Gradients may hold at most this many stops; further stops are ignored, which bounds the memory that
	// many shapes sharing one long gradient can take.
	static constexpr size_t maxStops = 256;
	// Deeper nesting shares the innermost kept state, so hostile nesting cannot grow the state stack.
	static constexpr size_t maxDepth = 512;

private:
	enum class PaintKind : char
	{
		none,
		color,
		gradient
	};

	struct Style
	{
		Affine xform = identityAffine ();
		PaintKind fillKind = PaintKind::color;
		PaintKind strokeKind = PaintKind::none;
		uint32_t fillColor = 0;
		uint32_t strokeColor = 0;
		std::string fillGradient;
		std::string strokeGradient;
		float inheritedOpacity = 1.f;
		float opacity = 1.f;
		float fillOpacity = 1.f;
		float strokeOpacity = 1.f;
		float strokeWidth = 1.f;
		float dashOffset = 0.f;
		float dashes[8] = {};
		int dashCount = 0;
		char lineJoin = NSVG_JOIN_MITER;
		char lineCap = NSVG_CAP_BUTT;
		float miterLimit = 4.f;
		char fillRule = NSVG_FILLRULE_NONZERO;
		unsigned char paintOrder = defaultPaintOrder;
		float fontSize = 12.f;
		bool visible = true;
		uint32_t stopColor = 0;
		float stopOpacity = 1.f;
		std::string id;
	};

	struct GradientDraft
	{
		std::string id;
		bool radial = false;
		std::optional<Length> x1, y1, x2, y2, cx, cy, r, fx, fy;
		std::optional<bool> userSpace;
		std::optional<Affine> transform;
		std::optional<char> spread;
		std::string href;
		std::vector<NSVGgradientStop> stops; // alpha from stop-opacity only
	};

	struct ShapeDraft
	{
		NSVGshape shape{};
		std::vector<DraftPath> paths;
		float localBounds[4] = {};
		std::string fillGradient, strokeGradient;
		float fillOpacity = 1.f, strokeOpacity = 1.f;
	};

	enum class Axis
	{
		x,
		y,
		other
	};

	Style& style () { return styles.back (); }
	void pushStyle ();
	void popStyle ();
	void parsePresentation (const std::vector<XmlAttribute>& attributes);
	void applyProperty (std::string_view name, std::string_view value);
	void applyStyleAttribute (std::string_view declarations);
	void parseDashArray (std::string_view value, Style& s) const;
	float toUser (const Length& length, Axis axis) const;
	float attributeLength (const std::vector<XmlAttribute>& attributes, std::string_view name, Axis axis,
	                       float fallback) const;

	void parseRoot (const std::vector<XmlAttribute>& attributes);
	void parsePath (const std::vector<XmlAttribute>& attributes);
	void parseRect (const std::vector<XmlAttribute>& attributes);
	void parseCircle (const std::vector<XmlAttribute>& attributes);
	void parseEllipse (const std::vector<XmlAttribute>& attributes);
	void parseLine (const std::vector<XmlAttribute>& attributes);
	void parsePoly (const std::vector<XmlAttribute>& attributes, bool closed);
	void parseGradient (const std::vector<XmlAttribute>& attributes, bool radial);
	void parseStop (const std::vector<XmlAttribute>& attributes);
	void addEllipsePath (PathBuilder& builder, float cx, float cy, float rx, float ry);
	void addShape (PathBuilder& builder);

	NSVGgradient* makeGradient (const ShapeDraft& draft, const std::string& id, float opacity, signed char& type);
	void fitViewBox ();

	float dpi;
	float unitScale; // image units per pixel
	std::vector<Style> styles;
	size_t overflowDepth = 0;
	int defsDepth = 0;
	bool rootSeen = false;
	std::optional<Length> rootWidth, rootHeight;
	float viewBox[4] = {0.f, 0.f, 0.f, 0.f};
	bool hasViewBox = false;
	int alignX = 1, alignY = 1; // 0 min, 1 mid, 2 max
	bool alignNone = false;
	bool alignSlice = false;

	std::vector<GradientDraft> gradients;
	std::unordered_map<std::string, size_t> gradientIndex;
	long openGradient = -1;
	std::vector<ShapeDraft> shapes;
	float imageWidth = 0.f, imageHeight = 0.f;
};

} // namespace quorvane::svg
