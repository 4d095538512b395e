// CFrame: the root container that ties a view tree to a platform window (or the offscreen stand-in), routes
// its events, collects invalid areas and redraws them.
#pragma once

#include "cviewcontainer.h"
#include "platform/iplatformframecallback.h"
#include "vstguifwd.h"

#include <functional>

namespace VSTGUI
{

enum CKnobMode
{
	kCircularMode = 0,
	kRelativCircularMode,
	kLinearMode
};

extern IdStringPtr kMsgNewFocusView;
extern IdStringPtr kMsgOldFocusView;

class CFrame final : public CViewContainer, public IPlatformFrameCallback
{
public:
	CFrame (const CRect& size, VSTGUIEditorInterface* pEditor);

	// Opens the frame in a platform window; a null window gives the offscreen platform frame.
	bool open (void* pSystemWindow, PlatformType systemWindowType = PlatformType::kDefaultNative,
	           IPlatformFrameConfig* = nullptr);
	// Removes every view, gives up the platform frame and forgets the frame.
	void close ();

	bool setZoom (double zoomFactor);
	double getZoom () const;
	double getScaleFactor () const;

	// The idle pass: invalidates dirty views (nothing to do while kDirtyCallAlwaysOnMainThread is set).
	void idle ();
	uint64_t getTicks () const;

	static int32_t kDefaultKnobMode;
	// The editor's knob mode, or kDefaultKnobMode when the editor reports none.
	int32_t getKnobMode () const;

	bool setPosition (CCoord x, CCoord y);
	bool getPosition (CCoord& x, CCoord& y) const;
	// Asks the editor first (VSTGUIEditorInterface::beforeSizeChange); changes nothing when it refuses.
	bool setSize (CCoord width, CCoord height);
	bool getSize (CRect* pSize) const;
	bool getSize (CRect& pSize) const;

	bool getCurrentMouseLocation (CPoint& where) const;
	CButtonState getCurrentMouseButtons () const;
	void setCursor (CCursorType type);

	void setFocusView (CView* pView);
	CView* getFocusView () const;
	bool advanceNextFocusView (CView* oldFocus, bool reverse = false) override;

	void onViewAdded (CView* pView);
	void onViewRemoved (CView* pView);

	void onActivate (bool state);
	void invalidate (const CRect& rect);

	void enableTooltips (bool state, uint32_t delayTimeInMs = 1000);

	IViewAddedRemovedObserver* getViewAddedRemovedObserver () const;
	void setViewAddedRemovedObserver (IViewAddedRemovedObserver* observer);

	void registerKeyboardHook (IKeyboardHook* hook);
	void unregisterKeyboardHook (IKeyboardHook* hook);

	void registerMouseObserver (IMouseObserver* observer);
	void unregisterMouseObserver (IMouseObserver* observer);

	void registerFocusViewObserver (IFocusViewObserver* observer);
	void unregisterFocusViewObserver (IFocusViewObserver* observer);

	using EventProcessingFunction = std::function<void ()>;
	// Queues a function to run once the event in progress has been handled; only while one is.
	bool doAfterEventProcessing (EventProcessingFunction&& func);
	bool doAfterEventProcessing (const EventProcessingFunction& func);
	bool inEventProcessing () const;

	void invalid () override { invalidRect (getViewSize ()); }
	void invalidRect (const CRect& rect) override;

	bool removeView (CView* pView, bool withForget = true) override;
	bool removeAll (bool withForget = true) override;
	CView* getViewAt (const CPoint& where, const GetViewOptions& options = GetViewOptions ()) const override;
	CViewContainer* getContainerAt (const CPoint& where,
	                                const GetViewOptions& options = GetViewOptions ().deep ()) const override;
	bool getViewsAt (const CPoint& where, ViewList& views,
	                 const GetViewOptions& options = GetViewOptions ().deep ()) const override;
	bool hitTestSubViews (const CPoint& where, const Event& event = noEvent ()) override;
	CPoint& frameToLocal (CPoint& point) const override { return point; }
	CPoint& localToFrame (CPoint& point) const override { return point; }

