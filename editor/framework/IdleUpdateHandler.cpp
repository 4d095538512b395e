#include "editor/framework/IdleUpdateHandler.h"

#include "base/source/updatehandler.h"
#include "vstgui/lib/cvstguitimer.h"

#include <atomic>

namespace Steinberg
{
namespace
{

// Parameters and listeners notify each other through the process-wide update handler; creating it while
// the module loads means it exists before any of them does. This file is always linked into a module that
// has an editor (ProgrammaticEditor calls start and stop), so the initialiser cannot be dropped.
[[maybe_unused]] const bool updateHandlerCreatedAtLoad = (UpdateHandler::instance (), true);

struct SharedTimer
{
	~SharedTimer ()
	{
		if (timer)
			timer->forget ();
	}

	VSTGUI::CVSTGUITimer* timer = nullptr;
	std::atomic<int32> users{0};
};

SharedTimer& sharedTimer ()
{
	static SharedTimer instance;
	return instance;
}

void deliverDeferredUpdates (VSTGUI::CVSTGUITimer*)
{
	// Null only once the SDK's singletons have been torn down at unload.
	if (auto* handler = UpdateHandler::instance ())
		handler->triggerDeferedUpdates ();
}

} // namespace

void IdleUpdateHandler::start ()
{
	auto& shared = sharedTimer ();
	if (shared.users.fetch_add (1) != 0)
		return;
	auto* timer = new VSTGUI::CVSTGUITimer (deliverDeferredUpdates, kTickMilliseconds, true);
	if (shared.timer)
		shared.timer->forget ();
	shared.timer = timer;
}

VSTGUI::CVSTGUITimer* IdleUpdateHandler::getTimer ()
{
	return sharedTimer ().timer;
}

void IdleUpdateHandler::stop ()
{
	auto& shared = sharedTimer ();
	if (shared.users.fetch_sub (1) == 1 && shared.timer)
	{
		shared.timer->forget ();
		shared.timer = nullptr;
	}
}

} // namespace Steinberg
