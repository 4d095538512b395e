#include "x11keyboard.h"

#include <xcb/xcb.h>
#include <xkbcommon/xkbcommon-keysyms.h>
#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

#include <utility>

namespace VSTGUI
{
namespace X11
{
namespace
{

// Keys the views know by name rather than by character.
constexpr std::pair<xkb_keysym_t, VirtualKey> namedKeys[] = {
    {XKB_KEY_BackSpace, VirtualKey::Back},
    {XKB_KEY_Tab, VirtualKey::Tab},
    {XKB_KEY_ISO_Left_Tab, VirtualKey::Tab},
    {XKB_KEY_Clear, VirtualKey::Clear},
    {XKB_KEY_Return, VirtualKey::Return},
    {XKB_KEY_Pause, VirtualKey::Pause},
    {XKB_KEY_Escape, VirtualKey::Escape},
    {XKB_KEY_space, VirtualKey::Space},
    {XKB_KEY_End, VirtualKey::End},
    {XKB_KEY_Home, VirtualKey::Home},
    {XKB_KEY_Left, VirtualKey::Left},
    {XKB_KEY_Up, VirtualKey::Up},
    {XKB_KEY_Right, VirtualKey::Right},
    {XKB_KEY_Down, VirtualKey::Down},
    {XKB_KEY_Page_Up, VirtualKey::PageUp},
    {XKB_KEY_Page_Down, VirtualKey::PageDown},
    {XKB_KEY_Select, VirtualKey::Select},
    {XKB_KEY_Print, VirtualKey::Print},
    {XKB_KEY_KP_Enter, VirtualKey::Enter},
    {XKB_KEY_Insert, VirtualKey::Insert},
    {XKB_KEY_Delete, VirtualKey::Delete},
    {XKB_KEY_Help, VirtualKey::Help},
    {XKB_KEY_KP_Multiply, VirtualKey::Multiply},
    {XKB_KEY_KP_Add, VirtualKey::Add},
    {XKB_KEY_KP_Separator, VirtualKey::Separator},
    {XKB_KEY_KP_Subtract, VirtualKey::Subtract},
    {XKB_KEY_KP_Decimal, VirtualKey::Decimal},
    {XKB_KEY_KP_Divide, VirtualKey::Divide},
    {XKB_KEY_Num_Lock, VirtualKey::NumLock},
    {XKB_KEY_Scroll_Lock, VirtualKey::Scroll},
    {XKB_KEY_Shift_L, VirtualKey::ShiftModifier},
    {XKB_KEY_Shift_R, VirtualKey::ShiftModifier},
    {XKB_KEY_Control_L, VirtualKey::ControlModifier},
    {XKB_KEY_Control_R, VirtualKey::ControlModifier},
    {XKB_KEY_Alt_L, VirtualKey::AltModifier},
    {XKB_KEY_Alt_R, VirtualKey::AltModifier},
    {XKB_KEY_equal, VirtualKey::Equals},
};

VirtualKey virtualKeyFor (xkb_keysym_t sym)
{
	if (sym >= XKB_KEY_KP_0 && sym <= XKB_KEY_KP_9)
		return static_cast<VirtualKey> (static_cast<uint32_t> (VirtualKey::NumPad0) + (sym - XKB_KEY_KP_0));
	if (sym >= XKB_KEY_F1 && sym <= XKB_KEY_F12)
		return static_cast<VirtualKey> (static_cast<uint32_t> (VirtualKey::F1) + (sym - XKB_KEY_F1));
	for (const auto& [keysym, key] : namedKeys)
		if (keysym == sym)
			return key;
	return VirtualKey::None;
}

} // namespace

Keyboard::Keyboard (xcb_connection_t* connection)
{
	if (!xkb_x11_setup_xkb_extension (connection, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
	                                  XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, nullptr, nullptr))
		return;
	const int32_t device = xkb_x11_get_core_keyboard_device_id (connection);
	if (device < 0)
		return;
	context = xkb_context_new (XKB_CONTEXT_NO_FLAGS);
	if (!context)
		return;
	keymap = xkb_x11_keymap_new_from_device (context, connection, device, XKB_KEYMAP_COMPILE_NO_FLAGS);
	if (keymap)
		keyState = xkb_state_new (keymap);
}

Keyboard::~Keyboard () noexcept
{
	if (keyState)
		xkb_state_unref (keyState);
	if (keymap)
		xkb_keymap_unref (keymap);
	if (context)
		xkb_context_unref (context);
}

Modifiers Keyboard::modifiersFromState (uint16_t state)
{
	Modifiers modifiers;
	if (state & XCB_MOD_MASK_SHIFT)
		modifiers.add (ModifierKey::Shift);
	if (state & XCB_MOD_MASK_CONTROL)
		modifiers.add (ModifierKey::Control);
	if (state & XCB_MOD_MASK_1)
		modifiers.add (ModifierKey::Alt);
	if (state & XCB_MOD_MASK_4)
		modifiers.add (ModifierKey::Super);
	return modifiers;
}

void Keyboard::translate (uint8_t keycode, uint16_t state, KeyboardEvent& event) const
{
	event.modifiers = modifiersFromState (state);
	if (!keyState)
		return;
	// The core event carries the modifiers and the layout group that were in force when the key went down;
	// taking them from there keeps the translation right without following the server's state events.
	const xkb_mod_mask_t mods = state & 0xff;
	const xkb_layout_index_t group = (state >> 13) & 3;
	xkb_state_update_mask (keyState, mods, 0, 0, 0, 0, group);
	const xkb_keysym_t sym = xkb_state_key_get_one_sym (keyState, keycode);
	event.virt = virtualKeyFor (sym);
	const uint32_t character = xkb_state_key_get_utf32 (keyState, keycode);
	if (character >= 0x20 && character != 0x7f)
		event.character = character;
}

} // namespace X11
} // namespace VSTGUI
