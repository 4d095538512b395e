// A rotary control drawn as a fixed SVG body with an SVG dot travelling on a circle from a start to an end
// angle as the value goes from its minimum to its maximum.
#pragma once

#include "ParsedSvg.h"

#include "vstgui/lib/controls/cknob.h"

struct Knob : VSTGUI::CKnobBase
{
	/** `dotSize`: the dot's width and height as fractions of the view's; `dotOrbit`: the radius of the dot's
	    circle as a fraction of half the view's width; angles in degrees, clockwise on screen. */
	Knob (const VSTGUI::CRect& rect, VSTGUI::IControlListener* listener, int32_t tag, float dotSize, float dotOrbit,
	      float startDegrees, float endDegrees, const char* bodyDocument, const char* dotDocument);
	/** The copy parses its own images, so either knob may be destroyed first. */
	Knob (const Knob& other) = default;

	/** Draws nothing while the minimum equals the maximum: the dot would have no position. */
	void draw (VSTGUI::CDrawContext* context) override;
	VSTGUI::CView* newCopy () const override { return new Knob (*this); }

	/** The rectangle in which `draw` shows the dot for the current value. */
	VSTGUI::CRect dotRect () const;

	float dotSize;
	float dotOrbit;
	ParsedSvg bodySvg;
	ParsedSvg dotSvg;

protected:
	~Knob () noexcept override = default;
};
