// A processor whose settings and carried gain the tests can set directly, plus block helpers.
#pragma once

#include "processor/DuckerProcessor.h"

#include "public.sdk/source/common/memorystream.h"

#include <cstring>
#include <vector>

namespace QuorvaneTest {

class TestProcessor : public Steinberg::DuckerProcessor
{
public:
	struct Settings
	{
		float duration = 0.5f;
		float offset = 0.0f;
		Steinberg::int32 noteSync = 0;
		bool bypass = false;
		float mix = 1.0f;
	};

	void apply (const Settings& s)
	{
		duration = s.duration;
		offset = s.offset;
		noteSync = s.noteSync;
		bypass = s.bypass;
		mix = s.mix;
	}
	void setGain (float gain) { currentGain = gain; }

	/** Runs one block over a constant input of 1 in place, so every output sample is the gain applied. */
	template <typename S>
	std::vector<S> gains (int numSamples, double position, double sampleRate = 48000.0, double tempo = 120.0,
	                      bool stopped = false)
	{
		std::vector<S> left (static_cast<size_t> (numSamples), S (1));
		std::vector<S> right (static_cast<size_t> (numSamples), S (1));
		S* channels[] = {left.data (), right.data ()};
		processAudio<S> (channels, channels, numSamples, 2, position, sampleRate, tempo, stopped);
		return left;
	}
};

/** Owns one processor with the SDK's reference counting. */
struct ProcessorHolder
{
	ProcessorHolder () : processor (new TestProcessor) {}
	~ProcessorHolder () { processor->release (); }
	TestProcessor* operator-> () const { return processor; }
	TestProcessor& operator* () const { return *processor; }
	TestProcessor* processor;
};

/** The processor's stored record, as getState writes it. */
inline std::vector<Steinberg::uint8> stateBytes (Steinberg::DuckerProcessor& processor)
{
	Steinberg::MemoryStream stream;
	processor.getState (&stream);
	const auto* data = reinterpret_cast<const Steinberg::uint8*> (stream.getData ());
	return {data, data + stream.getSize ()};
}

/** The little-endian float at a byte offset of a record. */
inline float floatAt (const std::vector<Steinberg::uint8>& bytes, size_t at)
{
	float value;
	std::memcpy (&value, &bytes[at], 4);
	return value;
}

} // namespace QuorvaneTest
