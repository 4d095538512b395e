// Wheel and arrow-key steps of the continuous controls (knobs, sliders); internal to the library.
#pragma once

#include "ccontrol.h"

namespace VSTGUI
{
namespace ValueStepping
{

// Wheel steps, positive upwards; the horizontal wheel counts (leftwards positive) when there is no vertical one
// and `useHorizontal` is set.
double wheelDistance (const MouseWheelEvent& event, bool useHorizontal);

// +1 for Up and Right, −1 for Down and Left (the other way round when `inverse`), 0 for any other key.
float arrowKeyDistance (VirtualKey key, bool inverse);

// Moves the normalized value by distance × the wheel increment (a tenth of it with the zoom modifier). A step that
// changes the value is one complete edit gesture: begin, value, end.
void step (CControl& control, double distance, const Modifiers& modifiers);

} // namespace ValueStepping
} // namespace VSTGUI
