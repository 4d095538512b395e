// A transparent offscreen canvas that artwork documents are drawn into through the editor's own
// drawing routine, read back pixel by pixel or saved as PNG (artwork tests and contact sheet).
#pragma once

#include "vstgui/lib/ccolor.h"
#include "vstgui/lib/cgraphicstransform.h"
#include "vstgui/lib/coffscreencontext.h"
#include "vstgui/lib/crect.h"

#include <string>

struct StraightPixel
{
	int r = 0, g = 0, b = 0, a = 0; // colour without premultiplication, alpha 0-255
};

class ArtworkCanvas
{
public:
	// width × height view units at one device pixel per unit.
	ArtworkCanvas (int width, int height);

	bool valid () const { return context != nullptr; }
	int width () const { return canvasWidth; }
	int height () const { return canvasHeight; }

	// Parses a private copy of the NUL-terminated document (units "px", 96 dots per inch) and draws
	// it into rect as a view would; false when the document does not parse.
	bool draw (const char* document, const VSTGUI::CRect& rect, bool stretch,
	           const VSTGUI::CGraphicsTransform& transform = VSTGUI::CGraphicsTransform ());
	void fill (const VSTGUI::CRect& rect, const VSTGUI::CColor& colour);

	// The pixel whose top-left corner is (x, y); all zero outside the canvas.
	StraightPixel pixel (int x, int y) const;
	bool savePng (const std::string& path) const;

private:
	int canvasWidth;
	int canvasHeight;
	VSTGUI::SharedPointer<VSTGUI::COffscreenContext> context;
};
