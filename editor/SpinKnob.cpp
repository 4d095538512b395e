// The angle arithmetic is float32 step by step (compiled with -ffp-contract=off, see CMakeLists.txt).
#include "SpinKnob.h"

#include "DegreesToRadians.h"

#include <algorithm>
#include <cmath>

SpinKnob::SpinKnob (const VSTGUI::CRect& rect, VSTGUI::IControlListener* listener, int32_t tag, float startDegrees,
                    float endDegrees, const char* document, uint32_t steps)
    : CKnobBase (rect, listener, tag, nullptr), steps (steps), svg (document)
{
	setStartAngle (degreesToRadians (startDegrees));
	setRangeAngle (degreesToRadians (endDegrees - startDegrees));
}

float SpinKnob::drawnAngle () const
{
	float v = getValueNormalized ();
	if (steps != 0)
	{
		// N + 1 equal bins, bin k showing k ÷ N: both ends are reachable.
		const uint32_t bins = steps + 1u;
		v = std::floor (std::min (v * static_cast<float> (bins), static_cast<float> (steps))) /
		    static_cast<float> (steps);
	}
	return getStartAngle () + getRangeAngle () * v;
}

void SpinKnob::draw (VSTGUI::CDrawContext* context)
{
	const double angle = drawnAngle ();
	const double c = std::cos (angle);
	const double s = std::sin (angle);
	svg.draw (context, getViewSize (), false, VSTGUI::CGraphicsTransform (c, -s, s, c, 0., 0.));
	setDirty (false);
}
