#include "clickcounter.h"

#include <cmath>

namespace VSTGUI
{

uint32_t ClickCounter::onMouseDown (const CPoint& where, MouseButton button, uint64_t timeMs)
{
	bool continues = count > 0 && count < 3 && button == lastButton && timeMs >= lastTime &&
	                 timeMs - lastTime <= maxIntervalMs && std::abs (where.x - lastPosition.x) <= maxDistance &&
	                 std::abs (where.y - lastPosition.y) <= maxDistance;
	count = continues ? count + 1 : 1;
	lastButton = button;
	lastTime = timeMs;
	lastPosition = where;
	return count;
}

} // namespace VSTGUI
