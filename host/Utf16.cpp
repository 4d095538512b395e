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

std::u16string utf8ToUtf16 (const std::string& text)
{
	std::u16string out;
	const auto byteAt = [&text] (size_t i) { return static_cast<unsigned char> (text[i]); };
	for (size_t i = 0; i < text.size ();)
	{
		const unsigned char lead = byteAt (i);
		int length = 0;
		char32_t code = 0;
		char32_t minimum = 0;
		if (lead < 0x80)
		{
			length = 1;
			code = lead;
		}
		else if ((lead & 0xE0) == 0xC0)
		{
			length = 2;
			code = lead & 0x1F;
			minimum = 0x80;
		}
		else if ((lead & 0xF0) == 0xE0)
		{
			length = 3;
			code = lead & 0x0F;
			minimum = 0x800;
		}
		else if ((lead & 0xF8) == 0xF0)
		{
			length = 4;
			code = lead & 0x07;
			minimum = 0x10000;
		}
		bool valid = length > 0 && i + static_cast<size_t> (length) <= text.size ();
		for (int k = 1; valid && k < length; ++k)
		{
			const unsigned char next = byteAt (i + static_cast<size_t> (k));
			valid = (next & 0xC0) == 0x80;
			code = (code << 6) | (next & 0x3F);
		}
		if (valid && (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) || code == 0))
			valid = false;
		if (!valid)
		{
			out += char16_t (0xFFFD);
			++i;
			continue;
		}
		if (code >= 0x10000)
		{
			code -= 0x10000;
			out += static_cast<char16_t> (0xD800 + (code >> 10));
			out += static_cast<char16_t> (0xDC00 + (code & 0x3FF));
		}
		else
			out += static_cast<char16_t> (code);
		i += static_cast<size_t> (length);
	}
	return out;
}

} // namespace QuorvaneHost
