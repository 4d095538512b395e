#include "cframe.h"

#include "cdrawcontext.h"
#include "cvstguitimer.h"
#include "platform/iplatformfactory.h"
#include "platform/iplatformframe.h"

#include <algorithm>
#include <deque>

namespace VSTGUI
{

IdStringPtr kMsgNewFocusView = "kMsgNewFocusView";
IdStringPtr kMsgOldFocusView = "kMsgOldFocusView";
int32_t CFrame::kDefaultKnobMode = kCircularMode;

struct CFrame::Impl
{
	PlatformFramePtr platformFrame;
	VSTGUIEditorInterface* editor{nullptr};
	IViewAddedRemovedObserver* viewAddedRemovedObserver{nullptr};
	std::vector<IMouseObserver*> mouseObservers;
	std::vector<IKeyboardHook*> keyboardHooks;
	std::vector<IFocusViewObserver*> focusObservers;
	CView* focusView{nullptr};
	// the views under the mouse, outermost first
	std::vector<CView*> mouseViews;

	int32_t eventDepth{0};
	std::deque<EventProcessingFunction> deferred;

	bool tooltipsEnabled{false};
	uint32_t tooltipDelay{1000};
	SharedPointer<CVSTGUITimer> tooltipTimer;
	CView* tooltipView{nullptr};
	bool tooltipShown{false};

	std::vector<CView*> idleViews;
	SharedPointer<CVSTGUITimer> idleTimer;

