// CControl: the base of every control: a value between a minimum and a maximum, a tag, a listener and
// edit gestures (beginEdit/endEdit) that the listener hears about.
#pragma once

#include "../cview.h"
#include "icontrollistener.h"

#include <memory>

#ifndef kPI
#define kPI 3.14159265358979323846
#endif

namespace VSTGUI
{

class CControl : public CView
{
public:
	CControl (const CRect& size, IControlListener* listener = nullptr, int32_t tag = 0, CBitmap* pBackground = nullptr);
	CControl (const CControl& c);

	// value
	virtual void setValue (float val);
	virtual float getValue () const;
	virtual void setValueNormalized (float val);
	virtual float getValueNormalized () const;
	virtual void setMin (float val);
	virtual float getMin () const;
	virtual void setMax (float val);
	virtual float getMax () const;
	float getRange () const { return getMax () - getMin (); }
	virtual void setOldValue (float val);
	virtual float getOldValue () const;
	virtual void setDefaultValue (float val);
	virtual float getDefaultValue () const;
	// Keeps the value between the minimum and the maximum.
	virtual void bounceValue ();
	// Tells the listener (and the sub-listeners) that the value changed, and marks the control dirty.
	virtual void valueChanged ();

	// editing
	virtual void setTag (int32_t val);
	virtual int32_t getTag () const;
	// Gestures nest; the listener hears the outermost begin and end only.
	virtual void beginEdit ();
	virtual void endEdit ();
	bool isEditing () const;

	virtual IControlListener* getListener () const;
	virtual void setListener (IControlListener* l);
	void registerControlListener (IControlListener* listener);
	void unregisterControlListener (IControlListener* listener);

	virtual void setWheelInc (float val);
	virtual float getWheelInc () const;

	// CView
	void draw (CDrawContext* pContext) override = 0;
	bool removed (CView* parent) override;
	bool attached (CView* parent) override;
	void dispatchEvent (Event& event) override;

	// Decides whether a mouse-down resets the control to its default value; consulted for every mouse-down that
	// reaches a control. The default answers true for the left button with the Control key alone.
	using CheckDefaultValueEventFuncT = bool (*) (CControl*, MouseDownEvent&);
	static CheckDefaultValueEventFuncT CheckDefaultValueEventFunc;

	// fine adjustment while dragging, and smaller wheel and key steps (legacy button bit; Shift)
	static int32_t kZoomModifier;

	static IdStringPtr kMessageValueChanged;
	static IdStringPtr kMessageBeginEdit;
	static IdStringPtr kMessageEndEdit;

	CLASS_METHODS_VIRTUAL (CControl, CView)

protected:
	~CControl () noexcept override;

	static bool isZoomModifier (const Modifiers& modifiers);
	// Moves the value by `distance` wheel increments, a tenth of that with the zoom modifier, as a wheel notch
	// or an arrow key does; invalidates the view and answers true when the value changed.
	bool stepByWheelIncrements (float distance, const Modifiers& modifiers);

private:
	struct Impl;
	std::unique_ptr<Impl> impl;
};

// Wheel editing as one gesture for the controls that take it: the first notch begins an edit, and a timer ends
// it half a second after the last notch, so that a host records a burst of notches as one change.
class CMouseWheelEditingSupport
{
public:
	static constexpr uint32_t kEndEditDelay = 500; // milliseconds after the last notch

	CMouseWheelEditingSupport () = default;
	// A copy starts without an edit of its own: the timer would end the original's.
	CMouseWheelEditingSupport (const CMouseWheelEditingSupport&) {}
	CMouseWheelEditingSupport& operator= (const CMouseWheelEditingSupport&) = delete;

protected:
	// Drops a pending end and ends whatever edit the control is in, before a mouse gesture begins its own.
	void invalidMouseWheelEditTimer (CControl* control);
	// Begins an edit unless the control is in one, and (re)starts the timer that ends it.
	void onMouseWheelEditing (CControl* control);

private:
	SharedPointer<CBaseObject> endEditTimer;
};

} // namespace VSTGUI
