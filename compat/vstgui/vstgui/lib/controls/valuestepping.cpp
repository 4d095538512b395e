#include "valuestepping.h"

namespace VSTGUI
{
namespace ValueStepping
{

double wheelDistance (const MouseWheelEvent& event, bool useHorizontal)
{
	double distance = event.deltaY;
	if (distance == 0. && useHorizontal)
		distance = -event.deltaX;
	if (event.flags & MouseWheelEvent::DirectionInvertedFromDevice)
		distance = -distance;
	return distance;
}

float arrowKeyDistance (VirtualKey key, bool inverse)
{
	switch (key)
	{
	case VirtualKey::Up:
	case VirtualKey::Right:
		return inverse ? -1.f : 1.f;
	case VirtualKey::Down:
	case VirtualKey::Left:
		return inverse ? 1.f : -1.f;
	default:
		return 0.f;
	}
}

void step (CControl& control, double distance, const Modifiers& modifiers)
{
	float change = static_cast<float> (distance) * control.getWheelInc ();
	if (buttonStateFromEventModifiers (modifiers) & CControl::kZoomModifier)
		change *= 0.1f;
	float old = control.getValue ();
	control.setValueNormalized (control.getValueNormalized () + change);
	if (control.getValue () == old)
		return;
	control.beginEdit ();
	control.valueChanged ();
	control.endEdit ();
	control.invalid ();
}

} // namespace ValueStepping
} // namespace VSTGUI
