// Start and end of the GUI library: init creates the platform factory, exit destroys it.
#pragma once

#include "vstguifwd.h"

namespace VSTGUI
{

void init (PlatformInstanceHandle instance);
void exit ();

} // namespace VSTGUI
