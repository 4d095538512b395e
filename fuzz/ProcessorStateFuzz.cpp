// The processor's setState with arbitrary bytes, then blocks in both sample sizes under the loaded settings.
#include "fuzz/ProcessorProbe.h"

#include "base/source/fobject.h"

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, size_t size)
{
	using namespace QuorvaneFuzz;
	auto processor = Steinberg::owned (new ProbedProcessor);
	// A first block leaves a gain between 0 and 1 behind, which a refused load must not disturb.
	Block block;
	block.context.state = Steinberg::Vst::ProcessContext::kPlaying | Steinberg::Vst::ProcessContext::kTempoValid |
	                      Steinberg::Vst::ProcessContext::kProjectTimeMusicValid;
	block.context.sampleRate = 48000.0;
	block.context.tempo = 120.0;
	block.context.projectTimeMusic = 0.3;
	processor->run (block);

	processor->load ({data, data + size});

	for (const auto sampleSize : {Steinberg::Vst::kSample32, Steinberg::Vst::kSample64})
	{
		block.sampleSize = sampleSize;
		block.context.projectTimeMusic += 0.5;
		processor->run (block);
	}
	return 0;
}