	bool attached (CView* parent) override;
	void draw (CDrawContext* pContext) override;
	void drawRect (CDrawContext* pContext, const CRect& updateRect) override;
	void setViewSize (const CRect& rect, bool invalid = true) override;
	void dispatchEvent (Event& event) override;

	VSTGUIEditorInterface* getEditor () const override;
	const PlatformFramePtr& getPlatformFrame () const;

	CLASS_METHODS_NOCOPY (CFrame, CViewContainer)

protected:
	CFrame (const CFrame&) = delete;
	~CFrame () noexcept override;
	void beforeDelete () override;

	// IPlatformFrameCallback
	void platformDrawRect (CDrawContext* context, const CRect& rect) override;
	void platformOnEvent (Event& event) override;
	void platformOnActivate (bool state) override;
	void platformOnWindowActivate (bool state) override;
	void platformScaleFactorChanged (double newScaleFactor) override;

private:
	void dispatchMouseEvent (MouseEvent& event);
	void dispatchMouseDownEvent (MouseDownEvent& event);
	void dispatchMouseMoveEvent (MouseMoveEvent& event);
	void dispatchMouseUpEvent (MouseUpEvent& event);
	void dispatchKeyboardEvent (KeyboardEvent& event);
	void dispatchWheelEvent (MouseWheelEvent& event);
	void checkMouseViews (const MouseEvent& event);
	void clearMouseViews (const CPoint& where, Modifiers modifiers, bool callMouseExit = true);
	void callMouseObserverMouseEntered (CView* view);
	void callMouseObserverMouseExited (CView* view);
	void callMouseObserverOtherMouseEvent (MouseEvent& event);
	void runDeferredFunctions ();

	friend class CView;
	void setViewWantsIdle (CView* view, bool state);

	struct Impl;
	Impl* pImpl{nullptr};
};

// What the frame needs of the editor that owns it.
class VSTGUIEditorInterface
{
public:
	virtual void doIdleStuff () {}
	virtual int32_t getKnobMode () const { return -1; }

	virtual void beginEdit (int32_t index) {}
	virtual void endEdit (int32_t index) {}

	// The frame is about to change its size; answering false keeps the old size.
	virtual bool beforeSizeChange (const CRect& newSize, const CRect& oldSize) { return true; }

	virtual CFrame* getFrame () const { return frame; }

protected:
	VSTGUIEditorInterface () = default;
	virtual ~VSTGUIEditorInterface () noexcept = default;

	CFrame* frame{nullptr};
};

// Sees every mouse event of the frame before any view does; consuming it ends its dispatch.
class IMouseObserver
{
public:
	virtual ~IMouseObserver () noexcept = default;
	virtual void onMouseEntered (CView* view, CFrame* frame) = 0;
	virtual void onMouseExited (CView* view, CFrame* frame) = 0;
	virtual void onMouseEvent (MouseEvent& event, CFrame* frame) = 0;
};

class IKeyboardHook
{
public:
	virtual ~IKeyboardHook () noexcept = default;
	// A consumed event goes no further.
	virtual void onKeyboardEvent (KeyboardEvent& event, CFrame* frame) = 0;
};

// Told of every view that joins or leaves the opened frame, children of containers included.
class IViewAddedRemovedObserver
{
public:
	virtual ~IViewAddedRemovedObserver () noexcept = default;
	virtual void onViewAdded (CFrame* frame, CView* view) = 0;
	virtual void onViewRemoved (CFrame* frame, CView* view) = 0;
};

class IFocusViewObserver
{
public:
	virtual ~IFocusViewObserver () noexcept = default;
	virtual void onFocusViewChanged (CFrame* frame, CView* newFocusView, CView* oldFocusView) = 0;
};

} // namespace VSTGUI
