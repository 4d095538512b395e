// One plug-in instance as a host holds it: the component created from a module's factory and its edit
// controller, both initialised with a host context, connected and kept in step; buses, processing set-up,
// activation, parameters, stored states and presets; and a teardown in the order hosts use (processing off,
// inactive, disconnect, terminate controller and component, release).
#pragma once

#include "host/ComponentHandler.h"
#include "host/ParameterDescription.h"
#include "host/PendingParameterEdits.h"
#include "host/PluginModule.h"
#include "host/VstPreset.h"

#include "pluginterfaces/base/funknown.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "pluginterfaces/vst/ivstmessage.h"
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
	    (the SDK's HostApplication); then the edit controller it names, initialised with the same context,
	    given the component handler, connected to the component in both directions and handed the
	    component's state. A component that names no controller class gets none. Returns null and sets
	    `error` when any step fails. */
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
	const Steinberg::FUID& classId () const { return componentClass; }

	/** The edit controller, or null when the component names none. */
	Steinberg::Vst::IEditController* controller () const { return controllerPtr; }
	/** The handler installed in the controller, with its record of calls; null without a controller. */
	ComponentHandler* componentHandler () const { return handler; }
	/** Where edits wait for the next block; a BlockProcessor driving this instance takes them from here. */
	PendingParameterEdits& parameterEdits () { return edits; }

	/** The controller's parameters, in its order, as enumerated when the pair was created. */
	const std::vector<ParameterDescription>& parameters () const { return parameterList; }
	const ParameterDescription* findParameter (Steinberg::Vst::ParamID id) const;
	/** The controller's text for a normalized value (getParamStringByValue). */
	Steinberg::tresult parameterText (Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue normalized,
	                                  std::string& text) const;
	/** The controller's normalized value for a text (getParamValueByString). */
	Steinberg::tresult parameterValue (Steinberg::Vst::ParamID id, const std::string& text,
	                                   Steinberg::Vst::ParamValue& normalized) const;
	/** The controller's current normalized value; 0 without a controller. */
	Steinberg::Vst::ParamValue parameterNormalized (Steinberg::Vst::ParamID id) const;
	/** Host automation: sets the controller's value and sends the value the controller settled on to the
	    processor as a point of the next block. Returns the controller's answer; nothing is sent on a refusal. */
	Steinberg::tresult automateParameter (Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue normalized);

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
	/** Hands saved bytes back to the component only (the controller is not told). */
	Steinberg::tresult setState (const std::vector<std::uint8_t>& bytes);
	/** The controller's own stored state (getState); empty when it stores nothing. */
	Steinberg::tresult getControllerState (std::vector<std::uint8_t>& bytes);
	/** Hands saved bytes to the controller's setState. */
	Steinberg::tresult setControllerState (const std::vector<std::uint8_t>& bytes);
	/** Hands the component's current state to the controller's setComponentState, as after creation. */
	Steinberg::tresult syncControllerToComponent ();

	/** Loads stored states the way a host loads a project: the component's bytes to the component and to the
	    controller's setComponentState, then the controller's bytes (when not empty) to its setState. All or
	    nothing: the states are first tried on a scratch pair of the same class, and if anything is refused
	    there this pair is left untouched and `error` says what. Edits still waiting for a block are dropped. */
	bool loadStates (const std::vector<std::uint8_t>& componentState, const std::vector<std::uint8_t>& controllerState,
	                 std::string& error);
	/** The current states as a preset of this class. */
	bool savePreset (VstPreset& preset, std::string& error);
	/** A decoded preset: refused, with nothing applied, when it names another class; else loadStates. */
	bool loadPreset (const VstPreset& preset, std::string& error);

	/** Stops processing, deactivates, disconnects, terminates controller and component and releases both;
	    also done by the destructor. */
	void tearDown ();

	/** The speaker arrangement a host asks for to get n channels on one bus. */
	static Steinberg::Vst::SpeakerArrangement arrangementForChannels (Steinberg::int32 channels);

private:
	PluginInstance () = default;
	bool createController (std::string& error);
	/** Applies the states without trying them first; false at the first refusal. */
	bool applyStates (const std::vector<std::uint8_t>& componentState, const std::vector<std::uint8_t>& controllerState,
	                  std::string& error);

	std::shared_ptr<PluginModule> pluginModule;
	Steinberg::FUID componentClass;
	// The SDK's HostApplication is not reference counted (its addRef and release do nothing): it is the
	// host's own object, deleted here once the component that was given it has been released.
	std::unique_ptr<Steinberg::Vst::HostApplication> hostApplication;
	Steinberg::IPtr<Steinberg::Vst::IComponent> componentPtr;
	Steinberg::IPtr<Steinberg::Vst::IAudioProcessor> processorPtr;
	Steinberg::IPtr<Steinberg::Vst::IEditController> controllerPtr;
	Steinberg::IPtr<ComponentHandler> handler;
	Steinberg::IPtr<Steinberg::Vst::IConnectionPoint> componentConnection;
	Steinberg::IPtr<Steinberg::Vst::IConnectionPoint> controllerConnection;
	std::vector<ParameterDescription> parameterList;
	PendingParameterEdits edits;
	bool initialized{false};
	bool controllerInitialized{false};
	bool connected{false};
	bool active{false};
	bool processing{false};
};

} // namespace QuorvaneHost
