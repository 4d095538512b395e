// A processor whose settings and carried gain the tests can set directly, plus block helpers.
#pragma once

#include "processor/DuckerProcessor.h"

#include "public.sdk/source/common/memorystream.h"
#include "public.sdk/source/vst/hosting/parameterchanges.h"
#include "pluginterfaces/vst/ivstprocesscontext.h"

#include <cstring>
#include <initializer_list>
#include <type_traits>
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

/** One block as a host hands it to process(): a constant input (1 by default, so the output is the applied
    gain) and outputs filled with -9, so samples left untouched show. */
template <typename S>
struct HostBlock
{
	explicit HostBlock (Steinberg::int32 n, Steinberg::int32 inChannels = 2, Steinberg::int32 outChannels = 2,
	                    S inputValue = S (1))
	    : input (static_cast<size_t> (inChannels), std::vector<S> (static_cast<size_t> (n), inputValue)),
	      output (static_cast<size_t> (outChannels), std::vector<S> (static_cast<size_t> (n), S (-9)))
	{
		for (auto& c : input)
			inPtrs.push_back (c.data ());
		for (auto& c : output)
			outPtrs.push_back (c.data ());
		inBus.numChannels = inChannels;
		outBus.numChannels = outChannels;
		if constexpr (std::is_same_v<S, float>)
		{
			inBus.channelBuffers32 = inPtrs.data ();
			outBus.channelBuffers32 = outPtrs.data ();
			data.symbolicSampleSize = Steinberg::Vst::kSample32;
		}
		else
		{
			inBus.channelBuffers64 = inPtrs.data ();
			outBus.channelBuffers64 = outPtrs.data ();
			data.symbolicSampleSize = Steinberg::Vst::kSample64;
		}
		data.numSamples = n;
		data.numInputs = 1;
		data.numOutputs = 1;
		data.inputs = &inBus;
		data.outputs = &outBus;
	}

	void setContext (Steinberg::uint32 state, double tempo = 120.0, double position = 0.0, double sampleRate = 48000.0)
	{
		context = {};
		context.state = state;
		context.tempo = tempo;
		context.projectTimeMusic = position;
		context.sampleRate = sampleRate;
		data.processContext = &context;
	}

	void change (Steinberg::Vst::ParamID id, std::initializer_list<double> values)
	{
		Steinberg::int32 index = 0;
		Steinberg::Vst::IParamValueQueue* queue = changes.addParameterData (id, index);
		Steinberg::int32 offset = 0;
		for (double v : values)
			queue->addPoint (offset++ * 10, v, index);
		data.inputParameterChanges = &changes;
	}

	std::vector<std::vector<S>> input, output;
	std::vector<S*> inPtrs, outPtrs;
	Steinberg::Vst::AudioBusBuffers inBus {}, outBus {};
	Steinberg::Vst::ProcessContext context {};
	Steinberg::Vst::ParameterChanges changes {8};
	Steinberg::Vst::ProcessData data;
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
