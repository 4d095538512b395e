// One GUI timer shared by every open editor that delivers the update handler's deferred notifications, so
// parameter listeners hear of deferred changes about 30 times a second while any editor is open.
#pragma once

namespace VSTGUI
{
class CVSTGUITimer;
}

namespace Steinberg
{

class IdleUpdateHandler
{
public:
	/** The first caller starts the shared timer; every call must be paired with one stop. */
	static void start ();
	/** The caller that brings the count of users back to zero stops and destroys the timer. */
	static void stop ();

	/** The shared timer while any editor is open, else null (for diagnostics and tests). */
	static VSTGUI::CVSTGUITimer* getTimer ();

	/** The timer's period in milliseconds. */
	static constexpr unsigned kTickMilliseconds = 33;
};

} // namespace Steinberg
