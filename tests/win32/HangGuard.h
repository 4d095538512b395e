// Ends the test program with a failure when a step takes longer than it may: Wine's Direct2D can spin for ever
// on some path geometry, and a hung test must fail CI instead of stalling it.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

class HangGuard
{
public:
	HangGuard (std::chrono::seconds limit, std::string what)
	    : what (std::move (what)), watcher ([this, limit] { watch (limit); })
	{
	}
	~HangGuard ()
	{
		{
			std::lock_guard<std::mutex> lock (mutex);
			done = true;
		}
		finished.notify_one ();
		watcher.join ();
	}
	HangGuard (const HangGuard&) = delete;
	HangGuard& operator= (const HangGuard&) = delete;

private:
	void watch (std::chrono::seconds limit)
	{
		std::unique_lock<std::mutex> lock (mutex);
		if (!finished.wait_for (lock, limit, [this] { return done; }))
		{
			std::fprintf (stderr, "FAILED: %s did not finish within %lld s\n", what.c_str (),
			              static_cast<long long> (limit.count ()));
			std::fflush (stderr);
			std::_Exit (EXIT_FAILURE);
		}
	}

	std::string what;
	std::mutex mutex;
	std::condition_variable finished;
	bool done{false};
	std::thread watcher;
};
