// While it lives, subnormal numbers count as zero, read (denormals-are-zero) and written (flush-to-zero); when
// it goes, the caller's floating-point control/status word comes back exactly, sticky flags included.
#pragma once

#if defined(__x86_64__) || defined(_M_X64)
#include <pmmintrin.h>
#define QUORVANE_SUBNORMAL_FLUSH_MXCSR 1
#endif

namespace Steinberg {

class ScopedSubnormalFlush
{
public:
	// Intel processors take a microcode assist for every subnormal operand or result, so a reverb tail fading
	// out, or quiet input under a low gain, cost up to ninety times a loud block (docs/performance.md). Values
	// that small lie hundreds of decibels below anything audible; 0 in their place changes nothing one hears.
	// Other processors have other controls and other costs, none measured here: their mode is left alone.
	ScopedSubnormalFlush ()
	{
#ifdef QUORVANE_SUBNORMAL_FLUSH_MXCSR
		callerWord = _mm_getcsr ();
		_mm_setcsr (callerWord | _MM_FLUSH_ZERO_ON | _MM_DENORMALS_ZERO_ON);
#endif
	}

	// Written back whole rather than the two bits cleared: the flags raised while processing are ours, and
	// the host's own flags and modes must read as it left them.
	~ScopedSubnormalFlush ()
	{
#ifdef QUORVANE_SUBNORMAL_FLUSH_MXCSR
		_mm_setcsr (callerWord);
#endif
	}

	ScopedSubnormalFlush (const ScopedSubnormalFlush&) = delete;
	ScopedSubnormalFlush& operator= (const ScopedSubnormalFlush&) = delete;

private:
	unsigned int callerWord = 0;
};

} // namespace Steinberg
