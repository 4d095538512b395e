#include "framework/FrameworkTestSupport.h"

// The GUI library starts with the module's first entry, as in a host.
[[maybe_unused]] static testing::Environment* const moduleEnvironment =
    testing::AddGlobalTestEnvironment (new ModuleEnvironment);
