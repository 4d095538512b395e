// The host's musical clock: tempo, position in quarter notes and transport state, written into the
// ProcessContext of every block and advanced by the block's length while playing.
#pragma once

#include "pluginterfaces/vst/ivstprocesscontext.h"

namespace QuorvaneHost
{

class Transport
{
public:
	/** Sample rate, tempo in quarter notes per minute and position in quarter notes; playing, valid. */
	Transport (double sampleRate = 48000.0, double tempo = 120.0, double position = 0.0);

	void setSampleRate (double rate);
	void setTempo (double quarterNotesPerMinute);
	/** Moves the clock, as a host does on a relocation or at a loop's end. */
	void setPosition (double quarterNotes);
	void setPlaying (bool state) { playing = state; }
	/** Which of tempo and musical position the host claims to know; both by default. */
	void setValidity (bool tempoIsValid, bool positionIsValid);

	double sampleRate () const { return rate; }
	double tempo () const { return quarterNotesPerMinute; }
	double position () const;
	bool isPlaying () const { return playing; }
	Steinberg::Vst::TSamples projectTimeSamples () const { return timeSamples; }

	/** Writes the block's context. Allocates nothing: called on the audio path. */
	void fillContext (Steinberg::Vst::ProcessContext& context) const;
	/** Moves the clock past a block of numSamples when playing; a stopped transport stays where it is. */
	void advance (Steinberg::int32 numSamples);

private:
	double rate;
	double quarterNotesPerMinute;
	// The position is computed from the samples played since the last change of tempo or position rather
	// than summed block by block, so long renders do not drift by rounding.
	double anchorPosition;
	Steinberg::int64 samplesSinceAnchor{0};
	Steinberg::Vst::TSamples timeSamples{0};
	bool playing{true};
	bool tempoValid{true};
	bool positionValid{true};
};

} // namespace QuorvaneHost
