// Drives a Quorvane bundle the same way on every platform and writes what it got to a file, so that the
// results of the Linux and the Windows module can be compared byte for byte:
//   module_probe render BUNDLE 32|64 BLOCK_SIZE OUT   the output samples of a fixed render, as raw doubles
//   module_probe preset BUNDLE PRESET OUT             every parameter after loading a .vstpreset, one a line
// Results go to a file rather than standard output: under Wine a pipe can stay open after the program ends.

#include "host/cli/PluginRenderer.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace
{

constexpr double kSampleRate = 48000.0;
constexpr int kChannels = 2;

// Every parameter away from its default, and an offset that moves the dip across block boundaries.
const std::vector<ParameterSetting> kRenderSettings = {
    {"Note Sync", "1/8", ""}, {"Mix", "75", ""}, {"Duration", "0.75", ""}, {"Offset", "0.25", ""}};

/** Seconds of stereo noise from a linear congruential generator: integer arithmetic scaled by a power of two,
    so both platforms start from the same bits (the C library's sin and exp may differ in the last bit). */
std::vector<double> makeNoise (double seconds)
{
	std::vector<double> samples (static_cast<size_t> (seconds * kSampleRate) * kChannels);
	std::uint32_t state = 12345;
	for (double& sample : samples)
	{
		state = state * 1664525u + 1013904223u;
		sample = (static_cast<double> (state >> 8) - 8388608.0) / 16777216.0; // in [-0.5, 0.5)
	}
	return samples;
}

int fail (const std::string& message)
{
	std::cerr << "module_probe: " << message << "\n";
	return 1;
}

int render (const std::string& bundle, bool use64Bit, int blockSize, const std::string& outPath)
{
	RenderSettings settings;
	settings.use64Bit = use64Bit;
	settings.blockSize = blockSize;
	settings.tempo = 120.0;
	settings.parameters = kRenderSettings;
	PluginRenderer renderer;
	std::string error;
	if (!renderer.open (bundle, kSampleRate, kChannels, settings, error) ||
	    !renderer.applyParameters (settings.parameters, error))
		return fail (error);

	const std::vector<double> input = makeNoise (4.0);
	std::vector<double> audio = input;
	if (!renderer.process (audio.data (), audio.data (), static_cast<long> (audio.size () / kChannels), error))
		return fail (error);
	// Equal digests of untouched audio would prove nothing about the two modules.
	if (audio == input)
		return fail ("the render left the audio unchanged");
	std::ofstream out (outPath, std::ios::binary | std::ios::trunc);
	out.write (reinterpret_cast<const char*> (audio.data ()),
	           static_cast<std::streamsize> (audio.size () * sizeof (double)));
	return out ? 0 : fail ("cannot write " + outPath);
}

int describePreset (const std::string& bundle, const std::string& presetPath, const std::string& outPath)
{
	PluginRenderer renderer;
	std::string error;
	if (!renderer.open (bundle, kSampleRate, kChannels, RenderSettings{}, error) ||
	    !renderer.applyPreset (presetPath, error))
		return fail (error);
	const auto& instance = *renderer.pluginInstance ();
	std::ofstream out (outPath, std::ios::trunc);
	for (const auto& parameter : instance.parameters ())
	{
		const double normalized = instance.parameterNormalized (parameter.id);
		std::string text;
		instance.parameterText (parameter.id, normalized, text);
		// Hexadecimal: the exact double, not a rounding of it.
		char exact[64];
		std::snprintf (exact, sizeof exact, "%a", normalized);
		out << parameter.id << " " << parameter.title << " = " << text << " (" << exact << ")\n";
	}
	return out ? 0 : fail ("cannot write " + outPath);
}

} // namespace

int main (int argc, char** argv)
{
	const std::vector<std::string> args (argv + 1, argv + argc);
	if (args.size () == 5 && args[0] == "render" && (args[2] == "32" || args[2] == "64"))
		return render (args[1], args[2] == "64", std::atoi (args[3].c_str ()), args[4]);
	if (args.size () == 4 && args[0] == "preset")
		return describePreset (args[1], args[2], args[3]);
	std::cerr << "usage: module_probe render BUNDLE 32|64 BLOCK_SIZE OUT | module_probe preset BUNDLE PRESET OUT\n";
	return 2;
}
