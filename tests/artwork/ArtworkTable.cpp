#include "artwork/ArtworkTable.h"

#include "editor/artwork/Artwork.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace
{
constexpr const char* kNoteSyncWidth = "19.064453";
constexpr const char* kNoteSyncHeight = "16.760429";
constexpr const char* kNoteSyncViewBox = "0 0 19.064453 16.760429";

ArtworkDocument noteSync (int index, const char* file)
{
	static const char* const names[] = {"noteSyncSvgs[0]", "noteSyncSvgs[1]", "noteSyncSvgs[2]",
	                                    "noteSyncSvgs[3]", "noteSyncSvgs[4]", "noteSyncSvgs[5]",
	                                    "noteSyncSvgs[6]", "noteSyncSvgs[7]", "noteSyncSvgs[8]"};
	return {names[index], file,  noteSyncSvgs[index], kNoteSyncWidth, kNoteSyncHeight, kNoteSyncViewBox, 72.05,
	        63.35,        0.8791};
}
} // namespace

const std::vector<ArtworkDocument>& artworkDocuments ()
{
	static const std::vector<ArtworkDocument> documents = {
	    {"backgroundSvg", "background.svg", backgroundSvg, "38.67495", "38.379723", "0 0 38.67495 38.379723", 146.17,
	     145.06, 0.9924},
	    {"panelSvg", "panel.svg", panelSvg, "122.21889", "205.15402", "0 0 122.21892 205.15402", 461.93, 775.39,
	     1.6786},
	    noteSync (0, "noteSync4_1.svg"),
	    noteSync (1, "noteSync2_1.svg"),
	    noteSync (2, "noteSync1_1.svg"),
	    noteSync (3, "noteSync1_2.svg"),
	    noteSync (4, "noteSync1_4.svg"),
	    noteSync (5, "noteSync1_8.svg"),
	    noteSync (6, "noteSync1_16.svg"),
	    noteSync (7, "noteSync1_32.svg"),
	    noteSync (8, "noteSync1_64.svg"),
	    {"syncCaptionSvg", "syncCaption.svg", syncCaptionSvg, "18.551413", "6.8190575", "0 0 18.551413 6.8190575",
	     70.12, 25.77, 0.3676},
	    {"mixKnobSvg", "mixKnob.svg", mixKnobSvg, "19.632814", "19.632814", "0 0 19.632814 19.632814", 74.20, 74.20,
	     1.0},
	    {"mixCaptionSvg", "mixCaption.svg", mixCaptionSvg, "13.995081", "6.8160005", "0 0 13.995081 6.8160005", 52.89,
	     25.76, 0.4870},
	    {"bypassOffSvg", "bypassOff.svg", bypassOffSvg, "107.30665", "23.537107", "0 0 107.30665 23.537107", 405.57,
	     88.96, 0.2193},
	    {"bypassOnSvg", "bypassOn.svg", bypassOnSvg, "107.30665", "23.537107", "0 0 107.30665 23.537107", 405.57, 88.96,
	     0.2193},
	    {"offsetTrackSvg", "offsetTrack.svg", offsetTrackSvg, "78.978622", "19.912922", "0 0 78.978623 19.912921",
	     298.50, 75.26, 0.2521},
	    {"offsetHandleSvg", "offsetHandle.svg", offsetHandleSvg, "19.945686", "19.945686", "0 0 19.945686 19.945686",
	     75.39, 75.39, 1.0},
	    {"offsetCaptionSvg", "offsetCaption.svg", offsetCaptionSvg, "21.771471", "5.4790659", "0 0 21.771471 5.479066",
	     82.29, 20.71, 0.2517},
	    {"durationCaptionSvg", "durationCaption.svg", durationCaptionSvg, "60.415302", "10.153839",
	     "0 0 60.415302 10.153839", 228.34, 38.38, 0.1681},
	    {"durationKnobSvg", "durationKnob.svg", durationKnobSvg, "85.361717", "85.361717", "0 0 85.361717 85.361718",
	     322.63, 322.63, 1.0},
	    {"durationDotSvg", "durationDot.svg", durationDotSvg, "6.5375209", "6.5375862", "0 0 6.5375209 6.5375862",
	     24.71, 24.71, 1.0},
	    {"versionSvg", "version.svg", versionSvg, "228.07793", "71.119949", "0 0 228.07793 71.119949", 862.03, 268.80,
	     0.3118},
	};
	return documents;
}

const ArtworkDocument& artworkDocument (const std::string& file)
{
	for (const auto& document : artworkDocuments ())
		if (file == document.file)
			return document;
	std::fprintf (stderr, "no artwork document %s\n", file.c_str ());
	std::abort ();
}

std::string readArtworkFile (const std::string& file)
{
	std::ifstream in (std::string (QUORVANE_SOURCE_DIR) + "/editor/artwork/" + file, std::ios::binary);
	std::ostringstream bytes;
	bytes << in.rdbuf ();
	return bytes.str ();
}
