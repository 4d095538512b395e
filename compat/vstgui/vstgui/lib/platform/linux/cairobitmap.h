// The cairo back end's bitmap: a 32-bit premultiplied ARGB cairo image surface.
#pragma once

#include "../iplatformbitmap.h"

#include <cairo.h>

namespace VSTGUI
{
namespace Cairo
{

class Bitmap : public IPlatformBitmap
{
public:
	// A transparent image of `size` device pixels; check valid () before use.
	explicit Bitmap (const CPoint& size);
	~Bitmap () noexcept override;

	bool valid () const { return surface != nullptr; }
	cairo_surface_t* getSurface () const { return surface; }

	const CPoint& getSize () const override { return size; }
	SharedPointer<IPlatformBitmapPixelAccess> lockPixels (bool alphaPremultiplied) override;
	void setScaleFactor (double factor) override { scaleFactor = factor; }
	double getScaleFactor () const override { return scaleFactor; }

	PNGBitmapBuffer encodePNG () const;

private:
	cairo_surface_t* surface = nullptr;
	CPoint size;
	double scaleFactor = 1.;
};

} // namespace Cairo
} // namespace VSTGUI
