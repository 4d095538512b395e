// Parsing of a subcommand's arguments: "--name value", "--name=value" and flags, positional arguments,
// "--" ending the options; plus strict number parsing for option values.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

class CommandLine
{
public:
	struct Option
	{
		std::string name; // without the leading "--"
		bool takesValue;
		/** Every occurrence is kept (see all); otherwise the last one counts. */
		bool repeatable{false};
	};

	/** Parses args against the known options. On failure returns false with a message naming the option. */
	bool parse (const std::vector<std::string>& args, const std::vector<Option>& known, std::string& error);

	bool has (const std::string& name) const { return values.count (name) != 0; }
	std::optional<std::string> value (const std::string& name) const;
	/** Every value of a repeatable option, in command-line order. */
	std::vector<std::string> all (const std::string& name) const;
	const std::vector<std::string>& positionals () const { return positional; }

	/** The option's value as a finite number within [min, max]; the default when absent. Sets `error`
	    and returns false for anything else. */
	bool number (const std::string& name, double min, double max, double defaultValue, double& result,
	             std::string& error) const;

	/** A whole decimal or floating number with nothing after it, and finite. */
	static bool parseNumber (const std::string& text, double& result);

private:
	std::map<std::string, std::string> values;
	std::map<std::string, std::vector<std::string>> repeatedValues;
	std::vector<std::string> positional;
};
