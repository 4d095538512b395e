// The Linux platform factory: X11 frames inside a host window, the offscreen frame without one; run-loop
// timers when a run loop is installed, manual-clock timers otherwise.
#include "../iplatformfactory.h"
#include "../iplatformframe.h"
#include "../offscreen/offscreenframe.h"
#include "../offscreen/offscreentimer.h"
#include "cairocontext.h"
#include "x11frame.h"
#include "x11platform.h"
#include "x11timer.h"

#include <chrono>
#include <memory>

namespace VSTGUI
{

namespace
{

class LinuxFactory : public IPlatformFactory
{
public:
	explicit LinuxFactory (PlatformInstanceHandle instance) : instance (instance) {}

	// The module handle the library was started with, where the real library finds the module's resources.
	PlatformInstanceHandle getInstance () const noexcept { return instance; }

	uint64_t getTicks () const noexcept override
	{
		using namespace std::chrono;
		return static_cast<uint64_t> (duration_cast<milliseconds> (steady_clock::now ().time_since_epoch ()).count ());
	}

	PlatformFramePtr createFrame (IPlatformFrameCallback* frame, const CRect& size, void* parent,
	                              PlatformType parentType, IPlatformFrameConfig* config) const noexcept override
	{
		if (parent == nullptr)
			return makeOwned<OffscreenPlatformFrame> (frame, size);
		return X11::createX11PlatformFrame (frame, size, parent, parentType, config);
	}

	PlatformTimerPtr createTimer (IPlatformTimerCallback* callback) const noexcept override
	{
		if (X11::RunLoop::get ())
		{
			if (auto timer = X11::createX11PlatformTimer (callback))
				return timer;
		}
		return Offscreen::createTimer (callback);
	}

	SharedPointer<COffscreenContext> createOffscreenContext (const CPoint& size,
	                                                         double scaleFactor) const noexcept override
	{
		auto bitmap = makeOwned<CBitmap> (size.x, size.y, scaleFactor);
		if (!bitmap->getPlatformBitmap ())
			return nullptr;
		auto context = owned (new Cairo::Context (bitmap));
		if (!context->valid ())
			return nullptr;
		return SharedPointer<COffscreenContext> (context);
	}

private:
	PlatformInstanceHandle instance;
};

struct RunLoopHolder
{
	SharedPointer<X11::IRunLoop> runLoop;
	int32_t users = 0;
};

RunLoopHolder& runLoopHolder ()
{
	static RunLoopHolder holder;
	return holder;
}

} // namespace

std::unique_ptr<IPlatformFactory> createPlatformFactory (PlatformInstanceHandle instance)
{
	return std::make_unique<LinuxFactory> (instance);
}

namespace X11
{

void RunLoop::init (const SharedPointer<IRunLoop>& runLoop)
{
	auto& holder = runLoopHolder ();
	if (holder.users++ == 0)
		holder.runLoop = runLoop;
}

void RunLoop::exit ()
{
	auto& holder = runLoopHolder ();
	if (holder.users > 0 && --holder.users == 0)
		holder.runLoop = nullptr;
}

const SharedPointer<IRunLoop>& RunLoop::get ()
{
	return runLoopHolder ().runLoop;
}

} // namespace X11
} // namespace VSTGUI
