// The GUI library starts with the module's first entry and stops with its last exit, as in a host.

#include <gtest/gtest.h>

extern "C" bool ModuleEntry (void* sharedLibraryHandle);
extern "C" bool ModuleExit ();

namespace
{

class ModuleEnvironment : public testing::Environment
{
public:
	void SetUp () override { ASSERT_TRUE (ModuleEntry (nullptr)); }
	void TearDown () override { ModuleExit (); }
};

[[maybe_unused]] testing::Environment* const moduleEnvironment =
    testing::AddGlobalTestEnvironment (new ModuleEnvironment);

} // namespace
