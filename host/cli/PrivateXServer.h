// A private X server (Xvfb) for commands that need a display where there is none: started on a free display
// number that the server picks itself, stopped when the object goes.
#pragma once

#include <memory>
#include <string>
#include <sys/types.h>

class PrivateXServer
{
public:
	/** Null with `error` set when Xvfb is not installed or does not come up within a few seconds. */
	static std::unique_ptr<PrivateXServer> start (std::string& error);
	~PrivateXServer ();
	PrivateXServer (const PrivateXServer&) = delete;
	PrivateXServer& operator= (const PrivateXServer&) = delete;

	/** ":N", for DISPLAY. */
	const std::string& display () const { return name; }

private:
	PrivateXServer () = default;

	pid_t pid{-1};
	std::string name;
};

/** True when $DISPLAY names a display this process can connect to. */
bool displayReachable ();
