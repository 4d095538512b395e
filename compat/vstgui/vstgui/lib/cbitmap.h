// A pixel image (CBitmap) and per-pixel reading and writing of one (CBitmapPixelAccess).
#pragma once

#include "ccolor.h"
#include "cpoint.h"
#include "platform/iplatformbitmap.h"
#include "vstguibase.h"

namespace VSTGUI
{

using PlatformBitmapPtr = SharedPointer<IPlatformBitmap>;

class CBitmap : public CBaseObject
{
public:
	// A transparent bitmap of width × height view units at the given device scale.
	CBitmap (CCoord width, CCoord height, double scaleFactor = 1.);
	explicit CBitmap (const PlatformBitmapPtr& platformBitmap);
	~CBitmap () noexcept override = default;

	// Size in view units (device pixels divided by the scale factor).
	CCoord getWidth () const;
	CCoord getHeight () const;
	CPoint getSize () const { return {getWidth (), getHeight ()}; }

	const PlatformBitmapPtr& getPlatformBitmap () const { return platformBitmap; }

private:
	PlatformBitmapPtr platformBitmap;
};

class CBitmapPixelAccess : public AtomicReferenceCounted
{
public:
	// Null when the bitmap has no pixels to reach. Premultiplied access reads and writes the stored values;
	// otherwise colours are converted from and to straight alpha.
	static SharedPointer<CBitmapPixelAccess> create (CBitmap* bitmap, bool alphaPremultiplied = true);

	// Coordinates in device pixels; false (and no move) outside the bitmap.
	bool setPosition (uint32_t x, uint32_t y);
	// Steps to the next pixel in reading order; false after the last one.
	bool operator++ ();
	uint32_t getX () const { return x; }
	uint32_t getY () const { return y; }
	void getColor (CColor& c) const;
	void setColor (const CColor& c);
	uint32_t getBitmapWidth () const { return width; }
	uint32_t getBitmapHeight () const { return height; }

	~CBitmapPixelAccess () noexcept override = default;

private:
	CBitmapPixelAccess () = default;
	uint8_t* pixel () const;

	SharedPointer<CBitmap> bitmap;
	SharedPointer<IPlatformBitmapPixelAccess> pixelAccess;
	bool premultiplied = true;
	uint32_t x = 0, y = 0, width = 0, height = 0;
};

} // namespace VSTGUI
