// The console reporter of the benchmarks that print ratios: it prints every run as usual, keeps each case's
// time (the median when repeated) and leaves printing the ratios, after the run, to the benchmark.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter
{
public:
	void ReportRuns (const std::vector<Run>& runs) override
	{
		// With --benchmark_repetitions the median, reported after the repetitions, is the one kept.
		for (const auto& run : runs)
			if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
			{
				times[run.run_name.str ()] = run.GetAdjustedRealTime ();
				for (const auto& [name, counter] : run.counters)
					counters[run.run_name.str () + ":" + name] = counter.value;
			}
		ConsoleReporter::ReportRuns (runs);
	}

	void Finalize () override
	{
		ConsoleReporter::Finalize ();
		printRatios ();
	}

protected:
	virtual void printRatios () = 0;

	bool has (const std::string& name) const { return times.count (name) != 0; }
	/** The case's time in the unit it was reported in; 0 when it did not run. */
	double time (const std::string& name) const { return has (name) ? times.at (name) : 0.; }
	/** A counter of the case (e.g. "BM_X/1:pixels"); 0 when absent. */
	double counter (const std::string& key) const { return counters.count (key) ? counters.at (key) : 0.; }

	/** measured ÷ baseline to two decimals, or "-" when either did not run. */
	std::string ratio (double measured, double baseline) const
	{
		if (!(measured > 0.) || !(baseline > 0.))
			return "-";
		char text[32];
		std::snprintf (text, sizeof text, "%.2f", measured / baseline);
		return text;
	}
	std::string ratio (const std::string& measured, const std::string& baseline) const
	{
		return ratio (time (measured), time (baseline));
	}

private:
	std::map<std::string, double> times;
	std::map<std::string, double> counters;
};

/** Runs the benchmarks named on the command line with `reporter`. */
inline int runBenchmarks (int argc, char** argv, RatioReporter& reporter)
{
	benchmark::Initialize (&argc, argv);
	if (benchmark::ReportUnrecognizedArguments (argc, argv))
		return 1;
	benchmark::RunSpecifiedBenchmarks (&reporter);
	benchmark::Shutdown ();
	return 0;
}
