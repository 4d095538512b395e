// Readers for SVG attribute values: numbers, lengths with units, colours, transform lists and paint references.
#pragma once

#include "Affine.h"

#include "nanosvg.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvane::svg
{

enum class Unit
{
	user,
	px,
	pt,
	pc,
	mm,
	cm,
	in,
	percent,
	em,
	ex
};

struct Length
{
	float value = 0.f;
	Unit unit = Unit::user;
};

// Reads one number at `text[pos]` (after optional white space and one comma), advancing `pos`.
// Numbers outside float range read as 0, so nothing downstream sees an infinity.
std::optional<float> readNumber (std::string_view text, size_t& pos);

// Skips white space and at most one comma.
void skipSeparators (std::string_view text, size_t& pos);

std::string_view trim (std::string_view text);

float parseNumber (std::string_view text, float fallback);
Length parseLength (std::string_view text);
Unit parseUnitName (std::string_view text);

// Pixels per unit at `dpi`; font-relative and percentage units need their reference length.
float pixelsPerUnit (Unit unit, float dpi, float fontSize);

// An opacity value: a number or percentage clamped to [0, 1].
float parseOpacity (std::string_view text, float fallback);

// Fill, then stroke, then markers: the order when none is given.
constexpr unsigned char defaultPaintOrder = NSVG_PAINT_FILL | NSVG_PAINT_STROKE << 2 | NSVG_PAINT_MARKERS << 4;

// A paint-order value packed as NSVGshape::paintOrder: "normal" or one of the six orders of "fill", "stroke" and
// "markers" written out in full; anything else gives the default.
unsigned char parsePaintOrder (std::string_view text);

// A colour as red | green << 8 | blue << 16 (no alpha), or nothing for a value that is not a colour.
std::optional<uint32_t> parseColor (std::string_view text);
std::optional<uint32_t> namedColor (std::string_view name);

// The transform list as one matrix applying the list's rightmost entry first; parsing stops at the first
// malformed entry and keeps what came before it.
Affine parseTransform (std::string_view text);

// The id inside "url(#id)", or nothing when the value is not such a reference.
std::optional<std::string_view> parseUrlReference (std::string_view text);

} // namespace quorvane::svg
