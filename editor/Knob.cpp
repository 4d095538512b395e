// The dot's arithmetic is fixed step by step (compiled with -ffp-contract=off, see CMakeLists.txt).
#include "Knob.h"

#include "DegreesToRadians.h"

#include <cmath>

using VSTGUI::CRect;

Knob::Knob (const CRect& rect, VSTGUI::IControlListener* listener, int32_t tag, float dotSize, float dotOrbit,
            float startDegrees, float endDegrees, const char* bodyDocument, const char* dotDocument)
    : CKnobBase (rect, listener, tag, nullptr), dotSize (dotSize), dotOrbit (dotOrbit), bodySvg (bodyDocument),
      dotSvg (dotDocument)
{
	setStartAngle (degreesToRadians (startDegrees));
	setRangeAngle (degreesToRadians (endDegrees - startDegrees));
}

CRect Knob::dotRect () const
{
	const CRect& view = getViewSize ();
	const double width = view.right - view.left;
	const double height = view.bottom - view.top;

	// In the control's own units, so any bounds map onto the sweep.
	float d = getValue () - getMin ();
	d = d * getRangeAngle ();
	const float span = getMax () - getMin ();
	const float angle = d / span + getStartAngle ();

	const float radius = static_cast<float> (width * (static_cast<double> (dotOrbit) * 0.5));
	const double dx = radius * std::cos (angle);
	const double dy = radius * std::sin (angle);
	const double dotWidth = static_cast<double> (dotSize) * width;
	const double dotHeight = static_cast<double> (dotSize) * height;
	const double left = (view.right - (view.left + dotWidth)) * 0.5 + view.left + dx;
	const double top = (view.bottom - (view.top + dotHeight)) * 0.5 + view.top + dy;
	return CRect (left, top, left + dotWidth, top + dotHeight);
}

void Knob::draw (VSTGUI::CDrawContext* context)
{
	if (getMax () != getMin ())
	{
		bodySvg.draw (context, getViewSize (), false);
		dotSvg.draw (context, dotRect (), false);
	}
	setDirty (false);
}
