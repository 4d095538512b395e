// The module's exported entry points and class factory, seen the way a host sees them.

#include "tests/host/HostTestSupport.h"

#include "host/BundlePath.h"
#include "host/FactoryDescription.h"
#include "plugin/ids.h"

#include "pluginterfaces/base/ipluginbase.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstmessage.h"

#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

using namespace Steinberg;
using namespace QuorvaneHost;

namespace
{

using ModuleEntryFunc = bool (*) (void*);
using ModuleExitFunc = bool (*) ();
using InitDllFunc = bool (*) ();

// The processor's class identifier (words A17C3B8C 793441DA B08706CA 2D7F3E48) as the 16 bytes hosts
// store, in the COM-compatible order on every platform.
const TUID processorBytes = {'\x8C', '\x3B', '\x7C', '\xA1', '\x34', '\x79', '\xDA', '\x41',
                             '\xB0', '\x87', '\x06', '\xCA', '\x2D', '\x7F', '\x3E', '\x48'};
// The controller's (words DAB00EE0 6C934FF4 A6283AFE A43FA525), in the same order.
const TUID controllerBytes = {'\xE0', '\x0E', '\xB0', '\xDA', '\x93', '\x6C', '\xF4', '\x4F',
                              '\xA6', '\x28', '\x3A', '\xFE', '\xA4', '\x3F', '\xA5', '\x25'};

#ifdef _WIN32
// The Windows module main's entry points; Windows hosts know no others.
const char* const entryPoints[] = {"GetPluginFactory", "InitDll", "ExitDll"};
const char* const notExported[] = {"ModuleEntry", "ModuleExit", "gPluginFactory", "InitModule", "DllMain"};
const char* const notAModule = "C:/windows/system32/version.dll";
#else
// Linux hosts call ModuleEntry/ModuleExit; InitDll/ExitDll are kept for hosts that call the Windows names.
const char* const entryPoints[] = {"GetPluginFactory", "ModuleEntry", "ModuleExit", "InitDll", "ExitDll"};
const char* const notExported[] = {"gPluginFactory", "_ZN9Steinberg14gPluginFactoryE", "InitModule"};
const char* const notAModule = "/lib/x86_64-linux-gnu/libm.so.6";
#endif

/** Whether the process has the module mapped, asked without loading it. */
bool moduleIsMapped ()
{
#ifdef _WIN32
	return GetModuleHandleW (L"Quorvane.vst3") != nullptr;
#else
	void* handle = dlopen (QUORVANE_MODULE_PATH, RTLD_NOW | RTLD_NOLOAD);
	if (handle)
		dlclose (handle);
	return handle != nullptr;
#endif
}

} // namespace

TEST (FactoryThroughBundle, ExportsOnlyTheModuleEntryPoints)
{
	auto module = QuorvaneTest::loadModule ();
	ASSERT_TRUE (module);
	for (const char* name : entryPoints)
		EXPECT_NE (module->symbol (name), nullptr) << name;
	// Anything else exported could clash with a host's or another module's symbols.
	for (const char* name : notExported)
		EXPECT_EQ (module->symbol (name), nullptr) << name;
}

