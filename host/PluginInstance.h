// One plug-in instance as a host holds it: the component created from a module's factory and
// initialised with a host context, its buses, processing set-up, activation and stored state, and
// a teardown in the order hosts use (processing off, inactive, terminate, release).
#pragma once

#include "host/PluginModule.h"

#include "pluginterfaces/base/funknown.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace QuorvaneHost
{

class PluginInstance
{
public:
	/** Creates the class `cid` from the module's factory and initialises it with a fresh host context
	    (the SDK's HostApplication). Returns null and sets `error` when any step fails. */
	static std::unique_ptr<PluginInstance> create (std::shared_ptr<PluginModule> module, const Steinberg::FUID& cid,
	                                               std::string& error);
	/** The module's first audio effect class ("Audio Module Class"). */
	static std::unique_ptr<PluginInstance> createFirstAudioEffect (std::shared_ptr<PluginModule> module,
	                                                               std::string& error);

	~PluginInstance ();
	PluginInstance (const PluginInstance&) = delete;
	PluginInstance& operator= (const PluginInstance&) = delete;

	Steinberg::Vst::IComponent* component () const { return componentPtr; }
	Steinberg::Vst::IAudioProcessor* audioProcessor () const { return processorPtr; }
	Steinberg::FUnknown* hostContext () const;
	const std::shared_ptr<PluginModule>& module () const { return pluginModule; }

	/** Asks the processor for `inputChannels` in and `outputChannels` out on its main buses (1 is mono, 2 stereo). */
	Steinberg::tresult setMainBusChannels (Steinberg::int32 inputChannels, Steinberg::int32 outputChannels);
	/** Activates, or deactivates, every bus that the component declares active by default. */
	Steinberg::tresult activateDefaultBuses (bool state);

	Steinberg::tresult setupProcessing (double sampleRate, Steinberg::int32 maxSamplesPerBlock,
	                                    Steinberg::int32 symbolicSampleSize,
	                                    Steinberg::int32 processMode = Steinberg::Vst::kRealtime);
	Steinberg::tresult setActive (bool state);
	Steinberg::tresult setProcessing (bool state);
	bool isActive () const { return active; }
	bool isProcessing () const { return processing; }

	/** The component's stored state, as the bytes a host would save with a project. */
	Steinberg::tresult getState (std::vector<std::uint8_t>& bytes);
	/** Hands saved bytes back to the component. */
	Steinberg::tresult setState (const std::vector<std::uint8_t>& bytes);

	/** Stops processing, deactivates, terminates and releases the component; also done by the destructor. */
	void tearDown ();

	/** The speaker arrangement a host asks for to get n channels on one bus. */
	static Steinberg::Vst::SpeakerArrangement arrangementForChannels (Steinberg::int32 channels);

private:
	PluginInstance () = default;

	std::shared_ptr<PluginModule> pluginModule;
	// The SDK's HostApplication is not reference counted (its addRef and release do nothing): it is the
	// host's own object, deleted here once the component that was given it has been released.
	std::unique_ptr<Steinberg::Vst::HostApplication> hostApplication;
	Steinberg::IPtr<Steinberg::Vst::IComponent> componentPtr;
	Steinberg::IPtr<Steinberg::Vst::IAudioProcessor> processorPtr;
	bool initialized{false};
	bool active{false};
	bool processing{false};
};

} // namespace QuorvaneHost
