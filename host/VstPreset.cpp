#include "host/VstPreset.h"

#include "host/StateBytes.h"
#include "host/Utf8Path.h"

#include "public.sdk/source/common/memorystream.h"
#include "public.sdk/source/vst/vstpresetfile.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace QuorvaneHost
{

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

// The layout's fixed sizes: "VST3", int32 version, 32 ASCII digits of class ID, int64 offset of the list.
constexpr size_t kIdSize = 4;
constexpr size_t kClassIdSize = 32;
constexpr size_t kHeaderSize = kIdSize + 4 + kClassIdSize + 8;
// "List" and the int32 entry count, then per entry an ID, int64 offset and int64 size.
constexpr size_t kListHeaderSize = kIdSize + 4;
constexpr size_t kEntrySize = kIdSize + 8 + 8;
// Far beyond any plug-in's settings; refusing more keeps a stray large file from being read whole.
constexpr std::uintmax_t kLargestPresetFile = 64u << 20;

std::int64_t readLittleEndian (const std::vector<std::uint8_t>& bytes, size_t at, size_t size)
{
	std::uint64_t value = 0;
	for (size_t i = 0; i < size; ++i)
		value |= std::uint64_t (bytes[at + i]) << (8 * i);
	if (size == 4)
		return static_cast<std::int32_t> (static_cast<std::uint32_t> (value));
	return static_cast<std::int64_t> (value);
}

bool sameId (const std::vector<std::uint8_t>& bytes, size_t at, ChunkType type)
{
	return std::memcmp (bytes.data () + at, getChunkID (type), kIdSize) == 0;
}

std::string upper (std::string text)
{
	for (char& c : text)
		c = static_cast<char> (std::toupper (static_cast<unsigned char> (c)));
	return text;
}

/** The Windows spelling: the first three fields of the GUID as numbers (their bytes little-endian), then bytes. */
std::string guidSpelling (const FUID& cid)
{
	const auto* b = reinterpret_cast<const std::uint8_t*> (cid.toTUID ());
	char text[33];
	std::snprintf (text, sizeof text, "%02X%02X%02X%02X%02X%02X%02X%02X%02X%02X%02X%02X%02X%02X%02X%02X", b[3], b[2],
	               b[1], b[0], b[5], b[4], b[7], b[6], b[8], b[9], b[10], b[11], b[12], b[13], b[14], b[15]);
	return text;
}

/** The other platforms' spelling: the 16 bytes in order. */
std::string byteOrderSpelling (const FUID& cid)
{
	const auto* b = reinterpret_cast<const std::uint8_t*> (cid.toTUID ());
	std::string text;
	char digits[3];
	for (int i = 0; i < 16; ++i)
	{
		std::snprintf (digits, sizeof digits, "%02X", b[i]);
		text += digits;
	}
	return text;
}

} // namespace

bool encodeVstPreset (const VstPreset& preset, std::vector<std::uint8_t>& bytes, std::string& error)
{
	bytes.clear ();
	auto file = owned (new MemoryStream);
	auto component = streamOverCopy (preset.componentState);
	// A controller that stores no size has an empty state; it is left out rather than written as an empty "Cont"
	// chunk, so presets keep the bytes they always had. Either form loads the same.
	IPtr<IBStream> controller;
	if (!preset.controllerState.empty ())
		controller = streamOverCopy (preset.controllerState);
	if (!PresetFile::savePreset (file, preset.classId, component, controller))
	{
		error = "the preset could not be assembled";
		return false;
	}
	const char* data = file->getData ();
	bytes.assign (data, data + file->getSize ());
	return true;
}

