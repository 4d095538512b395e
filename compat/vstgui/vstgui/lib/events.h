// The input events that the frame dispatches to views: mouse, wheel, zoom gesture and keyboard.
#pragma once

#include "cbuttonstate.h"
#include "cpoint.h"
#include "vstguifwd.h"

#include <initializer_list>
#include <type_traits>

namespace VSTGUI
{

enum class EventType : uint32_t
{
	Unknown,
	MouseDown,
	MouseMove,
	MouseUp,
	MouseCancel,
	MouseEnter,
	MouseExit,
	MouseWheel,
	ZoomGesture,
	KeyUp,
	KeyDown,
};

struct EventConsumeState
{
	enum
	{
		NotHandled = 0,
		Handled,
		Last,
	};

	void operator= (bool state)
	{
		if (state)
			data |= Handled;
		else
			data &= ~static_cast<uint32_t> (Handled);
	}
	operator bool () const { return data & Handled; }
	void reset () { data = NotHandled; }

	uint32_t data{NotHandled};
};

struct Event
{
	Event () noexcept;
	Event (const Event&) = delete;
	Event& operator= (const Event&) = delete;
	Event (Event&&) = default;
	Event& operator= (Event&&) = default;

	EventType type{EventType::Unknown};
	// Unique per event object; timestamp in milliseconds of the platform's clock (0 when unknown).
	uint64_t id;
	uint64_t timestamp;
	// Once set, dispatching stops.
	EventConsumeState consumed;
};

const Event& noEvent ();

enum class ModifierKey : uint32_t
{
	Shift = 1 << 0,
	Alt = 1 << 1,
	// Command on macOS, Control elsewhere
	Control = 1 << 2,
	// Control on macOS, Windows key on Windows, Super elsewhere
	Super = 1 << 3,

	None = 0
};

struct Modifiers
{
	Modifiers () = default;
	Modifiers (const Modifiers&) = default;
	Modifiers& operator= (const Modifiers&) = default;
	explicit Modifiers (ModifierKey modifier) : data (cast (modifier)) {}

	bool empty () const { return data == 0; }
	bool has (ModifierKey modifier) const { return data & cast (modifier); }
	bool is (ModifierKey modifier) const { return data == cast (modifier); }
	bool is (const std::initializer_list<ModifierKey>& modifiers) const
	{
		uint32_t d = 0;
		for (auto mod : modifiers)
			d |= cast (mod);
		return data == d;
	}
	bool operator| (ModifierKey modifier) const { return has (modifier); }
	bool operator== (ModifierKey modifier) const { return is (modifier); }
	bool operator== (const Modifiers& other) const { return data == other.data; }
	bool operator!= (const Modifiers& other) const { return data != other.data; }

	void add (ModifierKey modifier) { data |= cast (modifier); }
	void remove (ModifierKey modifier) { data &= ~cast (modifier); }
	void clear () { data = 0; }
	Modifiers& operator= (ModifierKey modifier)
	{
		data = cast (modifier);
		return *this;
	}

private:
	static uint32_t cast (ModifierKey mod) { return static_cast<uint32_t> (mod); }
	uint32_t data{0};
};

struct ModifierEvent : Event
{
	Modifiers modifiers{};
};

struct MousePositionEvent : ModifierEvent
{
	CPoint mousePosition;
};

enum class MouseButton : uint32_t
{
	None = 0,
	Left = 1 << 1,
	Middle = 1 << 2,
	Right = 1 << 3,
	Fourth = 1 << 4,
	Fifth = 1 << 5,
};

struct MouseEventButtonState
{
	bool isLeft () const { return data == MouseButton::Left; }
	bool isMiddle () const { return data == MouseButton::Middle; }
	bool isRight () const { return data == MouseButton::Right; }
	bool is (MouseButton pos) const { return data == pos; }
	bool isOther (uint32_t index) const { return data == static_cast<MouseButton> (1u << index); }
	bool has (MouseButton pos) const { return (static_cast<uint32_t> (data) & static_cast<uint32_t> (pos)) != 0; }
	bool empty () const { return data == MouseButton::None; }

	void add (MouseButton pos)
	{
		data = static_cast<MouseButton> (static_cast<uint32_t> (data) | static_cast<uint32_t> (pos));
	}
	void set (MouseButton pos) { data = pos; }
	void clear () { data = MouseButton::None; }

	MouseEventButtonState () = default;
	MouseEventButtonState (const MouseEventButtonState&) = default;
	MouseEventButtonState& operator= (const MouseEventButtonState&) = default;
	MouseEventButtonState (MouseButton pos) { set (pos); }

