#include "host/PluginInstance.h"

#include "host/FactoryDescription.h"
#include "host/StateBytes.h"
#include "host/Utf16.h"

#include "pluginterfaces/base/ibstream.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/vstspeaker.h"
#include "public.sdk/source/common/memorystream.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <algorithm>
#include <limits>

namespace QuorvaneHost
{

using namespace Steinberg;
using namespace Steinberg::Vst;

std::unique_ptr<PluginInstance> PluginInstance::create (std::shared_ptr<PluginModule> module, const FUID& cid,
                                                        std::string& error)
{
	if (!module || !module->factory ())
	{
		error = "the module has no class factory";
		return nullptr;
	}

	std::unique_ptr<PluginInstance> instance (new PluginInstance);
	instance->pluginModule = module;
	instance->componentClass = cid;
	instance->hostApplication = std::make_unique<HostApplication> ();

	IComponent* created = nullptr;
	if (module->factory ()->createInstance (cid.toTUID (), IComponent::iid, reinterpret_cast<void**> (&created)) !=
	        kResultOk ||
	    !created)
	{
		error = "the factory could not create the class " + cidToString (cid);
		return nullptr;
	}
	instance->componentPtr = owned (created);

	if (created->initialize (instance->hostContext ()) != kResultOk)
	{
		error = "the component refused to initialise";
		return nullptr;
	}
	instance->initialized = true;

	instance->processorPtr = FUnknownPtr<IAudioProcessor> (created);
	if (!instance->processorPtr)
	{
		error = "the component is not an audio processor";
		return nullptr;
	}
	if (!instance->createController (error))
		return nullptr;
	return instance;
}

bool PluginInstance::createController (std::string& error)
{
	TUID controllerTuid{};
	if (componentPtr->getControllerClassId (controllerTuid) != kResultOk)
		return true;
	const FUID controllerClass = FUID::fromTUID (controllerTuid);
	if (!controllerClass.isValid ())
		return true;

	IEditController* created = nullptr;
	if (pluginModule->factory ()->createInstance (controllerTuid, IEditController::iid,
	                                              reinterpret_cast<void**> (&created)) != kResultOk ||
	    !created)
	{
		error = "the factory could not create the edit controller class " + cidToString (controllerClass);
		return false;
	}
	controllerPtr = owned (created);
	if (created->initialize (hostContext ()) != kResultOk)
	{
		error = "the edit controller refused to initialise";
		return false;
	}
	controllerInitialized = true;

	handler = owned (new ComponentHandler (&edits));
	created->setComponentHandler (handler);

	// Hosts connect the pair directly when both sides offer a connection point; each side then holds the
	// other until it is disconnected, so disconnecting before teardown is what breaks that cycle.
	componentConnection = FUnknownPtr<IConnectionPoint> (componentPtr);
	controllerConnection = FUnknownPtr<IConnectionPoint> (controllerPtr);
	if (componentConnection && controllerConnection)
	{
		componentConnection->connect (controllerConnection);
		controllerConnection->connect (componentConnection);
		connected = true;
	}

	// A controller starts from its own defaults; the component's state is what the processor really holds.
	syncControllerToComponent ();

	parameterList = describeParameters (controllerPtr);
	std::vector<ParamID> ids;
	for (const auto& parameter : parameterList)
		ids.push_back (parameter.id);
	edits.setParameters (ids);
	return true;
}

std::unique_ptr<PluginInstance> PluginInstance::createFirstAudioEffect (std::shared_ptr<PluginModule> module,
                                                                        std::string& error)
{
	FactoryDescription description;
	if (!module || !describeFactory (module->factory (), description))
	{
		error = "the module's factory gives no information";
		return nullptr;
	}
	const ClassEntry* entry = findFirstClass (description, kVstAudioEffectClass);
	if (!entry)
	{
		error = "the module has no audio effect class";
		return nullptr;
	}
	return create (std::move (module), entry->cid, error);
}

FUnknown* PluginInstance::hostContext () const
{
	return hostApplication.get ();
}

PluginInstance::~PluginInstance ()
{
	tearDown ();
}

SpeakerArrangement PluginInstance::arrangementForChannels (int32 channels)
{
	if (channels == 1)
		return SpeakerArr::kMono;
	if (channels == 2)
		return SpeakerArr::kStereo;
	if (channels <= 0)
		return SpeakerArr::kEmpty;
	if (channels >= 64)
		return std::numeric_limits<SpeakerArrangement>::max ();
	// Beyond stereo, the first n speaker positions of the SDK's bit layout.
	return (SpeakerArrangement (1) << channels) - 1;
}

tresult PluginInstance::setMainBusChannels (int32 inputChannels, int32 outputChannels)
{
	if (!processorPtr)
		return kNotInitialized;
	// A speaker arrangement has 64 positions: more channels cannot be asked for.
	if (inputChannels < 0 || outputChannels < 0 || inputChannels > 64 || outputChannels > 64)
		return kInvalidArgument;
	SpeakerArrangement input = arrangementForChannels (inputChannels);
	SpeakerArrangement output = arrangementForChannels (outputChannels);
	const tresult result = processorPtr->setBusArrangements (&input, 1, &output, 1);
	if (result != kResultOk)
		return result;
	// A processor may accept a request yet settle on something else; only what it reports counts.
	SpeakerArrangement actualInput = 0, actualOutput = 0;
	if (processorPtr->getBusArrangement (kInput, 0, actualInput) != kResultOk ||
	    processorPtr->getBusArrangement (kOutput, 0, actualOutput) != kResultOk)
		return kResultFalse;
	return actualInput == input && actualOutput == output ? kResultOk : kResultFalse;
}

tresult PluginInstance::activateDefaultBuses (bool state)
{
	if (!componentPtr)
		return kNotInitialized;
	tresult overall = kResultOk;
	for (MediaType type : {MediaTypes::kAudio, MediaTypes::kEvent})
	{
		for (BusDirection direction : {BusDirections::kInput, BusDirections::kOutput})
		{
			const int32 count = componentPtr->getBusCount (type, direction);
			for (int32 index = 0; index < count; ++index)
			{
				BusInfo info{};
				if (componentPtr->getBusInfo (type, direction, index, info) != kResultOk)
					continue;
				if ((info.flags & BusInfo::kDefaultActive) == 0)
					continue;
				if (componentPtr->activateBus (type, direction, index, state) != kResultOk)
					overall = kResultFalse;
			}
		}
	}
	return overall;
}

tresult PluginInstance::setupProcessing (double sampleRate, int32 maxSamplesPerBlock, int32 symbolicSampleSize,
                                         int32 processMode)
{
	if (!processorPtr)
		return kNotInitialized;
	ProcessSetup setup{};
	setup.processMode = processMode;
	setup.symbolicSampleSize = symbolicSampleSize;
	setup.maxSamplesPerBlock = maxSamplesPerBlock;
	setup.sampleRate = sampleRate;
	return processorPtr->setupProcessing (setup);
}

tresult PluginInstance::setActive (bool state)
{
	if (!componentPtr)
		return kNotInitialized;
	const tresult result = componentPtr->setActive (state);
	if (result == kResultOk)
		active = state;
	return result;
}

tresult PluginInstance::setProcessing (bool state)
{
	if (!processorPtr)
		return kNotInitialized;
	const tresult result = processorPtr->setProcessing (state);
	// kNotImplemented is a processor saying it needs no notice, not a refusal.
	if (result == kResultOk || result == kNotImplemented)
		processing = state;
	return result;
}

tresult PluginInstance::getState (std::vector<std::uint8_t>& bytes)
{
	bytes.clear ();
	if (!componentPtr)
		return kNotInitialized;
	return captureState ([this] (IBStream* stream) { return componentPtr->getState (stream); }, bytes);
}

tresult PluginInstance::setState (const std::vector<std::uint8_t>& bytes)
{
	if (!componentPtr)
		return kNotInitialized;
	return componentPtr->setState (streamOverCopy (bytes));
}

tresult PluginInstance::getControllerState (std::vector<std::uint8_t>& bytes)
{
	bytes.clear ();
	if (!controllerPtr)
		return kNotInitialized;
	return captureState ([this] (IBStream* stream) { return controllerPtr->getState (stream); }, bytes);
}

tresult PluginInstance::setControllerState (const std::vector<std::uint8_t>& bytes)
{
	if (!controllerPtr)
		return kNotInitialized;
	return controllerPtr->setState (streamOverCopy (bytes));
}

tresult PluginInstance::syncControllerToComponent ()
{
	if (!controllerPtr || !componentPtr)
		return kNotInitialized;
	std::vector<std::uint8_t> bytes;
	const tresult result = getState (bytes);
	if (result != kResultOk)
		return result;
	return controllerPtr->setComponentState (streamOverCopy (bytes));
}

const ParameterDescription* PluginInstance::findParameter (ParamID id) const
{
	for (const auto& parameter : parameterList)
		if (parameter.id == id)
			return &parameter;
	return nullptr;
}

tresult PluginInstance::parameterText (ParamID id, ParamValue normalized, std::string& text) const
{
	text.clear ();
	if (!controllerPtr)
		return kNotInitialized;
	String128 buffer{};
	const tresult result = controllerPtr->getParamStringByValue (id, normalized, buffer);
	if (result == kResultOk)
		text = utf16ToUtf8 (buffer, 128);
	return result;
}

tresult PluginInstance::parameterValue (ParamID id, const std::string& text, ParamValue& normalized) const
{
	if (!controllerPtr)
		return kNotInitialized;
	std::u16string converted = utf8ToUtf16 (text);
	// The controller's parsers take a NUL-terminated String128; longer text could not be one of its texts.
	if (converted.size () >= 128)
		return kResultFalse;
	String128 buffer{};
	std::copy (converted.begin (), converted.end (), buffer);
	ParamValue value = 0.0;
	const tresult result = controllerPtr->getParamValueByString (id, buffer, value);
	if (result == kResultOk)
		normalized = value;
	return result;
}

ParamValue PluginInstance::parameterNormalized (ParamID id) const
{
	return controllerPtr ? controllerPtr->getParamNormalized (id) : 0.0;
}

tresult PluginInstance::automateParameter (ParamID id, ParamValue normalized)
{
	if (!controllerPtr)
		return kNotInitialized;
	if (!findParameter (id))
		return kInvalidArgument;
	const tresult result = controllerPtr->setParamNormalized (id, normalized);
	if (result != kResultOk)
		return result;
	// The parameter may have kept something else (a clamped value); both sides must agree on what it is.
	edits.post (id, controllerPtr->getParamNormalized (id));
	return result;
}

bool PluginInstance::applyStates (const std::vector<std::uint8_t>& componentState,
                                  const std::vector<std::uint8_t>& controllerState, std::string& error)
{
	if (setState (componentState) != kResultOk)
	{
		error = "the processor refused its state (damaged, or from a version it does not read)";
		return false;
	}
	if (controllerPtr)
	{
		if (controllerPtr->setComponentState (streamOverCopy (componentState)) != kResultOk)
		{
			error = "the edit controller refused the processor's state (damaged, or from a version it does not read)";
			return false;
		}
		if (setControllerState (controllerState) != kResultOk)
		{
			error = "the edit controller refused its own state (damaged, or from a version it does not read)";
			return false;
		}
	}
	return true;
}

bool PluginInstance::loadStates (const std::vector<std::uint8_t>& componentState,
                                 const std::vector<std::uint8_t>& controllerState, std::string& error)
{
	if (!componentPtr)
	{
		error = "the plug-in is not loaded";
		return false;
	}
	// A pair of its own takes the states first: a refusal halfway would otherwise leave this pair with some
	// values changed and others not.
	auto scratch = create (pluginModule, componentClass, error);
	if (!scratch)
		return false;
	if (!scratch->applyStates (componentState, controllerState, error))
		return false;
	scratch.reset ();

	std::vector<std::uint8_t> previousComponent, previousController;
	getState (previousComponent);
	if (controllerPtr)
		getControllerState (previousController);
	// An edit still on its way would overwrite a loaded value in the next block.
	edits.drain ([] (ParamID, ParamValue) {});
	if (applyStates (componentState, controllerState, error))
		return true;
	std::string ignored;
	applyStates (previousComponent, previousController, ignored);
	return false;
}

bool PluginInstance::savePreset (VstPreset& preset, std::string& error)
{
	preset = {};
	preset.classId = componentClass;
	if (getState (preset.componentState) != kResultOk)
	{
		error = "the processor gave no state";
		return false;
	}
	if (controllerPtr && getControllerState (preset.controllerState) != kResultOk)
	{
		error = "the edit controller gave no state";
		return false;
	}
	return true;
}

bool PluginInstance::loadPreset (const VstPreset& preset, std::string& error)
{
	if (!presetNamesClass (preset, componentClass))
	{
		error = "it belongs to another plug-in (class ID " + preset.classIdText + ", not " +
		        cidToString (componentClass) + ")";
		return false;
	}
	return loadStates (preset.componentState, preset.controllerState, error);
}

void PluginInstance::tearDown ()
{
	if (processing && processorPtr)
		processorPtr->setProcessing (false);
	processing = false;
	if (active && componentPtr)
		componentPtr->setActive (false);
	active = false;
	if (connected)
	{
		componentConnection->disconnect (controllerConnection);
		controllerConnection->disconnect (componentConnection);
	}
	connected = false;
	componentConnection = nullptr;
	controllerConnection = nullptr;
	if (controllerInitialized && controllerPtr)
		controllerPtr->terminate ();
	controllerInitialized = false;
	if (initialized && componentPtr)
		componentPtr->terminate ();
	initialized = false;
	if (handler)
		handler->detach ();
	controllerPtr = nullptr;
	processorPtr = nullptr;
	componentPtr = nullptr;
	hostApplication.reset ();
}

} // namespace QuorvaneHost
