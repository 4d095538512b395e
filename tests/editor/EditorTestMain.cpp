// The GUI library starts with the module's first entry and stops with its last exit, as in a host.

#include <gtest/gtest.h>

#if defined(_WIN32)
extern "C" bool InitDll ();
extern "C" bool ExitDll ();
#else
extern "C" bool ModuleEntry (void* sharedLibraryHandle);
extern "C" bool ModuleExit ();
#endif

namespace
{

class ModuleEnvironment : public testing::Environment
{
public:
#if defined(_WIN32)
	void SetUp () override { ASSERT_TRUE (InitDll ()); }
	void TearDown () override { ExitDll (); }
#else
	void SetUp () override { ASSERT_TRUE (ModuleEntry (nullptr)); }
	void TearDown () override { ModuleExit (); }
#endif
};

[[maybe_unused]] testing::Environment* const moduleEnvironment =
    testing::AddGlobalTestEnvironment (new ModuleEnvironment);

} // namespace
