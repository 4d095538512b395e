// Counts the clicks of a mouse-down (1, 2, 3, then 1 again) from the time and distance to the previous press
// of the same button; platform frames use it to fill MouseDownEvent::clickCount.
#pragma once

#include "../../cpoint.h"
#include "../../events.h"

#include <cstdint>

namespace VSTGUI
{

class ClickCounter
{
public:
	static constexpr uint64_t kDoubleClickTimeMs = 400;
	// in view units, along each axis
	static constexpr CCoord kDoubleClickDistance = 4.;

	ClickCounter () = default;
	// The system's own rule, for platforms that have one (Windows: GetDoubleClickTime, SM_CXDOUBLECLK).
	ClickCounter (uint64_t maxIntervalMs, CCoord maxDistance) : maxIntervalMs (maxIntervalMs), maxDistance (maxDistance)
	{
	}

	uint32_t onMouseDown (const CPoint& where, MouseButton button, uint64_t timeMs);
	void reset () { count = 0; }

private:
	uint64_t maxIntervalMs{kDoubleClickTimeMs};
	CCoord maxDistance{kDoubleClickDistance};
	CPoint lastPosition;
	MouseButton lastButton{MouseButton::None};
	uint64_t lastTime{0};
	uint32_t count{0};
};

} // namespace VSTGUI
