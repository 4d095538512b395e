// Every operation here is one float32 rounding (compiled with -ffp-contract=off, see CMakeLists.txt), so the
// derived records are the same numbers on every platform.
#include "DuckerLayout.h"

namespace DuckerLayout
{

ResizeView mirrored (const ResizeView& s)
{
	return {1.f - s.c4, -s.c5, s.c2, s.c3, 1.f - s.c0, -s.c1, s.c6, s.c7};
}

ResizeView offsetCaption (const ResizeView& s)
{
	const float band = kCaptionBandBottom - s.c7;
	// 1 − 0.9 in float32 is 0.100000024, not 0.1: it keeps the caption's bottom-left factor as designed.
	const float tenth = 1.f - 0.9f;
	return {s.c0 - 0.1f * s.c6, s.c1 + 0.1f * band,     0.9f * s.c6,  s.c7 + 0.1f * band,
	        1.f + 0.1f * s.c6,  -kMargin - 0.1f * band, tenth * s.c6, s.c7 + 0.9f * band};
}

} // namespace DuckerLayout
