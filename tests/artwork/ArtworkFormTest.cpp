// The documents' common form and the SVG subset they keep to, read from the text itself.

#include "artwork/ArtworkTable.h"
#include "artwork/SvgScan.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace
{
const std::set<std::string> kElements = {
    "svg", "defs", "g", "path", "rect", "circle", "linearGradient", "radialGradient", "stop"};
const std::string kPathCommands = "MmLlHhVvCcAaZz";
const std::set<std::string> kTransforms = {"translate", "matrix", "rotate", "scale"};

std::vector<SvgElement> elementsOf (const ArtworkDocument& document)
{
	bool complete = false;
	auto elements = scanSvgElements (document.text, &complete);
	EXPECT_TRUE (complete) << document.name;
	return elements;
}

bool isGradient (const SvgElement& e)
{
	return e.name == "linearGradient" || e.name == "radialGradient";
}

bool isShape (const SvgElement& e)
{
	return e.name == "path" || e.name == "rect" || e.name == "circle";
}
} // namespace

TEST (ArtworkForm, EveryDocumentOpensWithDeclarationCommentAndMillimetreRoot)
{
	const std::string opening = "\n<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n<!--";
	for (const auto& document : artworkDocuments ())
	{
		SCOPED_TRACE (document.name);
		const std::string text (document.text);
		EXPECT_EQ (text.compare (0, opening.size (), opening), 0);
		const auto elements = elementsOf (document);
		ASSERT_FALSE (elements.empty ());
		const SvgElement& root = elements.front ();
		EXPECT_EQ (root.name, "svg");
		EXPECT_EQ (root.get ("width"), std::string (document.widthMm) + "mm");
		EXPECT_EQ (root.get ("height"), std::string (document.heightMm) + "mm");
		EXPECT_EQ (root.get ("viewBox"), document.viewBox);
		EXPECT_EQ (root.get ("version"), "1.1");
		EXPECT_EQ (root.get ("xmlns"), "http://www.w3.org/2000/svg");
		// Only one root: everything else lies inside it.
		for (size_t i = 1; i < elements.size (); ++i)
			EXPECT_GE (elements[i].depth, 1) << elements[i].name;
	}
}

TEST (ArtworkForm, OnlyTheAllowedElementsAndPathCommandsOccur)
{
	for (const auto& document : artworkDocuments ())
	{
		SCOPED_TRACE (document.name);
		for (const auto& e : elementsOf (document))
		{
			EXPECT_TRUE (kElements.count (e.name)) << "element " << e.name;
			if (e.name == "path")
			{
				const std::string commands = pathCommands (e.get ("d"));
				ASSERT_FALSE (commands.empty ());
				EXPECT_TRUE (commands[0] == 'M' || commands[0] == 'm');
				EXPECT_EQ (commands.find_first_not_of (kPathCommands), std::string::npos) << commands;
			}
			for (const auto& f : transformFunctions (e.get ("transform")))
				EXPECT_TRUE (kTransforms.count (f)) << f;
			for (const auto& f : transformFunctions (e.get ("gradientTransform")))
				EXPECT_TRUE (kTransforms.count (f)) << f;
			// The element opacity is never used to fade anything: alpha lives in the paints.
			if (!e.style ("opacity").empty ())
			{
				EXPECT_EQ (e.style ("opacity"), "1");
			}
		}
	}
}

