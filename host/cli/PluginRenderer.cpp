#include "host/cli/PluginRenderer.h"

#include "host/VstPreset.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

bool PluginRenderer::open (const std::string& bundle, double sampleRate, int channels, const RenderSettings& settings,
                           std::string& error)
{
	renderSettings = settings;
	channelCount = channels;
	if (channels < 1)
	{
		error = "the audio has no channels";
		return false;
	}
	if (!(sampleRate > 0.0))
	{
		error = "the audio has no valid sample rate";
		return false;
	}

	module = QuorvaneHost::PluginModule::load (bundle, error);
	if (!module)
		return false;
	instance = QuorvaneHost::PluginInstance::createFirstAudioEffect (module, error);
	if (!instance)
		return false;

	// A mono file is processed as mono, a stereo file as stereo: the buses take the file's layout.
	if (instance->setMainBusChannels (channels, channels) != kResultOk)
	{
		error = "the plug-in does not accept " + std::to_string (channels) + " channels";
		return false;
	}
	instance->activateDefaultBuses (true);
	const int32 sampleSize = settings.use64Bit ? kSample64 : kSample32;
	if (instance->setupProcessing (sampleRate, settings.blockSize, sampleSize, kOffline) != kResultOk)
	{
		error = settings.use64Bit ? "the plug-in does not offer 64-bit processing" : "the plug-in refused the set-up";
		return false;
	}
	if (instance->setActive (true) != kResultOk)
	{
		error = "the plug-in could not be activated";
		return false;
	}
	instance->setProcessing (true);

	blocks = std::make_unique<QuorvaneHost::BlockProcessor> (instance->audioProcessor ());
	QuorvaneHost::BlockProcessor::Setup setup;
	setup.maxSamplesPerBlock = settings.blockSize;
	setup.symbolicSampleSize = sampleSize;
	setup.inputChannels = channels;
	setup.outputChannels = channels;
	blocks->prepare (setup);
	blocks->processData ().processMode = kOffline;
	blocks->takeEditsFrom (&instance->parameterEdits ());

	auto& transport = blocks->transport ();
	transport.setSampleRate (sampleRate);
	transport.setTempo (settings.tempo);
	transport.setPosition (settings.startPosition);
	transport.setPlaying (!settings.stopped);
	return true;
}

bool PluginRenderer::applyPreset (const std::string& path, std::string& error)
{
	if (!instance)
	{
		error = "the plug-in is not open";
		return false;
	}
	QuorvaneHost::VstPreset preset;
	if (!QuorvaneHost::loadVstPresetFile (path, preset, error))
		return false;
	std::string reason;
	if (!instance->loadPreset (preset, reason))
	{
		error = "the preset '" + path + "' cannot be used: " + reason;
		return false;
	}
	return true;
}

bool PluginRenderer::applyParameters (const std::vector<ParameterSetting>& settings, std::string& error)
{
	if (!instance)
	{
		error = "the plug-in is not open";
		return false;
	}
	return applyParameterSettings (*instance, settings, error);
}

bool PluginRenderer::flushEdits (std::string& error)
{
	if (!blocks || blocks->process (0) != kResultOk)
	{
		error = "the plug-in failed to process a block";
		return false;
	}
	return true;
}

PluginRenderer::~PluginRenderer ()
{
	blocks.reset ();
	instance.reset (); // before the module, whose code the instance runs
	module.reset ();
}

bool PluginRenderer::process (const double* input, double* output, long frames, std::string& error)
{
	if (!blocks)
	{
		error = "the plug-in is not open";
		return false;
	}
	const long blockSize = renderSettings.blockSize;
	for (long done = 0; done < frames; done += blockSize)
	{
		const int count = static_cast<int> (std::min (blockSize, frames - done));
		const long offset = done * channelCount;
		if (!processBlock (input + offset, output + offset, count))
		{
			error = "the plug-in failed to process a block";
			return false;
		}
	}
	return true;
}

bool PluginRenderer::processBlock (const double* input, double* output, int frames)
{
	const bool is64 = renderSettings.use64Bit;
	for (int c = 0; c < channelCount; ++c)
	{
		if (is64)
		{
			double* channel = blocks->input64 (c);
			for (int i = 0; i < frames; ++i)
				channel[i] = input[i * channelCount + c];
		}
		else
		{
			float* channel = blocks->input32 (c);
			for (int i = 0; i < frames; ++i)
				channel[i] = static_cast<float> (input[i * channelCount + c]);
		}
	}

	if (blocks->process (frames) != kResultOk)
		return false;

	for (int c = 0; c < channelCount; ++c)
	{
		if (is64)
		{
			const double* channel = blocks->output64 (c);
			for (int i = 0; i < frames; ++i)
				output[i * channelCount + c] = channel[i];
		}
		else
		{
			const float* channel = blocks->output32 (c);
			for (int i = 0; i < frames; ++i)
				output[i * channelCount + c] = channel[i];
		}
	}
	return true;
}
