// The module's exported factory entry: builds the factory on first use and registers the classes.

#include "controller/DuckerController.h"
#include "plugin/ids.h"
#include "plugin/version.h"
#include "processor/DuckerProcessor.h"

#include "public.sdk/source/main/pluginfactory.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"

using namespace Steinberg;

SMTG_EXPORT_SYMBOL IPluginFactory* PLUGIN_API GetPluginFactory ()
{
	if (!gPluginFactory)
	{
		static PFactoryInfo factoryInfo (QUORVANE_VENDOR, QUORVANE_URL, QUORVANE_EMAIL, PFactoryInfo::kUnicode);
		gPluginFactory = new CPluginFactory (factoryInfo);

		static PClassInfo2 processorClass (ProcessorUID.toTUID (), PClassInfo::kManyInstances, kVstAudioEffectClass,
		                                   "Quorvane", Vst::kDistributable, "Fx", nullptr, QUORVANE_VERSION_STR,
		                                   QUORVANE_SDK_VERSION_STR);
		gPluginFactory->registerClass (&processorClass, DuckerProcessor::createInstance);

		static PClassInfo2 controllerClass (ControllerUID.toTUID (), PClassInfo::kManyInstances,
		                                    kVstComponentControllerClass, "QuorvaneController", 0, "", nullptr,
		                                    QUORVANE_VERSION_STR, QUORVANE_SDK_VERSION_STR);
		gPluginFactory->registerClass (&controllerClass, DuckerController::createInstance);
	}
	else
		gPluginFactory->addRef ();

	return gPluginFactory;
}
