#include "cviewcontainer.h"

#include "cdrawcontext.h"
#include "cframe.h"
#include "iviewlistener.h"

#include <algorithm>

namespace VSTGUI
{

IdStringPtr kMsgLooseFocus = "LooseFocus";

CViewContainer::CViewContainer (const CRect& size) : CView (size)
{
	setViewFlag (kAutosizeSubviews, true);
}

CViewContainer::CViewContainer (const CViewContainer& other)
    : CView (other), backgroundColor (other.backgroundColor), backgroundOffset (other.backgroundOffset),
      backgroundColorDrawStyle (other.backgroundColorDrawStyle), transform (other.transform)
{
	for (auto& child : other.children)
		addView (child->newCopy ());
}

CViewContainer::~CViewContainer () noexcept = default;

void CViewContainer::beforeDelete ()
{
	removeAll (true);
	CView::beforeDelete ();
}

bool CViewContainer::addView (CView* pView, const CRect& mouseableArea, bool mouseEnabled)
{
	if (!addView (pView, nullptr))
		return false;
	pView->setMouseableArea (mouseableArea);
	pView->setMouseEnabled (mouseEnabled);
	return true;
}

bool CViewContainer::addView (CView* pView, CView* pBefore)
{
	if (!pView || pView->isSubview ())
		return false;
	// The list holds a reference of its own; removing with forget also drops the creator's.
	auto pos = children.end ();
	if (pBefore)
		pos = std::find (children.begin (), children.end (), pBefore);
	children.insert (pos, SharedPointer<CView> (pView));
	pView->setSubviewState (true);
	auto listeners = containerListeners;
	for (auto* l : listeners)
		l->viewContainerViewAdded (this, pView);
	if (isAttached ())
	{
		pView->attached (this);
		pView->invalid ();
	}
	return true;
}

bool CViewContainer::removeView (CView* pView, bool withForget)
{
	auto it = std::find (children.begin (), children.end (), pView);
	if (it == children.end ())
		return false;
	SharedPointer<CView> keep (pView);
	pView->invalid ();
	if (mouseDownView == pView)
		mouseDownView = nullptr;
	if (pView->isAttached ())
		pView->removed (this);
	pView->setSubviewState (false);
	children.erase (it);
	auto listeners = containerListeners;
	for (auto* l : listeners)
		l->viewContainerViewRemoved (this, pView);
	if (withForget)
		pView->forget ();
	return true;
}

bool CViewContainer::removeAll (bool withForget)
{
	mouseDownView = nullptr;
	while (!children.empty ())
		removeView (children.front (), withForget);
	return true;
}

bool CViewContainer::isChild (CView* pView) const
{
	return isChild (pView, false);
}

bool CViewContainer::isChild (CView* pView, bool deep) const
{
	for (auto& child : children)
	{
		if (child == pView)
			return true;
		if (deep)
		{
			if (auto container = child->asViewContainer ())
			{
				if (container->isChild (pView, true))
					return true;
			}
		}
	}
	return false;
}

bool CViewContainer::hasChildren () const
{
	return !children.empty ();
}

uint32_t CViewContainer::getNbViews () const
{
	return static_cast<uint32_t> (children.size ());
}

CView* CViewContainer::getView (uint32_t index) const
{
	if (index >= children.size ())
		return nullptr;
	auto it = children.begin ();
	std::advance (it, index);
	return *it;
}

namespace
{

// Whether a child takes part in a search by point with these options.
// A point in the container's parent's coordinates, in the coordinates its children's sizes are given in.
CPoint toChildSpace (const CViewContainer& container, const CPoint& where)
{
	CPoint local (where);
	local.offset (-container.getViewSize ().left, -container.getViewSize ().top);
	container.getTransform ().inverse ().transform (local);
	return local;
}

bool matchesOptions (CView* view, const GetViewOptions& options)
{
	if (!options.getIncludeInvisible () && !view->isVisible ())
		return false;
	if (options.getMouseEnabled () && !view->getMouseEnabled ())
		return false;
	return true;
}

} // namespace

CView* CViewContainer::getViewAt (const CPoint& where, const GetViewOptions& options) const
{
	const CPoint local = toChildSpace (*this, where);
	for (auto it = children.rbegin (); it != children.rend (); ++it)
	{
		CView* view = *it;
		if (!matchesOptions (view, options) || !view->getMouseableArea ().pointInside (local))
			continue;
		if (options.getDeep ())
		{
			if (auto container = view->asViewContainer ())
			{
				if (auto found = container->getViewAt (local, options))
					return found;
				if (options.getIncludeViewContainer ())
					return view;
				continue;
			}
		}
		return view;
	}
	return nullptr;
}

CViewContainer* CViewContainer::getContainerAt (const CPoint& where, const GetViewOptions& options) const
{
	const CPoint local = toChildSpace (*this, where);
	for (auto it = children.rbegin (); it != children.rend (); ++it)
	{
		CView* view = *it;
		auto container = view->asViewContainer ();
		if (!container || !matchesOptions (view, options) || !view->getMouseableArea ().pointInside (local))
			continue;
		if (options.getDeep ())
			return container->getContainerAt (local, options);
		return container;
	}
	return const_cast<CViewContainer*> (this);
}

bool CViewContainer::getViewsAt (const CPoint& where, ViewList& views, const GetViewOptions& options) const
{
	const CPoint local = toChildSpace (*this, where);
	bool found = false;
	for (auto it = children.rbegin (); it != children.rend (); ++it)
	{
		CView* view = *it;
		if (!matchesOptions (view, options) || !view->getMouseableArea ().pointInside (local))
			continue;
		auto container = view->asViewContainer ();
		if (container && options.getDeep ())
			found |= container->getViewsAt (local, views, options);
		if (!container || options.getIncludeViewContainer ())
		{
			views.emplace_back (view);
			found = true;
		}
	}
	return found;
}

bool CViewContainer::changeViewZOrder (CView* view, uint32_t newIndex)
{
	if (newIndex >= children.size ())
		return false;
	auto it = std::find (children.begin (), children.end (), view);
	if (it == children.end ())
		return false;
	SharedPointer<CView> keep = *it;
	children.erase (it);
	auto pos = children.begin ();
	std::advance (pos, newIndex);
	children.insert (pos, keep);
	auto listeners = containerListeners;
	for (auto* l : listeners)
		l->viewContainerViewZOrderChanged (this, view);
	view->invalid ();
	return true;
}

bool CViewContainer::hitTestSubViews (const CPoint& where, const Event& event)
{
	const CPoint local = toChildSpace (*this, where);
	for (auto it = children.rbegin (); it != children.rend (); ++it)
	{
		CView* view = *it;
		if (view->getMouseEnabled () && view->isVisible () && view->hitTest (local, event))
			return true;
	}
	return false;
}

void CViewContainer::setAutosizingEnabled (bool state)
{
	setViewFlag (kAutosizeSubviews, state);
}

void CViewContainer::setBackgroundColor (const CColor& color)
{
	backgroundColor = color;
	setDirty (true);
}

CColor CViewContainer::getBackgroundColor () const
{
	return backgroundColor;
}

void CViewContainer::setBackgroundOffset (const CPoint& p)
{
	backgroundOffset = p;
}

CPoint CViewContainer::getBackgroundOffset () const
{
	return backgroundOffset;
}

void CViewContainer::drawBackgroundRect (CDrawContext* pContext, const CRect& _updateRect)
{
	// A transparent container still paints a translucent background colour.
	if (getTransparency () && backgroundColor.alpha == 255)
		return;
	pContext->setDrawMode (kAliasing);
	pContext->setLineWidth (1.);
	pContext->setFillColor (backgroundColor);
	pContext->setFrameColor (backgroundColor);
	CRect r;
	if (backgroundColorDrawStyle == kDrawFilled ||
	    (backgroundColorDrawStyle == kDrawFilledAndStroked && backgroundColor.alpha == 255))
	{
		r = _updateRect;
		r.extend (1., 1.);
	}
	else
		r = CRect (0., 0., getViewSize ().getWidth (), getViewSize ().getHeight ());
	pContext->drawRect (r, backgroundColorDrawStyle);
}

void CViewContainer::setBackgroundColorDrawStyle (CDrawStyle style)
{
	backgroundColorDrawStyle = style;
	setDirty (true);
}

CDrawStyle CViewContainer::getBackgroundColorDrawStyle () const
{
	return backgroundColorDrawStyle;
}

bool CViewContainer::advanceNextFocusView (CView* oldFocus, bool reverse)
{
	auto frame = getFrame ();
	if (!frame)
		return false;
	std::vector<CView*> candidates;
	for (auto& child : children)
	{
		if (child->wantsFocus () && child->getMouseEnabled () && child->isVisible ())
			candidates.push_back (child);
	}
	if (candidates.empty ())
		return false;
	auto it = std::find (candidates.begin (), candidates.end (), oldFocus);
	CView* next = nullptr;
	if (it == candidates.end ())
		next = reverse ? candidates.back () : candidates.front ();
	else if (reverse)
		next = it == candidates.begin () ? candidates.back () : *(it - 1);
	else
		next = (it + 1) == candidates.end () ? candidates.front () : *(it + 1);
	frame->setFocusView (next);
	return true;
}

bool CViewContainer::invalidateDirtyViews ()
{
	if (!isVisible ())
		return true;
	if (CView::isDirty ())
	{
		invalid ();
		return true;
	}
	for (auto& child : children)
	{
		if (auto container = child->asViewContainer ())
			container->invalidateDirtyViews ();
		else if (child->isDirty () && child->isVisible ())
			child->invalid ();
	}
	return true;
}

CRect CViewContainer::getVisibleSize (const CRect& rect) const
{
	CRect result (rect);
	result.bound (CRect (0., 0., getViewSize ().getWidth (), getViewSize ().getHeight ()));
	return result;
}

void CViewContainer::setTransform (const CGraphicsTransform& t)
{
	if (transform == t)
		return;
	transform = t;
	auto listeners = containerListeners;
	for (auto* l : listeners)
		l->viewContainerTransformChanged (this);
}

const CGraphicsTransform& CViewContainer::getTransform () const
{
	return transform;
}

void CViewContainer::registerViewContainerListener (IViewContainerListener* listener)
{
	containerListeners.push_back (listener);
}

void CViewContainer::unregisterViewContainerListener (IViewContainerListener* listener)
{
	std::erase (containerListeners, listener);
}

void CViewContainer::draw (CDrawContext* pContext)
{
	drawRect (pContext, getViewSize ());
}

void CViewContainer::drawRect (CDrawContext* pContext, const CRect& updateRect)
{
	CRect update (updateRect);
	update.bound (getViewSize ());
	if (update.isEmpty ())
		return;

	// Children draw in this container's own coordinates.
	CGraphicsTransform toLocal = CGraphicsTransform ().translate (getViewSize ().left, getViewSize ().top) * transform;
	CDrawContext::Transform localTransform (*pContext, toLocal);

	CRect oldClip;
	pContext->getClipRect (oldClip);
	CRect clientRect (update);
	toLocal.inverse ().transform (clientRect);
	clientRect.normalize ();
	CRect newClip (clientRect);
	newClip.bound (oldClip);
	if (newClip.isEmpty ())
		return;
	pContext->setClipRect (newClip);

	drawBackgroundRect (pContext, newClip);

	for (auto& child : children)
	{
		if (!child->isVisible () || !child->checkUpdate (newClip))
			continue;
		CRect viewClip (child->getViewSize ());
		viewClip.bound (newClip);
		if (viewClip.isEmpty ())
			continue;
		pContext->saveGlobalState ();
		pContext->setClipRect (viewClip);
		float alpha = child->getAlphaValue ();
		if (alpha < 1.f)
			pContext->setGlobalAlpha (pContext->getGlobalAlpha () * alpha);
		child->drawRect (pContext, viewClip);
		pContext->restoreGlobalState ();
	}
	pContext->setClipRect (oldClip);
	setDirty (false);
}

void CViewContainer::onMouseDownEvent (MouseDownEvent& event)
{
	const CPoint local = toChildSpace (*this, event.mousePosition);
	// Copy: a view may remove itself (or others) while it handles the event.
	std::vector<SharedPointer<CView>> order (children.rbegin (), children.rend ());
	for (auto& view : order)
	{
		if (!view->isVisible () || !view->getMouseEnabled () || !view->hitTest (local, event))
			continue;
		if (view->wantsFocus () && getFrame ())
			getFrame ()->setFocusView (view);
		auto saved = event.mousePosition;
		event.mousePosition = local;
		view->dispatchEvent (event);
		event.mousePosition = saved;
		if (event.consumed)
		{
			if (!event.ignoreFollowUpMoveAndUpEvents ())
				mouseDownView = view;
			return;
		}
	}
}

void CViewContainer::onMouseMoveEvent (MouseMoveEvent& event)
{
	if (!mouseDownView)
		return;
	const CPoint local = toChildSpace (*this, event.mousePosition);
	SharedPointer<CView> view = mouseDownView;
	auto saved = event.mousePosition;
	event.mousePosition = local;
	view->dispatchEvent (event);
	event.mousePosition = saved;
	if (event.ignoreFollowUpMoveAndUpEvents ())
		mouseDownView = nullptr;
	event.consumed = true;
}

void CViewContainer::onMouseUpEvent (MouseUpEvent& event)
{
	if (!mouseDownView)
		return;
	const CPoint local = toChildSpace (*this, event.mousePosition);
	SharedPointer<CView> view = mouseDownView;
	mouseDownView = nullptr;
	auto saved = event.mousePosition;
	event.mousePosition = local;
	view->dispatchEvent (event);
	event.mousePosition = saved;
	event.consumed = true;
}

void CViewContainer::onMouseCancelEvent (MouseCancelEvent& event)
{
	if (!mouseDownView)
		return;
	SharedPointer<CView> view = mouseDownView;
	mouseDownView = nullptr;
	view->dispatchEvent (event);
	event.consumed = true;
}

namespace
{

// Offers a positioned event to the children under its point, front-most first, until one consumes it.
void dispatchToChildrenAt (CViewContainer& container, const std::list<SharedPointer<CView>>& children,
                           MousePositionEvent& event)
{
	const CPoint local = toChildSpace (container, event.mousePosition);
	std::vector<SharedPointer<CView>> order (children.rbegin (), children.rend ());
	for (auto& view : order)
	{
		if (!view->isVisible () || !view->getMouseEnabled () || !view->hitTest (local, event))
			continue;
		auto saved = event.mousePosition;
		event.mousePosition = local;
		view->dispatchEvent (event);
		event.mousePosition = saved;
		if (event.consumed)
			return;
	}
}

} // namespace

void CViewContainer::onMouseWheelEvent (MouseWheelEvent& event)
{
	dispatchToChildrenAt (*this, children, event);
}

void CViewContainer::onZoomGestureEvent (ZoomGestureEvent& event)
{
	dispatchToChildrenAt (*this, children, event);
}

CMessageResult CViewContainer::notify (CBaseObject* sender, IdStringPtr message)
{
	return CView::notify (sender, message);
}

void CViewContainer::looseFocus ()
{
	CView::looseFocus ();
}

void CViewContainer::takeFocus ()
{
	CView::takeFocus ();
}

bool CViewContainer::isDirty () const
{
	if (CView::isDirty ())
		return true;
	for (auto& child : children)
	{
		if (child->isDirty () && child->isVisible ())
			return true;
	}
	return false;
}

void CViewContainer::invalid ()
{
	if (!isVisible ())
		return;
	CView::setDirty (false);
	CView::invalidRect (getViewSize ());
}

void CViewContainer::invalidRect (const CRect& rect)
{
	if (!isVisible ())
		return;
	CRect r (rect);
	getTransform ().transform (r);
	r.normalize ();
	r.offset (getViewSize ().left, getViewSize ().top);
	r.bound (getViewSize ());
	if (r.isEmpty ())
		return;
	CView::invalidRect (r);
}

void CViewContainer::setViewSize (const CRect& rect, bool doInvalid)
{
	if (rect == getViewSize ())
		return;
	CRect oldSize (getViewSize ());
	CView::setViewSize (rect, doInvalid);
	if (getAutosizingEnabled ())
		autosizeChildren (oldSize, rect);
	parentSizeChanged ();
}

void CViewContainer::autosizeChildren (const CRect& oldSize, const CRect& rect)
{
	CCoord widthDelta = rect.getWidth () - oldSize.getWidth ();
	CCoord heightDelta = rect.getHeight () - oldSize.getHeight ();
	getTransform ().inverse ().transform (widthDelta, heightDelta);
	if (widthDelta == 0. && heightDelta == 0.)
		return;
	for (auto& child : children)
	{
		int32_t flags = child->getAutosizeFlags ();
		CRect r (child->getViewSize ());
		if (flags & kAutosizeRight)
		{
			r.right += widthDelta;
			if (!(flags & kAutosizeLeft))
				r.left += widthDelta;
		}
		if (flags & kAutosizeBottom)
		{
			r.bottom += heightDelta;
			if (!(flags & kAutosizeTop))
				r.top += heightDelta;
		}
		if (r != child->getViewSize ())
			child->setViewSize (r, true);
	}
}

void CViewContainer::parentSizeChanged ()
{
	std::vector<SharedPointer<CView>> order (children.begin (), children.end ());
	for (auto& child : order)
		child->parentSizeChanged ();
}

bool CViewContainer::sizeToFit ()
{
	if (children.empty ())
		return false;
	CRect bounds;
	bool first = true;
	for (auto& child : children)
	{
		if (first)
			bounds = child->getViewSize ();
		else
			bounds.unite (child->getViewSize ());
		first = false;
	}
	CRect r (getViewSize ());
	r.right = r.left + bounds.right;
	r.bottom = r.top + bounds.bottom;
	setViewSize (r);
	return true;
}

bool CViewContainer::attached (CView* parent)
{
	if (!CView::attached (parent))
		return false;
	std::vector<SharedPointer<CView>> order (children.begin (), children.end ());
	for (auto& child : order)
		child->attached (this);
	return true;
}

bool CViewContainer::removed (CView* parent)
{
	if (!isAttached ())
		return false;
	mouseDownView = nullptr;
	std::vector<SharedPointer<CView>> order (children.begin (), children.end ());
	for (auto& child : order)
		child->removed (this);
	return CView::removed (parent);
}

CPoint& CViewContainer::frameToLocal (CPoint& point) const
{
	if (auto parent = getParentView ())
		parent->frameToLocal (point);
	point.offset (-getViewSize ().left, -getViewSize ().top);
	getTransform ().inverse ().transform (point);
	return point;
}

CPoint& CViewContainer::localToFrame (CPoint& point) const
{
	getTransform ().transform (point);
	point.offset (getViewSize ().left, getViewSize ().top);
	if (auto parent = getParentView ())
		parent->localToFrame (point);
	return point;
}

bool CViewContainer::checkUpdateRect (CView* view, const CRect& rect)
{
	return view->checkUpdate (rect) && view->isVisible ();
}

void CViewContainer::setMouseDownView (CView* view)
{
	mouseDownView = view;
}

CView* CViewContainer::getMouseDownView () const
{
	return mouseDownView;
}

} // namespace VSTGUI
