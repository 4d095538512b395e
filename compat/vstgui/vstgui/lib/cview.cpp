#include "cview.h"

#include "cbitmap.h"
#include "cframe.h"
#include "iviewlistener.h"

#include <algorithm>
#include <cstring>

namespace VSTGUI
{

IdStringPtr kMsgViewSizeChanged = "kMsgViewSizeChanged";
bool CView::kDirtyCallAlwaysOnMainThread = false;
uint32_t CView::idleRate = 30;

CView::CView (const CRect& size) : viewSize (size), mouseableArea (size)
{
	viewFlags = kMouseEnabled | kVisible;
}

CView::CView (const CView& view)
    : CBaseObject (), viewSize (view.viewSize), mouseableArea (view.mouseableArea), autosizeFlags (view.autosizeFlags),
      alphaValue (view.alphaValue), background (view.background), disabledBackground (view.disabledBackground),
      attributes (view.attributes)
{
	viewFlags = view.viewFlags & ~(kIsAttached | kIsSubview | kDirty);
}

CView::~CView () noexcept = default;

void CView::beforeDelete ()
{
	auto listeners = viewListeners;
	for (auto* l : listeners)
		l->viewWillDelete (this);
	viewListeners.clear ();
	viewEventListeners.clear ();
}

void CView::setViewFlag (int32_t bit, bool state)
{
	if (state)
		viewFlags |= bit;
	else
		viewFlags &= ~bit;
}

void CView::draw (CDrawContext* pContext)
{
	setDirty (false);
}

void CView::setDirty (bool val)
{
	if (kDirtyCallAlwaysOnMainThread)
	{
		if (val)
			invalidRect (getViewSize ());
		setViewFlag (kDirty, false);
	}
	else
		setViewFlag (kDirty, val);
}

void CView::invalidRect (const CRect& rect)
{
	if (isAttached () && hasViewFlag (kVisible) && parentView)
		parentView->invalidRect (rect);
}

void CView::setVisible (bool state)
{
	if (hasViewFlag (kVisible) == state)
		return;
	if (state)
	{
		setViewFlag (kVisible, true);
		invalid ();
	}
	else
	{
		invalid ();
		setViewFlag (kVisible, false);
	}
}

void CView::dispatchEventToListeners (Event& event)
{
	auto listeners = viewEventListeners;
	for (auto* l : listeners)
	{
		if (std::find (viewEventListeners.begin (), viewEventListeners.end (), l) == viewEventListeners.end ())
			continue;
		l->viewOnEvent (this, event);
		if (event.consumed)
			return;
	}
}

void CView::dispatchEvent (Event& event)
{
	dispatchEventToListeners (event);
	if (event.consumed)
		return;
	switch (event.type)
	{
	case EventType::MouseDown:
		onMouseDownEvent (castMouseDownEvent (event));
		break;
	case EventType::MouseMove:
		onMouseMoveEvent (castMouseMoveEvent (event));
		break;
	case EventType::MouseUp:
		onMouseUpEvent (castMouseUpEvent (event));
		break;
	case EventType::MouseCancel:
		onMouseCancelEvent (castMouseCancelEvent (event));
		break;
	case EventType::MouseEnter:
		onMouseEnterEvent (castMouseEnterEvent (event));
		break;
	case EventType::MouseExit:
		onMouseExitEvent (castMouseExitEvent (event));
		break;
	case EventType::MouseWheel:
		onMouseWheelEvent (castMouseWheelEvent (event));
		break;
	case EventType::ZoomGesture:
		onZoomGestureEvent (castZoomGestureEvent (event));
		break;
	case EventType::KeyDown:
	case EventType::KeyUp:
		onKeyboardEvent (castKeyboardEvent (event));
		break;
	case EventType::Unknown:
		break;
	}
}

namespace
{

void applyLegacyResult (MouseDownUpMoveEvent& event, CMouseEventResult result)
{
	switch (result)
	{
	case kMouseEventHandled:
		event.consumed = true;
		break;
	case kMouseDownEventHandledButDontNeedMovedOrUpEvents:
	case kMouseMoveEventHandledButDontNeedMoreEvents:
		event.consumed = true;
		event.ignoreFollowUpMoveAndUpEvents (true);
		break;
	default:
		break;
	}
}

} // namespace

void CView::onMouseDownEvent (MouseDownEvent& event)
{
	applyLegacyResult (event, onMouseDown (event.mousePosition, buttonStateFromMouseEvent (event)));
}

void CView::onMouseMoveEvent (MouseMoveEvent& event)
{
	applyLegacyResult (event, onMouseMoved (event.mousePosition, buttonStateFromMouseEvent (event)));
}

void CView::onMouseUpEvent (MouseUpEvent& event)
{
	applyLegacyResult (event, onMouseUp (event.mousePosition, buttonStateFromMouseEvent (event)));
}

void CView::onMouseCancelEvent (MouseCancelEvent& event)
{
	if (onMouseCancel () == kMouseEventHandled)
		event.consumed = true;
}

void CView::onMouseEnterEvent (MouseEnterEvent& event)
{
	if (onMouseEntered (event.mousePosition, buttonStateFromMouseEvent (event)) == kMouseEventHandled)
		event.consumed = true;
}

void CView::onMouseExitEvent (MouseExitEvent& event)
{
	if (onMouseExited (event.mousePosition, buttonStateFromMouseEvent (event)) == kMouseEventHandled)
		event.consumed = true;
}

void CView::onMouseWheelEvent (MouseWheelEvent& event) {}
void CView::onZoomGestureEvent (ZoomGestureEvent& event) {}
void CView::onKeyboardEvent (KeyboardEvent& event) {}

CMouseEventResult CView::onMouseDown (CPoint& where, const CButtonState& buttons)
{
	return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseUp (CPoint& where, const CButtonState& buttons)
{
	return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseMoved (CPoint& where, const CButtonState& buttons)
{
	return kMouseEventNotImplemented;
}

CMouseEventResult CView::onMouseCancel ()
{
	return kMouseEventNotImplemented;
}

bool CView::hitTest (const CPoint& where, const Event& event)
{
	return getMouseableArea ().pointInside (where);
}

void CView::setMouseEnabled (bool bEnable)
{
	if (getMouseEnabled () == bEnable)
		return;
	setViewFlag (kMouseEnabled, bEnable);
	auto listeners = viewListeners;
	for (auto* l : listeners)
		l->viewOnMouseEnabled (this, bEnable);
}

void CView::setMouseableArea (const CRect& rect)
{
	mouseableArea = rect;
	setViewFlag (kHasMouseableArea, true);
}

CRect CView::getMouseableArea () const
{
	return hasViewFlag (kHasMouseableArea) ? mouseableArea : viewSize;
}

void CView::setViewSize (const CRect& rect, bool doInvalid)
{
	if (viewSize == rect)
		return;
	if (doInvalid)
		invalid ();
	CRect oldSize = viewSize;
	viewSize = rect;
	if (hasViewFlag (kHasMouseableArea))
		mouseableArea.offset (rect.left - oldSize.left, rect.top - oldSize.top);
	if (doInvalid)
		invalid ();
	if (parentView)
		parentView->notify (this, kMsgViewSizeChanged);
	auto listeners = viewListeners;
	for (auto* l : listeners)
		l->viewSizeChanged (this, oldSize);
}

CRect CView::getVisibleViewSize () const
{
	CRect result = viewSize;
	if (auto container = parentView ? parentView->asViewContainer () : nullptr)
		result = container->getVisibleSize (result);
	return result;
}

CPoint& CView::frameToLocal (CPoint& point) const
{
	if (parentView)
		return parentView->frameToLocal (point);
	return point;
}

CPoint& CView::localToFrame (CPoint& point) const
{
	if (parentView)
		return parentView->localToFrame (point);
	return point;
}

void CView::setAutosizeFlags (int32_t flags)
{
	autosizeFlags = flags;
}

void CView::looseFocus ()
{
	auto listeners = viewListeners;
	for (auto* l : listeners)
		l->viewLostFocus (this);
}

void CView::takeFocus ()
{
	auto listeners = viewListeners;
	for (auto* l : listeners)
		l->viewTookFocus (this);
}

void CView::setWantsFocus (bool state)
{
	setViewFlag (kWantsFocus, state);
}

bool CView::getAttributeSize (const CViewAttributeID id, uint32_t& outSize) const
{
	auto it = attributes.find (id);
	if (it == attributes.end ())
		return false;
	outSize = static_cast<uint32_t> (it->second.size ());
	return true;
}

bool CView::getAttribute (const CViewAttributeID id, const uint32_t inSize, void* outData, uint32_t& outSize) const
{
	auto it = attributes.find (id);
	if (it == attributes.end () || inSize < it->second.size ())
		return false;
	outSize = static_cast<uint32_t> (it->second.size ());
	if (outSize)
		std::memcpy (outData, it->second.data (), outSize);
	return true;
}

bool CView::setAttribute (const CViewAttributeID id, const uint32_t inSize, const void* inData)
{
	if (inData == nullptr && inSize > 0)
		return false;
	auto bytes = static_cast<const uint8_t*> (inData);
	attributes[id].assign (bytes, bytes + inSize);
	return true;
}

bool CView::removeAttribute (const CViewAttributeID id)
{
	return attributes.erase (id) > 0;
}

void CView::setBackground (CBitmap* bitmap)
{
	background = bitmap;
	setDirty (true);
}

CBitmap* CView::getBackground () const
{
	return background;
}

void CView::setDisabledBackground (CBitmap* bitmap)
{
	disabledBackground = bitmap;
	setDirty (true);
}

CBitmap* CView::getDisabledBackground () const
{
	return disabledBackground;
}

CBitmap* CView::getDrawBackground () const
{
	if (disabledBackground && !getMouseEnabled ())
		return disabledBackground;
	return background;
}

void CView::setTransparency (bool val)
{
	if (getTransparency () == val)
		return;
	setViewFlag (kTransparencyEnabled, val);
	setDirty (true);
}

void CView::setAlphaValue (float alpha)
{
	if (alphaValue == alpha)
		return;
	alphaValue = alpha;
	invalid ();
}

bool CView::attached (CView* parent)
{
	if (isAttached ())
		return false;
	parentView = parent;
	parentFrame = parent ? parent->getFrame () : nullptr;
	setViewFlag (kIsAttached, true);
	if (parentFrame)
	{
		if (wantsIdle ())
			parentFrame->setViewWantsIdle (this, true);
		parentFrame->onViewAdded (this);
	}
	auto listeners = viewListeners;
	for (auto* l : listeners)
		l->viewAttached (this);
	return true;
}

bool CView::removed (CView* parent)
{
	if (!isAttached ())
		return false;
	auto listeners = viewListeners;
	for (auto* l : listeners)
		l->viewRemoved (this);
	if (parentFrame)
	{
		if (wantsIdle ())
			parentFrame->setViewWantsIdle (this, false);
		parentFrame->onViewRemoved (this);
	}
	parentView = nullptr;
	parentFrame = nullptr;
	setViewFlag (kIsAttached, false);
	return true;
}

void CView::setSubviewState (bool state)
{
	setViewFlag (kIsSubview, state);
}

VSTGUIEditorInterface* CView::getEditor () const
{
	return parentFrame ? parentFrame->getEditor () : nullptr;
}

void CView::setWantsIdle (bool state)
{
	if (wantsIdle () == state)
		return;
	setViewFlag (kWantsIdle, state);
	if (isAttached () && parentFrame)
		parentFrame->setViewWantsIdle (this, state);
}

void CView::setTooltipText (UTF8StringPtr text)
{
	if (text && *text)
		setAttribute (kCViewTooltipAttribute, static_cast<uint32_t> (std::strlen (text) + 1), text);
	else
		removeAttribute (kCViewTooltipAttribute);
}

void CView::registerViewListener (IViewListener* listener)
{
	viewListeners.push_back (listener);
}

void CView::unregisterViewListener (IViewListener* listener)
{
	std::erase (viewListeners, listener);
}

void CView::registerViewEventListener (IViewEventListener* listener)
{
	viewEventListeners.push_back (listener);
}

void CView::unregisterViewEventListener (IViewEventListener* listener)
{
	std::erase (viewEventListeners, listener);
}

CGraphicsTransform CView::getGlobalTransform (bool ignoreFrame) const
{
	// Maps this view's coordinates (those of its view size) to the frame's (platform) coordinates.
	CGraphicsTransform result;
	for (auto* parent = parentView; parent; parent = parent->getParentView ())
	{
		auto container = parent->asViewContainer ();
		if (!container)
			break;
		bool isFrame = parent == parentFrame && parent->getParentView () == nullptr;
		if (isFrame && ignoreFrame)
			break;
		CGraphicsTransform step = container->getTransform ();
		if (!isFrame)
			step = CGraphicsTransform ().translate (parent->getViewSize ().left, parent->getViewSize ().top) * step;
		result = step * result;
	}
	return result;
}

CMessageResult CView::notify (CBaseObject* sender, IdStringPtr message)
{
	return kMessageUnknown;
}

} // namespace VSTGUI
