// Listener interfaces of views and view containers, with empty adapters.
#pragma once

#include "vstguifwd.h"

namespace VSTGUI
{

class IViewListener
{
public:
	virtual ~IViewListener () noexcept = default;

	virtual void viewSizeChanged (CView* view, const CRect& oldSize) = 0;
	virtual void viewAttached (CView* view) = 0;
	virtual void viewRemoved (CView* view) = 0;
	virtual void viewLostFocus (CView* view) = 0;
	virtual void viewTookFocus (CView* view) = 0;
	virtual void viewWillDelete (CView* view) = 0;
	virtual void viewOnMouseEnabled (CView* view, bool state) = 0;
};

// Sees every event that is dispatched to the view before the view does; consuming it ends its dispatch.
class IViewEventListener
{
public:
	virtual ~IViewEventListener () noexcept = default;

	virtual void viewOnEvent (CView* view, Event& event) = 0;
};

class IViewContainerListener
{
public:
	virtual ~IViewContainerListener () noexcept = default;

	virtual void viewContainerViewAdded (CViewContainer* container, CView* view) = 0;
	virtual void viewContainerViewRemoved (CViewContainer* container, CView* view) = 0;
	virtual void viewContainerViewZOrderChanged (CViewContainer* container, CView* view) = 0;
	virtual void viewContainerTransformChanged (CViewContainer* container) = 0;
};

class ViewListenerAdapter : public IViewListener
{
public:
	void viewSizeChanged (CView* view, const CRect& oldSize) override {}
	void viewAttached (CView* view) override {}
	void viewRemoved (CView* view) override {}
	void viewLostFocus (CView* view) override {}
	void viewTookFocus (CView* view) override {}
	void viewWillDelete (CView* view) override {}
	void viewOnMouseEnabled (CView* view, bool state) override {}
};

class ViewEventListenerAdapter : public IViewEventListener
{
public:
	void viewOnEvent (CView* view, Event& event) override {}
};

class ViewContainerListenerAdapter : public IViewContainerListener
{
public:
	void viewContainerViewAdded (CViewContainer* container, CView* view) override {}
	void viewContainerViewRemoved (CViewContainer* container, CView* view) override {}
	void viewContainerViewZOrderChanged (CViewContainer* container, CView* view) override {}
	void viewContainerTransformChanged (CViewContainer* container) override {}
};

} // namespace VSTGUI
