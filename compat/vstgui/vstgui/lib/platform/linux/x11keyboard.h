// Keyboard input of the X11 frame: key codes to keyboard events (virtual key, character, modifiers) through
// xkbcommon and the server's current keymap, and the modifier keys of a core event's state mask.
#pragma once

#include "../../events.h"

#include <cstdint>

struct xcb_connection_t;
struct xkb_context;
struct xkb_keymap;
struct xkb_state;

namespace VSTGUI
{
namespace X11
{

class Keyboard
{
public:
	/** Loads the keymap of the server's core keyboard; without it keys still carry their modifiers only. */
	explicit Keyboard (xcb_connection_t* connection);
	~Keyboard () noexcept;
	Keyboard (const Keyboard&) = delete;
	Keyboard& operator= (const Keyboard&) = delete;

	/** Fills `event` (type set by the caller) for a key code and the event's state mask. */
	void translate (uint8_t keycode, uint16_t state, KeyboardEvent& event) const;

	static Modifiers modifiersFromState (uint16_t state);

private:
	xkb_context* context{nullptr};
	xkb_keymap* keymap{nullptr};
	xkb_state* keyState{nullptr};
};

} // namespace X11
} // namespace VSTGUI
