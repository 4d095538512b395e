// The controller's class entry as a host finds it in the built module, right after the processor's.

#include "plugin/ids.h"

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstring>
#include <string>

using namespace Steinberg;

namespace
{

/** The module loaded and entered as a Linux host does, with its factory. */
class LoadedModule : public testing::Test
{
protected:
	void SetUp () override
	{
		handle = dlopen (QUORVANE_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
		ASSERT_NE (handle, nullptr) << dlerror ();
		auto moduleEntry = reinterpret_cast<bool (*) (void*)> (dlsym (handle, "ModuleEntry"));
		auto getFactory = reinterpret_cast<IPluginFactory* (*)()> (dlsym (handle, "GetPluginFactory"));
		ASSERT_NE (moduleEntry, nullptr);
		ASSERT_NE (getFactory, nullptr);
		ASSERT_TRUE (moduleEntry (handle));
		factory = getFactory ();
		ASSERT_NE (factory, nullptr);
		ASSERT_EQ (factory->queryInterface (IPluginFactory2::iid, reinterpret_cast<void**> (&factory2)), kResultOk);
	}

	void TearDown () override
	{
		if (factory2)
			factory2->release ();
		if (factory)
			factory->release ();
		if (auto moduleExit = handle ? reinterpret_cast<bool (*) ()> (dlsym (handle, "ModuleExit")) : nullptr)
			moduleExit ();
		if (handle)
			dlclose (handle);
	}

	void* handle = nullptr;
	IPluginFactory* factory = nullptr;
	IPluginFactory2* factory2 = nullptr;
};

} // namespace

TEST_F (LoadedModule, ControllerEntryFollowsTheProcessorEntry)
{
	ASSERT_EQ (factory->countClasses (), 2);
	PClassInfo2 processor{};
	ASSERT_EQ (factory2->getClassInfo2 (0, &processor), kResultOk);
	EXPECT_STREQ (processor.category, "Audio Module Class");

	PClassInfo2 entry{};
	ASSERT_EQ (factory2->getClassInfo2 (1, &entry), kResultOk);
	EXPECT_EQ (std::memcmp (entry.cid, ControllerUID.toTUID (), sizeof (TUID)), 0);
	EXPECT_EQ (entry.cardinality, PClassInfo::kManyInstances);
	EXPECT_STREQ (entry.category, "Component Controller Class");
	EXPECT_STREQ (entry.name, "QuorvaneController");
	EXPECT_EQ (entry.classFlags, 0u);
	EXPECT_STREQ (entry.subCategories, "");
	EXPECT_STREQ (entry.vendor, "");
	EXPECT_STREQ (entry.version, "1.2.0.0");
	EXPECT_STREQ (entry.sdkVersion, "VST 3.8.0");
}

TEST_F (LoadedModule, ProcessorNamesTheControllerAndTheFactoryCreatesItWithOneReference)
{
	PClassInfo processorEntry{};
	ASSERT_EQ (factory->getClassInfo (0, &processorEntry), kResultOk);
	Vst::IComponent* component = nullptr;
	ASSERT_EQ (
	    factory->createInstance (processorEntry.cid, Vst::IComponent::iid, reinterpret_cast<void**> (&component)),
	    kResultOk);
	TUID controllerClass{};
	EXPECT_EQ (component->getControllerClassId (controllerClass), kResultOk);
	EXPECT_EQ (std::memcmp (controllerClass, ControllerUID.toTUID (), sizeof (TUID)), 0);
	component->release ();

	Vst::IEditController* controller = nullptr;
	ASSERT_EQ (
	    factory->createInstance (controllerClass, Vst::IEditController::iid, reinterpret_cast<void**> (&controller)),
	    kResultOk);
	ASSERT_NE (controller, nullptr);
	EXPECT_EQ (controller->addRef (), 2u);
	EXPECT_EQ (controller->release (), 1u);
	ASSERT_EQ (controller->initialize (nullptr), kResultOk);
	EXPECT_EQ (controller->getParameterCount (), 5);
	controller->terminate ();
	EXPECT_EQ (controller->release (), 0u);
}
