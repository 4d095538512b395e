// Forward declarations of the GUI library's drawing classes.
#pragma once

#include "vstguibase.h"

#include <vector>

namespace VSTGUI
{

struct CPoint;
struct CRect;
struct CColor;
struct CGraphicsTransform;
class CDrawContext;
class COffscreenContext;
class CGraphicsPath;
class CGradient;
class CBitmap;
class CBitmapPixelAccess;
class CLineStyle;
class CDrawMode;
class IPlatformBitmap;
class IPlatformBitmapPixelAccess;

using LinePair = std::pair<CPoint, CPoint>;
using LineList = std::vector<LinePair>;
using PointList = std::vector<CPoint>;

} // namespace VSTGUI
