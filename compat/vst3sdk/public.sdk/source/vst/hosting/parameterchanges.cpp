#include "public.sdk/source/vst/hosting/parameterchanges.h"

namespace Steinberg {
namespace Vst {

IMPLEMENT_FUNKNOWN_METHODS (ParameterValueQueue, IParamValueQueue, IParamValueQueue::iid)

ParameterValueQueue::ParameterValueQueue (ParamID paramID) : paramID (paramID)
{
	values.reserve (16);
	FUNKNOWN_CTOR
}

ParameterValueQueue::~ParameterValueQueue ()
{
	FUNKNOWN_DTOR
}

void ParameterValueQueue::clear ()
{
	values.clear ();
}

int32 PLUGIN_API ParameterValueQueue::getPointCount ()
{
	return static_cast<int32> (values.size ());
}

tresult PLUGIN_API ParameterValueQueue::getPoint (int32 index, int32& sampleOffset, ParamValue& value)
{
	if (index < 0 || index >= static_cast<int32> (values.size ()))
		return kResultFalse;
	const auto& point = values[static_cast<size_t> (index)];
	sampleOffset = point.sampleOffset;
	value = point.value;
	return kResultTrue;
}

tresult PLUGIN_API ParameterValueQueue::addPoint (int32 sampleOffset, ParamValue value, int32& index)
{
	// Points stay sorted by offset; a second point at the same offset replaces the first.
	size_t destination = values.size ();
	for (size_t i = 0; i < values.size (); ++i)
	{
		if (values[i].sampleOffset == sampleOffset)
		{
			values[i].value = value;
			index = static_cast<int32> (i);
			return kResultTrue;
		}
		if (values[i].sampleOffset > sampleOffset)
		{
			destination = i;
			break;
		}
	}
	values.insert (values.begin () + static_cast<std::ptrdiff_t> (destination), {value, sampleOffset});
	index = static_cast<int32> (destination);
	return kResultTrue;
}

IMPLEMENT_FUNKNOWN_METHODS (ParameterChanges, IParameterChanges, IParameterChanges::iid)

ParameterChanges::ParameterChanges (int32 maxParameters)
{
	FUNKNOWN_CTOR
	setMaxParameters (maxParameters);
}

ParameterChanges::~ParameterChanges ()
{
	FUNKNOWN_DTOR
}

void ParameterChanges::setMaxParameters (int32 maxParameters)
{
	if (maxParameters < 0)
		return;
	while (static_cast<int32> (queues.size ()) < maxParameters)
		queues.push_back (owned (new ParameterValueQueue (0xffffffff)));
	if (static_cast<int32> (queues.size ()) > maxParameters)
		queues.resize (static_cast<size_t> (maxParameters));
	if (usedQueueCount > maxParameters)
		usedQueueCount = maxParameters;
}

void ParameterChanges::clearQueue ()
{
	usedQueueCount = 0;
}

int32 PLUGIN_API ParameterChanges::getParameterCount ()
{
	return usedQueueCount;
}

IParamValueQueue* PLUGIN_API ParameterChanges::getParameterData (int32 index)
{
	if (index < 0 || index >= usedQueueCount)
		return nullptr;
	return queues[static_cast<size_t> (index)];
}

IParamValueQueue* PLUGIN_API ParameterChanges::addParameterData (const ParamID& pid, int32& index)
{
	for (int32 i = 0; i < usedQueueCount; ++i)
	{
		if (queues[static_cast<size_t> (i)]->getParameterId () == pid)
		{
			index = i;
			return queues[static_cast<size_t> (i)];
		}
	}

	ParameterValueQueue* queue;
	if (usedQueueCount < static_cast<int32> (queues.size ()))
	{
		queue = queues[static_cast<size_t> (usedQueueCount)];
		queue->setParamID (pid);
		queue->clear ();
	}
	else
	{
		queue = new ParameterValueQueue (pid);
		queues.push_back (owned (queue));
	}
	index = usedQueueCount++;
	return queue;
}

} // namespace Vst
} // namespace Steinberg
