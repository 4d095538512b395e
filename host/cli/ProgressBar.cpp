#include "host/cli/ProgressBar.h"

#include <cstdio>
#include <unistd.h>

ProgressBar::ProgressBar (std::string text) : label (std::move (text)), enabled (isatty (STDERR_FILENO) != 0) {}

ProgressBar::~ProgressBar ()
{
	stop ();
}

void ProgressBar::update (long done, long total)
{
	if (!enabled)
		return;
	const int percent =
	    total > 0 ? static_cast<int> (100.0 * static_cast<double> (done) / static_cast<double> (total)) : 100;
	if (percent == lastPercent)
		return;
	lastPercent = percent;
	constexpr int width = 40;
	const int filled = percent * width / 100;
	std::string bar (static_cast<size_t> (filled), '#');
	bar.append (static_cast<size_t> (width - filled), '.');
	std::fprintf (stderr, "\r%s [%s] %3d%%", label.c_str (), bar.c_str (), percent);
	std::fflush (stderr);
	drawn = true;
}

void ProgressBar::finish ()
{
	update (1, 1);
	stop ();
}

void ProgressBar::stop ()
{
	if (drawn)
		std::fputs ("\n", stderr);
	drawn = false;
}
