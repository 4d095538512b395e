// Process data as odd hosts send it: block sizes, sample sizes, channel counts, in-place buffers, missing
// buses or context, any tempo, sample rate and position, parameter queues with any values; now and then a
// state load or a deactivation between blocks. Every block is checked by the probe.
#include "fuzz/ProcessorProbe.h"
#include "plugin/ids.h"

#include "base/source/fobject.h"

#include <limits>

namespace
{

using namespace QuorvaneFuzz;
using namespace Steinberg;
using namespace Steinberg::Vst;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN ();
constexpr double kInf = std::numeric_limits<double>::infinity ();

/** Mostly values a host really sends, sometimes any 64-bit pattern. */
double pickValue (FuzzInput& in, std::initializer_list<double> usual)
{
	const auto choice = in.pick (static_cast<std::uint32_t> (usual.size ()) + 2);
	if (choice < usual.size ())
		return usual.begin ()[choice];
	if (choice == usual.size ())
		return in.take<std::uint16_t> () / 65535.0;
	return in.take<double> ();
}

void addChanges (FuzzInput& in, ParameterChanges& changes)
{
	const ParamID ids[] = {kBypassId, kDurationId, kMixId, kOffsetId, kNoteSyncId, 1001, 0};
	const auto queues = in.pick (6);
	for (std::uint32_t q = 0; q < queues; ++q)
	{
		int32 index = 0;
		const auto idChoice = in.pick (7);
		const ParamID id = idChoice == 6 ? in.take<ParamID> () : ids[idChoice];
		IParamValueQueue* queue = changes.addParameterData (id, index);
		if (!queue)
			continue;
		const auto points = in.pick (4);
		for (std::uint32_t p = 0; p < points; ++p)
			queue->addPoint (static_cast<int32> (in.pick (5000)) - 100,
			                 pickValue (in, {0.0, 0.5, 1.0, 0.5000001, 0.999, -1.0, 2.0, kNaN, kInf, -kInf}), index);
	}
}

Block nextBlock (FuzzInput& in)
{
	Block block;
	const int32 sizes[] = {0, 1, 7, 8, 9, 31, 32, 33, 64, 128, 441, 512, 1024, 4096, -1};
	const auto sizeChoice = in.pick (16);
	block.numSamples = sizeChoice < 15 ? sizes[sizeChoice] : static_cast<int32> (in.pick (8193));
	const int32 sampleSizes[] = {kSample32, kSample64, kSample32, kSample64, 2};
	block.sampleSize = sampleSizes[in.pick (5)];
	block.inputChannels = static_cast<int32> (in.pick (5));
	block.outputChannels = static_cast<int32> (in.pick (5));
	block.inPlace = in.flag ();
	block.withBuses = in.pick (16) != 0;
	block.withContext = in.pick (8) != 0;

	ProcessContext& context = block.context;
	const uint32 usualFlags =
	    ProcessContext::kPlaying | ProcessContext::kTempoValid | ProcessContext::kProjectTimeMusicValid;
	context.state = in.pick (4) != 0 ? usualFlags : in.take<uint32> ();
	context.sampleRate = pickValue (in, {48000.0, 44100.0, 96000.0, 192000.0, 8000.0, 1.0, 0.0, -48000.0, kNaN, kInf});
	context.tempo = pickValue (in, {120.0, 60.0, 174.0, 999.0, 1.0, 1e-9, 0.0, -120.0, kNaN, kInf, 1e300});
	context.projectTimeMusic =
	    pickValue (in, {0.0, 0.25, -0.5, 1e6, 1e15, -1e15, 4.0 - 1e-12, 1e300, kNaN, kInf, -kInf});
	return block;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, size_t size)
{
	FuzzInput in (data, size);
	auto processor = owned (new ProbedProcessor);
	processor->initialize (nullptr);
	processor->setActive (true);
	processor->setProcessing (true);
	auto changes = owned (new ParameterChanges);

	for (int step = 0; step < 48 && !in.empty (); ++step)
	{
		switch (in.pick (16))
		{
		case 0:
		{
			std::vector<std::uint8_t> record (21);
			for (auto& byte : record)
				byte = in.take<std::uint8_t> ();
			record[0] = in.flag () ? 1 : record[0];
			processor->load (record);
			break;
		}
		case 1:
			processor->setProcessing (false);
			processor->setActive (false);
			processor->setActive (true);
			processor->setProcessing (true);
			break;
		default:
		{
			Block block = nextBlock (in);
			changes->clearQueue ();
			if (in.flag ())
			{
				addChanges (in, *changes);
				block.changes = changes;
			}
			processor->run (block);
		}
		}
	}
	processor->setProcessing (false);
	processor->setActive (false);
	processor->terminate ();
	return 0;
}
