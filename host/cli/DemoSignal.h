// The demo's built-in music: a sustained stereo chord pad over a bass note, four chords of two bars each,
// so that the ducking is plain to hear on material that would otherwise not move at all.
#pragma once

#include <vector>

/** Interleaved stereo samples of `bars` bars of 4/4 at `tempo` quarter notes per minute, peaking at 0.5. */
std::vector<double> makeDemoPad (double sampleRate, double tempo, int bars);
