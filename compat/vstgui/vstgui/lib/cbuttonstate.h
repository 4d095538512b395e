// The legacy mouse-button-and-modifier bit set that older view methods and IControlListener still take.
#pragma once

#include <cstdint>

namespace VSTGUI
{

enum CButton
{
	kLButton = 1 << 1,
	kMButton = 1 << 2,
	kRButton = 1 << 3,
	kShift = 1 << 4,
	kControl = 1 << 5,
	kAlt = 1 << 6,
	kApple = 1 << 7,
	kButton4 = 1 << 8,
	kButton5 = 1 << 9,
	kDoubleClick = 1 << 10,
	kMouseWheelInverted = 1 << 11
};

struct CButtonState
{
	CButtonState (int32_t state = 0) : state (state) {}
	CButtonState (const CButtonState&) = default;
	CButtonState& operator= (const CButtonState&) = default;

	int32_t getButtonState () const { return state & (kLButton | kRButton | kMButton | kButton4 | kButton5); }
	int32_t getModifierState () const { return state & (kShift | kAlt | kControl | kApple); }
	bool isLeftButton () const { return getButtonState () == kLButton; }
	bool isRightButton () const { return getButtonState () == kRButton; }
	bool isDoubleClick () const { return (state & kDoubleClick) != 0; }

	bool operator== (const CButtonState& other) const { return state == other.state; }
	bool operator!= (const CButtonState& other) const { return state != other.state; }
	int32_t operator& (int32_t mask) const { return state & mask; }
	int32_t operator| (int32_t mask) const { return state | mask; }
	CButtonState& operator|= (int32_t mask)
	{
		state |= mask;
		return *this;
	}
	operator int32_t () const { return state; }

private:
	int32_t state;
};

} // namespace VSTGUI
