// Builds stored records byte by byte, the way a host hands them over, and reads back what a controller wrote.
#pragma once

#include "public.sdk/source/common/memorystream.h"

#include <bit>
#include <cstdint>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

inline void appendInt8 (Bytes& bytes, std::int8_t value)
{
	bytes.push_back (static_cast<std::uint8_t> (value));
}

inline void appendInt32 (Bytes& bytes, std::int32_t value)
{
	const auto word = static_cast<std::uint32_t> (value);
	for (int shift = 0; shift < 32; shift += 8)
		bytes.push_back (static_cast<std::uint8_t> (word >> shift)); // little-endian
}

inline void appendFloat (Bytes& bytes, float value)
{
	appendInt32 (bytes, std::bit_cast<std::int32_t> (value));
}

/** The processor's 21-byte record: version, Duration, Mix, Offset, Note Sync (normalized floats), Bypass. */
inline Bytes processorRecord (std::int8_t version, float duration, float mix, float offset, float noteSync,
                              std::int32_t bypass)
{
	Bytes bytes;
	appendInt8 (bytes, version);
	appendFloat (bytes, duration);
	appendFloat (bytes, mix);
	appendFloat (bytes, offset);
	appendFloat (bytes, noteSync);
	appendInt32 (bytes, bypass);
	return bytes;
}

/** The controller's 9-byte record: version, width, height. */
inline Bytes controllerRecord (std::int8_t version, std::int32_t width, std::int32_t height)
{
	Bytes bytes;
	appendInt8 (bytes, version);
	appendInt32 (bytes, width);
	appendInt32 (bytes, height);
	return bytes;
}

/** A read-only stream over the bytes (which must outlive it); reading past them yields short reads. */
inline Steinberg::MemoryStream streamOver (Bytes& bytes)
{
	return Steinberg::MemoryStream (bytes.data (), static_cast<Steinberg::TSize> (bytes.size ()));
}

inline Bytes writtenBytes (Steinberg::MemoryStream& stream)
{
	const auto* data = reinterpret_cast<const std::uint8_t*> (stream.getData ());
	return data ? Bytes (data, data + stream.getSize ()) : Bytes ();
}
