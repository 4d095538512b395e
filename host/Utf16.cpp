#include "host/Utf16.h"

namespace QuorvaneHost
{

namespace
{

void appendUtf8 (std::string& out, char32_t code)
{
	if (code < 0x80)
		out += static_cast<char> (code);
	else if (code < 0x800)
	{
		out += static_cast<char> (0xC0 | (code >> 6));
		out += static_cast<char> (0x80 | (code & 0x3F));
	}
	else if (code < 0x10000)
	{
		out += static_cast<char> (0xE0 | (code >> 12));
		out += static_cast<char> (0x80 | ((code >> 6) & 0x3F));
		out += static_cast<char> (0x80 | (code & 0x3F));
	}
	else
	{
		out += static_cast<char> (0xF0 | (code >> 18));
		out += static_cast<char> (0x80 | ((code >> 12) & 0x3F));
		out += static_cast<char> (0x80 | ((code >> 6) & 0x3F));
		out += static_cast<char> (0x80 | (code & 0x3F));
	}
}

} // namespace

std::string utf16ToUtf8 (const Steinberg::char16* text, size_t maxUnits)
{
	std::string out;
	if (!text)
		return out;
	for (size_t i = 0; i < maxUnits && text[i] != 0; ++i)
	{
		const char32_t unit = static_cast<char16_t> (text[i]);
		if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < maxUnits)
		{
			const char32_t low = static_cast<char16_t> (text[i + 1]);
			if (low >= 0xDC00 && low <= 0xDFFF)
			{
				appendUtf8 (out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
				++i;
				continue;
			}
		}
		if (unit >= 0xD800 && unit <= 0xDFFF)
			appendUtf8 (out, 0xFFFD);
		else
			appendUtf8 (out, unit);
	}
	return out;
}

} // namespace QuorvaneHost
