// A knob, a switch and a slider in an offscreen frame, driven by synthetic mouse input: the listener's calls
// and exactly the pixels that changed.
#include "GuiTestSupport.h"

#include "vstgui/lib/controls/cbuttons.h"
#include "vstgui/lib/controls/cknob.h"
#include "vstgui/lib/controls/cslider.h"

#include <cmath>

using namespace GuiTest;

namespace
{

const CColor kTrack (40, 40, 40, 255);
const CColor kHandle (255, 255, 255, 255);
const CColor kOn (0, 255, 0, 255);
const CColor kOff (0, 0, 128, 255);

// Fills itself with a red that shows the value (0 to 200).
struct RedKnob : CKnobBase
{
	RedKnob (const CRect& r, IControlListener* l, int32_t tag) : CKnobBase (r, l, tag, nullptr) {}
	void draw (CDrawContext* context) override
	{
		context->setDrawMode (kAliasing);
		context->setFillColor (CColor (static_cast<uint8_t> (std::lround (getValueNormalized () * 200.f)), 0, 0, 255));
		context->drawRect (getViewSize (), kDrawFilled);
		setDirty (false);
	}
	CView* newCopy () const override { return new RedKnob (*this); }
};

struct Switch : COnOffButton
{
	using COnOffButton::COnOffButton;
	void draw (CDrawContext* context) override
	{
		context->setDrawMode (kAliasing);
		context->setFillColor (getValue () == getMax () ? kOn : kOff);
		context->drawRect (getViewSize (), kDrawFilled);
		setDirty (false);
	}
};

struct HandleSlider : CSlider
{
	HandleSlider (const CRect& r, IControlListener* l, int32_t tag)
	    : CSlider (r, l, tag, 0, 0, nullptr, nullptr, CPoint (0, 0), kVertical)
	{
		setHandleSizePrivate (r.getWidth (), 10);
		// as in the real library, the travel follows the handle once the size is set again
		setViewSize (r, true);
	}
	void draw (CDrawContext* context) override
	{
		context->setDrawMode (kAliasing);
		context->setFillColor (kTrack);
		context->drawRect (getViewSize (), kDrawFilled);
		context->setFillColor (kHandle);
		context->drawRect (calculateHandleRect (getValueNormalized ()), kDrawFilled);
		setDirty (false);
	}
};

using Pixels = std::vector<CColor>;

Pixels snapshot (OffscreenPlatformFrame& p)
{
	Pixels pixels;
	for (uint32_t y = 0; y < p.getPixelHeight (); ++y)
		for (uint32_t x = 0; x < p.getPixelWidth (); ++x)
			pixels.push_back (p.getPixel (x, y));
	return pixels;
}

// The bounding box of the pixels that differ, "none" when none do.
std::string changedBox (const Pixels& before, const Pixels& after, uint32_t width)
{
	int64_t left = -1, top = -1, right = -1, bottom = -1;
	for (size_t i = 0; i < before.size (); ++i)
	{
		if (before[i] == after[i])
			continue;
		int64_t x = static_cast<int64_t> (i % width), y = static_cast<int64_t> (i / width);
		left = left < 0 ? x : std::min (left, x);
		top = top < 0 ? y : std::min (top, y);
		right = std::max (right, x + 1);
		bottom = std::max (bottom, y + 1);
	}
	if (left < 0)
		return "none";
	return describe (CRect (double (left), double (top), double (right), double (bottom)));
}

struct DirtySwitch
{
	bool saved = CView::kDirtyCallAlwaysOnMainThread;
	DirtySwitch () { CView::kDirtyCallAlwaysOnMainThread = true; }
	~DirtySwitch () { CView::kDirtyCallAlwaysOnMainThread = saved; }
};

} // namespace

