// A plain reading of an SVG document's elements and attributes, independent of the parser under
// test, so the tests can check which elements, attributes and path commands the artwork uses.
#pragma once

#include <map>
#include <string>
#include <vector>

struct SvgElement
{
	std::string name;
	std::map<std::string, std::string> attributes;
	int depth = 0; // 0 for the root
	bool selfClosing = false;

	bool has (const std::string& attribute) const { return attributes.count (attribute) != 0; }
	std::string get (const std::string& attribute) const;
	// One property of the style attribute ("fill", "display", ...); empty when absent.
	std::string style (const std::string& property) const;
};

// Start tags in document order; declarations, comments and end tags are skipped. An element
// whose tag is malformed ends the scan; `complete` then reports false.
std::vector<SvgElement> scanSvgElements (const std::string& text, bool* complete = nullptr);

// The command letters of path data, in order ("MCCZ" for "M 0,0 C ... C ... Z").
std::string pathCommands (const std::string& d);

// Function names of a transform list ("translate", "matrix", ...).
std::vector<std::string> transformFunctions (const std::string& transform);
