// A draw context that paints into a bitmap instead of a window.
#pragma once

#include "cbitmap.h"
#include "cdrawcontext.h"

namespace VSTGUI
{

class COffscreenContext : public CDrawContext
{
public:
	// A transparent surface of `size` view units; the bitmap has size × scaleFactor device pixels (rounded
	// up). Null for an empty, non-finite or too large size.
	static SharedPointer<COffscreenContext> create (const CPoint& size, double scaleFactor = 1.);

	CBitmap* getBitmap () const { return bitmap; }
	CCoord getWidth () const { return surfaceRect.getWidth (); }
	CCoord getHeight () const { return surfaceRect.getHeight (); }

protected:
	explicit COffscreenContext (const CRect& surfaceRect) : CDrawContext (surfaceRect) {}
	explicit COffscreenContext (CBitmap* bitmap);
	~COffscreenContext () noexcept override = default;

	SharedPointer<CBitmap> bitmap;
};

} // namespace VSTGUI
