// A processor driven the way a host drives it, with every block and every state load checked: output finite,
// the applied gain within what the settings allow, a refused record changing nothing.
#pragma once

#include "fuzz/FuzzSupport.h"
#include "host/StateBytes.h"
#include "processor/DuckerProcessor.h"

#include "pluginterfaces/vst/ivstprocesscontext.h"
#include "public.sdk/source/vst/hosting/parameterchanges.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace QuorvaneFuzz
{

/** One block as a host might hand it over. Channel 0 of the input holds 1.0, so its output is the gain. */
struct Block
{
	Steinberg::int32 numSamples = 512;
	Steinberg::int32 sampleSize = Steinberg::Vst::kSample32;
	Steinberg::int32 inputChannels = 2;
	Steinberg::int32 outputChannels = 2;
	bool inPlace = false;
	bool withBuses = true;
	bool withContext = true;
	Steinberg::Vst::ProcessContext context{};
	Steinberg::Vst::IParameterChanges* changes = nullptr;
};

class ProbedProcessor : public Steinberg::DuckerProcessor
{
public:
	/** Runs `block` and aborts on any output the settings do not allow. */
	void run (const Block& block)
	{
		if (block.sampleSize == Steinberg::Vst::kSample64)
			run<double> (block);
		else
			run<float> (block);
	}

	/** Hands `bytes` to setState; a refused record must leave the stored settings and the gain alone. */
	Steinberg::tresult load (const std::vector<std::uint8_t>& bytes)
	{
		const auto before = state ();
		const float gainBefore = getCurrentGain ();
		const Steinberg::tresult result = setState (QuorvaneHost::streamOverCopy (bytes));
		const float gainAfter = getCurrentGain ();
		check (std::memcmp (&gainBefore, &gainAfter, sizeof gainAfter) == 0);
		if (result != Steinberg::kResultOk)
		{
			check (result == Steinberg::kResultFalse && state () == before);
			return result;
		}
		// Duration and Mix are kept bit for bit; Bypass counts only positive values as on.
		const auto after = state ();
		check (bytes.size () >= 21 && bytes[0] == 1 && after.size () == 21);
		check (std::equal (bytes.begin () + 1, bytes.begin () + 9, after.begin () + 1));
		Steinberg::int32 stored = 0;
		std::memcpy (&stored, &bytes[17], 4);
		check (after[17] == (stored > 0 ? 1 : 0));
		return result;
	}

	std::vector<std::uint8_t> state ()
	{
		std::vector<std::uint8_t> bytes;
		QuorvaneHost::captureState ([this] (Steinberg::IBStream* s) { return getState (s); }, bytes);
		return bytes;
	}

private:
	template <typename S> void run (const Block& block);
};

template <typename S> void ProbedProcessor::run (const Block& block)
{
	using namespace Steinberg;
	using namespace Steinberg::Vst;
	constexpr S kUntouched = S (-12345);
	const size_t length = static_cast<size_t> (std::max (block.numSamples, 0));
	std::vector<std::vector<S>> inputs (static_cast<size_t> (block.inputChannels));
	std::vector<std::vector<S>> outputs (static_cast<size_t> (block.outputChannels));
	std::vector<S*> inputPointers, outputPointers;
	// Channel 0 reads out the gain; the others carry the loudest finite signal a host may send.
	const auto original = [] (size_t c) { return c == 0 ? S (1) : (c % 2 ? S (-1e30) : S (0.5)); };
	for (size_t c = 0; c < inputs.size (); ++c)
	{
		inputs[c].assign (length, original (c));
		inputPointers.push_back (inputs[c].data ());
	}
	for (size_t c = 0; c < outputs.size (); ++c)
	{
		outputs[c].assign (length, kUntouched);
		outputPointers.push_back (block.inPlace && c < inputs.size () ? inputs[c].data () : outputs[c].data ());
	}

	AudioBusBuffers inputBus{};
	inputBus.numChannels = block.inputChannels;
	AudioBusBuffers outputBus{};
	outputBus.numChannels = block.outputChannels;
	if constexpr (std::is_same_v<S, double>)
	{
		inputBus.channelBuffers64 = inputPointers.data ();
		outputBus.channelBuffers64 = outputPointers.data ();
	}
	else
	{
		inputBus.channelBuffers32 = inputPointers.data ();
		outputBus.channelBuffers32 = outputPointers.data ();
	}

	ProcessData data{};
	data.symbolicSampleSize = block.sampleSize;
	data.numSamples = block.numSamples;
	data.numInputs = block.withBuses ? 1 : 0;
	data.numOutputs = block.withBuses ? 1 : 0;
	data.inputs = block.withBuses ? &inputBus : nullptr;
	data.outputs = block.withBuses ? &outputBus : nullptr;
	data.inputParameterChanges = block.changes;
	ProcessContext context = block.context;
	data.processContext = block.withContext ? &context : nullptr;

	const float gainBefore = getCurrentGain ();
	const tresult result = process (data);
	const float gainAfter = getCurrentGain ();

	// What the settings in force for the block allow: the curve runs between 1 - Mix and 1 (unity
	// throughout when stopped or bypassed), and the gain glides from where it was towards it. Settings
	// outside 0..1 only come from a damaged record; whatever they say, the gain stays within -1..1.
	const auto flags = block.context.state;
	const bool stopped =
	    block.withContext && !((flags & ProcessContext::kTempoValid) &&
	                           (flags & ProcessContext::kProjectTimeMusicValid) && (flags & ProcessContext::kPlaying));
	const float depth = (stopped || bypass.load ()) ? 0.f : mix.load ();
	constexpr double kRounding = 1e-3; // float32 running sums over a block of up to 8192 samples
	double low = std::min<double> (gainBefore, 1.0 - (std::isnan (depth) ? 2.0 : std::max (depth, 0.f)));
	double high = std::max<double> (gainBefore, 1.0);
	low = std::max (low, -1.0) - kRounding;
	high = std::min (high, 1.0) + kRounding;

	check (std::isfinite (gainAfter) && gainAfter >= low && gainAfter <= high);
	const bool audio = block.withBuses && block.numSamples > 0;
	const bool sampleSizeKnown = block.sampleSize == kSample32 || block.sampleSize == kSample64;
	check (result == (sampleSizeKnown || !block.withBuses ? kResultOk : kResultFalse));
	if (!audio || !sampleSizeKnown)
		check (std::memcmp (&gainBefore, &gainAfter, sizeof gainAfter) == 0);

	const int32 processed = audio && sampleSizeKnown ? std::min (block.inputChannels, block.outputChannels) : 0;
	for (int32 c = 0; c < block.outputChannels; ++c)
	{
		const S* out = outputPointers[size_t (c)];
		for (size_t i = 0; i < length; ++i)
		{
			if (c >= processed)
			{
				// Not ours to write: a channel beyond the input's, or a block that was refused.
				const bool shared = block.inPlace && size_t (c) < inputs.size ();
				check (out[i] == (shared ? original (size_t (c)) : kUntouched));
				continue;
			}
			check (std::isfinite (out[i]));
			if (c == 0)
				check (double (out[i]) >= low && double (out[i]) <= high);
		}
	}
}

} // namespace QuorvaneFuzz
