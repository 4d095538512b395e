// Presets (.vstpreset) through the real bundle: both states saved under the processor's class ID, loaded
// back into a fresh pair with every value and the editor size equal, and damaged, truncated or foreign
// presets refused with nothing applied.

#include "tests/host/HostTestSupport.h"

#include "host/StateBytes.h"
#include "host/Utf8Path.h"
#include "host/VstPreset.h"
#include "plugin/ids.h"

#include "public.sdk/source/common/memorystream.h"
#include "public.sdk/source/vst/vstpresetfile.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace Steinberg;
using namespace Steinberg::Vst;
using namespace QuorvaneHost;

namespace
{

const ParamID allIds[] = {kBypassId, kDurationId, kMixId, kOffsetId, kNoteSyncId};

/** Everything a preset can carry, as seen from the host. */
struct Snapshot
{
	std::vector<std::uint8_t> processorState;
	std::vector<std::uint8_t> controllerState;
	std::vector<ParamValue> values;
	bool operator== (const Snapshot&) const = default;
};

void PrintTo (const Snapshot& snapshot, std::ostream* out)
{
	*out << "processor " << ::testing::PrintToString (snapshot.processorState) << ", controller "
	     << ::testing::PrintToString (snapshot.controllerState) << ", values "
	     << ::testing::PrintToString (snapshot.values);
}

Snapshot snapshot (PluginInstance& instance)
{
	Snapshot result;
	EXPECT_EQ (instance.getState (result.processorState), kResultOk);
	EXPECT_EQ (instance.getControllerState (result.controllerState), kResultOk);
	for (ParamID id : allIds)
		result.values.push_back (instance.parameterNormalized (id));
	return result;
}

// Width 640, height 1075.
const std::vector<std::uint8_t> sizeRecord = {0x01, 0x80, 0x02, 0x00, 0x00, 0x33, 0x04, 0x00, 0x00};

/** A running pair set away from every default, its size stored, its edits taken by the processor. */
QuorvaneTest::RunningProcessor configuredPair ()
{
	auto running = QuorvaneTest::startProcessor (QuorvaneTest::stereoSetup (64));
	if (!running.blocks)
		return running;
	auto& instance = *running.instance;
	EXPECT_EQ (instance.automateParameter (kBypassId, 1.0), kResultOk);
	EXPECT_EQ (instance.automateParameter (kDurationId, 0.25), kResultOk);
	EXPECT_EQ (instance.automateParameter (kMixId, 0.3125), kResultOk); // exact in float32, as the record stores it
	EXPECT_EQ (instance.automateParameter (kOffsetId, 0.75), kResultOk);
	EXPECT_EQ (instance.automateParameter (kNoteSyncId, 0.375), kResultOk); // "1/2"
	EXPECT_EQ (instance.setControllerState (sizeRecord), kResultOk);
	EXPECT_EQ (running.blocks->process (0), kResultOk);
	return running;
}

std::vector<std::uint8_t> encode (const VstPreset& preset)
{
	std::vector<std::uint8_t> bytes;
	std::string error;
	EXPECT_TRUE (encodeVstPreset (preset, bytes, error)) << error;
	return bytes;
}

std::int64_t read64 (const std::vector<std::uint8_t>& bytes, size_t at)
{
	std::int64_t value = 0;
	std::memcpy (&value, &bytes[at], 8);
	return value;
}

void write64 (std::vector<std::uint8_t>& bytes, size_t at, std::int64_t value)
{
	std::memcpy (&bytes[at], &value, 8);
}

constexpr size_t kListOffsetAt = 40; // "VST3", version, 32 digits of class ID

} // namespace

