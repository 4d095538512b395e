#include "host/PlugViewHost.h"

#include <chrono>

namespace QuorvaneHost
{

using namespace Steinberg;

namespace
{

using Clock = std::chrono::steady_clock;

} // namespace

IPtr<PlugFrame::RunLoop> PlugViewHost::startRunLoop (const Options&)
{
	return nullptr;
}

void PlugViewHost::run (int ms)
{
	const auto end = Clock::now () + std::chrono::milliseconds (ms);
	for (auto now = Clock::now (); now < end; now = Clock::now ())
	{
		onWindowEvents ();
		hostWindow->waitForEvents (
		    static_cast<int> (std::chrono::duration_cast<std::chrono::milliseconds> (end - now).count ()) + 1);
	}
	onWindowEvents ();
}

void PlugViewHost::settle (int quietMs, int maxMs)
{
	const auto start = Clock::now ();
	auto lastActivity = start;
	while (Clock::now () - start < std::chrono::milliseconds (maxMs))
	{
		const int handled = hostWindow->processEvents ();
		onWindowEvents ();
		const auto now = Clock::now ();
		// The editor's idle timer never stops; anything else (painting, sizing) means it is not done yet.
		if (handled > 0)
			lastActivity = now;
		else if (now - lastActivity >= std::chrono::milliseconds (quietMs))
			break;
		hostWindow->waitForEvents (10);
	}
	hostWindow->sync ();
}

void PlugViewHost::runUntilClosed (const std::function<void ()>& afterEachPass)
{
	while (!hostWindow->closeRequested ())
	{
		hostWindow->waitForEvents (50);
		onWindowEvents ();
		if (afterEachPass)
			afterEachPass ();
	}
}

bool PlugViewHost::screenshot (WindowImage& image, std::string& error)
{
	hostWindow->sync ();
	return captureWindow (hostWindow->handle (), image, error);
}

} // namespace QuorvaneHost
