// The Win32 back end's bitmap: a WIC bitmap of 32-bit premultiplied BGRA pixels that Direct2D draws into.
#pragma once

#include "../../iplatformbitmap.h"
#include "../comptr.h"

#include <wincodec.h>

namespace VSTGUI
{

class D2DBitmap : public IPlatformBitmap
{
public:
	// A transparent image of `size` device pixels; check valid () before use.
	explicit D2DBitmap (const CPoint& size);
	~D2DBitmap () noexcept override = default;

	bool valid () const { return static_cast<bool> (bitmap); }
	IWICBitmap* getBitmap () const { return bitmap.get (); }

	const CPoint& getSize () const override { return size; }
	// Null while a draw context is drawing into the bitmap.
	SharedPointer<IPlatformBitmapPixelAccess> lockPixels (bool alphaPremultiplied) override;
	void setScaleFactor (double factor) override { scaleFactor = factor; }
	double getScaleFactor () const override { return scaleFactor; }

	PNGBitmapBuffer encodePNG () const;

private:
	COM::Ptr<IWICBitmap> bitmap;
	CPoint size;
	double scaleFactor = 1.;
};

} // namespace VSTGUI
