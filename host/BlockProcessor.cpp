#include "host/BlockProcessor.h"

namespace QuorvaneHost
{

using namespace Steinberg;
using namespace Steinberg::Vst;

BlockProcessor::BlockProcessor (IAudioProcessor* audioProcessor)
    : processor (audioProcessor), inputChanges (owned (new ParameterChanges))
{
}

void BlockProcessor::prepare (const Setup& setup)
{
	currentSetup = setup;
	if (currentSetup.maxSamplesPerBlock < 0)
		currentSetup.maxSamplesPerBlock = 0;
	if (currentSetup.inputChannels < 0)
		currentSetup.inputChannels = 0;
	if (currentSetup.outputChannels < 0)
		currentSetup.outputChannels = 0;
	if (currentSetup.inPlace && currentSetup.outputChannels > currentSetup.inputChannels)
		currentSetup.inPlace = false; // not enough input buffers to share

	const bool is64 = currentSetup.symbolicSampleSize == kSample64;
	const auto blockSize = static_cast<size_t> (currentSetup.maxSamplesPerBlock);
	const auto inputs = static_cast<size_t> (currentSetup.inputChannels);
	const auto outputs = static_cast<size_t> (currentSetup.outputChannels);
	const size_t channelBuffers = inputs + (currentSetup.inPlace ? 0 : outputs);

	samples32.assign (is64 ? 0 : channelBuffers * blockSize, 0.0f);
	samples64.assign (is64 ? channelBuffers * blockSize : 0, 0.0);
	inputPointers32.assign (inputs, nullptr);
	outputPointers32.assign (outputs, nullptr);
	inputPointers64.assign (inputs, nullptr);
	outputPointers64.assign (outputs, nullptr);
	for (size_t c = 0; c < inputs; ++c)
	{
		if (is64)
			inputPointers64[c] = samples64.data () + c * blockSize;
		else
			inputPointers32[c] = samples32.data () + c * blockSize;
	}
	for (size_t c = 0; c < outputs; ++c)
	{
		const size_t buffer = currentSetup.inPlace ? c : inputs + c;
		if (is64)
			outputPointers64[c] = samples64.data () + buffer * blockSize;
		else
			outputPointers32[c] = samples32.data () + buffer * blockSize;
	}

	inputBus = {};
	inputBus.numChannels = currentSetup.inputChannels;
	outputBus = {};
	outputBus.numChannels = currentSetup.outputChannels;
	if (is64)
	{
		inputBus.channelBuffers64 = inputPointers64.data ();
		outputBus.channelBuffers64 = outputPointers64.data ();
	}
	else
	{
		inputBus.channelBuffers32 = inputPointers32.data ();
		outputBus.channelBuffers32 = outputPointers32.data ();
	}

	inputChanges->setMaxParameters (currentSetup.maxParameters);
	inputChanges->clearQueue ();

	data = {};
	data.processMode = kRealtime;
	data.symbolicSampleSize = currentSetup.symbolicSampleSize;
	data.numInputs = 1;
	data.numOutputs = 1;
	data.inputs = &inputBus;
	data.outputs = &outputBus;
}

float* BlockProcessor::input32 (int32 channel)
{
	return channel >= 0 && channel < currentSetup.inputChannels ? inputPointers32[static_cast<size_t> (channel)]
	                                                            : nullptr;
}

float* BlockProcessor::output32 (int32 channel)
{
	return channel >= 0 && channel < currentSetup.outputChannels ? outputPointers32[static_cast<size_t> (channel)]
	                                                             : nullptr;
}

double* BlockProcessor::input64 (int32 channel)
{
	return channel >= 0 && channel < currentSetup.inputChannels ? inputPointers64[static_cast<size_t> (channel)]
	                                                            : nullptr;
}

double* BlockProcessor::output64 (int32 channel)
{
	return channel >= 0 && channel < currentSetup.outputChannels ? outputPointers64[static_cast<size_t> (channel)]
	                                                             : nullptr;
}

bool BlockProcessor::addParameterChange (ParamID id, ParamValue value, int32 sampleOffset)
{
	int32 queueIndex = 0;
	IParamValueQueue* queue = inputChanges->addParameterData (id, queueIndex);
	if (!queue)
		return false;
	int32 pointIndex = 0;
	return queue->addPoint (sampleOffset, value, pointIndex) == kResultOk;
}

tresult BlockProcessor::process (int32 numSamples)
{
	if (!processor || numSamples < 0 || numSamples > currentSetup.maxSamplesPerBlock)
		return kInvalidArgument;

	if (sendContext)
	{
		clock.fillContext (context);
		data.processContext = &context;
	}
	else
		data.processContext = nullptr;
	data.numSamples = numSamples;
	if (editSource)
		editSource->drain ([this] (ParamID id, ParamValue value) { addParameterChange (id, value, 0); });
	data.inputParameterChanges = inputChanges;

	const tresult result = processor->process (data);

	inputChanges->clearQueue ();
	clock.advance (numSamples);
	return result;
}

} // namespace QuorvaneHost
