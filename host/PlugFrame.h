// The host's IPlugFrame for one embedded view: carries the view's resize requests to the host window and back
// to the view's onSize, and hands out the host's run loop (Linux::IRunLoop) to the view that asks for it. On
// Windows views run on the thread's message loop and there is no run loop to hand out.
#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/base/fplatform.h"
#if SMTG_OS_LINUX
#include "host/PollRunLoop.h"
#endif

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/gui/iplugview.h"

#include <functional>
#include <vector>

namespace QuorvaneHost
{

class PlugFrame : public Steinberg::FObject, public Steinberg::IPlugFrame
{
public:
	/** Resizes the host window to a width and height in pixels; false when the window refuses. */
	using WindowResizer = std::function<bool (Steinberg::int32 width, Steinberg::int32 height)>;
#if SMTG_OS_LINUX
	using RunLoop = PollRunLoop;
#else
	using RunLoop = Steinberg::FObject;
#endif

	/** Starts with one reference, the creator's; holds one on `runLoop`, which may be null (a host without one). */
	PlugFrame (Steinberg::IPtr<RunLoop> runLoop, WindowResizer resizeWindow);

	/** Imitates hosts that call onSize a second time for the same size after a resize that the view asked for. */
	void setRepeatOnSize (bool repeat) { repeatOnSize = repeat; }

	struct ResizeRequest
	{
		Steinberg::int32 width{0};
		Steinberg::int32 height{0};
		Steinberg::tresult answer{Steinberg::kResultFalse};
	};
	/** Every resizeView so far, with the answer it got, oldest first. */
	const std::vector<ResizeRequest>& resizeRequests () const { return requests; }

	//---from IPlugFrame---
	/** Refuses (kResultFalse) a size that the view's checkSizeConstraint would change; otherwise resizes the
	    window, then calls the view's onSize before it answers kResultTrue. */
	Steinberg::tresult PLUGIN_API resizeView (Steinberg::IPlugView* view, Steinberg::ViewRect* newSize) SMTG_OVERRIDE;

	//---from FUnknown---
	/** IPlugFrame, and the run loop's Linux::IRunLoop when there is one. */
	Steinberg::tresult PLUGIN_API queryInterface (const Steinberg::TUID iid, void** obj) SMTG_OVERRIDE;
	REFCOUNT_METHODS (FObject)
	OBJ_METHODS (PlugFrame, FObject)

private:
	~PlugFrame () override = default;

	// A view that answers every onSize with a new request would recurse without end; deeper nesting is refused.
	static constexpr int maxNesting = 4;

	Steinberg::IPtr<RunLoop> loop;
	WindowResizer resizer;
	bool repeatOnSize{false};
	int nesting{0};
	std::vector<ResizeRequest> requests;
};

} // namespace QuorvaneHost
