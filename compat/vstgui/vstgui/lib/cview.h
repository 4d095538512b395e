// CView: the base of every view; places, draws and invalidates itself and receives the events of its area.
#pragma once

#include "cbuttonstate.h"
#include "cgraphicstransform.h"
#include "cpoint.h"
#include "crect.h"
#include "cstring.h"
#include "events.h"
#include "vstguifwd.h"

#include <map>
#include <vector>

namespace VSTGUI
{

extern IdStringPtr kMsgViewSizeChanged;

constexpr CViewAttributeID makeViewAttributeID (const char (&code)[5])
{
	return (CViewAttributeID (uint8_t (code[0])) << 24) | (CViewAttributeID (uint8_t (code[1])) << 16) |
	       (CViewAttributeID (uint8_t (code[2])) << 8) | CViewAttributeID (uint8_t (code[3]));
}
static constexpr CViewAttributeID kCViewAttributeReferencePointer = makeViewAttributeID ("cvrp");
static constexpr CViewAttributeID kCViewTooltipAttribute = makeViewAttributeID ("cvtt");
static constexpr CViewAttributeID kCViewControllerAttribute = makeViewAttributeID ("ictr");

enum CViewAutosizing
{
	kAutosizeNone = 0,
	kAutosizeLeft = 1 << 0,
	kAutosizeTop = 1 << 1,
	kAutosizeRight = 1 << 2,
	kAutosizeBottom = 1 << 3,
	kAutosizeColumn = 1 << 4,
	kAutosizeRow = 1 << 5,
	kAutosizeAll = kAutosizeLeft | kAutosizeTop | kAutosizeRight | kAutosizeBottom,
};

class CView : public CBaseObject
{
public:
	explicit CView (const CRect& size);
	CView (const CView& view);

	// drawing and update
	virtual void draw (CDrawContext* pContext);
	virtual void drawRect (CDrawContext* pContext, const CRect& updateRect) { draw (pContext); }
	virtual bool checkUpdate (const CRect& updateRect) const { return updateRect.rectOverlap (getViewSize ()); }

	virtual bool isDirty () const { return hasViewFlag (kDirty); }
	// With kDirtyCallAlwaysOnMainThread set, a view marked dirty is invalidated at once; otherwise the frame's
	// idle pass invalidates it.
	virtual void setDirty (bool val = true);
	static bool kDirtyCallAlwaysOnMainThread;

	virtual void invalidRect (const CRect& rect);
	virtual void invalid ()
	{
		setDirty (false);
		invalidRect (getViewSize ());
	}

	virtual void setVisible (bool state);
	bool isVisible () const { return hasViewFlag (kVisible) && getAlphaValue () > 0.f; }

	// events
	virtual void dispatchEvent (Event& event);
	virtual void onMouseDownEvent (MouseDownEvent& event);
	virtual void onMouseMoveEvent (MouseMoveEvent& event);
	virtual void onMouseUpEvent (MouseUpEvent& event);
	virtual void onMouseCancelEvent (MouseCancelEvent& event);
	virtual void onMouseEnterEvent (MouseEnterEvent& event);
	virtual void onMouseExitEvent (MouseExitEvent& event);
	virtual void onMouseWheelEvent (MouseWheelEvent& event);
	virtual void onZoomGestureEvent (ZoomGestureEvent& event);
	virtual void onKeyboardEvent (KeyboardEvent& event);

	// legacy mouse methods, called by the default event methods above
	virtual CMouseEventResult onMouseDown (CPoint& where, const CButtonState& buttons);
	virtual CMouseEventResult onMouseUp (CPoint& where, const CButtonState& buttons);
	virtual CMouseEventResult onMouseMoved (CPoint& where, const CButtonState& buttons);
	virtual CMouseEventResult onMouseCancel ();
	virtual CMouseEventResult onMouseEntered (CPoint& where, const CButtonState& buttons)
	{
		return kMouseEventNotImplemented;
	}
	virtual CMouseEventResult onMouseExited (CPoint& where, const CButtonState& buttons)
	{
		return kMouseEventNotImplemented;
	}

	virtual bool hitTest (const CPoint& where, const Event& event = noEvent ());

	virtual void setMouseEnabled (bool bEnable = true);
	bool getMouseEnabled () const { return hasViewFlag (kMouseEnabled); }
	void setMouseableArea (const CRect& rect);
	CRect getMouseableArea () const;

	// size
	CCoord getHeight () const { return getViewSize ().getHeight (); }
	CCoord getWidth () const { return getViewSize ().getWidth (); }
	virtual void setViewSize (const CRect& rect, bool invalid = true);
	const CRect& getViewSize () const { return viewSize; }
	virtual CRect getVisibleViewSize () const;
	// Told when a parent's size has changed; views that lay themselves out override it.
	virtual void parentSizeChanged () {}
	virtual CPoint& frameToLocal (CPoint& point) const;
	virtual CPoint& localToFrame (CPoint& point) const;
	virtual void setAutosizeFlags (int32_t flags);
	int32_t getAutosizeFlags () const { return autosizeFlags; }
	virtual bool sizeToFit () { return false; }

