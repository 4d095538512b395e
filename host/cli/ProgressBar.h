// A one-line progress bar on stderr, drawn only when stderr is a terminal so logs and pipes stay clean.
#pragma once

#include <string>

class ProgressBar
{
public:
	explicit ProgressBar (std::string label);
	~ProgressBar ();

	/** Redraws when the whole percentage changes. */
	void update (long done, long total);
	/** Draws 100 % and ends the line; also done by the destructor if the bar was drawn. */
	void finish ();
	/** Ends the line where the bar stands, e.g. before an error message. */
	void stop ();

private:
	std::string label;
	bool enabled;
	bool drawn{false};
	int lastPercent{-1};
};
