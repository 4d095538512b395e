// Stand-in for the VST3 SDK's process-context requirement builder (see compat/vst3sdk/README.md).
#pragma once

#include "pluginterfaces/vst/ivstaudioprocessor.h"

namespace Steinberg {
namespace Vst {

/** Collects the IProcessContextRequirements flags an audio effect asks its host for. */
struct ProcessContextRequirements
{
	using Self = ProcessContextRequirements;
	using Flags = IProcessContextRequirements::Flags;

	Self& needSystemTime () { return add (Flags::kNeedSystemTime); }
	Self& needContinousTimeSamples () { return add (Flags::kNeedContinousTimeSamples); }
	Self& needProjectTimeMusic () { return add (Flags::kNeedProjectTimeMusic); }
	Self& needBarPositionMusic () { return add (Flags::kNeedBarPositionMusic); }
	Self& needCycleMusic () { return add (Flags::kNeedCycleMusic); }
	Self& needSamplesToNextClock () { return add (Flags::kNeedSamplesToNextClock); }
	Self& needTempo () { return add (Flags::kNeedTempo); }
	Self& needTimeSignature () { return add (Flags::kNeedTimeSignature); }
	Self& needChord () { return add (Flags::kNeedChord); }
	Self& needFrameRate () { return add (Flags::kNeedFrameRate); }
	Self& needTransportState () { return add (Flags::kNeedTransportState); }

	uint32 flags {0};

private:
	Self& add (uint32 flag)
	{
		flags |= flag;
		return *this;
	}
};

} // namespace Vst
} // namespace Steinberg
