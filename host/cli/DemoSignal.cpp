#include "host/cli/DemoSignal.h"

#include <algorithm>
#include <cmath>

namespace
{

constexpr double pi = 3.14159265358979323846;

// One cycle of a soft sawtooth (eight harmonics falling as 1/k): bright enough to sound like a pad,
// computed once and read back by phase, since thousands of sines per sample would make the demo slow.
class Wavetable
{
public:
	static constexpr int size = 4096;

	Wavetable () : table (size + 1)
	{
		for (int i = 0; i <= size; ++i)
		{
			const double phase = 2.0 * pi * i / size;
			double sum = 0.0;
			for (int k = 1; k <= 8; ++k)
				sum += std::sin (k * phase) / k;
			table[static_cast<size_t> (i)] = sum;
		}
	}

	double at (double phase) const // phase in cycles, 0..1
	{
		const double position = phase * size;
		const int index = static_cast<int> (position);
		const double fraction = position - index;
		return table[static_cast<size_t> (index)] * (1.0 - fraction) +
		       table[static_cast<size_t> (index + 1)] * fraction;
	}

private:
	std::vector<double> table;
};

double midiToHz (int note)
{
	return 440.0 * std::pow (2.0, (note - 69) / 12.0);
}

struct Chord
{
	int bass;
	int notes[4];
};

// A minor, F major, C major, G major: two bars each.
constexpr Chord progression[] = {
    {45, {57, 60, 64, 69}},
    {41, {53, 57, 60, 65}},
    {48, {60, 64, 67, 72}},
    {43, {55, 59, 62, 67}},
};

} // namespace

std::vector<double> makeDemoPad (double sampleRate, double tempo, int bars)
{
	static const Wavetable wave;
	const double samplesPerBar = 4.0 * 60.0 / tempo * sampleRate;
	const auto totalFrames = static_cast<long> (std::llround (samplesPerBar * bars));
	std::vector<double> samples (static_cast<size_t> (totalFrames) * 2, 0.0);

	const double attack = 0.03 * sampleRate; // seconds to samples
	const double release = 0.08 * sampleRate;
	const double detuneCents[3] = {-7.0, 0.0, 7.0};

	const int chordCount = static_cast<int> (std::size (progression));
	for (int bar = 0; bar < bars; bar += 2)
	{
		const Chord& chord = progression[(bar / 2) % chordCount];
		const auto start = static_cast<long> (std::llround (bar * samplesPerBar));
		const auto end = std::min (totalFrames, static_cast<long> (std::llround ((bar + 2) * samplesPerBar)));
		const long length = end - start;

		auto addVoice = [&] (double frequency, double level, double startPhase, int channel)
		{
			const double increment = frequency / sampleRate;
			double phase = startPhase;
			for (long i = 0; i < length; ++i)
			{
				const double fadeIn = std::min (1.0, i / attack);
				const double fadeOut = std::min (1.0, (length - i) / release);
				samples[static_cast<size_t> ((start + i) * 2 + channel)] += level * fadeIn * fadeOut * wave.at (phase);
				phase += increment;
				phase -= std::floor (phase);
			}
		};

		for (int channel = 0; channel < 2; ++channel)
		{
			addVoice (midiToHz (chord.bass), 0.5, 0.25 * channel, channel);
			for (int n = 0; n < 4; ++n)
				for (int v = 0; v < 3; ++v)
				{
					// Left and right get the voices in a different order of detune: a wide, slowly beating pad.
					const double cents = detuneCents[(v + channel) % 3];
					addVoice (midiToHz (chord.notes[n]) * std::pow (2.0, cents / 1200.0), 0.12, 0.13 * (n + v),
					          channel);
				}
		}
	}

	double peak = 0.0;
	for (double sample : samples)
		peak = std::max (peak, std::abs (sample));
	if (peak > 0.0)
		for (double& sample : samples)
			sample *= 0.5 / peak;
	return samples;
}
