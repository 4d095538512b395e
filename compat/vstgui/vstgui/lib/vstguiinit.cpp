#include "vstguiinit.h"

#include "platform/iplatformfactory.h"

#include <memory>

namespace VSTGUI
{

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
		factory = createPlatformFactory (instance);
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
		factory = createPlatformFactory (nullptr);
	return *factory;
}

} // namespace VSTGUI
