// The embedded constants are a line break followed by the files in editor/artwork, byte for byte, each
// ended by a NUL; the files themselves start right at their XML declaration.

#include "artwork/ArtworkTable.h"
#include "editor/artwork/Artwork.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

TEST (ArtworkEmbedding, EveryConstantIsALineBreakThenItsFileByteForByte)
{
	ASSERT_EQ (artworkDocuments ().size (), 23u);
	for (const auto& document : artworkDocuments ())
	{
		SCOPED_TRACE (document.name);
		const std::string file = readArtworkFile (document.file);
		ASSERT_FALSE (file.empty ());
		// strlen stops at the terminating NUL: the constant is the line break, the file, then the NUL.
		ASSERT_EQ (std::strlen (document.text), file.size () + 1);
		EXPECT_EQ (document.text[0], '\n');
		EXPECT_EQ (std::memcmp (document.text + 1, file.data (), file.size ()), 0);
	}
}

TEST (ArtworkEmbedding, EveryFileStartsAtItsXmlDeclaration)
{
	// Strict XML readers (librsvg, browsers, Inkscape) refuse a document with anything before the declaration.
	const std::string declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n";
	for (const auto& document : artworkDocuments ())
	{
		SCOPED_TRACE (document.file);
		EXPECT_EQ (readArtworkFile (document.file).compare (0, declaration.size (), declaration), 0);
	}
}

TEST (ArtworkEmbedding, EveryDocumentIsItsOwnConstant)
{
	std::set<const char*> addresses;
	std::set<std::string> texts;
	for (const auto& document : artworkDocuments ())
	{
		addresses.insert (document.text);
		texts.insert (document.text);
	}
	EXPECT_EQ (addresses.size (), 23u);
	EXPECT_EQ (texts.size (), 23u);
}

TEST (ArtworkEmbedding, NoteSyncListFollowsTheNoteLengthOrder)
{
	const char* const files[] = {"noteSync4_1.svg",  "noteSync2_1.svg",  "noteSync1_1.svg",
	                             "noteSync1_2.svg",  "noteSync1_4.svg",  "noteSync1_8.svg",
	                             "noteSync1_16.svg", "noteSync1_32.svg", "noteSync1_64.svg"};
	ASSERT_EQ (noteSyncSvgs.size (), 9u);
	for (size_t k = 0; k < noteSyncSvgs.size (); ++k)
	{
		SCOPED_TRACE (files[k]);
		EXPECT_EQ (std::string (noteSyncSvgs[k]), "\n" + readArtworkFile (files[k]));
	}
}

TEST (ArtworkEmbedding, NoteSyncEntryKShowsNoteValueK)
{
	// The generator names the lettering group after the value it spells.
	const char* const values[] = {"4_1", "2_1", "1_1", "1_2", "1_4", "1_8", "1_16", "1_32", "1_64"};
	for (size_t k = 0; k < noteSyncSvgs.size (); ++k)
	{
		SCOPED_TRACE (values[k]);
		const std::string text (noteSyncSvgs[k]);
		EXPECT_NE (text.find (std::string ("<g id=\"noteValue") + values[k] + "\""), std::string::npos);
		EXPECT_EQ (text.find ("noteValue", text.find ("noteValue") + 1), std::string::npos);
	}
	// The Note Sync default, "1/4", is entry 4.
	EXPECT_NE (std::string (noteSyncSvgs[4]).find ("id=\"noteValue1_4\""), std::string::npos);
}