TEST (FactoryThroughBundle, FactoryInformationAndProcessorEntry)
{
	auto module = QuorvaneTest::loadModule ();
	ASSERT_TRUE (module);
	FactoryDescription description;
	ASSERT_TRUE (describeFactory (module->factory (), description));

	EXPECT_EQ (description.vendor, "Kelvanor");
	EXPECT_EQ (description.url.rfind ("http", 0), 0u) << description.url;
	EXPECT_EQ (description.email.rfind ("mailto:", 0), 0u) << description.email;
	EXPECT_EQ (description.flags, PFactoryInfo::kUnicode);

	ASSERT_GE (description.classes.size (), 1u);
	const ClassEntry& processor = description.classes[0];
	EXPECT_TRUE (processor.cid == FUID::fromTUID (processorBytes));
	EXPECT_EQ (memcmp (processor.cid.toTUID (), processorBytes, sizeof (TUID)), 0);
	EXPECT_EQ (processor.cardinality, 0x7FFFFFFF);
	EXPECT_EQ (processor.category, "Audio Module Class");
	EXPECT_EQ (processor.name, "Quorvane");
	ASSERT_TRUE (processor.hasInfo2);
	EXPECT_EQ (processor.classFlags, 1u);
	EXPECT_EQ (processor.subCategories, "Fx");
	EXPECT_EQ (processor.vendor, "");
	EXPECT_EQ (processor.version, "1.2.0.0");
	EXPECT_EQ (processor.sdkVersion, "VST 3.8.0");

	// The Unicode entry of IPluginFactory3 says the same.
	ASSERT_TRUE (processor.unicode.has_value ());
	EXPECT_TRUE (processor.unicode->cid == processor.cid);
	EXPECT_EQ (processor.unicode->name, "Quorvane");
	EXPECT_EQ (processor.unicode->category, "Audio Module Class");
	EXPECT_EQ (processor.unicode->subCategories, "Fx");
	EXPECT_EQ (processor.unicode->vendor, "");
	EXPECT_EQ (processor.unicode->version, "1.2.0.0");
	EXPECT_EQ (processor.unicode->sdkVersion, "VST 3.8.0");
	EXPECT_EQ (processor.unicode->classFlags, 1u);

	// Exactly two classes: the controller's entry comes right after the processor's.
	ASSERT_EQ (description.classes.size (), 2u);
	const ClassEntry& controller = description.classes[1];
	EXPECT_EQ (memcmp (controller.cid.toTUID (), controllerBytes, sizeof (TUID)), 0);
	EXPECT_TRUE (controller.cid == ControllerUID);
	EXPECT_EQ (controller.cardinality, 0x7FFFFFFF);
	EXPECT_EQ (controller.category, "Component Controller Class");
	EXPECT_EQ (controller.name, "QuorvaneController");
	ASSERT_TRUE (controller.hasInfo2);
	EXPECT_EQ (controller.classFlags, 0u);
	EXPECT_EQ (controller.subCategories, "");
	EXPECT_EQ (controller.vendor, "");
	EXPECT_EQ (controller.version, "1.2.0.0");
	EXPECT_EQ (controller.sdkVersion, "VST 3.8.0");
	ASSERT_TRUE (controller.unicode.has_value ());
	EXPECT_TRUE (controller.unicode->cid == controller.cid);
	EXPECT_EQ (controller.unicode->name, "QuorvaneController");
	EXPECT_EQ (controller.unicode->category, "Component Controller Class");
	EXPECT_EQ (controller.unicode->classFlags, 0u);
	EXPECT_EQ (controller.unicode->version, "1.2.0.0");
	// Out-of-range indices are refused rather than read past the table.
	PClassInfo info{};
	EXPECT_NE (module->factory ()->getClassInfo (static_cast<int32> (description.classes.size ()), &info), kResultOk);
	EXPECT_NE (module->factory ()->getClassInfo (-1, &info), kResultOk);
}

TEST (FactoryThroughBundle, ProcessorAnswersItsInterfaces)
{
	auto module = QuorvaneTest::loadModule ();
	ASSERT_TRUE (module);
	FUnknown* object = nullptr;
	ASSERT_EQ (module->factory ()->createInstance (processorBytes, FUnknown::iid, reinterpret_cast<void**> (&object)),
	           kResultOk);
	ASSERT_NE (object, nullptr);
	for (const FUID* iid :
	     {&Vst::IComponent::iid, &Vst::IAudioProcessor::iid, &Vst::IProcessContextRequirements::iid, &IPluginBase::iid})
	{
		void* found = nullptr;
		EXPECT_EQ (object->queryInterface (iid->toTUID (), &found), kResultOk);
		ASSERT_NE (found, nullptr);
		static_cast<FUnknown*> (found)->release ();
	}
	EXPECT_TRUE (FUnknownPtr<Vst::IConnectionPoint> (object));
	void* controller = nullptr;
	EXPECT_EQ (object->queryInterface (Vst::IEditController::iid, &controller), kNoInterface);
	EXPECT_EQ (controller, nullptr);

	FUnknownPtr<Vst::IProcessContextRequirements> requirements (object);
	ASSERT_TRUE (requirements);
	EXPECT_EQ (requirements->getProcessContextRequirements (), 68u); // project time in quarter notes, tempo

	FUnknownPtr<Vst::IComponent> component (object);
	TUID controllerClass{};
	EXPECT_EQ (component->getControllerClassId (controllerClass), kResultOk);
	EXPECT_TRUE (FUID::fromTUID (controllerClass) == ControllerUID);
	object->release ();

	// An unknown class creates nothing.
	const TUID unknown = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
	void* none = nullptr;
	EXPECT_NE (module->factory ()->createInstance (unknown, FUnknown::iid, &none), kResultOk);
	EXPECT_EQ (none, nullptr);
}

TEST (FactoryThroughBundle, LaterCallsShareTheFactoryAndTheLastReleaseEndsIt)
{
	auto module = QuorvaneTest::loadModule ();
	ASSERT_TRUE (module);
	auto getFactory = reinterpret_cast<GetFactoryProc> (module->symbol ("GetPluginFactory"));
	ASSERT_NE (getFactory, nullptr);

	IPluginFactory* first = getFactory ();
	ASSERT_NE (first, nullptr);
	EXPECT_EQ (first->addRef (), 2u); // the caller's one reference, plus this one
	EXPECT_EQ (first->release (), 1u);

	IPluginFactory* second = getFactory ();
	EXPECT_EQ (second, first);
	EXPECT_EQ (second->addRef (), 3u); // the second call added exactly one reference
	EXPECT_EQ (second->release (), 2u);

	EXPECT_EQ (second->release (), 1u);
	EXPECT_EQ (first->release (), 0u); // gone now

	IPluginFactory* renewed = getFactory ();
	ASSERT_NE (renewed, nullptr);
	EXPECT_EQ (renewed->addRef (), 2u); // a new factory with one reference, not the old one's count
	renewed->release ();

	FactoryDescription description;
	ASSERT_TRUE (describeFactory (renewed, description));
	ASSERT_GE (description.classes.size (), 1u);
	EXPECT_EQ (description.classes[0].name, "Quorvane");
	EXPECT_EQ (description.vendor, "Kelvanor");
	FUnknown* object = nullptr;
	EXPECT_EQ (renewed->createInstance (processorBytes, Vst::IComponent::iid, reinterpret_cast<void**> (&object)),
	           kResultOk);
	ASSERT_NE (object, nullptr);
	object->release ();
	EXPECT_EQ (renewed->release (), 0u);
}

