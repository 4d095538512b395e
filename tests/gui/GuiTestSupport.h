// Shared helpers of the GUI library tests: an offscreen frame, a recording control listener and views that
// paint solid colours, so that tests can assert exact pixels.
#pragma once

#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/ccontrol.h"
#include "vstgui/lib/platform/offscreen/offscreenframe.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace GuiTest
{

using namespace VSTGUI;

// Logs every listener call as one line: "begin 7", "value 7 0.25", "end 7", "tagWill 7", "tagDid 8".
struct RecordingListener : IControlListener
{
	std::vector<std::string> calls;

	void valueChanged (CControl* c) override
	{
		std::ostringstream s;
		s << "value " << c->getTag () << " " << c->getValue ();
		calls.push_back (s.str ());
	}
	void controlBeginEdit (CControl* c) override { calls.push_back ("begin " + std::to_string (c->getTag ())); }
	void controlEndEdit (CControl* c) override { calls.push_back ("end " + std::to_string (c->getTag ())); }
	void controlTagWillChange (CControl* c) override { calls.push_back ("tagWill " + std::to_string (c->getTag ())); }
	void controlTagDidChange (CControl* c) override { calls.push_back ("tagDid " + std::to_string (c->getTag ())); }

	std::vector<std::string> take () { return std::exchange (calls, {}); }
};

// Fills its whole rectangle with one colour.
struct SolidView : CView
{
	CColor color;
	int draws = 0;

	SolidView (const CRect& r, CColor c) : CView (r), color (c) {}
	void draw (CDrawContext* context) override
	{
		++draws;
		context->setDrawMode (kAliasing);
		context->setFillColor (color);
		context->drawRect (getViewSize (), kDrawFilled);
		setDirty (false);
	}
};

// An editor interface with a chosen knob mode that can refuse size changes and records them.
struct TestEditor : VSTGUIEditorInterface
{
	int32_t knobMode = -1;
	bool allowResize = true;
	std::vector<CRect> sizeRequests;

	int32_t getKnobMode () const override { return knobMode; }
	bool beforeSizeChange (const CRect& newSize, const CRect& oldSize) override
	{
		sizeRequests.push_back (newSize);
		return allowResize;
	}
};

// A frame opened offscreen; the frame is closed (and so released) when the fixture ends.
struct OffscreenFrame
{
	CFrame* frame;

	explicit OffscreenFrame (const CRect& size, VSTGUIEditorInterface* editor = nullptr)
	    : frame (new CFrame (size, editor))
	{
	}
	~OffscreenFrame ()
	{
		if (frame)
			frame->close ();
	}
	bool open () { return frame->open (nullptr); }
	OffscreenPlatformFrame& platform ()
	{
		return *dynamic_cast<OffscreenPlatformFrame*> (frame->getPlatformFrame ().get ());
	}
};

inline std::string describe (const CRect& r)
{
	std::ostringstream s;
	s << r.left << "," << r.top << "," << r.right << "," << r.bottom;
	return s.str ();
}

inline std::vector<std::string> describe (const std::vector<CRect>& rects)
{
	std::vector<std::string> result;
	for (auto& r : rects)
		result.push_back (describe (r));
	return result;
}

} // namespace GuiTest
