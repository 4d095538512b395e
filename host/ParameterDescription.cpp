#include "host/ParameterDescription.h"

#include "host/Utf16.h"

#include <cstdio>

namespace QuorvaneHost
{

using namespace Steinberg;
using namespace Steinberg::Vst;

std::vector<ParameterDescription> describeParameters (IEditController* controller)
{
	std::vector<ParameterDescription> parameters;
	if (!controller)
		return parameters;
	const int32 count = controller->getParameterCount ();
	for (int32 index = 0; index < count; ++index)
	{
		ParameterInfo info{};
		if (controller->getParameterInfo (index, info) != kResultOk)
			continue;
		ParameterDescription description;
		description.id = info.id;
		description.title = utf16ToUtf8 (info.title, 128);
		description.shortTitle = utf16ToUtf8 (info.shortTitle, 128);
		description.units = utf16ToUtf8 (info.units, 128);
		description.stepCount = info.stepCount;
		description.defaultNormalized = info.defaultNormalizedValue;
		description.unitId = info.unitId;
		description.flags = info.flags;
		parameters.push_back (std::move (description));
	}
	return parameters;
}

std::string parameterFlagsText (int32 flags)
{
	struct Name
	{
		int32 flag;
		const char* text;
	};
	static const Name names[] = {
	    {ParameterInfo::kCanAutomate, "automatable"},  {ParameterInfo::kIsReadOnly, "read-only"},
	    {ParameterInfo::kIsWrapAround, "wrap-around"}, {ParameterInfo::kIsList, "list"},
	    {ParameterInfo::kIsHidden, "hidden"},          {ParameterInfo::kIsProgramChange, "program change"},
	    {ParameterInfo::kIsBypass, "bypass"},
	};
	std::string text;
	int32 rest = flags;
	for (const Name& name : names)
	{
		if ((flags & name.flag) == 0)
			continue;
		text += (text.empty () ? "" : ", ") + std::string (name.text);
		rest &= ~name.flag;
	}
	if (rest != 0)
	{
		char unknown[32];
		std::snprintf (unknown, sizeof unknown, "0x%X", static_cast<unsigned> (rest));
		text += (text.empty () ? "" : ", ") + std::string (unknown);
	}
	return text.empty () ? "none" : text;
}

} // namespace QuorvaneHost
