#include "ParsedSvg.h"

#include "DrawSvgImage.h"

#include <utility>

ParsedSvg::ParsedSvg (const char* document) : present (document != nullptr), original (document ? document : "")
{
	parse ();
}

ParsedSvg::ParsedSvg (const ParsedSvg& other) : present (other.present), original (other.original)
{
	parse ();
}

ParsedSvg::ParsedSvg (ParsedSvg&& other) noexcept
    : present (other.present), original (std::move (other.original)), buffer (std::move (other.buffer)),
      parsed (std::exchange (other.parsed, nullptr))
{
}

ParsedSvg::~ParsedSvg () noexcept
{
	nsvgDelete (parsed);
}

void ParsedSvg::parse ()
{
	if (!present)
		return;
	buffer = original;
	parsed = nsvgParse (buffer.data (), "px", 96.f);
}

void ParsedSvg::draw (VSTGUI::CDrawContext* context, const VSTGUI::CRect& rect, bool stretch,
                      const VSTGUI::CGraphicsTransform& transform) const
{
	if (parsed)
		drawSvgImage (context, parsed, rect, stretch, transform);
}
