// A list-valued control drawn as one SVG frame per value; edited like a knob.
#pragma once

#include "ParsedSvg.h"

#include "vstgui/lib/controls/cknob.h"

#include <initializer_list>
#include <vector>

struct Spinner : VSTGUI::CKnobBase
{
	/** One frame per document, in the given order; frame k is drawn for the k-th of n equal bins of the
	    normalized value. */
	Spinner (const VSTGUI::CRect& rect, VSTGUI::IControlListener* listener, int32_t tag,
	         std::initializer_list<const char*> documents);
	/** The copy parses its own frames, so either spinner may be destroyed first. */
	Spinner (const Spinner& other) = default;

	void draw (VSTGUI::CDrawContext* context) override;
	VSTGUI::CView* newCopy () const override { return new Spinner (*this); }

	/** The frame that `draw` shows for the current value. */
	size_t frameIndex () const;

	std::vector<ParsedSvg> frames;

protected:
	~Spinner () noexcept override = default;
};
