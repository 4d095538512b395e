// CVSTGUITimer: calls a function (or notifies an object) every fire time, from the platform's run loop.
#pragma once

#include "platform/iplatformtimer.h"
#include "vstguibase.h"

#include <functional>

namespace VSTGUI
{

class CVSTGUITimer final : public CBaseObject, public IPlatformTimerCallback
{
public:
	using CallbackFunc = std::function<void (CVSTGUITimer*)>;

	// notifies timerObject with kMsgTimer
	CVSTGUITimer (CBaseObject* timerObject, uint32_t fireTime = 100, bool doStart = false);
	CVSTGUITimer (const CallbackFunc& callback, uint32_t fireTime = 100, bool doStart = true);
	CVSTGUITimer (CallbackFunc&& callback, uint32_t fireTime = 100, bool doStart = true);

	bool start ();
	// answers whether the timer was running
	bool stop ();
	// stand-in extra, not in the real library
	bool isRunning () const { return platformTimer != nullptr; }

	// restarts a running timer with the new time
	bool setFireTime (uint32_t newFireTime);
	uint32_t getFireTime () const { return fireTime; }

	static IdStringPtr kMsgTimer;

protected:
	void fire () override;
	~CVSTGUITimer () noexcept override;

	uint32_t fireTime;
	CBaseObject* timerObject{nullptr};
	CallbackFunc callbackFunc;
	PlatformTimerPtr platformTimer;
};

} // namespace VSTGUI
