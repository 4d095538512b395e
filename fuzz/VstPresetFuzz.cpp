// A .vstpreset file's bytes: the decoder either refuses them with a reason, or yields chunks that survive
// being written and read again; accepted chunks then go to the processor and the controller as a host does.
#include "fuzz/ControllerProbe.h"
#include "fuzz/ProcessorProbe.h"
#include "host/VstPreset.h"

#include "base/source/fobject.h"

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, size_t size)
{
	using namespace QuorvaneFuzz;
	const std::vector<std::uint8_t> bytes (data, data + size);
	QuorvaneHost::VstPreset preset;
	std::string error;
	if (!QuorvaneHost::decodeVstPreset (bytes, preset, error))
	{
		check (!error.empty ());
		return 0;
	}
	check (!preset.componentState.empty () || size > 0);
	check (preset.componentState.size () + preset.controllerState.size () <= size);

	std::vector<std::uint8_t> again;
	QuorvaneHost::VstPreset reread;
	check (QuorvaneHost::encodeVstPreset (preset, again, error));
	check (QuorvaneHost::decodeVstPreset (again, reread, error));
	check (reread.componentState == preset.componentState && reread.controllerState == preset.controllerState);

	auto processor = Steinberg::owned (new ProbedProcessor);
	processor->load (preset.componentState);
	processor->run ({});
	ControllerProbe controller;
	controller.loadComponentState (preset.componentState);
	if (!preset.controllerState.empty ())
		controller.loadState (preset.controllerState);
	return 0;
}