TEST (PresetThroughBundle, FileHasTheStandardLayout)
{
	auto source = configuredPair ();
	ASSERT_TRUE (source.blocks);
	VstPreset preset;
	std::string error;
	ASSERT_TRUE (source.instance->savePreset (preset, error)) << error;
	const auto bytes = encode (preset);

	// Header: "VST3", format version 1, the processor's class ID as this platform's SDK spells it.
	ASSERT_GE (bytes.size (), 48u);
	EXPECT_EQ (std::string (bytes.begin (), bytes.begin () + 4), "VST3");
	EXPECT_EQ (bytes[4], 1);
#ifdef _WIN32
	// The SDK's COM-compatible spelling: the identifier's words as written.
	EXPECT_EQ (std::string (bytes.begin () + 8, bytes.begin () + 40), "A17C3B8C793441DAB08706CA2D7F3E48");
#else
	EXPECT_EQ (std::string (bytes.begin () + 8, bytes.begin () + 40), "8C3B7CA13479DA41B08706CA2D7F3E48");
#endif
	// The two chunks in the data area, then the list: "List", 2 entries of (id, offset, size).
	const std::int64_t listAt = read64 (bytes, kListOffsetAt);
	EXPECT_EQ (listAt, 48 + 21 + 9);
	EXPECT_EQ (static_cast<std::int64_t> (bytes.size ()), listAt + 8 + 2 * 20);
	EXPECT_EQ (std::string (bytes.begin () + listAt, bytes.begin () + listAt + 4), "List");
	EXPECT_EQ (bytes[static_cast<size_t> (listAt) + 4], 2);
	const size_t first = static_cast<size_t> (listAt) + 8;
	EXPECT_EQ (std::string (bytes.begin () + first, bytes.begin () + first + 4), "Comp");
	EXPECT_EQ (read64 (bytes, first + 4), 48);
	EXPECT_EQ (read64 (bytes, first + 12), 21);
	EXPECT_EQ (std::string (bytes.begin () + first + 20, bytes.begin () + first + 24), "Cont");
	EXPECT_EQ (read64 (bytes, first + 24), 69);
	EXPECT_EQ (read64 (bytes, first + 32), 9);
	std::vector<std::uint8_t> processorState;
	source.instance->getState (processorState);
	EXPECT_TRUE (std::equal (processorState.begin (), processorState.end (), bytes.begin () + 48));
	EXPECT_TRUE (std::equal (sizeRecord.begin (), sizeRecord.end (), bytes.begin () + 69));

	// Without a stored size there is no "Cont" chunk: an empty one would be refused by the controller.
	auto plain = QuorvaneTest::createPair (source.module);
	ASSERT_TRUE (plain);
	VstPreset plainPreset;
	ASSERT_TRUE (plain->savePreset (plainPreset, error)) << error;
	const auto plainBytes = encode (plainPreset);
	EXPECT_EQ (plainBytes.size (), 48u + 21 + 8 + 20);
	VstPreset decoded;
	ASSERT_TRUE (decodeVstPreset (plainBytes, decoded, error)) << error;
	EXPECT_TRUE (decoded.controllerState.empty ());
}

TEST (PresetThroughBundle, DamagedOrTruncatedFilesAreRefusedBeforeAnythingIsApplied)
{
	auto source = configuredPair ();
	ASSERT_TRUE (source.blocks);
	VstPreset preset;
	std::string error;
	ASSERT_TRUE (source.instance->savePreset (preset, error)) << error;
	const auto good = encode (preset);

	// Every cut of the file: the chunk list sits at the end, so none of them reads.
	for (size_t length = 0; length < good.size (); ++length)
	{
		VstPreset decoded;
		error.clear ();
		EXPECT_FALSE (
		    decodeVstPreset (std::vector<std::uint8_t> (good.begin (), good.begin () + length), decoded, error))
		    << length;
		EXPECT_FALSE (error.empty ()) << length;
	}

	const std::int64_t listAt = read64 (good, kListOffsetAt);
	const size_t entries = static_cast<size_t> (listAt) + 8;
	struct Case
	{
		const char* name;
		std::function<void (std::vector<std::uint8_t>&)> damage;
		const char* message;
	};
	const Case cases[] = {
	    {"foreign header", [] (auto& b) { b[0] = 'R'; }, "not a VST3 preset"},
	    {"class ID not hexadecimal", [] (auto& b) { b[10] = 'Z'; }, "class ID is not 32 hexadecimal digits"},
	    {"list beyond the end", [] (auto& b) { write64 (b, kListOffsetAt, static_cast<std::int64_t> (b.size ())); },
	     "chunk list lies outside the file"},
	    {"list inside the header", [] (auto& b) { write64 (b, kListOffsetAt, 8); }, "chunk list lies outside"},
	    {"negative list offset", [] (auto& b) { write64 (b, kListOffsetAt, -1); }, "chunk list lies outside"},
	    {"no list where it should be", [listAt] (auto& b) { b[static_cast<size_t> (listAt)] = 'X'; },
	     "no chunk list where the header says"},
	    {"no entries", [listAt] (auto& b) { b[static_cast<size_t> (listAt) + 4] = 0; }, "chunk list is incomplete"},
	    {"more entries than the file holds", [listAt] (auto& b) { b[static_cast<size_t> (listAt) + 4] = 3; },
	     "chunk list is incomplete"},
	    {"chunk past the data", [entries] (auto& b) { write64 (b, entries + 12, 1000); },
	     "a chunk lies outside the file's data"},
	    {"chunk of negative size", [entries] (auto& b) { write64 (b, entries + 12, -5); },
	     "a chunk lies outside the file's data"},
	    {"chunk inside the header", [entries] (auto& b) { write64 (b, entries + 4, 10); },
	     "a chunk lies outside the file's data"},
	    {"huge chunk offset", [entries] (auto& b) { write64 (b, entries + 4, INT64_MAX); },
	     "a chunk lies outside the file's data"},
	    {"no processor state", [entries] (auto& b) { b[entries] = 'X'; }, "holds no processor state"},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE (c.name);
		auto bytes = good;
		c.damage (bytes);
		VstPreset decoded;
		error.clear ();
		EXPECT_FALSE (decodeVstPreset (bytes, decoded, error));
		EXPECT_NE (error.find (c.message), std::string::npos) << error;
	}
}

