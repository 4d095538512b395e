// The plug frame's Linux run loop (Steinberg::Linux::IRunLoop) offered to the GUI library as its X11::IRunLoop.
// The editor hands it to the X11 frame in its X11::FrameConfig: the frame's connection and every GUI timer then
// run on the host's user-interface thread, between the host's own events.
#pragma once

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"
#include "vstgui/lib/platform/platform_x11.h"

#include <vector>

class PlugFrameRunLoop final : public VSTGUI::X11::IRunLoop, public VSTGUI::AtomicReferenceCounted
{
public:
	/** The run loop of `plugFrame`, or null when there is no plug frame or it offers no run loop. */
	static VSTGUI::SharedPointer<VSTGUI::X11::IRunLoop> create (Steinberg::IPlugFrame* plugFrame);

	explicit PlugFrameRunLoop (Steinberg::IPtr<Steinberg::Linux::IRunLoop> hostLoop);
	/** Takes back from the host whatever the GUI library left registered. */
	~PlugFrameRunLoop () noexcept override;

	//---from X11::IRunLoop---
	bool registerEventHandler (int fd, VSTGUI::X11::IEventHandler* handler) override;
	bool unregisterEventHandler (VSTGUI::X11::IEventHandler* handler) override;
	bool registerTimer (uint64_t interval, VSTGUI::X11::ITimerHandler* handler) override;
	bool unregisterTimer (VSTGUI::X11::ITimerHandler* handler) override;

private:
	class HandlerAdapter;
	using Adapters = std::vector<Steinberg::IPtr<HandlerAdapter>>;

	/** Drops the adapter standing for `handler` and unregisters it from the host; false when there is none. */
	template <typename Unregister>
	static bool unregister (Adapters& adapters, const void* handler, Unregister&& unregisterFromHost);

	Steinberg::IPtr<Steinberg::Linux::IRunLoop> hostLoop;
	Adapters eventHandlers;
	Adapters timerHandlers;
};
