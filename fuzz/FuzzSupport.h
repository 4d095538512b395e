// What every fuzz target needs: a check that aborts (so libFuzzer keeps the input) and a reader that takes
// typed values from the fuzzer's bytes.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace QuorvaneFuzz
{

inline void check (bool condition)
{
	if (!condition)
		std::abort ();
}

/** Takes values from the front of the input; once it is used up every value reads as zero. */
class FuzzInput
{
public:
	FuzzInput (const std::uint8_t* data, size_t size) : data (data), size (size) {}

	template <typename T> T take ()
	{
		T value{};
		const size_t n = std::min (sizeof (T), size - at);
		std::memcpy (&value, data + at, n);
		at += n;
		return value;
	}

	/** A value in 0..count-1 (count > 0). */
	std::uint32_t pick (std::uint32_t count) { return take<std::uint16_t> () % count; }
	bool flag () { return (take<std::uint8_t> () & 1) != 0; }

	/** The bytes not yet taken. */
	std::vector<std::uint8_t> rest () const { return {data + at, data + size}; }
	bool empty () const { return at >= size; }

private:
	const std::uint8_t* data;
	size_t size;
	size_t at = 0;
};

} // namespace QuorvaneFuzz