TEST (PresetThroughBundle, ForeignOrBadRecordsLeaveThePairAsItWas)
{
	auto target = configuredPair ();
	ASSERT_TRUE (target.blocks);
	const Snapshot before = snapshot (*target.instance);
	target.instance->componentHandler ()->clearCalls ();

	// A preset at the defaults but for Mix 10 %, with a different size (320 x 200).
	auto donor = QuorvaneTest::createPair (target.module);
	ASSERT_TRUE (donor);
	VstPreset good;
	std::string error;
	ASSERT_TRUE (donor->savePreset (good, error)) << error;
	const float lowMix = 0.1f;
	std::memcpy (&good.componentState[5], &lowMix, 4);
	good.controllerState = {0x01, 0x40, 0x01, 0x00, 0x00, 0xC8, 0x00, 0x00, 0x00};

	struct Case
	{
		const char* name;
		std::function<void (VstPreset&)> change;
		const char* message;
	};
	const Case cases[] = {
	    {"another plug-in's class", [] (VstPreset& p) { p.classId = ControllerUID; }, "belongs to another plug-in"},
	    {"processor record of version 2", [] (VstPreset& p) { p.componentState[0] = 2; },
	     "the processor refused its state"},
	    {"processor record cut short", [] (VstPreset& p) { p.componentState.resize (20); },
	     "the processor refused its state"},
	    // The processor's part is sound here; only the controller's is not, and still nothing may change.
	    {"controller record cut short", [] (VstPreset& p) { p.controllerState.resize (5); },
	     "the edit controller refused its own state"},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE (c.name);
		VstPreset preset = good;
		c.change (preset);
		VstPreset decoded;
		ASSERT_TRUE (decodeVstPreset (encode (preset), decoded, error)) << error;
		error.clear ();
		EXPECT_FALSE (target.instance->loadPreset (decoded, error));
		EXPECT_NE (error.find (c.message), std::string::npos) << error;
		EXPECT_EQ (snapshot (*target.instance), before);
		EXPECT_TRUE (target.instance->componentHandler ()->calls ().empty ());
		// The processor, too, still runs with its own settings after a block.
		ASSERT_EQ (target.blocks->process (64), kResultOk);
		EXPECT_EQ (snapshot (*target.instance), before);
	}

	// The good preset itself loads, into the running pair.
	VstPreset decoded;
	ASSERT_TRUE (decodeVstPreset (encode (good), decoded, error)) << error;
	ASSERT_TRUE (target.instance->loadPreset (decoded, error)) << error;
	const Snapshot after = snapshot (*target.instance);
	EXPECT_EQ (after.processorState, good.componentState);
	EXPECT_EQ (after.controllerState, good.controllerState);
	EXPECT_EQ (after.values, (std::vector<ParamValue>{0.0, 0.5, static_cast<double> (lowMix), 0.5, 0.5}));
}

