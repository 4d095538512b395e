// The one conversion of the rotary controls' angles: widened to double, scaled by π ÷ 180, back to float32.
#pragma once

inline float degreesToRadians (float degrees)
{
	return static_cast<float> (static_cast<double> (degrees) * 0.017453292519943295);
}
