// The Win32 platform factory: Win32 child windows inside a host window, the offscreen frame without one;
// drawing with Direct2D into WIC bitmaps.
#include "win32factory.h"

#include "../iplatformfactory.h"
#include "../iplatformframe.h"
#include "../offscreen/offscreenframe.h"
#include "../offscreen/offscreentimer.h"
#include "comptr.h"
#include "direct2d/d2dbitmap.h"
#include "direct2d/d2ddrawcontext.h"
#include "win32frame.h"
#include "wintimer.h"

#include <d2d1.h>
#include <wincodec.h>

#include <memory>

namespace VSTGUI
{
namespace Win32
{
namespace
{

int32_t& frames ()
{
	static int32_t count = 0;
	return count;
}

HINSTANCE thisModule ()
{
	HMODULE module = nullptr;
	GetModuleHandleExW (GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
	                    reinterpret_cast<LPCWSTR> (&thisModule), &module);
	return module;
}

class Win32Factory : public IPlatformFactory
{
public:
	explicit Win32Factory (HINSTANCE instance) : instance (instance ? instance : thisModule ())
	{
		// WIC is a COM server; a host that already set up COM on this thread keeps its own mode.
		const HRESULT com = CoInitializeEx (nullptr, COINIT_APARTMENTTHREADED);
		comInitialized = SUCCEEDED (com);
		D2D1_FACTORY_OPTIONS options{D2D1_DEBUG_LEVEL_NONE};
		if (FAILED (D2D1CreateFactory (D2D1_FACTORY_TYPE_SINGLE_THREADED, __uuidof(ID2D1Factory), &options,
		                               reinterpret_cast<void**> (d2d.put ()))))
			d2d.reset ();
		if (FAILED (CoCreateInstance (CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
		                              reinterpret_cast<void**> (wic.put ()))))
			wic.reset ();
	}

	~Win32Factory () noexcept override
	{
		wic.reset ();
		d2d.reset ();
		if (comInitialized)
			CoUninitialize ();
	}

	HINSTANCE getInstance () const { return instance; }
	ID2D1Factory* getD2D () const { return d2d.get (); }
	IWICImagingFactory* getWIC () const { return wic.get (); }

	uint64_t getTicks () const noexcept override { return GetTickCount64 (); }

	PlatformFramePtr createFrame (IPlatformFrameCallback* frame, const CRect& size, void* parent,
	                              PlatformType parentType, IPlatformFrameConfig* config) const noexcept override
	{
		if (parent == nullptr)
			return makeOwned<OffscreenPlatformFrame> (frame, size);
		return createWin32PlatformFrame (frame, size, static_cast<HWND> (parent), parentType);
	}

	PlatformTimerPtr createTimer (IPlatformTimerCallback* callback) const noexcept override
	{
		if (openFrameCount () > 0)
			return createWin32PlatformTimer (callback);
		return Offscreen::createTimer (callback);
	}

	SharedPointer<COffscreenContext> createOffscreenContext (const CPoint& size,
	                                                         double scaleFactor) const noexcept override
	{
		auto bitmap = makeOwned<CBitmap> (size.x, size.y, scaleFactor);
		if (!bitmap->getPlatformBitmap ())
			return nullptr;
		auto context = owned (new D2DDrawContext (bitmap));
		if (!context->valid ())
			return nullptr;
		return SharedPointer<COffscreenContext> (context);
	}

private:
	HINSTANCE instance;
	COM::Ptr<ID2D1Factory> d2d;
	COM::Ptr<IWICImagingFactory> wic;
	bool comInitialized{false};
};

const Win32Factory& factory ()
{
	return static_cast<const Win32Factory&> (getPlatformFactory ());
}

} // namespace

HINSTANCE getInstance ()
{
	return factory ().getInstance ();
}

ID2D1Factory* getD2DFactory ()
{
	return factory ().getD2D ();
}

IWICImagingFactory* getWICImagingFactory ()
{
	return factory ().getWIC ();
}

void frameOpened ()
{
	++frames ();
}

void frameClosed ()
{
	if (frames () > 0)
		--frames ();
}

int32_t openFrameCount ()
{
	return frames ();
}

} // namespace Win32

std::unique_ptr<IPlatformFactory> createPlatformFactory (PlatformInstanceHandle instance)
{
	return std::make_unique<Win32::Win32Factory> (static_cast<HINSTANCE> (instance));
}

} // namespace VSTGUI
