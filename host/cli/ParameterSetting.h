// A parameter setting as a user types it, "Title=Text" (e.g. "Note Sync=1/8", "Mix=50"), turned into a
// normalized value by the plug-in's own edit controller, with an error that says which texts it accepts.
#pragma once

#include "host/PluginInstance.h"

#include <string>
#include <vector>

struct ParameterSetting
{
	std::string title;
	std::string text;
	/** How the user wrote it, for messages: `--set "Note Sync=1/3"`, `--sync 1/3`. */
	std::string origin;
};

/** Splits "Title=Text" at the first '='; false with a message when there is none or the title is empty. */
bool parseParameterSetting (const std::string& argument, ParameterSetting& setting, std::string& error);

/** The parameter a title names: the exact title, else a title or short title that differs only in case. */
const QuorvaneHost::ParameterDescription* findParameterByTitle (const QuorvaneHost::PluginInstance& instance,
                                                                const std::string& title);

/** What a parameter accepts, in the controller's own texts: the entries of a list ("4/1, 2/1, ..."), the
    steps with their texts ("0 (Off) or 1 (On)"), or the range with its units ("a number from 0 to 100
    (% wet)"). */
std::string acceptedTexts (const QuorvaneHost::PluginInstance& instance,
                           const QuorvaneHost::ParameterDescription& parameter);

struct ResolvedSetting
{
	Steinberg::Vst::ParamID id{0};
	Steinberg::Vst::ParamValue normalized{0.0};
};

/** Converts a setting through the controller's getParamValueByString. A number outside the parameter's range
    is refused too, rather than silently clamped. False with a message naming the setting and what the
    parameter accepts. */
bool resolveParameterSetting (const QuorvaneHost::PluginInstance& instance, const ParameterSetting& setting,
                              ResolvedSetting& resolved, std::string& error);

/** Resolves every setting first and only then applies them, in order, as host automation (controller and the
    processor's next block); a single bad setting applies none. */
bool applyParameterSettings (QuorvaneHost::PluginInstance& instance, const std::vector<ParameterSetting>& settings,
                             std::string& error);