	bool operator== (const MouseEventButtonState& other) const { return data == other.data; }
	bool operator!= (const MouseEventButtonState& other) const { return data != other.data; }

private:
	MouseButton data{MouseButton::None};
};

struct MouseEvent : MousePositionEvent
{
	MouseEventButtonState buttonState;
};

struct MouseEnterEvent : MouseEvent
{
	MouseEnterEvent () { type = EventType::MouseEnter; }
	MouseEnterEvent (CPoint pos, MouseEventButtonState buttons, Modifiers mods) : MouseEnterEvent ()
	{
		mousePosition = pos;
		buttonState = buttons;
		modifiers = mods;
	}
	MouseEnterEvent (const MouseEvent& e) : MouseEnterEvent (e.mousePosition, e.buttonState, e.modifiers) {}
};

struct MouseExitEvent : MouseEvent
{
	MouseExitEvent () { type = EventType::MouseExit; }
	MouseExitEvent (CPoint pos, MouseEventButtonState buttons, Modifiers mods) : MouseExitEvent ()
	{
		mousePosition = pos;
		buttonState = buttons;
		modifiers = mods;
	}
	MouseExitEvent (const MouseEvent& e) : MouseExitEvent (e.mousePosition, e.buttonState, e.modifiers) {}
};

struct MouseDownUpMoveEvent : MouseEvent
{
	// 1 for a single click, 2 for a double click, 3 for a triple click (set by the platform on mouse-down)
	uint32_t clickCount{0};

	void ignoreFollowUpMoveAndUpEvents (bool state)
	{
		if (state)
			consumed.data |= IgnoreFollowUpEventsMask;
		else
			consumed.data &= ~static_cast<uint32_t> (IgnoreFollowUpEventsMask);
	}
	bool ignoreFollowUpMoveAndUpEvents () const { return consumed.data & IgnoreFollowUpEventsMask; }

	enum
	{
		IgnoreFollowUpEvents = EventConsumeState::Last,
		IgnoreFollowUpEventsMask = 1 << IgnoreFollowUpEvents
	};

protected:
	MouseDownUpMoveEvent () = default;
	MouseDownUpMoveEvent (const CPoint& pos, MouseEventButtonState buttons, Modifiers mods = {})
	{
		mousePosition = pos;
		buttonState = buttons;
		modifiers = mods;
	}
};

struct MouseDownEvent : MouseDownUpMoveEvent
{
	MouseDownEvent () { type = EventType::MouseDown; }
	MouseDownEvent (const CPoint& pos, MouseEventButtonState buttons) : MouseDownUpMoveEvent (pos, buttons)
	{
		type = EventType::MouseDown;
	}
};

struct MouseUpEvent : MouseDownUpMoveEvent
{
	MouseUpEvent () { type = EventType::MouseUp; }
	MouseUpEvent (const CPoint& pos, MouseEventButtonState buttons) : MouseDownUpMoveEvent (pos, buttons)
	{
		type = EventType::MouseUp;
	}
};

struct MouseMoveEvent : MouseDownUpMoveEvent
{
	MouseMoveEvent () { type = EventType::MouseMove; }
	MouseMoveEvent (const CPoint& pos, MouseEventButtonState buttons = {}) : MouseDownUpMoveEvent (pos, buttons)
	{
		type = EventType::MouseMove;
	}
	MouseMoveEvent (const MouseDownUpMoveEvent& other)
	    : MouseDownUpMoveEvent (other.mousePosition, other.buttonState, other.modifiers)
	{
		type = EventType::MouseMove;
	}
};

struct MouseCancelEvent : Event
{
	MouseCancelEvent () { type = EventType::MouseCancel; }
};

struct MouseWheelEvent : MousePositionEvent
{
	enum Flags : uint32_t
	{
		DirectionInvertedFromDevice = 1 << 0,
		// deltas are multiplied by 0.1: divide by 0.1 for exact pixels
		PreciseDeltas = 1 << 1,
	};
	CCoord deltaX{0.};
	CCoord deltaY{0.};
	uint32_t flags{0};

	MouseWheelEvent () { type = EventType::MouseWheel; }
};

struct GestureEvent : MousePositionEvent
{
	enum class Phase : uint32_t
	{
		Unknown,
		Begin,
		Changed,
		End,
	};
	Phase phase{Phase::Unknown};
};

struct ZoomGestureEvent : GestureEvent
{
	double zoom{0.};

	ZoomGestureEvent () { type = EventType::ZoomGesture; }
};

enum class VirtualKey : uint32_t
{
	None = 0,

	Back,
	Tab,
	Clear,
	Return,
	Pause,
	Escape,
	Space,
	Next,
	End,
	Home,

	Left,
	Up,
	Right,
	Down,
	PageUp,
	PageDown,

	Select,
	Print,
	Enter,
	Snapshot,
	Insert,
	Delete,
	Help,

	NumPad0,
	NumPad1,
	NumPad2,
	NumPad3,
	NumPad4,
	NumPad5,
	NumPad6,
	NumPad7,
	NumPad8,
	NumPad9,

