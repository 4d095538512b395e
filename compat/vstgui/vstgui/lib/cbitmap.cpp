#include "cbitmap.h"

#include <cmath>

namespace VSTGUI
{

CBitmap::CBitmap (CCoord width, CCoord height, double scaleFactor)
{
	if (!(scaleFactor > 0.) || !std::isfinite (scaleFactor))
		scaleFactor = 1.;
	CPoint size (std::ceil (width * scaleFactor), std::ceil (height * scaleFactor));
	platformBitmap = IPlatformBitmap::create (&size);
	if (platformBitmap)
		platformBitmap->setScaleFactor (scaleFactor);
}

CBitmap::CBitmap (const PlatformBitmapPtr& platformBitmap) : platformBitmap (platformBitmap) {}

CCoord CBitmap::getWidth () const
{
	return platformBitmap ? platformBitmap->getSize ().x / platformBitmap->getScaleFactor () : 0.;
}

CCoord CBitmap::getHeight () const
{
	return platformBitmap ? platformBitmap->getSize ().y / platformBitmap->getScaleFactor () : 0.;
}

SharedPointer<CBitmapPixelAccess> CBitmapPixelAccess::create (CBitmap* bitmap, bool alphaPremultiplied)
{
	if (!bitmap || !bitmap->getPlatformBitmap ())
		return nullptr;
	auto access = bitmap->getPlatformBitmap ()->lockPixels (true);
	if (!access)
		return nullptr;
	auto result = owned (new CBitmapPixelAccess ());
	result->bitmap = bitmap;
	result->pixelAccess = access;
	result->premultiplied = alphaPremultiplied;
	result->width = static_cast<uint32_t> (bitmap->getPlatformBitmap ()->getSize ().x);
	result->height = static_cast<uint32_t> (bitmap->getPlatformBitmap ()->getSize ().y);
	return result;
}

bool CBitmapPixelAccess::setPosition (uint32_t newX, uint32_t newY)
{
	if (newX >= width || newY >= height)
		return false;
	x = newX;
	y = newY;
	return true;
}

bool CBitmapPixelAccess::operator++ ()
{
	if (x + 1 < width)
		return setPosition (x + 1, y);
	return setPosition (0, y + 1);
}

uint8_t* CBitmapPixelAccess::pixel () const
{
	return pixelAccess->getAddress () + size_t (y) * pixelAccess->getBytesPerRow () + size_t (x) * 4;
}

void CBitmapPixelAccess::getColor (CColor& c) const
{
	const uint8_t* p = pixel ();
	uint8_t r, g, b, a;
	switch (pixelAccess->getPixelFormat ())
	{
	case IPlatformBitmapPixelAccess::kARGB:
		a = p[0], r = p[1], g = p[2], b = p[3];
		break;
	case IPlatformBitmapPixelAccess::kRGBA:
		r = p[0], g = p[1], b = p[2], a = p[3];
		break;
	case IPlatformBitmapPixelAccess::kABGR:
		a = p[0], b = p[1], g = p[2], r = p[3];
		break;
	default:
		b = p[0], g = p[1], r = p[2], a = p[3];
		break;
	}
	if (!premultiplied && a != 0 && a != 255)
	{
		auto straight = [a] (uint8_t v) { return uint8_t (std::min (255, (v * 255 + a / 2) / a)); };
		r = straight (r);
		g = straight (g);
		b = straight (b);
	}
	c = CColor (r, g, b, a);
}

void CBitmapPixelAccess::setColor (const CColor& c)
{
	uint8_t r = c.red, g = c.green, b = c.blue;
	const uint8_t a = c.alpha;
	if (!premultiplied)
	{
		auto times = [a] (uint8_t v) { return uint8_t ((v * a + 127) / 255); };
		r = times (r);
		g = times (g);
		b = times (b);
	}
	uint8_t* p = pixel ();
	switch (pixelAccess->getPixelFormat ())
	{
	case IPlatformBitmapPixelAccess::kARGB:
		p[0] = a, p[1] = r, p[2] = g, p[3] = b;
		break;
	case IPlatformBitmapPixelAccess::kRGBA:
		p[0] = r, p[1] = g, p[2] = b, p[3] = a;
		break;
	case IPlatformBitmapPixelAccess::kABGR:
		p[0] = a, p[1] = b, p[2] = g, p[3] = r;
		break;
	default:
		p[0] = b, p[1] = g, p[2] = r, p[3] = a;
		break;
	}
}

} // namespace VSTGUI