TEST (ArtworkForm, GradientsTakeTheirStopsFromAStopsOnlyGradientDefinedBefore)
{
	for (const auto& document : artworkDocuments ())
	{
		SCOPED_TRACE (document.name);
		const auto elements = elementsOf (document);
		std::set<std::string> stopHolders;
		std::set<std::string> usable;
		bool anyHref = false;
		for (size_t i = 0; i < elements.size (); ++i)
		{
			const SvgElement& e = elements[i];
			if (isGradient (e))
			{
				const bool holdsStops = !e.selfClosing && i + 1 < elements.size () && elements[i + 1].name == "stop";
				if (holdsStops)
				{
					EXPECT_FALSE (e.has ("xlink:href"));
					stopHolders.insert (e.get ("id"));
					continue;
				}
				anyHref = true;
				const std::string href = e.get ("xlink:href");
				ASSERT_EQ (href.substr (0, 1), "#");
				EXPECT_TRUE (stopHolders.count (href.substr (1))) << href;
				EXPECT_EQ (e.get ("gradientUnits"), "userSpaceOnUse");
				EXPECT_TRUE (e.has ("gradientTransform"));
				usable.insert (e.get ("id"));
			}
			if (isShape (e))
			{
				const std::string fill = e.style ("fill");
				if (fill.rfind ("url(#", 0) == 0)
				{
					EXPECT_TRUE (usable.count (fill.substr (5, fill.size () - 6))) << fill;
				}
			}
		}
		if (anyHref)
		{
			EXPECT_EQ (elements.front ().get ("xmlns:xlink"), "http://www.w3.org/1999/xlink");
		}
	}
}

TEST (ArtworkForm, TheSetUsesEveryListedFeature)
{
	std::set<std::string> elements;
	std::set<char> commands;
	std::set<std::string> transforms;
	int hidden = 0;
	int transparentGuides = 0;
	int strokeOnlyGuides = 0;
	int reflected = 0;
	int textElements = 0;
	for (const auto& document : artworkDocuments ())
	{
		for (const auto& e : elementsOf (document))
		{
			elements.insert (e.name);
			if (e.name == "path")
				for (char c : pathCommands (e.get ("d")))
					commands.insert (c);
			for (const auto& f : transformFunctions (e.get ("transform")))
				transforms.insert (f);
			if (e.style ("display") == "none")
				++hidden;
			if (isShape (e) && e.style ("fill-opacity") == "0")
				++transparentGuides;
			if (e.name == "rect" && e.style ("fill") == "none" && e.style ("stroke-width") == "0")
				++strokeOnlyGuides;
			if (e.name == "radialGradient" && e.get ("spreadMethod") == "reflect")
				++reflected;
			if (e.name == "text" || e.name == "font" || e.name == "image" || e.name == "clipPath" || e.name == "mask" ||
			    e.name == "filter" || e.name == "pattern" || e.name == "marker")
				++textElements;
		}
	}
	EXPECT_EQ (elements, kElements);
	for (char c : kPathCommands)
		EXPECT_TRUE (commands.count (c)) << c;
	EXPECT_EQ (transforms, kTransforms);
	EXPECT_EQ (hidden, 1);
	EXPECT_GE (transparentGuides, 2);
	EXPECT_GE (strokeOnlyGuides, 3);
	EXPECT_EQ (reflected, 1);
	EXPECT_EQ (textElements, 0);
}

TEST (ArtworkForm, CaptionsCarryTheirGuideRectangles)
{
	// Sync and Mix captions: a guide the size of the document with a pale cream stroke of width 0.
	for (const char* file : {"syncCaption.svg", "mixCaption.svg"})
	{
		SCOPED_TRACE (file);
		const auto& document = artworkDocument (file);
		int guides = 0;
		for (const auto& e : elementsOf (document))
			if (e.name == "rect" && e.style ("fill") == "none" && e.style ("stroke") == "#faf9d4" &&
			    e.style ("stroke-width") == "0" && e.get ("x") == "0" && e.get ("y") == "0")
				++guides;
		EXPECT_EQ (guides, 1);
	}
	// The mix caption's letters sit in a group scaled by the fixed factor.
	bool scaledGroup = false;
	for (const auto& e : elementsOf (artworkDocument ("mixCaption.svg")))
		if (e.name == "g" && e.get ("transform") == "scale(0.69303673)")
			scaledGroup = true;
	EXPECT_TRUE (scaledGroup);
}
