#include "host/cli/ParameterSetting.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

using namespace Steinberg;
using namespace Steinberg::Vst;
using QuorvaneHost::ParameterDescription;
using QuorvaneHost::PluginInstance;

namespace
{

bool equalIgnoringCase (const std::string& a, const std::string& b)
{
	if (a.size () != b.size ())
		return false;
	for (size_t i = 0; i < a.size (); ++i)
		if (std::tolower (static_cast<unsigned char> (a[i])) != std::tolower (static_cast<unsigned char> (b[i])))
			return false;
	return true;
}

std::string plainNumber (double value)
{
	char text[32];
	std::snprintf (text, sizeof text, "%g", value);
	return text;
}

std::string textOf (const PluginInstance& instance, ParamID id, ParamValue normalized)
{
	std::string text;
	instance.parameterText (id, normalized, text);
	return text;
}

/** The number a text starts with, the way the controller's parsers read it (leading blanks skipped). */
bool leadingNumber (const std::string& text, double& number)
{
	errno = 0;
	char* end = nullptr;
	number = std::strtod (text.c_str (), &end);
	return end != text.c_str () && errno != ERANGE && std::isfinite (number);
}

std::string parameterTitles (const PluginInstance& instance)
{
	std::string titles;
	for (const auto& parameter : instance.parameters ())
		titles += (titles.empty () ? "" : ", ") + parameter.title;
	return titles;
}

// Above this many steps the range says more than a list of every step would.
constexpr int32 kMostStepsListed = 12;

} // namespace

bool parseParameterSetting (const std::string& argument, ParameterSetting& setting, std::string& error)
{
	const bool quote = argument.find (' ') != std::string::npos;
	setting.origin = "--set " + (quote ? "\"" + argument + "\"" : argument);
	const auto equals = argument.find ('=');
	if (equals == std::string::npos || equals == 0)
	{
		error = setting.origin + ": expected TITLE=TEXT, e.g. --set \"Note Sync=1/8\" or --set Mix=50";
		return false;
	}
	setting.title = argument.substr (0, equals);
	setting.text = argument.substr (equals + 1);
	return true;
}

const ParameterDescription* findParameterByTitle (const PluginInstance& instance, const std::string& title)
{
	for (const auto& parameter : instance.parameters ())
		if (parameter.title == title)
			return &parameter;
	for (const auto& parameter : instance.parameters ())
		if (equalIgnoringCase (parameter.title, title) ||
		    (!parameter.shortTitle.empty () && equalIgnoringCase (parameter.shortTitle, title)))
			return &parameter;
	return nullptr;
}

std::string acceptedTexts (const PluginInstance& instance, const ParameterDescription& parameter)
{
	std::string texts;
	const int32 steps = parameter.stepCount;
	if (parameter.isList () && steps > 0)
	{
		for (int32 i = 0; i <= steps; ++i)
			texts += (i ? ", " : "") + textOf (instance, parameter.id, static_cast<double> (i) / steps);
		return texts;
	}
	IEditController* controller = instance.controller ();
	if (steps > 0 && steps <= kMostStepsListed)
	{
		for (int32 i = 0; i <= steps; ++i)
		{
			const double normalized = static_cast<double> (i) / steps;
			texts += (i == 0       ? ""
			          : i == steps ? " or "
			                       : ", ") +
			         plainNumber (controller->normalizedParamToPlain (parameter.id, normalized)) + " (" +
			         textOf (instance, parameter.id, normalized) + ")";
		}
		return texts;
	}
	texts = "a number from " + textOf (instance, parameter.id, 0.0) + " to " + textOf (instance, parameter.id, 1.0);
	if (!parameter.units.empty ())
		texts += " (" + parameter.units + ")";
	return texts;
}

bool resolveParameterSetting (const PluginInstance& instance, const ParameterSetting& setting,
                              ResolvedSetting& resolved, std::string& error)
{
	const ParameterDescription* parameter = findParameterByTitle (instance, setting.title);
	if (!parameter)
	{
		error =
		    setting.origin + ": no parameter '" + setting.title + "'; the parameters are " + parameterTitles (instance);
		return false;
	}
	const std::string refusal = setting.origin + ": " + parameter->title + " does not accept '" + setting.text +
	                            "'; it accepts " + acceptedTexts (instance, *parameter);

	ParamValue normalized = 0.0;
	if (instance.parameterValue (parameter->id, setting.text, normalized) != kResultOk || !std::isfinite (normalized))
	{
		error = refusal;
		return false;
	}
	// The controller keeps what it converts within range, so "Mix=150" would quietly become 100: a user who
	// typed a number outside the range is told instead.
	double typed = 0.0;
	if (!parameter->isList () && leadingNumber (setting.text, typed))
	{
		IEditController* controller = instance.controller ();
		const double low = controller->normalizedParamToPlain (parameter->id, 0.0);
		const double high = controller->normalizedParamToPlain (parameter->id, 1.0);
		const double tolerance = 1e-9 * std::max (1.0, std::fabs (high - low));
		if (typed < std::min (low, high) - tolerance || typed > std::max (low, high) + tolerance)
		{
			error = refusal;
			return false;
		}
	}
	resolved.id = parameter->id;
	resolved.normalized = normalized;
	return true;
}

bool applyParameterSettings (PluginInstance& instance, const std::vector<ParameterSetting>& settings,
                             std::string& error)
{
	std::vector<ResolvedSetting> resolved (settings.size ());
	for (size_t i = 0; i < settings.size (); ++i)
		if (!resolveParameterSetting (instance, settings[i], resolved[i], error))
			return false;
	for (size_t i = 0; i < settings.size (); ++i)
		if (instance.automateParameter (resolved[i].id, resolved[i].normalized) != kResultOk)
		{
			error = settings[i].origin + ": the plug-in refused the value";
			return false;
		}
	return true;
}
