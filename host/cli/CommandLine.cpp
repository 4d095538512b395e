#include "host/cli/CommandLine.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <sstream>

bool CommandLine::parse (const std::vector<std::string>& args, const std::vector<Option>& known, std::string& error)
{
	values.clear ();
	repeatedValues.clear ();
	positional.clear ();
	bool optionsEnded = false;
	for (size_t i = 0; i < args.size (); ++i)
	{
		const std::string& arg = args[i];
		if (optionsEnded || arg.size () < 2 || arg.compare (0, 2, "--") != 0)
		{
			// A lone "-" is a positional too (conventionally standard input), and we take none.
			if (!optionsEnded && arg.size () > 1 && arg[0] == '-' &&
			    !std::isdigit (static_cast<unsigned char> (arg[1])))
			{
				error = "unknown option '" + arg + "'";
				return false;
			}
			positional.push_back (arg);
			continue;
		}
		if (arg == "--")
		{
			optionsEnded = true;
			continue;
		}

		std::string name = arg.substr (2);
		std::optional<std::string> inlineValue;
		if (auto equals = name.find ('='); equals != std::string::npos)
		{
			inlineValue = name.substr (equals + 1);
			name.resize (equals);
		}
		const Option* option = nullptr;
		for (const auto& candidate : known)
			if (candidate.name == name)
				option = &candidate;
		if (!option)
		{
			error = "unknown option '--" + name + "'";
			return false;
		}
		if (!option->takesValue)
		{
			if (inlineValue)
			{
				error = "option '--" + name + "' takes no value";
				return false;
			}
			values[name] = "";
			continue;
		}
		if (inlineValue)
			values[name] = *inlineValue;
		else if (i + 1 < args.size ())
			values[name] = args[++i];
		else
		{
			error = "option '--" + name + "' needs a value";
			return false;
		}
		if (option->repeatable)
			repeatedValues[name].push_back (values[name]);
	}
	return true;
}

std::optional<std::string> CommandLine::value (const std::string& name) const
{
	auto it = values.find (name);
	if (it == values.end ())
		return std::nullopt;
	return it->second;
}

std::vector<std::string> CommandLine::all (const std::string& name) const
{
	auto it = repeatedValues.find (name);
	return it == repeatedValues.end () ? std::vector<std::string> () : it->second;
}

bool CommandLine::parseNumber (const std::string& text, double& result)
{
	if (text.empty () || std::isspace (static_cast<unsigned char> (text.front ())))
		return false;
	errno = 0;
	char* end = nullptr;
	const double parsed = std::strtod (text.c_str (), &end);
	if (end != text.c_str () + text.size () || errno == ERANGE || !std::isfinite (parsed))
		return false;
	result = parsed;
	return true;
}

bool CommandLine::number (const std::string& name, double min, double max, double defaultValue, double& result,
                          std::string& error) const
{
	auto text = value (name);
	if (!text)
	{
		result = defaultValue;
		return true;
	}
	double parsed = 0.0;
	if (!parseNumber (*text, parsed) || parsed < min || parsed > max)
	{
		std::ostringstream message;
		message << "--" << name << " must be a number from " << min << " to " << max << ", not '" << *text << "'";
		error = message.str ();
		return false;
	}
	result = parsed;
	return true;
}