TEST (PresetThroughBundle, PresetsFromOtherHostsLoad)
{
	auto module = QuorvaneTest::loadModule ();
	ASSERT_TRUE (module);
	auto donor = QuorvaneTest::createPair (module);
	ASSERT_TRUE (donor);
	ASSERT_EQ (donor->automateParameter (kMixId, 0.5), kResultOk);
	std::vector<std::uint8_t> processorState;
	ASSERT_EQ (donor->getState (processorState), kResultOk);
	const float half = 0.5f;
	std::memcpy (&processorState[5], &half, 4);

	// A host that always writes the controller's chunk, empty when the controller stores nothing.
	auto file = owned (new MemoryStream);
	auto component = streamOverCopy (processorState);
	auto controller = streamOverCopy ({});
	ASSERT_TRUE (PresetFile::savePreset (file, ProcessorUID, component, controller));
	std::vector<std::uint8_t> bytes (file->getData (), file->getData () + file->getSize ());

	// Saved on Windows, where the class ID is spelled as a GUID.
	const std::string guid = "A17C3B8C793441DAB08706CA2D7F3E48";
	for (bool windows : {false, true})
	{
		SCOPED_TRACE (windows ? "Windows spelling" : "this platform's spelling");
		if (windows)
			std::copy (guid.begin (), guid.end (), bytes.begin () + 8);
		VstPreset decoded;
		std::string error;
		ASSERT_TRUE (decodeVstPreset (bytes, decoded, error)) << error;
		EXPECT_TRUE (decoded.controllerState.empty ());
		auto target = QuorvaneTest::createPair (module);
		ASSERT_TRUE (target);
		ASSERT_TRUE (target->loadPreset (decoded, error)) << error;
		EXPECT_EQ (target->parameterNormalized (kMixId), 0.5);
		EXPECT_EQ (target->componentHandler ()->count (HandlerCall::kSetDirty), 0u);
	}
	// A lower-case spelling is the same ID; a single changed digit is not.
	VstPreset decoded;
	std::string error;
	std::string lower = guid;
	for (char& c : lower)
		c = static_cast<char> (std::tolower (static_cast<unsigned char> (c)));
	std::copy (lower.begin (), lower.end (), bytes.begin () + 8);
	ASSERT_TRUE (decodeVstPreset (bytes, decoded, error)) << error;
	EXPECT_TRUE (presetNamesClass (decoded, ProcessorUID));
	bytes[8 + 31] = '9';
	ASSERT_TRUE (decodeVstPreset (bytes, decoded, error)) << error;
	EXPECT_FALSE (presetNamesClass (decoded, ProcessorUID));
}

TEST (PresetThroughBundle, FilesAreWrittenWholeOrNotAtAll)
{
	const auto folder = std::filesystem::temp_directory_path () / ("quorvane-preset-" + std::to_string (getpid ()));
	std::filesystem::create_directories (folder);
	auto module = QuorvaneTest::loadModule ();
	ASSERT_TRUE (module);
	auto pair = QuorvaneTest::createPair (module);
	ASSERT_TRUE (pair);
	VstPreset preset;
	std::string error;
	ASSERT_TRUE (pair->savePreset (preset, error)) << error;

	const std::string path = (folder / "a.vstpreset").string ();
	ASSERT_TRUE (saveVstPresetFile (path, preset, error)) << error;
	VstPreset loaded;
	ASSERT_TRUE (loadVstPresetFile (path, loaded, error)) << error;
	EXPECT_EQ (loaded.componentState, preset.componentState);
	EXPECT_EQ (std::distance (std::filesystem::directory_iterator (folder), {}), 1); // no leftovers

	// Names are UTF-8 text on every platform (on Windows not the ANSI code page's).
	const std::string unicodeName = "d\xC3\xA9j\xC3\xA0 \xE2\x99\xAA.vstpreset";
	const std::string unicodePath = QuorvaneHost::utf8FromPath (folder / QuorvaneHost::pathFromUtf8 (unicodeName));
	ASSERT_TRUE (saveVstPresetFile (unicodePath, preset, error)) << error;
	EXPECT_TRUE (std::filesystem::is_regular_file (folder / std::u8string (u8"d\u00E9j\u00E0 \u266A.vstpreset")));
	ASSERT_TRUE (loadVstPresetFile (unicodePath, loaded, error)) << error;
	EXPECT_EQ (loaded.componentState, preset.componentState);

	EXPECT_FALSE (saveVstPresetFile ((folder / "missing" / "b.vstpreset").string (), preset, error));
	EXPECT_NE (error.find ("cannot write"), std::string::npos) << error;
	EXPECT_FALSE (loadVstPresetFile ((folder / "none.vstpreset").string (), loaded, error));
	EXPECT_NE (error.find ("no such file"), std::string::npos) << error;
	std::ofstream (folder / "text.vstpreset") << "just text";
	EXPECT_FALSE (loadVstPresetFile ((folder / "text.vstpreset").string (), loaded, error));
	EXPECT_NE (error.find ("not a VST3 preset"), std::string::npos) << error;
	std::filesystem::remove_all (folder);
}