	double zoom{1.};
};

CFrame::CFrame (const CRect& size, VSTGUIEditorInterface* pEditor) : CViewContainer (size), pImpl (new Impl)
{
	pImpl->editor = pEditor;
	setParentFrame (this);
}

CFrame::~CFrame () noexcept
{
	delete pImpl;
}

void CFrame::beforeDelete ()
{
	if (pImpl->tooltipTimer)
		pImpl->tooltipTimer->stop ();
	if (pImpl->idleTimer)
		pImpl->idleTimer->stop ();
	pImpl->tooltipTimer = nullptr;
	pImpl->idleTimer = nullptr;
	pImpl->mouseViews.clear ();
	pImpl->focusView = nullptr;
	CViewContainer::beforeDelete ();
	if (pImpl->platformFrame)
	{
		pImpl->platformFrame->onFrameClosed ();
		pImpl->platformFrame = nullptr;
	}
}

bool CFrame::open (void* pSystemWindow, PlatformType systemWindowType, IPlatformFrameConfig* config)
{
	if (pImpl->platformFrame)
		return false;
	pImpl->platformFrame =
	    getPlatformFactory ().createFrame (this, getViewSize (), pSystemWindow, systemWindowType, config);
	if (!pImpl->platformFrame)
		return false;
	attached (this);
	if (!pImpl->idleViews.empty ())
		setViewWantsIdle (nullptr, true);
	invalid ();
	return true;
}

void CFrame::close ()
{
	clearMouseViews (CPoint (), Modifiers (), true);
	pImpl->focusView = nullptr;
	removeAll (true);
	if (pImpl->tooltipTimer)
		pImpl->tooltipTimer->stop ();
	if (pImpl->idleTimer)
		pImpl->idleTimer->stop ();
	if (pImpl->platformFrame)
	{
		pImpl->platformFrame->onFrameClosed ();
		pImpl->platformFrame = nullptr;
	}
	setViewFlag (kIsAttached, false);
	forget ();
}

bool CFrame::setZoom (double zoomFactor)
{
	if (zoomFactor <= 0.)
		return false;
	if (zoomFactor == pImpl->zoom)
		return true;
	auto oldTransform = getTransform ();
	CRect unzoomed (getViewSize ());
	oldTransform.inverse ().transform (unzoomed);
	setTransform (CGraphicsTransform ().scale (zoomFactor, zoomFactor));
	CRect zoomed (unzoomed);
	getTransform ().transform (zoomed);
	if (!setSize (zoomed.getWidth (), zoomed.getHeight ()))
	{
		setTransform (oldTransform);
		return false;
	}
	pImpl->zoom = zoomFactor;
	invalid ();
	return true;
}

double CFrame::getZoom () const
{
	return pImpl->zoom;
}

double CFrame::getScaleFactor () const
{
	return pImpl->platformFrame ? pImpl->platformFrame->getScaleFactor () : 1.;
}

void CFrame::idle ()
{
	if (CView::kDirtyCallAlwaysOnMainThread)
		return;
	invalidateDirtyViews ();
}

uint64_t CFrame::getTicks () const
{
	return getPlatformFactory ().getTicks ();
}

int32_t CFrame::getKnobMode () const
{
	int32_t mode = pImpl->editor ? pImpl->editor->getKnobMode () : -1;
	return mode == -1 ? kDefaultKnobMode : mode;
}

bool CFrame::setPosition (CCoord x, CCoord y)
{
	return false;
}

bool CFrame::getPosition (CCoord& x, CCoord& y) const
{
	CPoint p;
	if (!pImpl->platformFrame || !pImpl->platformFrame->getGlobalPosition (p))
		return false;
	x = p.x;
	y = p.y;
	return true;
}

bool CFrame::setSize (CCoord width, CCoord height)
{
	if (width == getViewSize ().getWidth () && height == getViewSize ().getHeight ())
		return false;
	CRect newSize (getViewSize ());
	newSize.setWidth (width);
	newSize.setHeight (height);
	if (pImpl->editor && !pImpl->editor->beforeSizeChange (newSize, getViewSize ()))
		return false;
	if (pImpl->platformFrame && !pImpl->platformFrame->setSize (newSize))
		return false;
	setViewSize (newSize, true);
	return true;
}

bool CFrame::getSize (CRect* pSize) const
{
	return pSize && getSize (*pSize);
}

bool CFrame::getSize (CRect& pSize) const
{
	return pImpl->platformFrame && pImpl->platformFrame->getSize (pSize);
}

bool CFrame::getCurrentMouseLocation (CPoint& where) const
{
	if (!pImpl->platformFrame || !pImpl->platformFrame->getCurrentMousePosition (where))
		return false;
	getTransform ().inverse ().transform (where);
	return true;
}

CButtonState CFrame::getCurrentMouseButtons () const
{
	CButtonState buttons;
	if (pImpl->platformFrame)
		pImpl->platformFrame->getCurrentMouseButtons (buttons);
	return buttons;
}

void CFrame::setCursor (CCursorType type)
{
	if (pImpl->platformFrame)
		pImpl->platformFrame->setMouseCursor (type);
}

void CFrame::setFocusView (CView* pView)
{
	if (pView == pImpl->focusView)
		return;
	CView* old = pImpl->focusView;
	pImpl->focusView = pView;
	if (old)
	{
		old->looseFocus ();
		if (auto parent = old->getParentView ())
			parent->notify (old, kMsgOldFocusView);
	}
	if (pView && pImpl->focusView == pView)
	{
		pView->takeFocus ();
		if (auto parent = pView->getParentView ())
			parent->notify (pView, kMsgNewFocusView);
	}
	auto observers = pImpl->focusObservers;
	for (auto* o : observers)
		o->onFocusViewChanged (this, pImpl->focusView, old);
}

CView* CFrame::getFocusView () const
{
	return pImpl->focusView;
}

bool CFrame::advanceNextFocusView (CView* oldFocus, bool reverse)
{
	return CViewContainer::advanceNextFocusView (oldFocus, reverse);
}

void CFrame::onViewAdded (CView* pView)
{
	if (pImpl->viewAddedRemovedObserver)
		pImpl->viewAddedRemovedObserver->onViewAdded (this, pView);
}

void CFrame::onViewRemoved (CView* pView)
{
	std::erase (pImpl->mouseViews, pView);
	if (pImpl->focusView == pView)
		pImpl->focusView = nullptr;
	if (pImpl->tooltipView == pView)
	{
		if (pImpl->tooltipShown && pImpl->platformFrame)
			pImpl->platformFrame->hideTooltip ();
		pImpl->tooltipShown = false;
		pImpl->tooltipView = nullptr;
	}
	if (pImpl->viewAddedRemovedObserver)
		pImpl->viewAddedRemovedObserver->onViewRemoved (this, pView);
}

void CFrame::onActivate (bool state)
{
	if (!state && pImpl->focusView)
		pImpl->focusView->looseFocus ();
}

void CFrame::invalidate (const CRect& rect)
{
	invalidRect (rect);
}

void CFrame::enableTooltips (bool state, uint32_t delayTimeInMs)
{
	pImpl->tooltipsEnabled = state;
	pImpl->tooltipDelay = delayTimeInMs;
	if (!state)
	{
		if (pImpl->tooltipTimer)
			pImpl->tooltipTimer->stop ();
		if (pImpl->tooltipShown && pImpl->platformFrame)
			pImpl->platformFrame->hideTooltip ();
		pImpl->tooltipShown = false;
		pImpl->tooltipView = nullptr;
	}
}

IViewAddedRemovedObserver* CFrame::getViewAddedRemovedObserver () const
{
	return pImpl->viewAddedRemovedObserver;
}

void CFrame::setViewAddedRemovedObserver (IViewAddedRemovedObserver* observer)
{
	pImpl->viewAddedRemovedObserver = observer;
}

void CFrame::registerKeyboardHook (IKeyboardHook* hook)
{
	pImpl->keyboardHooks.push_back (hook);
}

void CFrame::unregisterKeyboardHook (IKeyboardHook* hook)
{
	std::erase (pImpl->keyboardHooks, hook);
}

void CFrame::registerMouseObserver (IMouseObserver* observer)
{
	pImpl->mouseObservers.push_back (observer);
}

void CFrame::unregisterMouseObserver (IMouseObserver* observer)
{
	std::erase (pImpl->mouseObservers, observer);
}

void CFrame::registerFocusViewObserver (IFocusViewObserver* observer)
{
	pImpl->focusObservers.push_back (observer);
}

void CFrame::unregisterFocusViewObserver (IFocusViewObserver* observer)
{
	std::erase (pImpl->focusObservers, observer);
}

bool CFrame::doAfterEventProcessing (EventProcessingFunction&& func)
{
	if (!inEventProcessing ())
		return false;
	pImpl->deferred.push_back (std::move (func));
	return true;
}

bool CFrame::doAfterEventProcessing (const EventProcessingFunction& func)
{
	if (!inEventProcessing ())
		return false;
	pImpl->deferred.push_back (func);
	return true;
}

bool CFrame::inEventProcessing () const
{
	return pImpl->eventDepth > 0;
}

void CFrame::runDeferredFunctions ()
{
	while (!pImpl->deferred.empty ())
	{
		auto func = std::move (pImpl->deferred.front ());
		pImpl->deferred.pop_front ();
		func ();
	}
}

void CFrame::invalidRect (const CRect& rect)
{
	if (!pImpl->platformFrame || !isVisible ())
		return;
	CRect r (rect);
	getTransform ().transform (r);
	r.normalize ();
	r.bound (getViewSize ());
	if (r.isEmpty ())
		return;
	pImpl->platformFrame->invalidRect (r);
}

bool CFrame::removeView (CView* pView, bool withForget)
{
	return CViewContainer::removeView (pView, withForget);
}

bool CFrame::removeAll (bool withForget)
{
	pImpl->mouseViews.clear ();
	return CViewContainer::removeAll (withForget);
}

CView* CFrame::getViewAt (const CPoint& where, const GetViewOptions& options) const
{
	return CViewContainer::getViewAt (where, options);
}

CViewContainer* CFrame::getContainerAt (const CPoint& where, const GetViewOptions& options) const
{
	return CViewContainer::getContainerAt (where, options);
}

bool CFrame::getViewsAt (const CPoint& where, ViewList& views, const GetViewOptions& options) const
{
	return CViewContainer::getViewsAt (where, views, options);
}

bool CFrame::hitTestSubViews (const CPoint& where, const Event& event)
{
	return CViewContainer::hitTestSubViews (where, event);
}

bool CFrame::attached (CView* parent)
{
	if (isAttached ())
		return false;
	setParentFrame (this);
	setViewFlag (kIsAttached, true);
	for (uint32_t i = 0; i < getNbViews (); ++i)
		getView (i)->attached (this);
	return true;
}

void CFrame::draw (CDrawContext* pContext)
{
	drawRect (pContext, getViewSize ());
}

void CFrame::drawRect (CDrawContext* pContext, const CRect& updateRect)
{
	if (!pContext || updateRect.isEmpty ())
		return;
	CViewContainer::drawRect (pContext, updateRect);
}

void CFrame::setViewSize (const CRect& rect, bool doInvalid)
{
	CViewContainer::setViewSize (rect, doInvalid);
}

VSTGUIEditorInterface* CFrame::getEditor () const
{
	return pImpl->editor;
}

const PlatformFramePtr& CFrame::getPlatformFrame () const
{
	return pImpl->platformFrame;
}

void CFrame::setViewWantsIdle (CView* view, bool state)
{
	if (view)
	{
		if (state)
			pImpl->idleViews.push_back (view);
		else
			std::erase (pImpl->idleViews, view);
	}
	if (pImpl->idleViews.empty ())
	{
		if (pImpl->idleTimer)
			pImpl->idleTimer->stop ();
		return;
	}
	if (!pImpl->platformFrame)
		return;
	if (!pImpl->idleTimer)
	{
		pImpl->idleTimer = makeOwned<CVSTGUITimer> (
		    [this] (CVSTGUITimer*)
		    {
			    auto views = pImpl->idleViews;
			    for (auto* v : views)
			    {
				    if (std::find (pImpl->idleViews.begin (), pImpl->idleViews.end (), v) != pImpl->idleViews.end ())
					    v->onIdle ();
			    }
		    },
		    1000 / std::max<uint32_t> (1, CView::idleRate), false);
	}
	if (!pImpl->idleTimer->isRunning ())
		pImpl->idleTimer->start ();
}

// ---- events

void CFrame::platformDrawRect (CDrawContext* context, const CRect& rect)
{
	drawRect (context, rect);
}

void CFrame::platformOnEvent (Event& event)
{
	dispatchEvent (event);
}

void CFrame::platformOnActivate (bool state)
{
	onActivate (state);
}

void CFrame::platformOnWindowActivate (bool state)
{
	std::vector<CView*> views;
	getChildViewsOfType<CView> (views, true);
	for (auto* v : views)
	{
		if (v->wantsWindowActiveStateChangeNotification ())
			v->onWindowActivate (state);
	}
}

void CFrame::platformScaleFactorChanged (double newScaleFactor)
{
	invalid ();
}

void CFrame::dispatchEvent (Event& event)
{
	SharedPointer<CFrame> keepAlive (this);
	++pImpl->eventDepth;
	switch (event.type)
	{
	case EventType::MouseDown:
	case EventType::MouseMove:
	case EventType::MouseUp:
	case EventType::MouseEnter:
	case EventType::MouseExit:
		dispatchMouseEvent (castMouseEvent (event));
		break;
	case EventType::MouseCancel:
		CViewContainer::onMouseCancelEvent (castMouseCancelEvent (event));
		break;
	case EventType::MouseWheel:
		dispatchWheelEvent (castMouseWheelEvent (event));
		break;
	case EventType::ZoomGesture:
		CViewContainer::onZoomGestureEvent (castZoomGestureEvent (event));
		break;
	case EventType::KeyDown:
	case EventType::KeyUp:
		dispatchKeyboardEvent (castKeyboardEvent (event));
		break;
	case EventType::Unknown:
		break;
	}
	if (--pImpl->eventDepth == 0)
		runDeferredFunctions ();
}

void CFrame::callMouseObserverOtherMouseEvent (MouseEvent& event)
{
	auto observers = pImpl->mouseObservers;
	for (auto* o : observers)
	{
		if (std::find (pImpl->mouseObservers.begin (), pImpl->mouseObservers.end (), o) == pImpl->mouseObservers.end ())
			continue;
		o->onMouseEvent (event, this);
		if (event.consumed)
			return;
	}
}

void CFrame::callMouseObserverMouseEntered (CView* view)
{
	auto observers = pImpl->mouseObservers;
	for (auto* o : observers)
		o->onMouseEntered (view, this);
}

void CFrame::callMouseObserverMouseExited (CView* view)
{
	auto observers = pImpl->mouseObservers;
	for (auto* o : observers)
		o->onMouseExited (view, this);
}

void CFrame::dispatchMouseEvent (MouseEvent& event)
{
	callMouseObserverOtherMouseEvent (event);
	if (event.consumed)
		return;
	switch (event.type)
	{
	case EventType::MouseDown:
		dispatchMouseDownEvent (castMouseDownEvent (event));
		break;
	case EventType::MouseMove:
		dispatchMouseMoveEvent (castMouseMoveEvent (event));
		break;
	case EventType::MouseUp:
		dispatchMouseUpEvent (castMouseUpEvent (event));
		break;
	case EventType::MouseEnter:
		checkMouseViews (event);
		break;
	case EventType::MouseExit:
		clearMouseViews (event.mousePosition, event.modifiers, true);
		break;
	default:
		break;
	}
}

void CFrame::dispatchMouseDownEvent (MouseDownEvent& event)
{
	if (pImpl->tooltipTimer)
		pImpl->tooltipTimer->stop ();
	if (pImpl->tooltipShown && pImpl->platformFrame)
		pImpl->platformFrame->hideTooltip ();
	pImpl->tooltipShown = false;

	if (auto focus = pImpl->focusView)
	{
		CPoint where (event.mousePosition);
		getTransform ().inverse ().transform (where);
		focus->frameToLocal (where);
		if (!focus->getMouseableArea ().pointInside (where))
			setFocusView (nullptr);
	}
	CViewContainer::onMouseDownEvent (event);
}

void CFrame::dispatchMouseMoveEvent (MouseMoveEvent& event)
{
	if (getMouseDownView ())
	{
		CViewContainer::onMouseMoveEvent (event);
		return;
	}
	checkMouseViews (event);
	// Hovering: the innermost view under the mouse sees the move.
	if (pImpl->mouseViews.empty ())
		return;
	SharedPointer<CView> view (pImpl->mouseViews.back ());
	CPoint where (event.mousePosition);
	getTransform ().inverse ().transform (where);
	view->frameToLocal (where);
	auto saved = event.mousePosition;
	event.mousePosition = where;
	view->dispatchEvent (event);
	event.mousePosition = saved;
}

void CFrame::dispatchMouseUpEvent (MouseUpEvent& event)
{
	CViewContainer::onMouseUpEvent (event);
	checkMouseViews (event);
}

void CFrame::dispatchWheelEvent (MouseWheelEvent& event)
{
	CViewContainer::onMouseWheelEvent (event);
}

void CFrame::dispatchKeyboardEvent (KeyboardEvent& event)
{
	auto hooks = pImpl->keyboardHooks;
	for (auto* hook : hooks)
	{
		hook->onKeyboardEvent (event, this);
		if (event.consumed)
			return;
	}
	if (auto focus = pImpl->focusView)
	{
		SharedPointer<CView> keep (focus);
		focus->dispatchEvent (event);
		if (event.consumed)
			return;
	}
	if (event.type == EventType::KeyDown && event.virt == VirtualKey::Tab)
	{
		if (advanceNextFocusView (pImpl->focusView, event.modifiers.has (ModifierKey::Shift)))
			event.consumed = true;
	}
}

void CFrame::checkMouseViews (const MouseEvent& event)
{
	CPoint where (event.mousePosition);
	getTransform ().inverse ().transform (where);
	std::vector<CView*> now;
	CView* deepest = getViewAt (event.mousePosition, GetViewOptions ().deep ().mouseEnabled ());
	for (CView* v = deepest; v && v != this; v = v->getParentView ())
		now.insert (now.begin (), v);

	auto makeLocal = [&] (CView* v)
	{
		CPoint p (where);
		v->frameToLocal (p);
		return p;
	};
	// leave the views the mouse is no longer over, innermost first
	auto old = pImpl->mouseViews;
	for (auto it = old.rbegin (); it != old.rend (); ++it)
	{
		CView* v = *it;
		if (std::find (now.begin (), now.end (), v) != now.end ())
			continue;
		std::erase (pImpl->mouseViews, v);
		SharedPointer<CView> keep (v);
		MouseExitEvent exitEvent (makeLocal (v), event.buttonState, event.modifiers);
		v->dispatchEvent (exitEvent);
		callMouseObserverMouseExited (v);
	}
	for (CView* v : now)
	{
		if (std::find (pImpl->mouseViews.begin (), pImpl->mouseViews.end (), v) != pImpl->mouseViews.end ())
			continue;
		pImpl->mouseViews.push_back (v);
		SharedPointer<CView> keep (v);
		MouseEnterEvent enterEvent (makeLocal (v), event.buttonState, event.modifiers);
		v->dispatchEvent (enterEvent);
		callMouseObserverMouseEntered (v);
	}

	if (!pImpl->tooltipsEnabled)
		return;
	CView* tooltipView = nullptr;
	for (auto it = now.rbegin (); it != now.rend () && !tooltipView; ++it)
	{
		uint32_t size = 0;
		if ((*it)->getAttributeSize (kCViewTooltipAttribute, size) && size > 1)
			tooltipView = *it;
	}
	if (tooltipView == pImpl->tooltipView)
		return;
	if (pImpl->tooltipShown && pImpl->platformFrame)
		pImpl->platformFrame->hideTooltip ();
	pImpl->tooltipShown = false;
	pImpl->tooltipView = tooltipView;
	if (!tooltipView)
	{
		if (pImpl->tooltipTimer)
			pImpl->tooltipTimer->stop ();
		return;
	}
	if (!pImpl->tooltipTimer)
	{
		pImpl->tooltipTimer = makeOwned<CVSTGUITimer> (
		    [this] (CVSTGUITimer* timer)
		    {
			    timer->stop ();
			    auto view = pImpl->tooltipView;
			    if (!view || !pImpl->platformFrame)
				    return;
			    uint32_t size = 0;
			    view->getAttributeSize (kCViewTooltipAttribute, size);
			    std::vector<char> text (size + 1, 0);
			    uint32_t outSize = 0;
			    view->getAttribute (kCViewTooltipAttribute, size, text.data (), outSize);
			    CRect r (view->getViewSize ());
			    r = view->translateToGlobal (r);
			    pImpl->tooltipShown = pImpl->platformFrame->showTooltip (r, text.data ());
		    },
		    pImpl->tooltipDelay, false);
	}
	pImpl->tooltipTimer->setFireTime (pImpl->tooltipDelay);
	pImpl->tooltipTimer->stop ();
	pImpl->tooltipTimer->start ();
}

void CFrame::clearMouseViews (const CPoint& where, Modifiers modifiers, bool callMouseExit)
{
	auto old = pImpl->mouseViews;
	pImpl->mouseViews.clear ();
	if (!callMouseExit)
		return;
	for (auto it = old.rbegin (); it != old.rend (); ++it)
	{
		SharedPointer<CView> keep (*it);
		CPoint p (where);
		getTransform ().inverse ().transform (p);
		(*it)->frameToLocal (p);
		MouseExitEvent exitEvent (p, MouseEventButtonState (), modifiers);
		(*it)->dispatchEvent (exitEvent);
		callMouseObserverMouseExited (*it);
	}
}

} // namespace VSTGUI
