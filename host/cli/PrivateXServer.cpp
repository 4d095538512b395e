#include "host/cli/PrivateXServer.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace
{

bool xvfbInstalled ()
{
	const char* path = std::getenv ("PATH");
	std::string folders = path ? path : "/usr/bin:/bin";
	size_t start = 0;
	while (start <= folders.size ())
	{
		const size_t end = std::min (folders.find (':', start), folders.size ());
		const std::string candidate = folders.substr (start, end - start) + "/Xvfb";
		if (access (candidate.c_str (), X_OK) == 0)
			return true;
		start = end + 1;
	}
	return false;
}

} // namespace

bool displayReachable ()
{
	const char* display = std::getenv ("DISPLAY");
	if (!display || !*display)
		return false;
	xcb_connection_t* connection = xcb_connect (nullptr, nullptr);
	const bool reachable = connection && !xcb_connection_has_error (connection);
	xcb_disconnect (connection);
	return reachable;
}

std::unique_ptr<PrivateXServer> PrivateXServer::start (std::string& error)
{
	if (!xvfbInstalled ())
	{
		error = "Xvfb is not installed (Debian: apt-get install xvfb)";
		return nullptr;
	}
	int numberPipe[2];
	if (pipe2 (numberPipe, O_CLOEXEC) != 0)
	{
		error = std::string ("cannot start Xvfb: ") + std::strerror (errno);
		return nullptr;
	}
	const pid_t child = fork ();
	if (child == 0)
	{
		// Xvfb writes the display number it chose to the descriptor given with -displayfd, once it accepts
		// connections; that avoids guessing a free number and racing other servers for it.
		dup2 (numberPipe[1], 3);
		const int devNull = open ("/dev/null", O_RDWR);
		dup2 (devNull, STDIN_FILENO);
		dup2 (devNull, STDOUT_FILENO);
		dup2 (devNull, STDERR_FILENO);
		execlp ("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", "1920x1200x24", "-nolisten", "tcp", "-noreset",
		        static_cast<char*> (nullptr));
		_exit (127);
	}
	close (numberPipe[1]);
	if (child < 0)
	{
		close (numberPipe[0]);
		error = std::string ("cannot start Xvfb: ") + std::strerror (errno);
		return nullptr;
	}
	std::unique_ptr<PrivateXServer> server (new PrivateXServer);
	server->pid = child;

	std::string number;
	pollfd wait{numberPipe[0], POLLIN, 0};
	while (number.find ('\n') == std::string::npos && poll (&wait, 1, 10000) > 0)
	{
		char buffer[16];
		const ssize_t got = read (numberPipe[0], buffer, sizeof buffer);
		if (got <= 0)
			break;
		number.append (buffer, static_cast<size_t> (got));
	}
	close (numberPipe[0]);
	while (!number.empty () && (number.back () == '\n' || number.back () == '\r'))
		number.pop_back ();
	if (number.empty ())
	{
		error = "Xvfb did not start";
		return nullptr;
	}
	server->name = ":" + number;
	return server;
}

PrivateXServer::~PrivateXServer ()
{
	if (pid <= 0)
		return;
	kill (pid, SIGTERM);
	int status = 0;
	waitpid (pid, &status, 0);
}