TEST (OffscreenRender, MouseInputChangesExactlyTheControlsItTouches)
{
	DirtySwitch immediate;
	TestEditor editor;
	editor.knobMode = kLinearMode;
	RecordingListener listener;
	OffscreenFrame f (CRect (0, 0, 120, 40), &editor);
	f.frame->setTransparency (false);
	f.frame->setBackgroundColor (CColor (10, 20, 30, 255));
	f.frame->addView (new RedKnob (CRect (0, 0, 40, 40), &listener, 1));
	f.frame->addView (new Switch (CRect (40, 0, 80, 40), &listener, 2));
	f.frame->addView (new HandleSlider (CRect (90, 0, 110, 40), &listener, 3));
	ASSERT_TRUE (f.open ());
	auto& p = f.platform ();
	p.renderAll ();
	ASSERT_EQ (p.getPixelWidth (), 120u);
	ASSERT_EQ (p.getPixelHeight (), 40u);
	EXPECT_EQ (p.getPixel (20, 20), CColor (0, 0, 0, 255));
	EXPECT_EQ (p.getPixel (60, 20), kOff);
	EXPECT_EQ (p.getPixel (85, 20), CColor (10, 20, 30, 255));
	EXPECT_EQ (p.getPixel (100, 5), kHandle);
	EXPECT_EQ (p.getPixel (100, 35), kTrack);

	struct Step
	{
		const char* what;
		std::vector<std::pair<EventType, CPoint>> input;
		std::vector<std::string> calls;
		std::vector<std::string> region;
		std::string changed;
		CPoint probe;
		CColor color;
	};
	const Step steps[] = {
	    {"drag the knob up by 20",
	     {{EventType::MouseDown, {20, 20}},
	      {EventType::MouseMove, {20, 10}},
	      {EventType::MouseMove, {20, 0}},
	      {EventType::MouseUp, {20, 0}}},
	     {"begin 1", "value 1 0.05", "value 1 0.1", "end 1"},
	     {"0,0,40,40"},
	     "0,0,40,40",
	     {39, 39},
	     CColor (20, 0, 0, 255)},
	    {"click the switch",
	     {{EventType::MouseDown, {60, 20}}, {EventType::MouseUp, {61, 21}}},
	     {"begin 2", "value 2 1", "end 2"},
	     {"40,0,80,40"},
	     "40,0,80,40",
	     {40, 0},
	     kOn},
	    {"click the slider's bottom",
	     {{EventType::MouseDown, {100, 38}}, {EventType::MouseUp, {100, 38}}},
	     {"begin 3", "value 3 1", "end 3"},
	     {"90,0,110,40"},
	     "90,0,110,40",
	     {109, 39},
	     kHandle},
	    {"press the switch and leave before releasing",
	     {{EventType::MouseDown, {60, 20}}, {EventType::MouseMove, {100, 20}}, {EventType::MouseUp, {100, 20}}},
	     {"begin 2", "end 2"},
	     {},
	     "none",
	     {60, 20},
	     kOn},
	};
	for (const auto& step : steps)
	{
		auto before = snapshot (p);
		for (auto& [type, where] : step.input)
		{
			if (type == EventType::MouseDown)
				p.mouseDown (where);
			else if (type == EventType::MouseMove)
				p.mouseMove (where, MouseButton::Left);
			else
				p.mouseUp (where);
		}
		EXPECT_EQ (listener.take (), step.calls) << step.what;
		EXPECT_EQ (describe (p.renderInvalid ()), step.region) << step.what;
		EXPECT_EQ (changedBox (before, snapshot (p), p.getPixelWidth ()), step.changed) << step.what;
		EXPECT_EQ (p.getPixel (uint32_t (step.probe.x), uint32_t (step.probe.y)), step.color) << step.what;
	}
	EXPECT_EQ (p.getPixel (100, 5), kTrack) << "the handle left the top";
}

TEST (OffscreenRender, ScaleFactorAndPNGExport)
{
	OffscreenFrame f (CRect (0, 0, 10, 5));
	f.frame->addView (new SolidView (CRect (0, 0, 5, 5), CColor (255, 0, 0, 255)));
	ASSERT_TRUE (f.open ());
	f.platform ().setScaleFactor (2.);
	f.platform ().renderAll ();
	EXPECT_EQ (f.platform ().getPixelWidth (), 20u);
	EXPECT_EQ (f.platform ().getPixel (9, 9), CColor (255, 0, 0, 255));
	EXPECT_EQ (f.platform ().getPixel (10, 0).alpha, f.frame->getBackgroundColor ().alpha);
	auto path = ::testing::TempDir () + "offscreen_frame.png";
	ASSERT_TRUE (f.platform ().writePNG (path));
	FILE* file = std::fopen (path.c_str (), "rb");
	ASSERT_NE (file, nullptr);
	unsigned char magic[8] = {};
	EXPECT_EQ (std::fread (magic, 1, 8, file), 8u);
	std::fclose (file);
	EXPECT_EQ (magic[1], 'P');
	std::remove (path.c_str ());
}
