#include "coffscreencontext.h"

#include "platform/iplatformfactory.h"

#include <cmath>

namespace VSTGUI
{

COffscreenContext::COffscreenContext (CBitmap* bitmap)
    : CDrawContext (CRect (0., 0., bitmap->getWidth (), bitmap->getHeight ())), bitmap (bitmap)
{
}

SharedPointer<COffscreenContext> COffscreenContext::create (const CPoint& size, double scaleFactor)
{
	if (!(size.x > 0.) || !(size.y > 0.) || !std::isfinite (size.x) || !std::isfinite (size.y) || !(scaleFactor > 0.) ||
	    !std::isfinite (scaleFactor))
		return nullptr;
	return getPlatformFactory ().createOffscreenContext (size, scaleFactor);
}

} // namespace VSTGUI
