// The module's audio processor: buses, parameter changes, stored settings, and the ducking envelope
// applied to every block.
#pragma once

#include "public.sdk/source/vst/vstaudioeffect.h"

#include <atomic>

namespace Steinberg {

class DuckerProcessor : public Vst::AudioEffect
{
public:
	DuckerProcessor ();

	static FUnknown* createInstance (void* context);

	//---from IPluginBase---
	tresult PLUGIN_API initialize (FUnknown* context) SMTG_OVERRIDE;
	tresult PLUGIN_API terminate () SMTG_OVERRIDE;

	//---from IComponent---
	tresult PLUGIN_API setActive (TBool state) SMTG_OVERRIDE;
	tresult PLUGIN_API setState (IBStream* state) SMTG_OVERRIDE;
	tresult PLUGIN_API getState (IBStream* state) SMTG_OVERRIDE;

	//---from IAudioProcessor---
	tresult PLUGIN_API canProcessSampleSize (int32 symbolicSampleSize) SMTG_OVERRIDE;
	tresult PLUGIN_API setupProcessing (Vst::ProcessSetup& setup) SMTG_OVERRIDE;
	tresult PLUGIN_API process (Vst::ProcessData& data) SMTG_OVERRIDE;

	/** Multiplies one block by the ducking gain; the same code serves 32-bit and 64-bit samples.
	    `stopped` releases the envelope to unity (transport stopped, or tempo/position not valid).
	    It computes in the caller's floating-point mode; process() flushes subnormals around it. */
	template <typename SampleType>
	tresult processAudio (SampleType** inputs, SampleType** outputs, int32 numSamples, int32 numChannels,
	                      double position, double sampleRate, double tempo, bool stopped);

	/** The gain last applied, carried from block to block. */
	float getCurrentGain () const { return currentGain.load (std::memory_order_relaxed); }

protected:
	// process() writes these on the audio thread while setState() may write them on another. Each is a
	// lock-free atomic of the plain field's width with relaxed ordering: no lock, no torn value, and a
	// setState that overlaps a block may still take effect field by field.
	std::atomic<float> duration {0.5f};  // normalized 0..1
	std::atomic<float> offset {0.0f};    // cycles, -1..1
	std::atomic<int32> noteSync {0};     // exponent e: -4 is "4/1", 0 is "1/4", 4 is "1/64"
	std::atomic<bool> bypass {false};
	std::atomic<float> mix {1.0f};       // normalized 0..1, the depth of the dip
	std::atomic<float> currentGain {0.0f};

	static_assert (std::atomic<float>::is_always_lock_free && std::atomic<int32>::is_always_lock_free &&
	               std::atomic<bool>::is_always_lock_free);
};

} // namespace Steinberg