bool decodeVstPreset (const std::vector<std::uint8_t>& bytes, VstPreset& preset, std::string& error)
{
	if (bytes.size () < kIdSize || !sameId (bytes, 0, kHeader))
	{
		error = "it is not a VST3 preset (no 'VST3' header)";
		return false;
	}
	if (bytes.size () < kHeaderSize + kListHeaderSize)
	{
		error = "it is cut short (" + std::to_string (bytes.size ()) + " bytes, not even a header and a chunk list)";
		return false;
	}
	std::string classIdText (reinterpret_cast<const char*> (bytes.data () + kIdSize + 4), kClassIdSize);
	for (char c : classIdText)
		if (!std::isxdigit (static_cast<unsigned char> (c)))
		{
			error = "it is damaged: its class ID is not 32 hexadecimal digits";
			return false;
		}

	const std::int64_t listOffset = readLittleEndian (bytes, kIdSize + 4 + kClassIdSize, 8);
	const auto fileSize = static_cast<std::int64_t> (bytes.size ());
	if (listOffset < static_cast<std::int64_t> (kHeaderSize) ||
	    listOffset > fileSize - static_cast<std::int64_t> (kListHeaderSize))
	{
		error = "it is damaged or cut short: its chunk list lies outside the file";
		return false;
	}
	const auto listAt = static_cast<size_t> (listOffset);
	if (!sameId (bytes, listAt, kChunkList))
	{
		error = "it is damaged: no chunk list where the header says";
		return false;
	}
	const std::int64_t entryCount = readLittleEndian (bytes, listAt + kIdSize, 4);
	if (entryCount < 1 || entryCount > 128 ||
	    static_cast<std::int64_t> (listAt + kListHeaderSize) + entryCount * static_cast<std::int64_t> (kEntrySize) >
	        fileSize)
	{
		error = "it is damaged or cut short: its chunk list is incomplete";
		return false;
	}
	for (std::int64_t i = 0; i < entryCount; ++i)
	{
		const size_t entryAt = listAt + kListHeaderSize + static_cast<size_t> (i) * kEntrySize;
		const std::int64_t offset = readLittleEndian (bytes, entryAt + kIdSize, 8);
		const std::int64_t size = readLittleEndian (bytes, entryAt + kIdSize + 8, 8);
		// Chunks lie between the header and the list; anything else points into the list or past the end.
		if (offset < static_cast<std::int64_t> (kHeaderSize) || size < 0 || offset > listOffset ||
		    size > listOffset - offset)
		{
			error = "it is damaged or cut short: a chunk lies outside the file's data";
			return false;
		}
	}

	// The layout is sound: the SDK's reader may take it from here.
	auto stream = owned (new MemoryStream);
	int32 written = 0;
	stream->write (const_cast<std::uint8_t*> (bytes.data ()), static_cast<int32> (bytes.size ()), &written);
	PresetFile file (stream);
	if (!file.readChunkList () || file.getEntryCount () != entryCount)
	{
		error = "it is damaged: its chunk list cannot be read";
		return false;
	}
	const PresetFile::Entry* component = file.getEntry (kComponentState);
	if (!component)
	{
		error = "it holds no processor state ('Comp' chunk)";
		return false;
	}
	preset = {};
	preset.classId = file.getClassID ();
	preset.classIdText = upper (classIdText);
	const auto chunk = [&bytes] (const PresetFile::Entry& entry)
	{
		const auto from = bytes.begin () + static_cast<std::ptrdiff_t> (entry.offset);
		return std::vector<std::uint8_t> (from, from + static_cast<std::ptrdiff_t> (entry.size));
	};
	preset.componentState = chunk (*component);
	if (const PresetFile::Entry* controller = file.getEntry (kControllerState))
		preset.controllerState = chunk (*controller);
	return true;
}

bool presetNamesClass (const VstPreset& preset, const FUID& classId)
{
	// The SDK writes the identifier as its platform spells it: a preset saved on Windows reads the GUID way,
	// one saved on Linux or macOS in byte order. Hosts on either read both.
	return preset.classIdText == byteOrderSpelling (classId) || preset.classIdText == guidSpelling (classId);
}

bool saveVstPresetFile (const std::string& path, const VstPreset& preset, std::string& error)
{
	std::vector<std::uint8_t> bytes;
	if (!encodeVstPreset (preset, bytes, error))
		return false;
	// Written beside the target and renamed over it, so a failed write never leaves half a preset behind.
	const auto target = pathFromUtf8 (path);
	const auto partial = pathFromUtf8 (path + ".partial-" + std::to_string (getpid ()));
	{
		std::ofstream out (partial, std::ios::binary | std::ios::trunc);
		out.write (reinterpret_cast<const char*> (bytes.data ()), static_cast<std::streamsize> (bytes.size ()));
		out.close ();
		if (!out)
		{
			std::error_code ignored;
			std::filesystem::remove (partial, ignored);
			error = "cannot write '" + path + "'";
			return false;
		}
	}
	std::error_code renameError;
	std::filesystem::rename (partial, target, renameError);
	if (renameError)
	{
		std::error_code ignored;
		std::filesystem::remove (partial, ignored);
		error = "cannot write '" + path + "': " + renameError.message ();
		return false;
	}
	return true;
}

bool loadVstPresetFile (const std::string& path, VstPreset& preset, std::string& error)
{
	const auto file = pathFromUtf8 (path);
	std::error_code fsError;
	if (!std::filesystem::is_regular_file (file, fsError))
	{
		error = "cannot read the preset '" + path + "': no such file";
		return false;
	}
	const std::uintmax_t size = std::filesystem::file_size (file, fsError);
	if (fsError || size > kLargestPresetFile)
	{
		error = "cannot read the preset '" + path + "': " + (fsError ? fsError.message () : "too large for a preset");
		return false;
	}
	std::ifstream in (file, std::ios::binary);
	std::vector<std::uint8_t> bytes (static_cast<size_t> (size));
	in.read (reinterpret_cast<char*> (bytes.data ()), static_cast<std::streamsize> (bytes.size ()));
	if (!in)
	{
		error = "cannot read the preset '" + path + "'";
		return false;
	}
	std::string reason;
	if (!decodeVstPreset (bytes, preset, reason))
	{
		error = "the preset '" + path + "' cannot be used: " + reason;
		return false;
	}
	return true;
}

} // namespace QuorvaneHost
