// Counts heap allocations, frees and lock acquisitions of the whole process (this binary and every module
// it loads) while armed. Linked into one test binary only: it replaces the global allocation functions.
#pragma once

namespace QuorvaneTest
{

struct RealTimeCounts
{
	long allocations{0};
	long frees{0};
	long locks{0};
};

/** Starts counting from zero. */
void armRealTimeCounters ();
/** Stops counting and returns what happened while armed. */
RealTimeCounts disarmRealTimeCounters ();

} // namespace QuorvaneTest
