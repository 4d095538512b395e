#include "cairobitmap.h"

#include <bit>
#include <cmath>

namespace VSTGUI
{
namespace Cairo
{
namespace
{

// Cairo's own limit on image surface sides.
constexpr double maxSide = 32767.;

class PixelAccess : public IPlatformBitmapPixelAccess
{
public:
	PixelAccess (cairo_surface_t* surface) : surface (cairo_surface_reference (surface))
	{
		cairo_surface_flush (surface);
	}
	~PixelAccess () noexcept override
	{
		cairo_surface_mark_dirty (surface);
		cairo_surface_destroy (surface);
	}
	uint8_t* getAddress () const override { return cairo_image_surface_get_data (surface); }
	uint32_t getBytesPerRow () const override { return uint32_t (cairo_image_surface_get_stride (surface)); }
	// Cairo keeps each pixel as a native-endian 32-bit ARGB word.
	PixelFormat getPixelFormat () const override { return std::endian::native == std::endian::little ? kBGRA : kARGB; }

private:
	cairo_surface_t* surface;
};

cairo_status_t appendBytes (void* closure, const unsigned char* data, unsigned int length)
{
	auto* buffer = static_cast<PNGBitmapBuffer*> (closure);
	buffer->insert (buffer->end (), data, data + length);
	return CAIRO_STATUS_SUCCESS;
}

} // namespace

Bitmap::Bitmap (const CPoint& requested) : size (requested)
{
	if (!(size.x >= 1.) || !(size.y >= 1.) || !(size.x <= maxSide) || !(size.y <= maxSide))
		return;
	cairo_surface_t* s = cairo_image_surface_create (CAIRO_FORMAT_ARGB32, int (size.x), int (size.y));
	if (cairo_surface_status (s) != CAIRO_STATUS_SUCCESS)
	{
		cairo_surface_destroy (s);
		return;
	}
	surface = s;
	size = CPoint (double (int (size.x)), double (int (size.y)));
}

Bitmap::~Bitmap () noexcept
{
	if (surface)
		cairo_surface_destroy (surface);
}

SharedPointer<IPlatformBitmapPixelAccess> Bitmap::lockPixels (bool alphaPremultiplied)
{
	if (!surface)
		return nullptr;
	return owned (new PixelAccess (surface));
}

PNGBitmapBuffer Bitmap::encodePNG () const
{
	PNGBitmapBuffer buffer;
	if (!surface)
		return buffer;
	cairo_surface_flush (surface);
	if (cairo_surface_write_to_png_stream (surface, appendBytes, &buffer) != CAIRO_STATUS_SUCCESS)
		buffer.clear ();
	return buffer;
}

} // namespace Cairo

SharedPointer<IPlatformBitmap> IPlatformBitmap::create (CPoint* size)
{
	if (!size)
		return nullptr;
	auto bitmap = owned (new Cairo::Bitmap (*size));
	if (!bitmap->valid ())
		return nullptr;
	return SharedPointer<IPlatformBitmap> (bitmap);
}

PNGBitmapBuffer IPlatformBitmap::createMemoryPNGRepresentation (const SharedPointer<IPlatformBitmap>& bitmap)
{
	if (auto* cairoBitmap = dynamic_cast<Cairo::Bitmap*> (bitmap.get ()))
		return cairoBitmap->encodePNG ();
	return {};
}

} // namespace VSTGUI
