#include "host/PluginInstance.h"

#include "host/FactoryDescription.h"

#include "pluginterfaces/base/ibstream.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/vstspeaker.h"
#include "public.sdk/source/common/memorystream.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

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
	return instance;
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
	auto stream = owned (new MemoryStream);
	const tresult result = componentPtr->getState (stream);
	if (result != kResultOk)
		return result;
	int64 end = 0;
	stream->tell (&end);
	const char* data = stream->getData ();
	if (data && end > 0)
		bytes.assign (data, data + end);
	return result;
}

tresult PluginInstance::setState (const std::vector<std::uint8_t>& bytes)
{
	if (!componentPtr)
		return kNotInitialized;
	// The stream gets a copy: a component may keep reading past what it reports, and must never write
	// into the caller's bytes.
	auto stream = owned (new MemoryStream);
	if (!bytes.empty ())
	{
		int32 written = 0;
		stream->write (const_cast<std::uint8_t*> (bytes.data ()), static_cast<int32> (bytes.size ()), &written);
		stream->seek (0, IBStream::kIBSeekSet, nullptr);
	}
	return componentPtr->setState (stream);
}

void PluginInstance::tearDown ()
{
	if (processing && processorPtr)
		processorPtr->setProcessing (false);
	processing = false;
	if (active && componentPtr)
		componentPtr->setActive (false);
	active = false;
	if (initialized && componentPtr)
		componentPtr->terminate ();
	initialized = false;
	processorPtr = nullptr;
	componentPtr = nullptr;
	hostApplication.reset ();
}

} // namespace QuorvaneHost
