// One SVG document owned by a view: the parsed image and the text it came from. The parser writes into the
// text it parses, so an unaltered copy is kept as well; a copy of a ParsedSvg parses that copy anew and
// owns its own image, and every image is freed exactly once.
#pragma once

#include "nanosvg.h"
#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/cgraphicstransform.h"
#include "vstgui/lib/crect.h"

#include <string>

class ParsedSvg
{
public:
	/** Parses `document` (NUL-terminated; the caller keeps it) in pixels at 96 dots per inch. A null
	    document gives no image. */
	explicit ParsedSvg (const char* document);
	ParsedSvg (const ParsedSvg& other);
	ParsedSvg (ParsedSvg&& other) noexcept;
	ParsedSvg& operator= (const ParsedSvg&) = delete;
	ParsedSvg& operator= (ParsedSvg&&) = delete;
	~ParsedSvg () noexcept;

	/** The parsed document; null when there was no document or the parser ran out of memory. */
	NSVGimage* image () const { return parsed; }

	/** drawSvgImage with this document; without an image nothing is drawn (the drawing routine needs one). */
	void draw (VSTGUI::CDrawContext* context, const VSTGUI::CRect& rect, bool stretch,
	           const VSTGUI::CGraphicsTransform& transform = {}) const;

private:
	void parse ();

	bool present;
	std::string original; // the document as given, never handed to the parser
	std::string buffer;   // the parser's working copy, altered by it
	NSVGimage* parsed{nullptr};
};
