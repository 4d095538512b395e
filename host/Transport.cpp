#include "host/Transport.h"

#include <cmath>

namespace QuorvaneHost
{

using namespace Steinberg;
using namespace Steinberg::Vst;

Transport::Transport (double sampleRate, double tempo, double position)
    : rate (sampleRate), quarterNotesPerMinute (tempo), anchorPosition (position)
{
}

void Transport::setSampleRate (double newRate)
{
	anchorPosition = position ();
	samplesSinceAnchor = 0;
	rate = newRate;
}

void Transport::setTempo (double newTempo)
{
	anchorPosition = position ();
	samplesSinceAnchor = 0;
	quarterNotesPerMinute = newTempo;
}

void Transport::setPosition (double quarterNotes)
{
	anchorPosition = quarterNotes;
	samplesSinceAnchor = 0;
	// Keep the sample clock consistent with the musical one where the tempo allows it and the result fits.
	if (rate > 0.0 && quarterNotesPerMinute > 0.0)
	{
		const double samples = std::floor (quarterNotes * 60.0 * rate / quarterNotesPerMinute);
		if (std::isfinite (samples) && std::abs (samples) < 9.0e18)
			timeSamples = static_cast<TSamples> (samples);
	}
}

void Transport::setValidity (bool tempoIsValid, bool positionIsValid)
{
	tempoValid = tempoIsValid;
	positionValid = positionIsValid;
}

double Transport::position () const
{
	// A clock without a usable rate does not move; the musical position stays as it was set.
	if (samplesSinceAnchor == 0 || !(rate > 0.0) || !std::isfinite (rate))
		return anchorPosition;
	return anchorPosition + static_cast<double> (samplesSinceAnchor) * quarterNotesPerMinute / (60.0 * rate);
}

void Transport::fillContext (ProcessContext& context) const
{
	context = {};
	context.sampleRate = rate;
	context.projectTimeSamples = timeSamples;
	context.continousTimeSamples = timeSamples;
	context.projectTimeMusic = position ();
	context.tempo = quarterNotesPerMinute;
	context.timeSigNumerator = 4;
	context.timeSigDenominator = 4;
	context.state = ProcessContext::kContTimeValid | ProcessContext::kTimeSigValid;
	if (playing)
		context.state |= ProcessContext::kPlaying;
	if (tempoValid)
		context.state |= ProcessContext::kTempoValid;
	if (positionValid)
	{
		context.state |= ProcessContext::kProjectTimeMusicValid;
		if (std::isfinite (context.projectTimeMusic) && std::abs (context.projectTimeMusic) < 1e15)
		{
			context.barPositionMusic = std::floor (context.projectTimeMusic / 4.0) * 4.0;
			context.state |= ProcessContext::kBarPositionValid;
		}
	}
}

void Transport::advance (int32 numSamples)
{
	if (!playing || numSamples <= 0)
		return;
	samplesSinceAnchor += numSamples;
	timeSamples += numSamples;
}

} // namespace QuorvaneHost
