// Renders the editor's artwork into one PNG for looking at it: first the documents placed as the
// editor shows them at its default size, then every document on its own, all at twice their
// size, drawn through the editor's own drawing routine on a grey ground.
//
//   artwork_contact_sheet [output.png]      (default: artwork-contact-sheet.png in the build tree)

#include "artwork/ArtworkRender.h"
#include "artwork/ArtworkTable.h"
#include "editor/artwork/Artwork.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

using VSTGUI::CColor;
using VSTGUI::CGraphicsTransform;
using VSTGUI::CRect;

namespace
{
constexpr double kScale = 2.0;
constexpr double kPad = 24.0;
constexpr double kSheetWidth = 2200.0;
const CColor kGround (72, 72, 82);

struct Placed
{
	const char* document;
	CRect rect; // at the default editor size, 200 × 336
	bool stretch;
};

// The rectangles every view takes at the default editor size (the editor's layout table).
const std::vector<Placed>& editorAtDefaultSize ()
{
	static const std::vector<Placed> views = {
	    {backgroundSvg, CRect (0, 0, 200, 336), true},
	    {panelSvg, CRect (0, 0, 200, 336), false},
	    {bypassOffSvg, CRect (10.08, 286.76, 189.92, 325.92), false},
	    {offsetTrackSvg, CRect (19.56, 218.28, 180.44, 258.71), false},
	    {offsetCaptionSvg, CRect (20.88, 260.03, 179.12, 270.59), false},
	    {durationCaptionSvg, CRect (22.63, 190.62, 177.37, 215.21), false},
	    {durationKnobSvg, CRect (36.03, 77.48, 163.97, 205.41), false},
	    {mixCaptionSvg, CRect (145.61, 53.79, 179.24, 63.40), false},
	    {syncCaptionSvg, CRect (20.76, 53.79, 54.39, 63.40), false},
	    {noteSyncSvgs[4], CRect (19.56, 19.56, 55.59, 46.58), false},
	    {versionSvg, CRect (167.57, 267.62, 180.44, 271.91), false},
	};
	return views;
}

CRect scaled (const CRect& r, double originX, double originY)
{
	return CRect (originX + r.left * kScale, originY + r.top * kScale, originX + r.right * kScale,
	              originY + r.bottom * kScale);
}

// The editor with every control at half its range: Mix pointing up, the Duration bead at the
// top of its arc, the Offset handle in the middle.
void drawEditor (ArtworkCanvas& sheet, double x, double y)
{
	for (const auto& view : editorAtDefaultSize ())
		sheet.draw (view.document, scaled (view.rect, x, y), view.stretch);

	const double a = 270.0 * M_PI / 180.0;
	sheet.draw (mixKnobSvg, scaled (CRect (144.41, 19.56, 180.44, 46.58), x, y), false,
	            CGraphicsTransform (std::cos (a), -std::sin (a), std::sin (a), std::cos (a), 0, 0));

	const CRect slider = scaled (CRect (19.56, 218.28, 180.44, 258.71), x, y);
	const double side = slider.getHeight ();
	const double cx = (slider.left + slider.right) / 2, cy = (slider.top + slider.bottom) / 2;
	sheet.draw (offsetHandleSvg, CRect (cx - side / 2, cy - side / 2, cx + side / 2, cy + side / 2), false);

	const CRect knob = scaled (CRect (36.03, 77.48, 163.97, 205.41), x, y);
	const double dot = 0.08 * knob.getWidth ();
	const double orbit = 0.67 * knob.getWidth () / 2;
	const double kx = (knob.left + knob.right) / 2, ky = (knob.top + knob.bottom) / 2 - orbit;
	sheet.draw (durationDotSvg, CRect (kx - dot / 2, ky - dot / 2, kx + dot / 2, ky + dot / 2), false);
}
} // namespace

int main (int argc, char** argv)
{
	const std::string output = argc > 1 ? argv[1] : ARTWORK_CONTACT_SHEET_DEFAULT;

	// The editor picture and the panel (the tallest document) open the sheet; the smaller documents
	// fill the column right of the panel while they fit beside it, the rest go in rows below.
	struct Cell
	{
		const ArtworkDocument* document;
		CRect rect;
	};
	std::vector<Cell> cells;
	const ArtworkDocument& panel = artworkDocument ("panel.svg");
	const double panelLeft = kPad + 200 * kScale + kPad;
	cells.push_back (
	    {&panel, CRect (panelLeft, kPad, panelLeft + panel.widthPx * kScale, kPad + panel.heightPx * kScale)});
	const double sideLeft = cells.back ().rect.right + kPad;
	const double sideBottom = cells.back ().rect.bottom;
	double sideX = sideLeft, sideY = kPad, sideRow = 0;
	double x = kPad, y = sideBottom + kPad, rowHeight = 0;
	for (const auto& document : artworkDocuments ())
	{
		if (&document == &panel)
			continue;
		const double w = document.widthPx * kScale, h = document.heightPx * kScale;
		if (sideX + w + kPad > kSheetWidth && sideX > sideLeft)
		{
			sideX = sideLeft;
			sideY += sideRow + kPad;
			sideRow = 0;
		}
		if (sideX + w + kPad <= kSheetWidth && sideY + h <= sideBottom)
		{
			cells.push_back ({&document, CRect (sideX, sideY, sideX + w, sideY + h)});
			sideX += w + kPad;
			sideRow = std::max (sideRow, h);
			continue;
		}
		if (x + w + kPad > kSheetWidth && x > kPad)
		{
			x = kPad;
			y += rowHeight + kPad;
			rowHeight = 0;
		}
		cells.push_back ({&document, CRect (x, y, x + w, y + h)});
		x += w + kPad;
		rowHeight = std::max (rowHeight, h);
	}
	const int height = static_cast<int> (std::ceil (y + rowHeight + kPad));

	ArtworkCanvas sheet (static_cast<int> (kSheetWidth), height);
	if (!sheet.valid ())
	{
		std::fprintf (stderr, "cannot make a %d x %d canvas\n", static_cast<int> (kSheetWidth), height);
		return 1;
	}
	sheet.fill (CRect (0, 0, kSheetWidth, height), kGround);
	drawEditor (sheet, kPad, kPad);
	for (const auto& cell : cells)
	{
		// The background is the one document the editor stretches.
		const bool stretch = std::string (cell.document->name) == "backgroundSvg";
		if (!sheet.draw (cell.document->text, cell.rect, stretch))
		{
			std::fprintf (stderr, "%s does not parse\n", cell.document->name);
			return 1;
		}
	}
	if (!sheet.savePng (output))
	{
		std::fprintf (stderr, "cannot write %s\n", output.c_str ());
		return 1;
	}
	std::printf ("%s: %d x %d\n", output.c_str (), static_cast<int> (kSheetWidth), height);
	return 0;
}
