#include "d2dbitmap.h"

#include "../win32factory.h"

#include <objidl.h>

namespace VSTGUI
{
namespace
{

// Direct2D's software targets take at most this many pixels on a side.
constexpr double maxSide = 16384.;

class PixelAccess : public IPlatformBitmapPixelAccess
{
public:
	explicit PixelAccess (COM::Ptr<IWICBitmapLock> lock) : lock (std::move (lock))
	{
		UINT bytes = 0;
		BYTE* data = nullptr;
		if (SUCCEEDED (this->lock->GetDataPointer (&bytes, &data)))
			address = data;
		UINT rowBytes = 0;
		if (SUCCEEDED (this->lock->GetStride (&rowBytes)))
			stride = rowBytes;
	}
	bool valid () const { return address != nullptr && stride != 0; }

	uint8_t* getAddress () const override { return address; }
	uint32_t getBytesPerRow () const override { return stride; }
	PixelFormat getPixelFormat () const override { return kBGRA; }

private:
	COM::Ptr<IWICBitmapLock> lock;
	uint8_t* address{nullptr};
	uint32_t stride{0};
};

} // namespace

D2DBitmap::D2DBitmap (const CPoint& requested) : size (requested)
{
	auto* wic = Win32::getWICImagingFactory ();
	if (!wic || !(size.x >= 1.) || !(size.y >= 1.) || !(size.x <= maxSide) || !(size.y <= maxSide))
		return;
	const UINT width = static_cast<UINT> (size.x);
	const UINT height = static_cast<UINT> (size.y);
	// WIC bitmaps start zeroed: fully transparent.
	if (FAILED (wic->CreateBitmap (width, height, GUID_WICPixelFormat32bppPBGRA, WICBitmapCacheOnLoad, bitmap.put ())))
		bitmap.reset ();
	size = CPoint (width, height);
}

SharedPointer<IPlatformBitmapPixelAccess> D2DBitmap::lockPixels (bool alphaPremultiplied)
{
	if (!bitmap)
		return nullptr;
	WICRect all{0, 0, static_cast<INT> (size.x), static_cast<INT> (size.y)};
	COM::Ptr<IWICBitmapLock> lock;
	if (FAILED (bitmap->Lock (&all, WICBitmapLockRead | WICBitmapLockWrite, lock.put ())))
		return nullptr;
	auto access = owned (new PixelAccess (std::move (lock)));
	if (!access->valid ())
		return nullptr;
	return SharedPointer<IPlatformBitmapPixelAccess> (access);
}

PNGBitmapBuffer D2DBitmap::encodePNG () const
{
	PNGBitmapBuffer buffer;
	auto* wic = Win32::getWICImagingFactory ();
	if (!bitmap || !wic)
		return buffer;
	COM::Ptr<IStream> stream;
	COM::Ptr<IWICBitmapEncoder> encoder;
	COM::Ptr<IWICBitmapFrameEncode> frame;
	if (FAILED (CreateStreamOnHGlobal (nullptr, TRUE, stream.put ())) ||
	    FAILED (wic->CreateEncoder (GUID_ContainerFormatPng, nullptr, encoder.put ())) ||
	    FAILED (encoder->Initialize (stream.get (), WICBitmapEncoderNoCache)) ||
	    FAILED (encoder->CreateNewFrame (frame.put (), nullptr)) || FAILED (frame->Initialize (nullptr)))
		return buffer;
	// PNG stores straight alpha; the encoder converts from the premultiplied pixels.
	WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
	if (FAILED (frame->SetSize (static_cast<UINT> (size.x), static_cast<UINT> (size.y))) ||
	    FAILED (frame->SetPixelFormat (&format)))
		return buffer;
	COM::Ptr<IWICFormatConverter> converter;
	if (FAILED (wic->CreateFormatConverter (converter.put ())) ||
	    FAILED (converter->Initialize (bitmap.get (), format, WICBitmapDitherTypeNone, nullptr, 0.,
	                                   WICBitmapPaletteTypeCustom)) ||
	    FAILED (frame->WriteSource (converter.get (), nullptr)) || FAILED (frame->Commit ()) ||
	    FAILED (encoder->Commit ()))
		return buffer;
	STATSTG stat{};
	if (FAILED (stream->Stat (&stat, STATFLAG_NONAME)))
		return buffer;
	buffer.resize (static_cast<size_t> (stat.cbSize.QuadPart));
	LARGE_INTEGER start{};
	ULONG read = 0;
	if (FAILED (stream->Seek (start, STREAM_SEEK_SET, nullptr)) ||
	    FAILED (stream->Read (buffer.data (), static_cast<ULONG> (buffer.size ()), &read)) || read != buffer.size ())
		buffer.clear ();
	return buffer;
}

SharedPointer<IPlatformBitmap> IPlatformBitmap::create (CPoint* size)
{
	if (!size)
		return nullptr;
	auto bitmap = owned (new D2DBitmap (*size));
	if (!bitmap->valid ())
		return nullptr;
	return SharedPointer<IPlatformBitmap> (bitmap);
}

PNGBitmapBuffer IPlatformBitmap::createMemoryPNGRepresentation (const SharedPointer<IPlatformBitmap>& bitmap)
{
	if (auto* d2dBitmap = dynamic_cast<D2DBitmap*> (bitmap.get ()))
		return d2dBitmap->encodePNG ();
	return {};
}

} // namespace VSTGUI
