// The twenty-three artwork documents with the sizes the editor's layout relies on, and access
// to their source files, shared by the artwork tests and the contact sheet.
#pragma once

#include <string>
#include <vector>

struct ArtworkDocument
{
	const char* name; // constant name, or "noteSyncSvgs[k]"
	const char* file; // file name in editor/artwork
	const char* text; // the embedded constant
	const char* widthMm;
	const char* heightMm;
	const char* viewBox;
	double widthPx; // at 96 dots per inch, to two decimals
	double heightPx;
	double ratio; // height ÷ width, to four decimals
};

// Every document once; the Note Sync frames in list order, "4/1" first.
const std::vector<ArtworkDocument>& artworkDocuments ();

// Looks a document up by its file name; aborts the test binary on an unknown name.
const ArtworkDocument& artworkDocument (const std::string& file);

// The file's bytes as stored in editor/artwork; empty when it cannot be read.
std::string readArtworkFile (const std::string& file);