	// focus
	virtual void looseFocus ();
	virtual void takeFocus ();
	virtual bool wantsFocus () const { return hasViewFlag (kWantsFocus); }
	virtual void setWantsFocus (bool state);

	// attributes
	bool getAttributeSize (const CViewAttributeID id, uint32_t& outSize) const;
	bool getAttribute (const CViewAttributeID id, const uint32_t inSize, void* outData, uint32_t& outSize) const;
	bool setAttribute (const CViewAttributeID id, const uint32_t inSize, const void* inData);
	bool removeAttribute (const CViewAttributeID id);

	// background
	virtual void setBackground (CBitmap* background);
	CBitmap* getBackground () const;
	virtual void setDisabledBackground (CBitmap* background);
	CBitmap* getDisabledBackground () const;
	CBitmap* getDrawBackground () const;

	// transparency
	virtual void setTransparency (bool val);
	bool getTransparency () const { return hasViewFlag (kTransparencyEnabled); }
	virtual void setAlphaValue (float alpha);
	float getAlphaValue () const { return alphaValue; }

	// attaching
	virtual bool removed (CView* parent);
	virtual bool attached (CView* parent);
	bool isAttached () const { return hasViewFlag (kIsAttached); }
	void setSubviewState (bool state);
	bool isSubview () const { return hasViewFlag (kIsSubview); }

	// parents
	CView* getParentView () const { return parentView; }
	CFrame* getFrame () const { return parentFrame; }
	virtual VSTGUIEditorInterface* getEditor () const;

	// idle
	virtual void onIdle () {}
	void setWantsIdle (bool state);
	bool wantsIdle () const { return hasViewFlag (kWantsIdle); }
	static uint32_t idleRate;

	virtual bool wantsWindowActiveStateChangeNotification () const { return false; }
	virtual void onWindowActivate (bool state) {}

	void setTooltipText (UTF8StringPtr text);

	// listeners
	void registerViewListener (IViewListener* listener);
	void unregisterViewListener (IViewListener* listener);
	void registerViewEventListener (IViewEventListener* listener);
	void unregisterViewEventListener (IViewEventListener* listener);

	// coordinates
	CGraphicsTransform getGlobalTransform (bool ignoreFrame = false) const;
	template <typename T> T& translateToGlobal (T& t, bool ignoreFrame = false) const
	{
		getGlobalTransform (ignoreFrame).transform (t);
		return t;
	}
	template <typename T> T translateToGlobal (const T& t, bool ignoreFrame = false) const
	{
		T tmp (t);
		getGlobalTransform (ignoreFrame).transform (tmp);
		return tmp;
	}
	template <typename T> T& translateToLocal (T& t, bool ignoreFrame = false) const
	{
		getGlobalTransform (ignoreFrame).inverse ().transform (t);
		return t;
	}
	template <typename T> T translateToLocal (const T& t, bool ignoreFrame = false) const
	{
		T tmp (t);
		getGlobalTransform (ignoreFrame).inverse ().transform (tmp);
		return tmp;
	}

	virtual CViewContainer* asViewContainer () { return nullptr; }
	virtual const CViewContainer* asViewContainer () const { return nullptr; }

	CMessageResult notify (CBaseObject* sender, IdStringPtr message) override;
	void beforeDelete () override;

	virtual CView* newCopy () const { return new CView (*this); }

protected:
	enum
	{
		kMouseEnabled = 1 << 0,
		kTransparencyEnabled = 1 << 1,
		kWantsFocus = 1 << 2,
		kIsAttached = 1 << 3,
		kVisible = 1 << 4,
		kDirty = 1 << 5,
		kWantsIdle = 1 << 6,
		kIsSubview = 1 << 7,
		kHasMouseableArea = 1 << 8,
		kLastCViewFlag = 8
	};

	~CView () noexcept override;

	void setViewFlag (int32_t bit, bool state);
	bool hasViewFlag (int32_t bit) const { return (viewFlags & bit) != 0; }
	void setParentFrame (CFrame* frame) { parentFrame = frame; }
	void setParentView (CView* parent) { parentView = parent; }

	// Calls the registered event listeners; they may consume the event before the view sees it.
	void dispatchEventToListeners (Event& event);

private:
	CRect viewSize;
	CRect mouseableArea;
	CView* parentView{nullptr};
	CFrame* parentFrame{nullptr};
	int32_t viewFlags{0};
	int32_t autosizeFlags{kAutosizeNone};
	float alphaValue{1.f};
	SharedPointer<CBitmap> background;
	SharedPointer<CBitmap> disabledBackground;
	std::map<CViewAttributeID, std::vector<uint8_t>> attributes;
	std::vector<IViewListener*> viewListeners;
	std::vector<IViewEventListener*> viewEventListeners;
};

} // namespace VSTGUI