	Multiply,
	Add,
	Separator,
	Subtract,
	Decimal,
	Divide,
	F1,
	F2,
	F3,
	F4,
	F5,
	F6,
	F7,
	F8,
	F9,
	F10,
	F11,
	F12,
	NumLock,
	Scroll,

	ShiftModifier,
	ControlModifier,
	AltModifier,

	Equals,
};

struct KeyboardEvent : ModifierEvent
{
	// UTF-32 character, 0 for keys without one
	char32_t character{0};
	VirtualKey virt{VirtualKey::None};
	bool isRepeat{false};

	KeyboardEvent (EventType t = EventType::KeyDown) { type = t; }
};

template <typename EventT, typename OutputT>
using EventCastResult = std::conditional_t<std::is_const_v<EventT>, std::add_const_t<OutputT>, OutputT>;

template <typename EventT> inline EventCastResult<EventT, MousePositionEvent>* asMousePositionEvent (EventT& event)
{
	switch (event.type)
	{
	case EventType::ZoomGesture:
	case EventType::MouseWheel:
	case EventType::MouseDown:
	case EventType::MouseMove:
	case EventType::MouseUp:
	case EventType::MouseEnter:
	case EventType::MouseExit:
		return static_cast<EventCastResult<EventT, MousePositionEvent>*> (&event);
	default:
		break;
	}
	return nullptr;
}

template <typename EventT> inline EventCastResult<EventT, MouseEvent>* asMouseEvent (EventT& event)
{
	switch (event.type)
	{
	case EventType::MouseDown:
	case EventType::MouseMove:
	case EventType::MouseUp:
	case EventType::MouseEnter:
	case EventType::MouseExit:
		return static_cast<EventCastResult<EventT, MouseEvent>*> (&event);
	default:
		break;
	}
	return nullptr;
}

template <typename EventT> inline EventCastResult<EventT, MouseDownUpMoveEvent>* asMouseDownUpMoveEvent (EventT& event)
{
	switch (event.type)
	{
	case EventType::MouseDown:
	case EventType::MouseMove:
	case EventType::MouseUp:
		return static_cast<EventCastResult<EventT, MouseDownUpMoveEvent>*> (&event);
	default:
		break;
	}
	return nullptr;
}

template <typename EventT> inline EventCastResult<EventT, ModifierEvent>* asModifierEvent (EventT& event)
{
	switch (event.type)
	{
	case EventType::KeyDown:
	case EventType::KeyUp:
	case EventType::MouseEnter:
	case EventType::MouseExit:
	case EventType::MouseWheel:
	case EventType::MouseDown:
	case EventType::MouseMove:
	case EventType::MouseUp:
		return static_cast<EventCastResult<EventT, ModifierEvent>*> (&event);
	default:
		break;
	}
	return nullptr;
}

template <typename EventT> inline EventCastResult<EventT, KeyboardEvent>* asKeyboardEvent (EventT& event)
{
	switch (event.type)
	{
	case EventType::KeyDown:
	case EventType::KeyUp:
		return static_cast<EventCastResult<EventT, KeyboardEvent>*> (&event);
	default:
		break;
	}
	return nullptr;
}

inline MousePositionEvent& castMousePositionEvent (Event& event)
{
	return static_cast<MousePositionEvent&> (event);
}
inline MouseEvent& castMouseEvent (Event& event)
{
	return static_cast<MouseEvent&> (event);
}
inline MouseDownEvent& castMouseDownEvent (Event& event)
{
	return static_cast<MouseDownEvent&> (event);
}
inline MouseMoveEvent& castMouseMoveEvent (Event& event)
{
	return static_cast<MouseMoveEvent&> (event);
}
inline MouseUpEvent& castMouseUpEvent (Event& event)
{
	return static_cast<MouseUpEvent&> (event);
}
inline MouseCancelEvent& castMouseCancelEvent (Event& event)
{
	return static_cast<MouseCancelEvent&> (event);
}
inline MouseEnterEvent& castMouseEnterEvent (Event& event)
{
	return static_cast<MouseEnterEvent&> (event);
}
inline MouseExitEvent& castMouseExitEvent (Event& event)
{
	return static_cast<MouseExitEvent&> (event);
}
inline MouseWheelEvent& castMouseWheelEvent (Event& event)
{
	return static_cast<MouseWheelEvent&> (event);
}
inline ZoomGestureEvent& castZoomGestureEvent (Event& event)
{
	return static_cast<ZoomGestureEvent&> (event);
}
inline ModifierEvent& castModifierEvent (Event& event)
{
	return static_cast<ModifierEvent&> (event);
}
inline KeyboardEvent& castKeyboardEvent (Event& event)
{
	return static_cast<KeyboardEvent&> (event);
}

// The legacy button state (buttons, modifier keys, double click) of a mouse event.
CButtonState buttonStateFromMouseEvent (const MouseEvent& event);
// The legacy modifier bits of a set of modifier keys.
CButtonState buttonStateFromEventModifiers (const Modifiers& mods);

} // namespace VSTGUI
