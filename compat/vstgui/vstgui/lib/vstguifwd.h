// Forward declarations, shared enums and pointer aliases of the GUI library.
#pragma once

#include "vstguibase.h"

#include <cstdint>
#include <list>
#include <map>
#include <vector>

namespace VSTGUI
{

struct CPoint;
struct CRect;
struct CColor;
struct CGraphicsTransform;
struct CButtonState;
class CDrawContext;
class COffscreenContext;
class CGraphicsPath;
class CGradient;
class CBitmap;
class CBitmapPixelAccess;
class CLineStyle;
struct CDrawMode;
class IPlatformBitmap;
class IPlatformBitmapPixelAccess;
class UTF8String;

// views
class CView;
class CViewContainer;
class CFrame;
class VSTGUIEditorInterface;
class CVSTGUITimer;
struct GetViewOptions;

// controls
class CControl;
class CKnobBase;
class CKnob;
class COnOffButton;
class CSliderBase;
class CSlider;
class CParamDisplay;
class CTextLabel;
class CTextEdit;
class COptionMenu;
class CMenuItem;
class CCommandMenuItem;
class CSegmentButton;

// interfaces
class IControlListener;
class IViewListener;
class IViewEventListener;
class IViewContainerListener;
class IMouseObserver;
class IKeyboardHook;
class IViewAddedRemovedObserver;
class IFocusViewObserver;
class ICommandMenuItemTarget;
class CommandMenuItemTargetAdapter;

// events
struct Event;
struct ModifierEvent;
struct MousePositionEvent;
struct MouseEvent;
struct MouseDownUpMoveEvent;
struct MouseDownEvent;
struct MouseMoveEvent;
struct MouseUpEvent;
struct MouseCancelEvent;
struct MouseEnterEvent;
struct MouseExitEvent;
struct MouseWheelEvent;
struct GestureEvent;
struct ZoomGestureEvent;
struct KeyboardEvent;
struct Modifiers;
struct MouseEventButtonState;
enum class EventType : uint32_t;
enum class VirtualKey : uint32_t;
enum class ModifierKey : uint32_t;
enum class MouseButton : uint32_t;

// platform
class IPlatformFrame;
class IPlatformFrameCallback;
struct IPlatformFrameConfig;
class IPlatformTimer;
class IPlatformTimerCallback;
class IPlatformFactory;

using PlatformFramePtr = SharedPointer<IPlatformFrame>;
using PlatformTimerPtr = SharedPointer<IPlatformTimer>;
using PlatformInstanceHandle = void*;

using CViewAttributeID = size_t;
using GradientColorStopMap = std::multimap<double, CColor>;
using LinePair = std::pair<CPoint, CPoint>;
using LineList = std::vector<LinePair>;
using PointList = std::vector<CPoint>;

enum CMouseEventResult
{
	kMouseEventNotImplemented = 0,
	kMouseEventHandled,
	kMouseEventNotHandled,
	kMouseDownEventHandledButDontNeedMovedOrUpEvents,
	kMouseMoveEventHandledButDontNeedMoreEvents
};

enum CCursorType
{
	kCursorDefault = 0,
	kCursorWait,
	kCursorHSize,
	kCursorVSize,
	kCursorSizeAll,
	kCursorNESWSize,
	kCursorNWSESize,
	kCursorCopy,
	kCursorNotAllowed,
	kCursorHand,
	kCursorIBeam,
	kCursorCrosshair
};

enum CMouseWheelAxis
{
	kMouseWheelAxisX = 0,
	kMouseWheelAxisY
};

enum CHoriTxtAlign
{
	kLeftText = 0,
	kCenterText,
	kRightText
};

enum class PlatformType : int32_t
{
	kHWND,
	kWindowRef,
	kNSWindow = kWindowRef,
	kNSView,
	kUIView,
	kHWNDTopLevel,
	kX11EmbedWindowID,

	kDefaultNative = -1
};

enum class CSliderMode
{
	Touch,
	RelativeTouch,
	FreeClick,
	Ramp,
	UseGlobal
};

} // namespace VSTGUI
