// A rotary control drawn as one SVG document turned about its centre from a start to an end angle.
#pragma once

#include "ParsedSvg.h"

#include "vstgui/lib/controls/cknob.h"

#include <cstdint>

struct SpinKnob : VSTGUI::CKnobBase
{
	/** Angles in degrees, clockwise on screen; `steps` 0 turns continuously, N shows only the values k ÷ N. */
	SpinKnob (const VSTGUI::CRect& rect, VSTGUI::IControlListener* listener, int32_t tag, float startDegrees,
	          float endDegrees, const char* document, uint32_t steps);
	/** The copy parses its own image, so either knob may be destroyed first. */
	SpinKnob (const SpinKnob& other) = default;

	void draw (VSTGUI::CDrawContext* context) override;
	VSTGUI::CView* newCopy () const override { return new SpinKnob (*this); }

	/** The angle in radians at which `draw` shows the document for the current value. */
	float drawnAngle () const;

	uint32_t steps;
	ParsedSvg svg;

protected:
	~SpinKnob () noexcept override = default;
};
