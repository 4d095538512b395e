// A linear control drawn as a track document over the whole view and a square handle document that moves
// with the value; the base class's handle size follows the view's width so that dragging follows the
// drawn handle.
#pragma once

#include "ParsedSvg.h"

#include "vstgui/lib/controls/cslider.h"

#include <cstdint>
#include <string>

struct Slider : VSTGUI::CSlider
{
	/** `horizontal` non-zero moves the handle left and right; the handle's centre travels over
	    `handleRatio` of the view's length. */
	Slider (const VSTGUI::CRect& rect, int32_t horizontal, float handleRatio, VSTGUI::IControlListener* listener,
	        int32_t tag, std::string trackDocument, std::string handleDocument);

	void draw (VSTGUI::CDrawContext* context) override;
	/** Sets the base's handle size for the new width before the base lays out the new rectangle. */
	void setViewSize (const VSTGUI::CRect& rect, bool invalid = true) override;

	/** The rectangle in which `draw` shows the handle for the current value. */
	VSTGUI::CRect handleRect () const;

	int32_t horizontal;
	float handleRatio;
	ParsedSvg trackSvg;
	ParsedSvg handleSvg;

protected:
	~Slider () noexcept override = default;

private:
	void updateHandleSize (const VSTGUI::CRect& rect);
};
