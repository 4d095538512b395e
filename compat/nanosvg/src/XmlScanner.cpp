#include "XmlScanner.h"

namespace quorvane::svg
{
namespace
{

bool isSpace (char c)
{
	return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isNameEnd (char c)
{
	return isSpace (c) || c == '>' || c == '/' || c == '=';
}

// Position just past `terminator`, or the end of the text when it never comes.
size_t skipPast (std::string_view text, size_t from, std::string_view terminator)
{
	const size_t at = text.find (terminator, from);
	return at == std::string_view::npos ? text.size () : at + terminator.size ();
}

// A declaration such as <!DOCTYPE ... [ ... ]> may hold brackets with '>' inside them.
size_t skipDeclaration (std::string_view text, size_t from)
{
	int depth = 0;
	for (size_t i = from; i < text.size (); ++i)
	{
		const char c = text[i];
		if (c == '[')
			++depth;
		else if (c == ']' && depth > 0)
			--depth;
		else if (c == '>' && depth == 0)
			return i + 1;
	}
	return text.size ();
}

} // namespace

void scanXml (std::string_view text, XmlHandler& handler)
{
	std::vector<XmlAttribute> attributes;
	size_t i = 0;
	const size_t n = text.size ();
	while (i < n)
	{
		if (text[i] != '<')
		{
			const size_t next = text.find ('<', i);
			i = next == std::string_view::npos ? n : next;
			continue;
		}
		const std::string_view rest = text.substr (i);
		if (rest.starts_with ("<!--"))
		{
			i = skipPast (text, i + 4, "-->");
			continue;
		}
		if (rest.starts_with ("<![CDATA["))
		{
			i = skipPast (text, i + 9, "]]>");
			continue;
		}
		if (rest.starts_with ("<!"))
		{
			i = skipDeclaration (text, i + 2);
			continue;
		}
		if (rest.starts_with ("<?"))
		{
			i = skipPast (text, i + 2, "?>");
			continue;
		}

		++i;
		const bool closing = i < n && text[i] == '/';
		if (closing)
			++i;
		while (i < n && isSpace (text[i]))
			++i;
		const size_t nameStart = i;
		while (i < n && !isNameEnd (text[i]))
			++i;
		const std::string_view name = text.substr (nameStart, i - nameStart);

		attributes.clear ();
		bool selfClosing = false;
		bool ended = false;
		while (i < n)
		{
			const char c = text[i];
			if (isSpace (c))
			{
				++i;
				continue;
			}
			if (c == '>')
			{
				++i;
				ended = true;
				break;
			}
			if (c == '/')
			{
				++i;
				if (i < n && text[i] == '>')
				{
					++i;
					selfClosing = true;
					ended = true;
					break;
				}
				continue;
			}
			const size_t attrStart = i;
			while (i < n && !isNameEnd (text[i]))
				++i;
			if (i == attrStart)
			{
				++i; // a stray '=' or similar: step over it
				continue;
			}
			const std::string_view attrName = text.substr (attrStart, i - attrStart);
			while (i < n && isSpace (text[i]))
				++i;
			if (i >= n || text[i] != '=')
				continue; // attribute without a value carries nothing
			++i;
			while (i < n && isSpace (text[i]))
				++i;
			if (i >= n)
				break;
			std::string_view value;
			if (text[i] == '"' || text[i] == '\'')
			{
				const char quote = text[i++];
				const size_t valueStart = i;
				const size_t close = text.find (quote, i);
				const size_t valueEnd = close == std::string_view::npos ? n : close;
				value = text.substr (valueStart, valueEnd - valueStart);
				i = valueEnd == n ? n : valueEnd + 1;
			}
			else
			{
				const size_t valueStart = i;
				while (i < n && !isSpace (text[i]) && text[i] != '>')
					++i;
				value = text.substr (valueStart, i - valueStart);
			}
			attributes.push_back ({attrName, value});
		}
		// A tag cut off by the end of the text is dropped: its attributes may be incomplete.
		if (!ended || name.empty ())
			continue;
		if (closing)
			handler.endElement (name);
		else
		{
			handler.startElement (name, attributes);
			if (selfClosing)
				handler.endElement (name);
		}
	}
}

} // namespace quorvane::svg
