#include "artwork/ArtworkRender.h"

#include "editor/DrawSvgImage.h"

#include "vstgui/lib/cbitmap.h"

#include <nanosvg.h>

#include <fstream>

using namespace VSTGUI;

ArtworkCanvas::ArtworkCanvas (int width, int height)
    : canvasWidth (width), canvasHeight (height), context (COffscreenContext::create (CPoint (width, height)))
{
}

bool ArtworkCanvas::draw (const char* document, const CRect& rect, bool stretch, const CGraphicsTransform& transform)
{
	if (!context)
		return false;
	std::string copy (document);
	NSVGimage* image = nsvgParse (copy.data (), "px", 96.0f);
	if (!image)
		return false;
	context->beginDraw ();
	drawSvgImage (context, image, rect, stretch, transform);
	context->endDraw ();
	nsvgDelete (image);
	return true;
}

void ArtworkCanvas::fill (const CRect& rect, const CColor& colour)
{
	if (!context)
		return;
	context->beginDraw ();
	context->setFillColor (colour);
	context->drawRect (rect, kDrawFilled);
	context->endDraw ();
}

StraightPixel ArtworkCanvas::pixel (int x, int y) const
{
	StraightPixel result;
	if (!context || x < 0 || y < 0)
		return result;
	auto access = CBitmapPixelAccess::create (context->getBitmap (), false);
	if (!access || !access->setPosition (static_cast<uint32_t> (x), static_cast<uint32_t> (y)))
		return result;
	CColor c;
	access->getColor (c);
	result.r = c.red;
	result.g = c.green;
	result.b = c.blue;
	result.a = c.alpha;
	return result;
}

bool ArtworkCanvas::savePng (const std::string& path) const
{
	if (!context)
		return false;
	const auto png = IPlatformBitmap::createMemoryPNGRepresentation (context->getBitmap ()->getPlatformBitmap ());
	if (png.empty ())
		return false;
	std::ofstream out (path, std::ios::binary);
	out.write (reinterpret_cast<const char*> (png.data ()), static_cast<std::streamsize> (png.size ()));
	return static_cast<bool> (out);
}
