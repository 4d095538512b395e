// The demo's picture: the gain that Quorvane applied over the first bars, drawn over the dry and the
// ducked waveform with a beat grid, written as a PNG with cairo.
#pragma once

#include <string>
#include <vector>

struct GainPlotData
{
	std::vector<float> gain; // one value per sample
	std::vector<double> dry; // one channel of the dry signal, same length or longer
	std::vector<double> wet; // the same channel ducked
	double sampleRate{48000.0};
	double tempo{120.0};
	int quarterNotes{8}; // how much to show from the start
	std::string title;
};

/** Writes the plot; false with a message when the file cannot be written. */
bool writeGainPlot (const std::string& path, const GainPlotData& data, std::string& error);
