#include "vstguiinit.h"

#include "platform/iplatformfactory.h"

#include <memory>

namespace VSTGUI
{

std::unique_ptr<IPlatformFactory> createLinuxPlatformFactory (PlatformInstanceHandle instance);

namespace
{

std::unique_ptr<IPlatformFactory>& factoryInstance ()
{
	static std::unique_ptr<IPlatformFactory> factory;
	return factory;
}

} // namespace

void init (PlatformInstanceHandle instance)
{
	auto& factory = factoryInstance ();
	if (!factory)
		factory = createLinuxPlatformFactory (instance);
}

void exit ()
{
	factoryInstance ().reset ();
}

const IPlatformFactory& getPlatformFactory ()
{
	// Tools and tests that never called init still get the default factory.
	auto& factory = factoryInstance ();
	if (!factory)
		factory = createLinuxPlatformFactory (nullptr);
	return *factory;
}

} // namespace VSTGUI
