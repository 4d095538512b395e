#include "host/cli/GainPlot.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace
{

constexpr int width = 1200;
constexpr int height = 600;
constexpr double left = 70.0, right = 20.0, top = 50.0;
constexpr double plotWidth = width - left - right;
constexpr double plotHeight = 300.0; // the gain panel
constexpr double waveTop = top + plotHeight + 40.0;
constexpr double waveHeight = 160.0; // the waveform panel below it

double yForGain (double gain)
{
	return top + (1.0 - gain) * plotHeight;
}

// The waveform panel shows ±0.5, the demo pad's peak, edge to edge.
double yForSample (double sample)
{
	return waveTop + (0.5 - std::clamp (sample, -0.5, 0.5)) * waveHeight;
}

void drawWaveform (cairo_t* cr, const std::vector<double>& samples, long shown, double r, double g, double b, double a)
{
	if (samples.empty ())
		return;
	cairo_set_source_rgba (cr, r, g, b, a);
	cairo_set_line_width (cr, 1.0);
	for (int column = 0; column < static_cast<int> (plotWidth); ++column)
	{
		const long from = shown * column / static_cast<long> (plotWidth);
		const long to =
		    std::min<long> (static_cast<long> (samples.size ()), shown * (column + 1) / static_cast<long> (plotWidth));
		if (from >= to)
			continue;
		auto [low, high] = std::minmax_element (samples.begin () + from, samples.begin () + to);
		const double x = left + column + 0.5;
		cairo_move_to (cr, x, yForSample (*high));
		cairo_line_to (cr, x, yForSample (*low) + 0.5);
	}
	cairo_stroke (cr);
}

cairo_status_t drawAndWrite (const std::string& path, const GainPlotData& data)
{
	std::unique_ptr<cairo_surface_t, decltype (&cairo_surface_destroy)> surface (
	    cairo_image_surface_create (CAIRO_FORMAT_ARGB32, width, height), cairo_surface_destroy);
	std::unique_ptr<cairo_t, decltype (&cairo_destroy)> context (cairo_create (surface.get ()), cairo_destroy);
	cairo_t* cr = context.get ();

	const double samplesPerQuarter = 60.0 / data.tempo * data.sampleRate;
	const long shown = std::min<long> (static_cast<long> (std::llround (samplesPerQuarter * data.quarterNotes)),
	                                   static_cast<long> (data.gain.size ()));

	cairo_set_source_rgb (cr, 1.0, 1.0, 1.0);
	cairo_paint (cr);

	// Beat grid, bars drawn darker, numbered from beat 1 of bar 1.
	cairo_select_font_face (cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
	cairo_set_font_size (cr, 12.0);
	for (int beat = 0; beat <= data.quarterNotes; ++beat)
	{
		const double x = left + plotWidth * beat / data.quarterNotes;
		const bool barLine = beat % 4 == 0;
		cairo_set_source_rgb (cr, barLine ? 0.55 : 0.85, barLine ? 0.55 : 0.85, barLine ? 0.55 : 0.85);
		cairo_set_line_width (cr, barLine ? 1.5 : 1.0);
		cairo_move_to (cr, std::round (x) + 0.5, top);
		cairo_line_to (cr, std::round (x) + 0.5, top + plotHeight);
		cairo_move_to (cr, std::round (x) + 0.5, waveTop);
		cairo_line_to (cr, std::round (x) + 0.5, waveTop + waveHeight);
		cairo_stroke (cr);
		if (beat < data.quarterNotes)
		{
			const std::string label = std::to_string (beat / 4 + 1) + "." + std::to_string (beat % 4 + 1);
			cairo_set_source_rgb (cr, 0.2, 0.2, 0.2);
			cairo_move_to (cr, x + 4.0, top + plotHeight + 22.0);
			cairo_show_text (cr, label.c_str ());
		}
	}
	for (double gain : {0.0, 0.25, 0.5, 0.75, 1.0})
	{
		cairo_set_source_rgb (cr, 0.85, 0.85, 0.85);
		cairo_set_line_width (cr, 1.0);
		cairo_move_to (cr, left, std::round (yForGain (gain)) + 0.5);
		cairo_line_to (cr, left + plotWidth, std::round (yForGain (gain)) + 0.5);
		cairo_stroke (cr);
		char label[16];
		std::snprintf (label, sizeof label, "%.2f", gain);
		cairo_set_source_rgb (cr, 0.2, 0.2, 0.2);
		cairo_move_to (cr, 20.0, yForGain (gain) + 4.0);
		cairo_show_text (cr, label);
	}

	cairo_set_source_rgb (cr, 0.2, 0.2, 0.2);
	cairo_move_to (cr, 20.0, waveTop + waveHeight / 2.0 + 4.0);
	cairo_show_text (cr, "audio");
	drawWaveform (cr, data.dry, shown, 0.6, 0.6, 0.6, 0.35);
	drawWaveform (cr, data.wet, shown, 0.15, 0.35, 0.75, 0.6);

	// The gain: one point per column would hide the glide's corner, so every sample is visited and the
	// path follows the lowest and highest gain within each column.
	cairo_set_source_rgb (cr, 0.9, 0.4, 0.0);
	cairo_set_line_width (cr, 2.5);
	cairo_set_line_join (cr, CAIRO_LINE_JOIN_ROUND);
	bool started = false;
	for (int column = 0; column < static_cast<int> (plotWidth) && shown > 0; ++column)
	{
		const long from = shown * column / static_cast<long> (plotWidth);
		const long to = std::max (from + 1, shown * (column + 1) / static_cast<long> (plotWidth));
		auto [low, high] = std::minmax_element (data.gain.begin () + from, data.gain.begin () + std::min (to, shown));
		const double x = left + column + 0.5;
		const bool falling =
		    data.gain[static_cast<size_t> (from)] > data.gain[static_cast<size_t> (std::min (to, shown) - 1)];
		const double first = falling ? *high : *low;
		const double second = falling ? *low : *high;
		if (!started)
			cairo_move_to (cr, x, yForGain (first));
		else
			cairo_line_to (cr, x, yForGain (first));
		cairo_line_to (cr, x, yForGain (second));
		started = true;
	}
	cairo_stroke (cr);

	cairo_set_source_rgb (cr, 0.1, 0.1, 0.1);
	cairo_set_font_size (cr, 16.0);
	cairo_move_to (cr, left, 30.0);
	cairo_show_text (cr, data.title.c_str ());
	cairo_set_font_size (cr, 12.0);
	cairo_move_to (cr, left, height - 14.0);
	cairo_show_text (cr,
	                 "above: gain (orange) by bar.beat      below: ducked signal (blue) over the dry signal (grey)");

	cairo_surface_flush (surface.get ());
	return cairo_surface_write_to_png (surface.get (), path.c_str ());
}

} // namespace

bool writeGainPlot (const std::string& path, const GainPlotData& data, std::string& error)
{
	const cairo_status_t status = drawAndWrite (path, data);
	// The text drew through cairo's and fontconfig's process-wide caches; the tool draws once, so they are
	// emptied here and a leak checker sees a clean exit.
	cairo_debug_reset_static_data ();
	FcFini ();
	if (status != CAIRO_STATUS_SUCCESS)
	{
		error = "cannot write '" + path + "': " + cairo_status_to_string (status);
		return false;
	}
	return true;
}
