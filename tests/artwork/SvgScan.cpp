#include "artwork/SvgScan.h"

#include <cctype>

std::string SvgElement::get (const std::string& attribute) const
{
	auto it = attributes.find (attribute);
	return it == attributes.end () ? std::string () : it->second;
}

std::string SvgElement::style (const std::string& property) const
{
	const std::string text = get ("style");
	size_t pos = 0;
	while (pos < text.size ())
	{
		size_t end = text.find (';', pos);
		if (end == std::string::npos)
			end = text.size ();
		const std::string item = text.substr (pos, end - pos);
		const size_t colon = item.find (':');
		if (colon != std::string::npos && item.substr (0, colon) == property)
			return item.substr (colon + 1);
		pos = end + 1;
	}
	return {};
}

namespace
{
bool isNameChar (char c)
{
	return std::isalnum (static_cast<unsigned char> (c)) || c == ':' || c == '-' || c == '_' || c == '.';
}
} // namespace

std::vector<SvgElement> scanSvgElements (const std::string& text, bool* complete)
{
	std::vector<SvgElement> elements;
	int depth = 0;
	size_t pos = 0;
	if (complete)
		*complete = true;
	auto fail = [&] ()
	{
		if (complete)
			*complete = false;
		return elements;
	};
	while ((pos = text.find ('<', pos)) != std::string::npos)
	{
		if (text.compare (pos, 4, "<!--") == 0)
		{
			pos = text.find ("-->", pos);
			if (pos == std::string::npos)
				return fail ();
			pos += 3;
			continue;
		}
		if (text.compare (pos, 2, "<?") == 0)
		{
			pos = text.find ("?>", pos);
			if (pos == std::string::npos)
				return fail ();
			pos += 2;
			continue;
		}
		if (text.compare (pos, 2, "</") == 0)
		{
			--depth;
			pos = text.find ('>', pos);
			if (pos == std::string::npos)
				return fail ();
			++pos;
			continue;
		}
		SvgElement element;
		element.depth = depth;
		++pos;
		while (pos < text.size () && isNameChar (text[pos]))
			element.name += text[pos++];
		if (element.name.empty ())
			return fail ();
		for (;;)
		{
			while (pos < text.size () && std::isspace (static_cast<unsigned char> (text[pos])))
				++pos;
			if (pos >= text.size ())
				return fail ();
			if (text[pos] == '>')
			{
				++pos;
				break;
			}
			if (text.compare (pos, 2, "/>") == 0)
			{
				element.selfClosing = true;
				pos += 2;
				break;
			}
			std::string name;
			while (pos < text.size () && isNameChar (text[pos]))
				name += text[pos++];
			if (name.empty () || pos + 1 >= text.size () || text[pos] != '=' || (text[pos + 1] != '"'))
				return fail ();
			const size_t close = text.find ('"', pos + 2);
			if (close == std::string::npos)
				return fail ();
			element.attributes[name] = text.substr (pos + 2, close - pos - 2);
			pos = close + 1;
		}
		if (!element.selfClosing)
			++depth;
		elements.push_back (std::move (element));
	}
	return elements;
}

std::string pathCommands (const std::string& d)
{
	std::string commands;
	for (char c : d)
		if (std::isalpha (static_cast<unsigned char> (c)))
			commands += c;
	return commands;
}

std::vector<std::string> transformFunctions (const std::string& transform)
{
	std::vector<std::string> names;
	std::string current;
	for (char c : transform)
	{
		if (std::isalpha (static_cast<unsigned char> (c)))
			current += c;
		else
		{
			if (c == '(' && !current.empty ())
				names.push_back (current);
			current.clear ();
		}
	}
	return names;
}
