// The back end's pixel image behind a CBitmap, and raw access to its pixels.
#pragma once

#include "../cpoint.h"
#include "../vstguifwd.h"

#include <cstdint>
#include <vector>

namespace VSTGUI
{

using PNGBitmapBuffer = std::vector<uint8_t>;

class IPlatformBitmap : public AtomicReferenceCounted
{
public:
	// A bitmap of `size` device pixels that can be drawn into; null when the size is unusable.
	static SharedPointer<IPlatformBitmap> create (CPoint* size = nullptr);
	// The bitmap encoded as PNG; empty when it cannot be encoded.
	static PNGBitmapBuffer createMemoryPNGRepresentation (const SharedPointer<IPlatformBitmap>& bitmap);

	// Size in device pixels.
	virtual const CPoint& getSize () const = 0;
	virtual SharedPointer<IPlatformBitmapPixelAccess> lockPixels (bool alphaPremultiplied) = 0;
	virtual void setScaleFactor (double factor) = 0;
	virtual double getScaleFactor () const = 0;
};

class IPlatformBitmapPixelAccess : public AtomicReferenceCounted
{
public:
	// Byte order of one 32-bit pixel in memory.
	enum PixelFormat
	{
		kARGB,
		kRGBA,
		kABGR,
		kBGRA
	};

	virtual uint8_t* getAddress () const = 0;
	virtual uint32_t getBytesPerRow () const = 0;
	virtual PixelFormat getPixelFormat () const = 0;
};

} // namespace VSTGUI
