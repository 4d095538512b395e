#include "host/PlugFrame.h"

namespace QuorvaneHost
{

using namespace Steinberg;

PlugFrame::PlugFrame (IPtr<RunLoop> runLoop, WindowResizer resizeWindow)
    : loop (std::move (runLoop)), resizer (std::move (resizeWindow))
{
}

tresult PLUGIN_API PlugFrame::resizeView (IPlugView* view, ViewRect* newSize)
{
	if (!view || !newSize)
		return kInvalidArgument;
	const size_t index = requests.size ();
	requests.push_back ({newSize->getWidth (), newSize->getHeight (), kResultFalse});
	auto answer = [&] (tresult result)
	{
		requests[index].answer = result;
		return result;
	};
	if (nesting >= maxNesting || newSize->getWidth () <= 0 || newSize->getHeight () <= 0)
		return answer (kResultFalse);

	// The editor asks for exactly the size it will accept in onSize; a size its own constraint would change
	// cannot be honoured as asked, and a host that adjusted it silently would hand onSize a size it refuses.
	ViewRect constrained = *newSize;
	if (view->checkSizeConstraint (&constrained) == kResultTrue &&
	    (constrained.getWidth () != newSize->getWidth () || constrained.getHeight () != newSize->getHeight ()))
		return answer (kResultFalse);

	// The view may reuse or change *newSize from inside onSize; work on a copy.
	const ViewRect size (0, 0, newSize->getWidth (), newSize->getHeight ());
	++nesting;
	bool resized = !resizer || resizer (size.getWidth (), size.getHeight ());
	if (resized)
	{
		ViewRect forView = size;
		view->onSize (&forView);
		if (repeatOnSize)
		{
			forView = size;
			view->onSize (&forView);
		}
	}
	--nesting;
	return answer (resized ? kResultTrue : kResultFalse);
}

tresult PLUGIN_API PlugFrame::queryInterface (const TUID iid, void** obj)
{
	QUERY_INTERFACE (iid, obj, IPlugFrame::iid, IPlugFrame)
#if SMTG_OS_LINUX
	if (loop && FUnknownPrivate::iidEqual (iid, Linux::IRunLoop::iid))
		return loop->queryInterface (iid, obj);
#endif
	return FObject::queryInterface (iid, obj);
}

} // namespace QuorvaneHost
