// What an edit controller declares about its parameters (IEditController::getParameterInfo), with the
// UTF-16 texts converted to UTF-8, in the order the controller enumerates them.
#pragma once

#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <string>
#include <vector>

namespace QuorvaneHost
{

struct ParameterDescription
{
	Steinberg::Vst::ParamID id{0};
	std::string title;
	std::string shortTitle;
	std::string units;
	Steinberg::int32 stepCount{0};
	Steinberg::Vst::ParamValue defaultNormalized{0.0};
	Steinberg::Vst::UnitID unitId{0};
	Steinberg::int32 flags{0};

	bool isList () const { return (flags & Steinberg::Vst::ParameterInfo::kIsList) != 0; }
};

/** Every parameter the controller declares; an index the controller refuses is skipped. */
std::vector<ParameterDescription> describeParameters (Steinberg::Vst::IEditController* controller);

/** The flags as words, e.g. "automatable, bypass"; "none" for 0; unknown bits as hexadecimal. */
std::string parameterFlagsText (Steinberg::int32 flags);

} // namespace QuorvaneHost