#ifdef _WIN32
TEST (FactoryThroughBundle, InitDllAndExitDllKeepOneUseCount)
{
	auto module = QuorvaneTest::loadModule (); // entered once by the loader
	ASSERT_TRUE (module);
	auto initDll = reinterpret_cast<InitDllFunc> (module->symbol ("InitDll"));
	auto exitDll = reinterpret_cast<ModuleExitFunc> (module->symbol ("ExitDll"));
	ASSERT_TRUE (initDll && exitDll);

	EXPECT_TRUE (initDll ());  // 2
	EXPECT_TRUE (exitDll ());  // 1
	EXPECT_TRUE (exitDll ());  // 0: the terminators have run
	EXPECT_FALSE (exitDll ()); // an exit without an entry is refused

	// Entering again after the last exit works, and the module still makes working processors.
	EXPECT_TRUE (initDll ()); // 1, which the loader's unload takes back
	std::string error;
	auto instance = PluginInstance::createFirstAudioEffect (module, error);
	EXPECT_TRUE (instance) << error;
}
#else
TEST (FactoryThroughBundle, ModuleEntryAndExitKeepOneUseCount)
{
	auto module = QuorvaneTest::loadModule (); // entered once by the loader
	ASSERT_TRUE (module);
	auto entry = reinterpret_cast<ModuleEntryFunc> (module->symbol ("ModuleEntry"));
	auto exitFunc = reinterpret_cast<ModuleExitFunc> (module->symbol ("ModuleExit"));
	auto initDll = reinterpret_cast<InitDllFunc> (module->symbol ("InitDll"));
	auto exitDll = reinterpret_cast<ModuleExitFunc> (module->symbol ("ExitDll"));
	ASSERT_TRUE (entry && exitFunc && initDll && exitDll);

	EXPECT_TRUE (entry (module->handle ())); // 2
	EXPECT_TRUE (initDll ());                // 3: the Windows names share the count
	EXPECT_TRUE (exitDll ());                // 2
	EXPECT_TRUE (exitFunc ());               // 1
	EXPECT_TRUE (exitFunc ());               // 0: the terminators have run
	EXPECT_FALSE (exitFunc ());              // an exit without an entry is refused
	EXPECT_FALSE (exitDll ());

	// Entering again after the last exit works, and the module still makes working processors.
	EXPECT_TRUE (entry (module->handle ())); // 1, which the loader's unload takes back
	std::string error;
	auto instance = PluginInstance::createFirstAudioEffect (module, error);
	EXPECT_TRUE (instance) << error;
}
#endif

TEST (FactoryThroughBundle, UnloadingReleasesTheLibrary)
{
	{
		auto module = QuorvaneTest::loadModule ();
		ASSERT_TRUE (module);
		std::string error;
		auto instance = PluginInstance::createFirstAudioEffect (module, error);
		ASSERT_TRUE (instance) << error;
		EXPECT_TRUE (moduleIsMapped ());
	}
	// A module that cannot be unmapped would keep its statics (the factory pointer, the use count) across a
	// host's unload and reload.
	EXPECT_FALSE (moduleIsMapped ());
}

TEST (FactoryThroughBundle, LoadingFailsWithAReason)
{
	// This test unloads the module itself, so the drawing libraries it pulls in must stay resident, as in a host.
	QuorvaneTest::keepDrawingLibrariesResident ();
	std::string error;
	EXPECT_FALSE (PluginModule::load ("/nonexistent/Quorvane.vst3", error));
	// The module file it looked for, in this platform's spelling of the path.
	const auto lookedFor = std::filesystem::path ("/nonexistent/Quorvane.vst3") / "Contents" / bundleArchitecture ();
	EXPECT_NE (error.find ("no VST3 module at '" + lookedFor.string ()), std::string::npos) << error;

	error.clear ();
	// A shared library that is not a VST3 module.
	if (std::filesystem::exists (notAModule))
	{
		EXPECT_FALSE (PluginModule::load (notAModule, error));
		EXPECT_NE (error.find ("is not a VST3 module"), std::string::npos) << error;
	}

	// The bundle folder and the module file name the same module.
	auto fromFolder = PluginModule::load (QUORVANE_BUNDLE_DIR, error);
	ASSERT_TRUE (fromFolder) << error;
	EXPECT_EQ (std::filesystem::path (fromFolder->modulePath ()), std::filesystem::path (QUORVANE_MODULE_PATH));
}
