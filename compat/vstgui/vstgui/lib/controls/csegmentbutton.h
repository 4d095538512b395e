// CSegmentButton: a row (or column) of named segments; the value selects one segment.
#pragma once

#include "../cbitmap.h"
#include "../cgradient.h"
#include "../cstring.h"
#include "ccontrol.h"

#include <limits>
#include <vector>

namespace VSTGUI
{

class CSegmentButton : public CControl
{
public:
	enum class Style
	{
		kHorizontal,
		kVertical,
		kHorizontalInverse,
		kVerticalInverse
	};

	enum class SelectionMode
	{
		kSingle,
		kSingleToggle,
		kMultiple
	};

	struct Segment
	{
		mutable UTF8String name;
		mutable SharedPointer<CBitmap> icon;
		mutable SharedPointer<CBitmap> iconHighlighted;
		mutable SharedPointer<CBitmap> background;
		mutable SharedPointer<CBitmap> backgroundHighlighted;
		CRect rect;
		bool selected{false};
	};
	using Segments = std::vector<Segment>;

	static constexpr uint32_t kPushBack = std::numeric_limits<uint32_t>::max ();

	CSegmentButton (const CRect& size, IControlListener* listener = nullptr, int32_t tag = -1);
	CSegmentButton (const CSegmentButton& other);

	void addSegment (Segment segment, uint32_t index = kPushBack);
	void removeSegment (uint32_t index);
	void removeAllSegments ();
	const Segments& getSegments () const { return segments; }

	void setStyle (Style newStyle);
	Style getStyle () const { return style; }
	void setSelectionMode (SelectionMode mode);
	SelectionMode getSelectionMode () const { return selectionMode; }

	void setGradient (CGradient* newGradient);
	CGradient* getGradient () const { return gradient; }
	void setGradientHighlighted (CGradient* newGradient);
	CGradient* getGradientHighlighted () const { return gradientHighlighted; }

	void setSelectedSegment (uint32_t index);
	uint32_t getSelectedSegment () const;

	void setValue (float val) override;
	void setViewSize (const CRect& rect, bool invalid = true) override;
	void draw (CDrawContext* pContext) override;
	void onMouseDownEvent (MouseDownEvent& event) override;
	void onMouseUpEvent (MouseUpEvent& event) override;
	void onKeyboardEvent (KeyboardEvent& event) override;

	CLASS_METHODS (CSegmentButton, CControl)

protected:
	~CSegmentButton () noexcept override = default;

private:
	void updateSegmentSizes ();
	void updateSelection ();

	Segments segments;
	SharedPointer<CGradient> gradient;
	SharedPointer<CGradient> gradientHighlighted;
	Style style{Style::kHorizontal};
	SelectionMode selectionMode{SelectionMode::kSingle};
};

} // namespace VSTGUI
