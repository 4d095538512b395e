// The frame rule's arithmetic is float32 step by step (compiled with -ffp-contract=off, see CMakeLists.txt).
#include "Spinner.h"

#include <cmath>

Spinner::Spinner (const VSTGUI::CRect& rect, VSTGUI::IControlListener* listener, int32_t tag,
                  std::initializer_list<const char*> documents)
    : CKnobBase (rect, listener, tag, nullptr)
{
	frames.reserve (documents.size ());
	for (const char* document : documents)
		frames.emplace_back (document);
	// One wheel notch or arrow key moves one entry; the base's tenth of the range cannot leave the first or
	// the last entry, since the nearest value it reaches still selects the same one.
	if (frames.size () > 1)
		setWheelInc (1.f / static_cast<float> (frames.size () - 1));
}

size_t Spinner::frameIndex () const
{
	const float last = static_cast<float> (static_cast<uint32_t> (frames.size () - 1));
	float x = getValueNormalized () * (1.f + last);
	// Also a NaN lands on the last frame; 1.0 stays there rather than asking for frame n.
	x = x < last ? x : last;
	x = std::floor (x);
	// A value below the minimum cannot come from the base class; still, never convert a negative.
	return x > 0.f ? static_cast<size_t> (x) : 0;
}

void Spinner::draw (VSTGUI::CDrawContext* context)
{
	if (!frames.empty ())
		frames[frameIndex ()].draw (context, getViewSize (), false);
	setDirty (false);
}
