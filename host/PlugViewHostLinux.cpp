#include "host/PlugViewHost.h"

#include "host/PollRunLoop.h"

namespace QuorvaneHost
{

using namespace Steinberg;

IPtr<PlugFrame::RunLoop> PlugViewHost::startRunLoop (const Options& options)
{
	loop = owned (new PollRunLoop);
	loop->setDeliverDescriptorEvents (options.deliverDescriptorEvents);
	loop->watchHostDescriptor (hostWindow->descriptor (), [this] { onWindowEvents (); });
	return loop;
}

void PlugViewHost::run (int ms)
{
	loop->runFor (ms);
}

void PlugViewHost::settle (int quietMs, int maxMs)
{
	const auto start = PollRunLoop::Clock::now ();
	auto lastActivity = start;
	uint64_t seen = loop->descriptorEventsDelivered ();
	while (PollRunLoop::Clock::now () - start < std::chrono::milliseconds (maxMs))
	{
		loop->runOnce (10);
		const auto now = PollRunLoop::Clock::now ();
		if (loop->descriptorEventsDelivered () != seen)
		{
			seen = loop->descriptorEventsDelivered ();
			lastActivity = now;
		}
		else if (now - lastActivity >= std::chrono::milliseconds (quietMs))
			break;
	}
	hostWindow->sync ();
}

void PlugViewHost::runUntilClosed (const std::function<void ()>& afterEachPass)
{
	while (!hostWindow->closeRequested ())
	{
		loop->runOnce (50);
		if (afterEachPass)
			afterEachPass ();
	}
}

bool PlugViewHost::screenshot (WindowImage& image, std::string& error)
{
	hostWindow->sync ();
	return captureWindow (hostWindow->connection (), hostWindow->windowId (), image, error);
}

} // namespace QuorvaneHost
