// A forgiving, non-validating scanner over XML text: reports start tags with their attributes and end tags.
#pragma once

#include <string_view>
#include <vector>

namespace quorvane::svg
{

struct XmlAttribute
{
	std::string_view name;
	std::string_view value;
};

class XmlHandler
{
public:
	virtual ~XmlHandler () = default;
	virtual void startElement (std::string_view name, const std::vector<XmlAttribute>& attributes) = 0;
	virtual void endElement (std::string_view name) = 0;
};

// Walks the text once; comments, processing instructions, declarations and CDATA are skipped, character
// data is ignored, and a truncated document simply ends. Never reads past `text`'s end.
void scanXml (std::string_view text, XmlHandler& handler);

} // namespace quorvane::svg
