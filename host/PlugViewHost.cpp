#include "host/PlugViewHost.h"

#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"
#include "pluginterfaces/vst/ivstplugview.h"

#include <algorithm>

namespace QuorvaneHost
{

using namespace Steinberg;

std::unique_ptr<PlugViewHost> PlugViewHost::open (IPtr<IPlugView> view, const Options& options, std::string& error)
{
	if (!view)
	{
		error = "there is no view to show";
		return nullptr;
	}
	if (view->isPlatformTypeSupported (HostWindow::viewPlatformType ()) != kResultTrue)
	{
		error = std::string ("the view cannot be embedded in a window of type ") + HostWindow::viewPlatformType ();
		return nullptr;
	}
	std::unique_ptr<PlugViewHost> host (new PlugViewHost);
	host->plugView = view;

	ViewRect initial;
	view->getSize (&initial);
	host->viewWidth = std::max (1, initial.getWidth ());
	host->viewHeight = std::max (1, initial.getHeight ());
	host->hostWindow = HostWindow::create (options.display, host->viewWidth, host->viewHeight, options.title, error);
	if (!host->hostWindow)
		return nullptr;

	PlugViewHost* self = host.get ();
	host->frame = owned (new PlugFrame (host->startRunLoop (options),
	                                    [self] (int32 width, int32 height)
	                                    {
		                                    if (!self->hostWindow->resize (width, height))
			                                    return false;
		                                    self->viewWidth = width;
		                                    self->viewHeight = height;
		                                    return true;
	                                    }));
	host->frame->setRepeatOnSize (options.repeatOnSize);

	view->setFrame (host->frame);
	if (options.contentScale)
		if (FUnknownPtr<IPlugViewContentScaleSupport> scaling (view); scaling)
			scaling->setContentScaleFactor (*options.contentScale);

	host->hostWindow->map ();
	if (view->attached (host->hostWindow->parentForView (), HostWindow::viewPlatformType ()) != kResultTrue)
	{
		view->setFrame (nullptr);
		error = "the view refused to attach to the host window";
		return nullptr;
	}
	host->attached = true;

	// A view that did not ask for its size while attaching still gets a window of that size.
	ViewRect attachedSize;
	if (view->getSize (&attachedSize) == kResultTrue &&
	    (attachedSize.getWidth () != host->viewWidth || attachedSize.getHeight () != host->viewHeight))
		host->resizeFromHost (attachedSize.getWidth (), attachedSize.getHeight ());
	if (options.size)
		host->resizeFromHost (options.size->first, options.size->second);
	return host;
}

PlugViewHost::~PlugViewHost ()
{
	if (plugView)
	{
		if (attached)
			plugView->removed ();
		plugView->setFrame (nullptr);
	}
#if SMTG_OS_LINUX
	if (loop)
		loop->watchHostDescriptor (-1, nullptr);
#endif
	plugView = nullptr;
	frame = nullptr;
	hostWindow.reset ();
}

std::pair<int, int> PlugViewHost::resizeFromHost (int width, int height)
{
	ViewRect size (0, 0, width, height);
	if (plugView->canResize () == kResultTrue)
		plugView->checkSizeConstraint (&size);
	else
	{
		ViewRect current;
		plugView->getSize (&current);
		size = ViewRect (0, 0, current.getWidth (), current.getHeight ());
	}
	if (hostWindow->resize (size.getWidth (), size.getHeight ()))
	{
		viewWidth = size.getWidth ();
		viewHeight = size.getHeight ();
		plugView->onSize (&size);
	}
	return {viewWidth, viewHeight};
}

void PlugViewHost::onWindowEvents ()
{
	hostWindow->processEvents ();
	// The window manager (or a user dragging the border) resized the window: the view follows.
	if (hostWindow->width () != viewWidth || hostWindow->height () != viewHeight)
	{
		const auto [width, height] = resizeFromHost (hostWindow->width (), hostWindow->height ());
		if (width != hostWindow->width () || height != hostWindow->height ())
			hostWindow->resize (width, height);
	}
}

std::optional<Steinberg::Vst::ParamID> PlugViewHost::parameterAt (int x, int y) const
{
	Steinberg::FUnknownPtr<Steinberg::Vst::IParameterFinder> finder (plugView);
	Steinberg::Vst::ParamID id = 0;
	if (!finder || finder->findParameter (x, y, id) != Steinberg::kResultOk)
		return std::nullopt;
	return id;
}

} // namespace QuorvaneHost
