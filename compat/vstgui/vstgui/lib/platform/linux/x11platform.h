// The X11 platform's own state, not part of the library's public interface: the run loop that the open X11
// frames installed, which timers run on.
#pragma once

#include "../platform_x11.h"

namespace VSTGUI
{
namespace X11
{

// Each X11 frame installs its configuration's run loop while it exists; the first one installed serves every
// frame and timer until the last frame has gone, so closing one of two editors does not strand the other's timers.
struct RunLoop
{
	static void init (const SharedPointer<IRunLoop>& runLoop);
	static void exit ();
	static const SharedPointer<IRunLoop>& get ();
};

} // namespace X11
} // namespace VSTGUI
