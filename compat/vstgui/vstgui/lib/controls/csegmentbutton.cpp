#include "csegmentbutton.h"

#include "../cdrawcontext.h"
#include "../cgraphicspath.h"

#include <cmath>

namespace VSTGUI
{

CSegmentButton::CSegmentButton (const CRect& size, IControlListener* listener, int32_t tag)
    : CControl (size, listener, tag)
{
	setWantsFocus (true);
}

CSegmentButton::CSegmentButton (const CSegmentButton& other)
    : CControl (other), segments (other.segments), gradient (other.gradient),
      gradientHighlighted (other.gradientHighlighted), style (other.style), selectionMode (other.selectionMode)
{
}

void CSegmentButton::addSegment (Segment segment, uint32_t index)
{
	if (index >= segments.size ())
		segments.push_back (std::move (segment));
	else
		segments.insert (segments.begin () + index, std::move (segment));
	updateSegmentSizes ();
	updateSelection ();
	setDirty (true);
}

void CSegmentButton::removeSegment (uint32_t index)
{
	if (index >= segments.size ())
		return;
	segments.erase (segments.begin () + index);
	updateSegmentSizes ();
	updateSelection ();
	setDirty (true);
}

void CSegmentButton::removeAllSegments ()
{
	segments.clear ();
	setDirty (true);
}

void CSegmentButton::setStyle (Style newStyle)
{
	style = newStyle;
	updateSegmentSizes ();
	setDirty (true);
}

void CSegmentButton::setSelectionMode (SelectionMode mode)
{
	selectionMode = mode;
	updateSelection ();
}

void CSegmentButton::setGradient (CGradient* newGradient)
{
	gradient = newGradient;
	setDirty (true);
}

void CSegmentButton::setGradientHighlighted (CGradient* newGradient)
{
	gradientHighlighted = newGradient;
	setDirty (true);
}

void CSegmentButton::setSelectedSegment (uint32_t index)
{
	if (index >= segments.size ())
		return;
	if (segments.size () == 1)
		setValueNormalized (0.f);
	else
		setValueNormalized (static_cast<float> (index) / static_cast<float> (segments.size () - 1));
}

uint32_t CSegmentButton::getSelectedSegment () const
{
	if (segments.empty ())
		return kPushBack;
	return static_cast<uint32_t> (std::lround (getValueNormalized () * static_cast<float> (segments.size () - 1)));
}

void CSegmentButton::setValue (float val)
{
	CControl::setValue (val);
	updateSelection ();
}

void CSegmentButton::setViewSize (const CRect& rect, bool doInvalid)
{
	CControl::setViewSize (rect, doInvalid);
	updateSegmentSizes ();
}

void CSegmentButton::updateSegmentSizes ()
{
	if (segments.empty ())
		return;
	bool horizontal = style == Style::kHorizontal || style == Style::kHorizontalInverse;
	bool inverse = style == Style::kHorizontalInverse || style == Style::kVerticalInverse;
	const CRect& v = getViewSize ();
	CCoord length = (horizontal ? v.getWidth () : v.getHeight ()) / static_cast<CCoord> (segments.size ());
	for (size_t i = 0; i < segments.size (); ++i)
	{
		size_t slot = inverse ? segments.size () - 1 - i : i;
		CRect r (v);
		if (horizontal)
		{
			r.left = v.left + length * static_cast<CCoord> (slot);
			r.right = r.left + length;
		}
		else
		{
			r.top = v.top + length * static_cast<CCoord> (slot);
			r.bottom = r.top + length;
		}
		segments[i].rect = r;
	}
}

void CSegmentButton::updateSelection ()
{
	uint32_t selected = getSelectedSegment ();
	for (uint32_t i = 0; i < segments.size (); ++i)
		segments[i].selected = i == selected;
}

void CSegmentButton::draw (CDrawContext* pContext)
{
	// Segment gradients only (text, icons and bitmaps are not rendered by this stand-in).
	for (auto& segment : segments)
	{
		CGradient* fill = segment.selected ? gradientHighlighted : gradient;
		if (!fill)
			continue;
		auto path = owned (pContext->createGraphicsPath ());
		if (!path)
			continue;
		path->addRect (segment.rect);
		pContext->fillLinearGradient (path, *fill, segment.rect.getTopLeft (), segment.rect.getBottomLeft ());
	}
	setDirty (false);
}

void CSegmentButton::onMouseDownEvent (MouseDownEvent& event)
{
	if (!event.buttonState.isLeft ())
		return;
	event.consumed = true;
	for (uint32_t i = 0; i < segments.size (); ++i)
	{
		if (!segments[i].rect.pointInside (event.mousePosition))
			continue;
		if (i == getSelectedSegment ())
			break;
		beginEdit ();
		setSelectedSegment (i);
		valueChanged ();
		endEdit ();
		invalid ();
		break;
	}
	event.ignoreFollowUpMoveAndUpEvents (true);
}

void CSegmentButton::onMouseUpEvent (MouseUpEvent& event)
{
	event.consumed = true;
}

void CSegmentButton::onKeyboardEvent (KeyboardEvent& event)
{
	if (event.type != EventType::KeyDown || !event.modifiers.empty () || segments.empty ())
		return;
	uint32_t selected = getSelectedSegment ();
	uint32_t next = selected;
	if ((event.virt == VirtualKey::Left || event.virt == VirtualKey::Up) && selected > 0)
		next = selected - 1;
	else if ((event.virt == VirtualKey::Right || event.virt == VirtualKey::Down) && selected + 1 < segments.size ())
		next = selected + 1;
	else if (event.virt != VirtualKey::Left && event.virt != VirtualKey::Right && event.virt != VirtualKey::Up &&
	         event.virt != VirtualKey::Down)
		return;
	event.consumed = true;
	if (next == selected)
		return;
	beginEdit ();
	setSelectedSegment (next);
	valueChanged ();
	endEdit ();
	invalid ();
}

} // namespace VSTGUI
