// Stand-in for the VST3 SDK's host-side parameter-change queues (see compat/vst3sdk/README.md):
// what a host hands to IAudioProcessor::process as ProcessData::inputParameterChanges.
#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <vector>

namespace Steinberg {
namespace Vst {

/** The points of one parameter for one block, ordered by sample offset. */
class ParameterValueQueue : public IParamValueQueue
{
public:
	explicit ParameterValueQueue (ParamID paramID);
	virtual ~ParameterValueQueue ();

	ParamID PLUGIN_API getParameterId () SMTG_OVERRIDE { return paramID; }
	int32 PLUGIN_API getPointCount () SMTG_OVERRIDE;
	tresult PLUGIN_API getPoint (int32 index, int32& sampleOffset, ParamValue& value) SMTG_OVERRIDE;
	tresult PLUGIN_API addPoint (int32 sampleOffset, ParamValue value, int32& index) SMTG_OVERRIDE;

	void setParamID (ParamID pID) { paramID = pID; }
	void clear ();

	DECLARE_FUNKNOWN_METHODS

protected:
	struct ParameterQueueValue
	{
		ParamValue value;
		int32 sampleOffset;
	};

	ParamID paramID;
	std::vector<ParameterQueueValue> values;
};

/** All parameter queues of one block. Queues are reused from block to block, so a host that
    calls setMaxParameters once allocates nothing while it fills them. */
class ParameterChanges : public IParameterChanges
{
public:
	explicit ParameterChanges (int32 maxParameters = 0);
	virtual ~ParameterChanges ();

	void setMaxParameters (int32 maxParameters);
	void clearQueue ();

	int32 PLUGIN_API getParameterCount () SMTG_OVERRIDE;
	IParamValueQueue* PLUGIN_API getParameterData (int32 index) SMTG_OVERRIDE;
	IParamValueQueue* PLUGIN_API addParameterData (const ParamID& pid, int32& index) SMTG_OVERRIDE;

	DECLARE_FUNKNOWN_METHODS

protected:
	using ParameterQueuePtr = IPtr<ParameterValueQueue>;
	std::vector<ParameterQueuePtr> queues;
	int32 usedQueueCount {0};
};

} // namespace Vst
} // namespace Steinberg
