// What a host does to show a plug-in's editor view: a top-level window, a plug frame with the run loop, content
// scale, attaching the view to the window ("X11EmbedWindowID" or "HWND"), resizing it from either side, running
// the loop until the view has settled, screenshots, and the teardown (removed, then the frame taken away).
// Running the loop is the platform's own: poll() on Linux (PlugViewHostLinux.cpp), the thread's message queue
// on Windows (PlugViewHostWindows.cpp).
#pragma once

#include "host/HostWindow.h"
#include "host/PlugFrame.h"
#include "host/WindowScreenshot.h"

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/vst/vsttypes.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace QuorvaneHost
{

class PlugViewHost
{
public:
	struct Options
	{
		/** The display to open; null: $DISPLAY. Not used on Windows. */
		const char* display{nullptr};
		/** A size to give the view once attached, through its constraint, as a user's resize would. */
		std::optional<std::pair<int, int>> size;
		/** Handed to IPlugViewContentScaleSupport before attaching; none: never called, as some hosts do. */
		std::optional<float> contentScale;
		/** Host quirks: descriptor events never delivered (Linux); onSize called twice for a requested size. */
		bool deliverDescriptorEvents{true};
		bool repeatOnSize{false};
		std::string title{"Quorvane"};
	};

	/** Opens a window of the view's size, gives the view the plug frame, maps the window and attaches the view.
	    Null with `error` set when the display cannot be opened or the view refuses. */
	static std::unique_ptr<PlugViewHost> open (Steinberg::IPtr<Steinberg::IPlugView> view, const Options& options,
	                                           std::string& error);
	/** Detaches the view (removed, then setFrame null) and closes the window. */
	~PlugViewHost ();
	PlugViewHost (const PlugViewHost&) = delete;
	PlugViewHost& operator= (const PlugViewHost&) = delete;

	Steinberg::IPlugView* view () const { return plugView; }
#if SMTG_OS_LINUX
	PollRunLoop& runLoop () { return *loop; }
#endif
	PlugFrame& plugFrame () { return *frame; }
	HostWindow& window () { return *hostWindow; }

	/** A resize started by the host (a user dragging the window): the view's constraint, then window and onSize.
	    Answers the size the view got. */
	std::pair<int, int> resizeFromHost (int width, int height);

	/** Runs the loop, handling the window's own events, for `ms` milliseconds. */
	void run (int ms);
	/** Runs the loop until the view has been quiet (no descriptor events; on Windows no messages but timers) for
	    `quietMs`, at most `maxMs`. */
	void settle (int quietMs = 150, int maxMs = 3000);
	/** Runs until the window manager closes the window. */
	void runUntilClosed (const std::function<void ()>& afterEachPass);

	bool screenshot (WindowImage& image, std::string& error);

	/** The parameter the view says lies under a point of the window (IParameterFinder), as a host asks before it
	    shows a parameter's name or offers to automate it; none when the view has no finder or finds nothing. */
	std::optional<Steinberg::Vst::ParamID> parameterAt (int x, int y) const;

private:
	PlugViewHost () = default;
	/** The platform's run loop for the plug frame to hand out, if it has one. */
	Steinberg::IPtr<PlugFrame::RunLoop> startRunLoop (const Options& options);
	void onWindowEvents ();

	std::unique_ptr<HostWindow> hostWindow;
#if SMTG_OS_LINUX
	Steinberg::IPtr<PollRunLoop> loop;
#endif
	Steinberg::IPtr<PlugFrame> frame;
	Steinberg::IPtr<Steinberg::IPlugView> plugView;
	bool attached{false};
	int viewWidth{0};
	int viewHeight{0};
};

} // namespace QuorvaneHost
