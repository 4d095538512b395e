// Identifiers shared by the processor, the controller, the editor and the factory.
#pragma once

#include "pluginterfaces/base/funknown.h"
#include "pluginterfaces/vst/vsttypes.h"

#include <array>

namespace QuorvaneIds {

// Class identifiers are stored by hosts as 16 bytes. The module keeps the byte order the SDK uses on
// Windows (COM-compatible), whatever the platform's own FUID order, so a project saved on one system
// finds the same classes on another.
inline Steinberg::FUID windowsOrderUID (Steinberg::uint32 l1, Steinberg::uint32 l2, Steinberg::uint32 l3,
                                        Steinberg::uint32 l4)
{
	auto byte = [] (Steinberg::uint32 word, int shift) { return static_cast<Steinberg::int8> ((word >> shift) & 0xff); };
	const Steinberg::TUID bytes = {
	    byte (l1, 0),  byte (l1, 8),  byte (l1, 16), byte (l1, 24), // word 1, least significant byte first
	    byte (l2, 16), byte (l2, 24), byte (l2, 0),  byte (l2, 8),  // word 2: high half, then low half
	    byte (l3, 24), byte (l3, 16), byte (l3, 8),  byte (l3, 0),  // word 3, most significant byte first
	    byte (l4, 24), byte (l4, 16), byte (l4, 8),  byte (l4, 0),  // word 4, most significant byte first
	};
	return Steinberg::FUID::fromTUID (bytes);
}

} // namespace QuorvaneIds

// Internal linkage on purpose: each source that includes this builds its own copy when the module
// loads, so no source depends on another's static initialisation order.
static const Steinberg::FUID ProcessorUID = QuorvaneIds::windowsOrderUID (0xA17C3B8C, 0x793441DA, 0xB08706CA, 0x2D7F3E48);
static const Steinberg::FUID ControllerUID = QuorvaneIds::windowsOrderUID (0xDAB00EE0, 0x6C934FF4, 0xA6283AFE, 0xA43FA525);

/** Parameter identifiers; the editor uses the same numbers as the tags of the controls. */
enum QuorvaneParamId : Steinberg::Vst::ParamID
{
	kBypassId = 100,
	kDurationId = 1000,
	kMixId = 1005,
	kOffsetId = 1020,
	kNoteSyncId = 1030,
};
