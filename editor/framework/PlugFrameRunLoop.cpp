#include "editor/framework/PlugFrameRunLoop.h"

#include "base/source/fobject.h"

#include <algorithm>
#include <functional>

using namespace Steinberg;

// The host's handler interfaces in front of one of the GUI library's handlers. The adapter keeps itself alive
// while it calls into the GUI library, since a handler may be unregistered (and its adapter dropped) from its
// own callback.
class PlugFrameRunLoop::HandlerAdapter : public FObject, public Linux::IEventHandler, public Linux::ITimerHandler
{
public:
	HandlerAdapter (const void* handler, std::function<void ()> call) : handler (handler), call (std::move (call)) {}

	void PLUGIN_API onFDIsSet (Linux::FileDescriptor) override { run (); }
	void PLUGIN_API onTimer () override { run (); }

	/** The GUI library's handler that this adapter stands for. */
	const void* const handler;

	DEFINE_INTERFACES
	DEF_INTERFACE (Linux::IEventHandler)
	DEF_INTERFACE (Linux::ITimerHandler)
	END_DEFINE_INTERFACES (FObject)
	REFCOUNT_METHODS (FObject)

private:
	void run ()
	{
		IPtr<HandlerAdapter> keepAlive (this);
		call ();
	}

	std::function<void ()> call;
};

VSTGUI::SharedPointer<VSTGUI::X11::IRunLoop> PlugFrameRunLoop::create (IPlugFrame* plugFrame)
{
	FUnknownPtr<Linux::IRunLoop> hostLoop (plugFrame);
	if (!hostLoop)
		return nullptr;
	return VSTGUI::owned<VSTGUI::X11::IRunLoop> (new PlugFrameRunLoop (IPtr<Linux::IRunLoop> (hostLoop)));
}

PlugFrameRunLoop::PlugFrameRunLoop (IPtr<Linux::IRunLoop> hostLoop) : hostLoop (std::move (hostLoop)) {}

PlugFrameRunLoop::~PlugFrameRunLoop () noexcept
{
	for (auto& adapter : eventHandlers)
		hostLoop->unregisterEventHandler (adapter);
	for (auto& adapter : timerHandlers)
		hostLoop->unregisterTimer (adapter);
}

bool PlugFrameRunLoop::registerEventHandler (int fd, VSTGUI::X11::IEventHandler* handler)
{
	auto adapter = Steinberg::owned (new HandlerAdapter (handler, [handler] () { handler->onEvent (); }));
	if (hostLoop->registerEventHandler (adapter, fd) != kResultTrue)
		return false;
	eventHandlers.push_back (adapter);
	return true;
}

bool PlugFrameRunLoop::unregisterEventHandler (VSTGUI::X11::IEventHandler* handler)
{
	return unregister (eventHandlers, handler,
	                   [this] (HandlerAdapter* adapter) { return hostLoop->unregisterEventHandler (adapter); });
}

bool PlugFrameRunLoop::registerTimer (uint64_t interval, VSTGUI::X11::ITimerHandler* handler)
{
	auto adapter = Steinberg::owned (new HandlerAdapter (handler, [handler] () { handler->onTimer (); }));
	if (hostLoop->registerTimer (adapter, interval) != kResultTrue)
		return false;
	timerHandlers.push_back (adapter);
	return true;
}

bool PlugFrameRunLoop::unregisterTimer (VSTGUI::X11::ITimerHandler* handler)
{
	return unregister (timerHandlers, handler,
	                   [this] (HandlerAdapter* adapter) { return hostLoop->unregisterTimer (adapter); });
}

template <typename Unregister>
bool PlugFrameRunLoop::unregister (Adapters& adapters, const void* handler, Unregister&& unregisterFromHost)
{
	auto found = std::find_if (adapters.begin (), adapters.end (),
	                           [handler] (const auto& adapter) { return adapter->handler == handler; });
	if (found == adapters.end ())
		return false;
	IPtr<HandlerAdapter> adapter = *found;
	adapters.erase (found);
	return unregisterFromHost (adapter) == kResultTrue;
}
