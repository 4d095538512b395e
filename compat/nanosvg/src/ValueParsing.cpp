#include "ValueParsing.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace quorvane::svg
{
namespace
{

bool isSpace (char c)
{
	return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
bool isDigit (char c)
{
	return c >= '0' && c <= '9';
}

char lower (char c)
{
	return (c >= 'A' && c <= 'Z') ? char (c - 'A' + 'a') : c;
}

bool equalsIgnoringCase (std::string_view a, std::string_view b)
{
	if (a.size () != b.size ())
		return false;
	for (size_t i = 0; i < a.size (); ++i)
		if (lower (a[i]) != lower (b[i]))
			return false;
	return true;
}

int hexDigit (char c)
{
	if (c >= '0' && c <= '9')
		return c - '0';
	c = lower (c);
	if (c >= 'a' && c <= 'f')
		return c - 'a' + 10;
	return -1;
}

} // namespace

std::string_view trim (std::string_view text)
{
	while (!text.empty () && isSpace (text.front ()))
		text.remove_prefix (1);
	while (!text.empty () && isSpace (text.back ()))
		text.remove_suffix (1);
	return text;
}

void skipSeparators (std::string_view text, size_t& pos)
{
	while (pos < text.size () && isSpace (text[pos]))
		++pos;
	if (pos < text.size () && text[pos] == ',')
		++pos;
	while (pos < text.size () && isSpace (text[pos]))
		++pos;
}

std::optional<float> readNumber (std::string_view text, size_t& pos)
{
	skipSeparators (text, pos);
	size_t i = pos;
	const size_t n = text.size ();
	bool negative = false;
	if (i < n && (text[i] == '+' || text[i] == '-'))
	{
		negative = text[i] == '-';
		++i;
	}
	const size_t digitsStart = i;
	bool anyDigit = false;
	while (i < n && isDigit (text[i]))
	{
		++i;
		anyDigit = true;
	}
	if (i < n && text[i] == '.' && i + 1 <= n)
	{
		size_t j = i + 1;
		bool fraction = false;
		while (j < n && isDigit (text[j]))
		{
			++j;
			fraction = true;
		}
		if (fraction || anyDigit)
		{
			i = j;
			anyDigit = anyDigit || fraction;
		}
	}
	if (!anyDigit)
		return std::nullopt;
	// An exponent only counts when digits follow, so "2em" keeps its unit.
	if (i < n && (text[i] == 'e' || text[i] == 'E'))
	{
		size_t j = i + 1;
		if (j < n && (text[j] == '+' || text[j] == '-'))
			++j;
		if (j < n && isDigit (text[j]))
		{
			while (j < n && isDigit (text[j]))
				++j;
			i = j;
		}
	}
	double value = 0.0;
	const auto result = std::from_chars (text.data () + digitsStart, text.data () + i, value);
	pos = i;
	if (result.ec != std::errc () || !std::isfinite (value) ||
	    std::fabs (value) > double (std::numeric_limits<float>::max ()))
		return 0.f;
	return float (negative ? -value : value);
}

float parseNumber (std::string_view text, float fallback)
{
	size_t pos = 0;
	const auto value = readNumber (text, pos);
	return value ? *value : fallback;
}

Unit parseUnitName (std::string_view text)
{
	text = trim (text);
	if (text == "px")
		return Unit::px;
	if (text == "pt")
		return Unit::pt;
	if (text == "pc")
		return Unit::pc;
	if (text == "mm")
		return Unit::mm;
	if (text == "cm")
		return Unit::cm;
	if (text == "in")
		return Unit::in;
	if (text == "%")
		return Unit::percent;
	if (text == "em")
		return Unit::em;
	if (text == "ex")
		return Unit::ex;
	return Unit::user;
}

Length parseLength (std::string_view text)
{
	size_t pos = 0;
	Length length;
	if (const auto value = readNumber (text, pos))
	{
		length.value = *value;
		length.unit = parseUnitName (text.substr (pos));
	}
	return length;
}

float pixelsPerUnit (Unit unit, float dpi, float fontSize)
{
	switch (unit)
	{
	case Unit::pt:
		return dpi / 72.f;
	case Unit::pc:
		return dpi / 6.f;
	case Unit::mm:
		return dpi / 25.4f;
	case Unit::cm:
		return dpi / 2.54f;
	case Unit::in:
		return dpi;
	case Unit::em:
		return fontSize;
	case Unit::ex:
		return fontSize * 0.52f;
	default:
		return 1.f;
	}
}

float parseOpacity (std::string_view text, float fallback)
{
	const Length length = parseLength (text);
	size_t pos = 0;
	if (!readNumber (text, pos))
		return fallback;
	float value = length.unit == Unit::percent ? length.value / 100.f : length.value;
	return value < 0.f ? 0.f : (value > 1.f ? 1.f : value);
}

unsigned char parsePaintOrder (std::string_view text)
{
	constexpr auto pack = [] (int first, int second, int third)
	{ return static_cast<unsigned char> (first | second << 2 | third << 4); };
	const struct
	{
		std::string_view text;
		unsigned char order;
	} orders[] = {
	    {"fill stroke markers", pack (NSVG_PAINT_FILL, NSVG_PAINT_STROKE, NSVG_PAINT_MARKERS)},
	    {"fill markers stroke", pack (NSVG_PAINT_FILL, NSVG_PAINT_MARKERS, NSVG_PAINT_STROKE)},
	    {"markers fill stroke", pack (NSVG_PAINT_MARKERS, NSVG_PAINT_FILL, NSVG_PAINT_STROKE)},
	    {"markers stroke fill", pack (NSVG_PAINT_MARKERS, NSVG_PAINT_STROKE, NSVG_PAINT_FILL)},
	    {"stroke fill markers", pack (NSVG_PAINT_STROKE, NSVG_PAINT_FILL, NSVG_PAINT_MARKERS)},
	    {"stroke markers fill", pack (NSVG_PAINT_STROKE, NSVG_PAINT_MARKERS, NSVG_PAINT_FILL)},
	};
	for (const auto& order : orders)
		if (text == order.text)
			return order.order;
	return defaultPaintOrder; // also "normal"
}

std::optional<uint32_t> parseColor (std::string_view text)
{
	text = trim (text);
	if (text.empty ())
		return std::nullopt;
	if (text.front () == '#')
	{
		const std::string_view hex = text.substr (1);
		int digits[6];
		if (hex.size () != 3 && hex.size () != 6)
			return std::nullopt;
		for (size_t i = 0; i < hex.size (); ++i)
			if ((digits[i] = hexDigit (hex[i])) < 0)
				return std::nullopt;
		uint32_t r, g, b;
		if (hex.size () == 3)
		{
			r = uint32_t (digits[0] * 17);
			g = uint32_t (digits[1] * 17);
			b = uint32_t (digits[2] * 17);
		}
		else
		{
			r = uint32_t (digits[0] * 16 + digits[1]);
			g = uint32_t (digits[2] * 16 + digits[3]);
			b = uint32_t (digits[4] * 16 + digits[5]);
		}
		return r | (g << 8) | (b << 16);
	}
	if (text.size () > 4 && equalsIgnoringCase (text.substr (0, 4), "rgb("))
	{
		size_t pos = 4;
		uint32_t channels[3];
		for (uint32_t& channel : channels)
		{
			const auto value = readNumber (text, pos);
			if (!value)
				return std::nullopt;
			float v = *value;
			if (pos < text.size () && text[pos] == '%')
			{
				v = v * 255.f / 100.f;
				++pos;
			}
			v = std::round (v);
			channel = uint32_t (v < 0.f ? 0.f : (v > 255.f ? 255.f : v));
		}
		return channels[0] | (channels[1] << 8) | (channels[2] << 16);
	}
	return namedColor (text);
}

Affine parseTransform (std::string_view text)
{
	Affine result = identityAffine ();
	size_t pos = 0;
	const size_t n = text.size ();
	while (pos < n)
	{
		while (pos < n && (isSpace (text[pos]) || text[pos] == ','))
			++pos;
		const size_t nameStart = pos;
		while (pos < n && ((text[pos] >= 'a' && text[pos] <= 'z') || (text[pos] >= 'A' && text[pos] <= 'Z')))
			++pos;
		const std::string_view name = text.substr (nameStart, pos - nameStart);
		if (name.empty ())
			break;
		while (pos < n && isSpace (text[pos]))
			++pos;
		if (pos >= n || text[pos] != '(')
			break;
		++pos;
		float args[6] = {};
		int count = 0;
		while (count < 6)
		{
			const auto value = readNumber (text, pos);
			if (!value)
				break;
			args[count++] = *value;
		}
		while (pos < n && isSpace (text[pos]))
			++pos;
		if (pos >= n || text[pos] != ')')
			break;
		++pos;

		Affine t = identityAffine ();
		constexpr float degrees = 3.14159265358979323846f / 180.f;
		if (name == "matrix" && count == 6)
			t = {args[0], args[1], args[2], args[3], args[4], args[5]};
		else if (name == "translate" && (count == 1 || count == 2))
			t = {1.f, 0.f, 0.f, 1.f, args[0], count == 2 ? args[1] : 0.f};
		else if (name == "scale" && (count == 1 || count == 2))
			t = {args[0], 0.f, 0.f, count == 2 ? args[1] : args[0], 0.f, 0.f};
		else if (name == "rotate" && (count == 1 || count == 3))
		{
			const float c = std::cos (args[0] * degrees);
			const float s = std::sin (args[0] * degrees);
			t = {c, s, -s, c, 0.f, 0.f};
			if (count == 3)
			{
				// rotate(a, cx, cy) turns about (cx, cy): translate there, rotate, translate back.
				const Affine toOrigin = {1.f, 0.f, 0.f, 1.f, -args[1], -args[2]};
				const Affine back = {1.f, 0.f, 0.f, 1.f, args[1], args[2]};
				t = concatAffine (concatAffine (toOrigin, t), back);
			}
		}
		else if (name == "skewX" && count == 1)
			t = {1.f, 0.f, std::tan (args[0] * degrees), 1.f, 0.f, 0.f};
		else if (name == "skewY" && count == 1)
			t = {1.f, std::tan (args[0] * degrees), 0.f, 1.f, 0.f, 0.f};
		else
			break;
		// Entries to the right act first on the element's points.
		result = concatAffine (t, result);
	}
	return result;
}

std::optional<std::string_view> parseUrlReference (std::string_view text)
{
	text = trim (text);
	if (!text.starts_with ("url("))
		return std::nullopt;
	text.remove_prefix (4);
	const size_t close = text.find (')');
	if (close == std::string_view::npos)
		return std::nullopt;
	text = trim (text.substr (0, close));
	if (!text.empty () && (text.front () == '\'' || text.front () == '"'))
		text.remove_prefix (1);
	if (!text.empty () && (text.back () == '\'' || text.back () == '"'))
		text.remove_suffix (1);
	if (text.empty () || text.front () != '#')
		return std::nullopt;
	return text.substr (1);
}

} // namespace quorvane::svg
