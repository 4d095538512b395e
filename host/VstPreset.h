// The standard VST3 preset file (.vstpreset): the processor's class ID and its two stored states, the
// component's ("Comp" chunk) and the controller's ("Cont" chunk), as every VST3 host reads and writes them.
#pragma once

#include "pluginterfaces/base/funknown.h"

#include <cstdint>
#include <string>
#include <vector>

namespace QuorvaneHost
{

struct VstPreset
{
	/** The processor's class; hosts offer a preset only to that class. */
	Steinberg::FUID classId;
	/** The class ID as the file spells it (32 hexadecimal digits); filled by decodeVstPreset. */
	std::string classIdText;
	std::vector<std::uint8_t> componentState;
	/** Empty when the controller stores nothing; then the file has no "Cont" chunk. */
	std::vector<std::uint8_t> controllerState;
};

/** The file's bytes, written through the SDK's PresetFile. */
bool encodeVstPreset (const VstPreset& preset, std::vector<std::uint8_t>& bytes, std::string& error);

/** Reads the bytes of a preset file after checking its whole layout: header, class ID, chunk list, every
    chunk inside the file, a component state present. False, with a sentence saying what is wrong, for a
    file that is not a preset, or is damaged or cut short. The class ID is not judged here. */
bool decodeVstPreset (const std::vector<std::uint8_t>& bytes, VstPreset& preset, std::string& error);

/** Whether the preset's class ID names `classId`. Besides this platform's spelling of the ID, the other
    common spelling (the Windows GUID form) is recognised, so presets saved on another system load too. */
bool presetNamesClass (const VstPreset& preset, const Steinberg::FUID& classId);

/** encodeVstPreset and a write that replaces `path` only once the whole file is written. */
bool saveVstPresetFile (const std::string& path, const VstPreset& preset, std::string& error);
/** Reads `path` and decodes it; the error names the file. */
bool loadVstPresetFile (const std::string& path, VstPreset& preset, std::string& error);

} // namespace QuorvaneHost
