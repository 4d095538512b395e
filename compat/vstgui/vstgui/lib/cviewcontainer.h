// CViewContainer: a view that owns child views, draws them in order with clipping and routes events to them.
#pragma once

#include "ccolor.h"
#include "cdrawdefs.h"
#include "cview.h"
#include "vstguifwd.h"

#include <list>

namespace VSTGUI
{

extern IdStringPtr kMsgLooseFocus;

struct GetViewOptions
{
	enum
	{
		kNone = 0,
		kDeep = 1 << 0,
		kMouseEnabled = 1 << 1,
		kIncludeViewContainer = 1 << 2,
		kIncludeInvisible = 1 << 3
	};

	explicit GetViewOptions (uint32_t options = kNone) : flags (options) {}

	GetViewOptions& deep (bool state = true) { return setBit (kDeep, state); }
	GetViewOptions& mouseEnabled (bool state = true) { return setBit (kMouseEnabled, state); }
	GetViewOptions& includeViewContainer (bool state = true) { return setBit (kIncludeViewContainer, state); }
	GetViewOptions& includeInvisible (bool state = true) { return setBit (kIncludeInvisible, state); }

	bool getDeep () const { return flags & kDeep; }
	bool getMouseEnabled () const { return flags & kMouseEnabled; }
	bool getIncludeViewContainer () const { return flags & kIncludeViewContainer; }
	bool getIncludeInvisible () const { return flags & kIncludeInvisible; }

private:
	GetViewOptions& setBit (uint32_t bit, bool state)
	{
		flags = state ? (flags | bit) : (flags & ~bit);
		return *this;
	}
	uint32_t flags;
};

class CViewContainer : public CView
{
public:
	using ViewList = std::list<SharedPointer<CView>>;

	explicit CViewContainer (const CRect& size);
	CViewContainer (const CViewContainer& viewContainer);

	// children; the container owns one reference to each child (the one the creator hands over)
	bool addView (CView* pView, const CRect& mouseableArea, bool mouseEnabled = true);
	virtual bool addView (CView* pView, CView* pBefore = nullptr);
	virtual bool removeView (CView* pView, bool withForget = true);
	virtual bool removeAll (bool withForget = true);
	bool isChild (CView* pView) const;
	virtual bool isChild (CView* pView, bool deep) const;
	virtual bool hasChildren () const;
	virtual uint32_t getNbViews () const;
	virtual CView* getView (uint32_t index) const;
	virtual CView* getViewAt (const CPoint& where, const GetViewOptions& options = GetViewOptions ()) const;
	virtual CViewContainer* getContainerAt (const CPoint& where,
	                                        const GetViewOptions& options = GetViewOptions ().deep ()) const;
	// All views at `where` (in this container's parent coordinates), front-most first.
	virtual bool getViewsAt (const CPoint& where, ViewList& views,
	                         const GetViewOptions& options = GetViewOptions ().deep ()) const;
	virtual bool changeViewZOrder (CView* view, uint32_t newIndex);
	virtual bool hitTestSubViews (const CPoint& where, const Event& event = noEvent ());

	virtual void setAutosizingEnabled (bool state);
	bool getAutosizingEnabled () const { return hasViewFlag (kAutosizeSubviews); }

	template <class ViewClass, class ContainerClass>
	uint32_t getChildViewsOfType (ContainerClass& result, bool deep = false) const;
	template <typename Proc> void forEachChild (Proc proc) const;

	// background
	virtual void setBackgroundColor (const CColor& color);
	virtual CColor getBackgroundColor () const;
	virtual void setBackgroundOffset (const CPoint& p);
	virtual CPoint getBackgroundOffset () const;
	virtual void drawBackgroundRect (CDrawContext* pContext, const CRect& _updateRect);
	virtual void setBackgroundColorDrawStyle (CDrawStyle style);
	CDrawStyle getBackgroundColorDrawStyle () const;

	virtual bool advanceNextFocusView (CView* oldFocus, bool reverse = false);
	virtual bool invalidateDirtyViews ();
	virtual CRect getVisibleSize (const CRect& rect) const;

	void setTransform (const CGraphicsTransform& t);
	const CGraphicsTransform& getTransform () const;

	void registerViewContainerListener (IViewContainerListener* listener);
	void unregisterViewContainerListener (IViewContainerListener* listener);

	// CView
	void draw (CDrawContext* pContext) override;
	void drawRect (CDrawContext* pContext, const CRect& updateRect) override;
	void onMouseDownEvent (MouseDownEvent& event) override;
	void onMouseMoveEvent (MouseMoveEvent& event) override;
	void onMouseUpEvent (MouseUpEvent& event) override;
	void onMouseCancelEvent (MouseCancelEvent& event) override;
	void onMouseWheelEvent (MouseWheelEvent& event) override;
	void onZoomGestureEvent (ZoomGestureEvent& event) override;
	CMessageResult notify (CBaseObject* sender, IdStringPtr message) override;

	void looseFocus () override;
	void takeFocus () override;
	bool isDirty () const override;
	void invalid () override;
	void invalidRect (const CRect& rect) override;
	void setViewSize (const CRect& rect, bool invalid = true) override;
	// Tells every child, in order, that its parent's size has changed.
	void parentSizeChanged () override;
	bool sizeToFit () override;
	bool removed (CView* parent) override;
	bool attached (CView* parent) override;
	CPoint& frameToLocal (CPoint& point) const override;
	CPoint& localToFrame (CPoint& point) const override;

	CViewContainer* asViewContainer () final { return this; }
	const CViewContainer* asViewContainer () const final { return this; }

	CLASS_METHODS (CViewContainer, CView)

protected:
	enum
	{
		kAutosizeSubviews = 1 << (CView::kLastCViewFlag + 1),
	};

	~CViewContainer () noexcept override;
	void beforeDelete () override;

	virtual bool checkUpdateRect (CView* view, const CRect& rect);

	void setMouseDownView (CView* view);
	CView* getMouseDownView () const;

	const ViewList& getChildren () const { return children; }

private:
	void autosizeChildren (const CRect& oldSize, const CRect& newSize);

	ViewList children;
	CColor backgroundColor{kBlackCColor};
	CPoint backgroundOffset;
	CDrawStyle backgroundColorDrawStyle{kDrawFilledAndStroked};
	CGraphicsTransform transform;
	SharedPointer<CView> mouseDownView;
	std::vector<IViewContainerListener*> containerListeners;
};

template <class ViewClass, class ContainerClass>
inline uint32_t CViewContainer::getChildViewsOfType (ContainerClass& result, bool deep) const
{
	for (auto& child : getChildren ())
	{
		if (auto vObj = child.template cast<ViewClass> ())
			result.push_back (vObj);
		if (deep)
		{
			if (auto container = child->asViewContainer ())
				container->template getChildViewsOfType<ViewClass, ContainerClass> (result, deep);
		}
	}
	return static_cast<uint32_t> (result.size ());
}

template <typename Proc> inline void CViewContainer::forEachChild (Proc proc) const
{
	for (auto& child : getChildren ())
		proc (child);
}

} // namespace VSTGUI
