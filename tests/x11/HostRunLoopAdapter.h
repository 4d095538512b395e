// The host's Linux::IRunLoop as the GUI library's X11::IRunLoop, for the test view: each handler of the library
// gets a small counted object that the host's loop holds while it is registered.
#pragma once

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"
#include "vstgui/lib/platform/platform_x11.h"

#include <atomic>
#include <functional>
#include <map>

namespace QuorvaneTest
{

class HostRunLoopAdapter final : public VSTGUI::X11::IRunLoop, public VSTGUI::AtomicReferenceCounted
{
public:
	explicit HostRunLoopAdapter (Steinberg::Linux::IRunLoop* hostLoop) : host (hostLoop) {}
	~HostRunLoopAdapter () noexcept override
	{
		for (auto& [handler, forwarder] : events)
			host->unregisterEventHandler (forwarder);
		for (auto& [handler, forwarder] : timers)
			host->unregisterTimer (forwarder);
	}

	bool registerEventHandler (int fd, VSTGUI::X11::IEventHandler* handler) override
	{
		auto forwarder = Steinberg::owned (new Forwarder ([handler] { handler->onEvent (); }));
		if (host->registerEventHandler (forwarder, fd) != Steinberg::kResultTrue)
			return false;
		events[handler] = forwarder;
		return true;
	}
	bool unregisterEventHandler (VSTGUI::X11::IEventHandler* handler) override
	{
		auto it = events.find (handler);
		if (it == events.end ())
			return false;
		auto forwarder = it->second;
		events.erase (it);
		forwarder->target = nullptr;
		return host->unregisterEventHandler (forwarder) == Steinberg::kResultTrue;
	}
	bool registerTimer (uint64_t interval, VSTGUI::X11::ITimerHandler* handler) override
	{
		auto forwarder = Steinberg::owned (new Forwarder ([handler] { handler->onTimer (); }));
		if (host->registerTimer (forwarder, interval) != Steinberg::kResultTrue)
			return false;
		timers[handler] = forwarder;
		return true;
	}
	bool unregisterTimer (VSTGUI::X11::ITimerHandler* handler) override
	{
		auto it = timers.find (handler);
		if (it == timers.end ())
			return false;
		auto forwarder = it->second;
		timers.erase (it);
		forwarder->target = nullptr;
		return host->unregisterTimer (forwarder) == Steinberg::kResultTrue;
	}

private:
	class Forwarder final : public Steinberg::Linux::IEventHandler, public Steinberg::Linux::ITimerHandler
	{
	public:
		explicit Forwarder (std::function<void ()> call) : target (std::move (call)) {}
		virtual ~Forwarder () = default;
		// Cleared on unregistering, so that a host that still calls a handler it was told to forget does no harm.
		std::function<void ()> target;

		void PLUGIN_API onFDIsSet (Steinberg::Linux::FileDescriptor) override { call (); }
		void PLUGIN_API onTimer () override { call (); }
		Steinberg::tresult PLUGIN_API queryInterface (const Steinberg::TUID, void** obj) override
		{
			*obj = nullptr;
			return Steinberg::kNoInterface;
		}
		Steinberg::uint32 PLUGIN_API addRef () override { return ++references; }
		Steinberg::uint32 PLUGIN_API release () override
		{
			const Steinberg::uint32 left = --references;
			if (left == 0)
				delete this;
			return left;
		}

	private:
		void call ()
		{
			if (auto copy = target)
				copy ();
		}
		std::atomic<Steinberg::uint32> references{1};
	};

	Steinberg::IPtr<Steinberg::Linux::IRunLoop> host;
	std::map<VSTGUI::X11::IEventHandler*, Steinberg::IPtr<Forwarder>> events;
	std::map<VSTGUI::X11::ITimerHandler*, Steinberg::IPtr<Forwarder>> timers;
};

} // namespace QuorvaneTest
