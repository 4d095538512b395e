#include "ccontrol.h"

#include "../cframe.h"
#include "../cvstguitimer.h"

#include <algorithm>
#include <vector>

namespace VSTGUI
{

IdStringPtr CControl::kMessageValueChanged = "kMessageValueChanged";
IdStringPtr CControl::kMessageBeginEdit = "kMessageBeginEdit";
IdStringPtr CControl::kMessageEndEdit = "kMessageEndEdit";
int32_t CControl::kZoomModifier = kShift;

namespace
{

bool defaultCheckDefaultValue (CControl*, MouseDownEvent& event)
{
	return event.buttonState.isLeft () && event.modifiers.is (ModifierKey::Control);
}

} // namespace

CControl::CheckDefaultValueEventFuncT CControl::CheckDefaultValueEventFunc = defaultCheckDefaultValue;

struct CControl::Impl
{
	IControlListener* listener{nullptr};
	std::vector<IControlListener*> subListeners;
	int32_t tag{-1};
	float value{0.f};
	float oldValue{1.f};
	float defaultValue{0.5f};
	float vmin{0.f};
	float vmax{1.f};
	float wheelInc{0.1f};
	int32_t editing{0};

	template <typename F> void forEachListener (F&& f)
	{
		if (listener)
			f (listener);
		auto subs = subListeners;
		for (auto* l : subs)
			f (l);
	}
};

CControl::CControl (const CRect& size, IControlListener* listener, int32_t tag, CBitmap* pBackground)
    : CView (size), impl (std::make_unique<Impl> ())
{
	impl->listener = listener;
	impl->tag = tag;
	if (pBackground)
		setBackground (pBackground);
	setWantsFocus (true);
}

CControl::CControl (const CControl& c) : CView (c), impl (std::make_unique<Impl> (*c.impl))
{
	impl->editing = 0;
	impl->subListeners.clear ();
}

CControl::~CControl () noexcept = default;

void CControl::setValue (float val)
{
	val = std::clamp (val, getMin (), std::max (getMin (), getMax ()));
	if (val != impl->value)
	{
		impl->value = val;
		setDirty (true);
	}
}

float CControl::getValue () const
{
	return impl->value;
}

void CControl::setValueNormalized (float val)
{
	val = std::clamp (val, 0.f, 1.f);
	setValue (getRange () * val + getMin ());
}

float CControl::getValueNormalized () const
{
	auto range = getRange ();
	if (range == 0.f)
		return 0.f;
	return (getValue () - getMin ()) / range;
}

void CControl::setMin (float val)
{
	impl->vmin = val;
	bounceValue ();
}

float CControl::getMin () const
{
	return impl->vmin;
}

void CControl::setMax (float val)
{
	impl->vmax = val;
	bounceValue ();
}

float CControl::getMax () const
{
	return impl->vmax;
}

void CControl::setOldValue (float val)
{
	impl->oldValue = val;
}

float CControl::getOldValue () const
{
	return impl->oldValue;
}

void CControl::setDefaultValue (float val)
{
	impl->defaultValue = val;
}

float CControl::getDefaultValue () const
{
	return impl->defaultValue;
}

void CControl::bounceValue ()
{
	if (impl->value > getMax ())
		impl->value = getMax ();
	else if (impl->value < getMin ())
		impl->value = getMin ();
}

void CControl::valueChanged ()
{
	impl->forEachListener ([this] (IControlListener* l) { l->valueChanged (this); });
	notify (this, kMessageValueChanged);
}

void CControl::setTag (int32_t val)
{
	impl->forEachListener ([this] (IControlListener* l) { l->controlTagWillChange (this); });
	impl->tag = val;
	impl->forEachListener ([this] (IControlListener* l) { l->controlTagDidChange (this); });
}

int32_t CControl::getTag () const
{
	return impl->tag;
}

void CControl::beginEdit ()
{
	if (impl->editing++ > 0)
		return;
	impl->forEachListener ([this] (IControlListener* l) { l->controlBeginEdit (this); });
	if (auto editor = getEditor ())
		editor->beginEdit (getTag ());
}

void CControl::endEdit ()
{
	if (impl->editing == 0 || --impl->editing > 0)
		return;
	if (auto editor = getEditor ())
		editor->endEdit (getTag ());
	impl->forEachListener ([this] (IControlListener* l) { l->controlEndEdit (this); });
}

bool CControl::isEditing () const
{
	return impl->editing > 0;
}

IControlListener* CControl::getListener () const
{
	return impl->listener;
}

void CControl::setListener (IControlListener* l)
{
	impl->listener = l;
}

void CControl::registerControlListener (IControlListener* listener)
{
	impl->subListeners.push_back (listener);
}

void CControl::unregisterControlListener (IControlListener* listener)
{
	std::erase (impl->subListeners, listener);
}

void CControl::setWheelInc (float val)
{
	impl->wheelInc = val;
}

float CControl::getWheelInc () const
{
	return impl->wheelInc;
}

bool CControl::removed (CView* parent)
{
	return CView::removed (parent);
}

bool CControl::attached (CView* parent)
{
	return CView::attached (parent);
}

void CControl::dispatchEvent (Event& event)
{
	if (event.type == EventType::MouseDown && CheckDefaultValueEventFunc)
	{
		auto& down = castMouseDownEvent (event);
		if (CheckDefaultValueEventFunc (this, down))
		{
			float defaultValue = getDefaultValue ();
			if (defaultValue != getValue ())
			{
				beginEdit ();
				setValue (defaultValue);
				valueChanged ();
				endEdit ();
				invalid ();
			}
			down.consumed = true;
			down.ignoreFollowUpMoveAndUpEvents (true);
			return;
		}
	}
	CView::dispatchEvent (event);
}

bool CControl::isZoomModifier (const Modifiers& modifiers)
{
	return (buttonStateFromEventModifiers (modifiers) & kZoomModifier) != 0;
}

bool CControl::stepByWheelIncrements (float distance, const Modifiers& modifiers)
{
	float value = getValueNormalized ();
	if (isZoomModifier (modifiers))
		value += 0.1f * distance * getWheelInc ();
	else
		value += distance * getWheelInc ();
	const float old = getValue ();
	setValueNormalized (value);
	if (getValue () == old)
		return false;
	invalid ();
	return true;
}

void CMouseWheelEditingSupport::invalidMouseWheelEditTimer (CControl* control)
{
	endEditTimer = nullptr;
	if (control->isEditing ())
		control->endEdit ();
}

void CMouseWheelEditingSupport::onMouseWheelEditing (CControl* control)
{
	if (!control->isEditing ())
		control->beginEdit ();
	// Replacing the timer stops the previous one: the end moves on to half a second after this notch.
	endEditTimer = SharedPointer<CBaseObject> (makeOwned<CVSTGUITimer> (
	    [control] (CVSTGUITimer* timer)
	    {
		    control->endEdit ();
		    timer->stop ();
	    },
	    kEndEditDelay));
}

} // namespace VSTGUI
