// The edit gestures the host receives from the editor's wheel, click and drag input, as VSTGUI 4.14 sends them:
// a burst of wheel notches is one gesture that a timer ends half a second after the last notch, and the Offset
// slider takes its value from its handle's centre. The values are those of the editor at its default size.

#include "editor/EditorTestSupport.h"

#include "plugin/ids.h"
#include "vstgui/lib/platform/offscreen/offscreentimer.h"

#include <string>
#include <tuple>
#include <vector>

using namespace VSTGUI;
using Calls = std::vector<std::string>;

namespace
{

struct Step
{
	enum Kind
	{
		Wheel,
		Down,
		Move,
		Up,
		Wait,
		Expect
	};
	Kind kind;
	// Wheel: the wheel's deltas; mouse steps: the offset from the control's centre in whole pixels; Wait: the
	// milliseconds in x.
	CPoint at;
	Modifiers modifiers;
	// Expect: what the host has received so far
	Calls calls;
};

Step wheel (double dx, double dy)
{
	return {Step::Wheel, CPoint (dx, dy), {}, {}};
}
Step down (double dx, Modifiers m = {})
{
	return {Step::Down, CPoint (dx, 0.), m, {}};
}
Step move (double dx, double dy, Modifiers m = {})
{
	return {Step::Move, CPoint (dx, dy), m, {}};
}
Step up (double dx, double dy = 0., Modifiers m = {})
{
	return {Step::Up, CPoint (dx, dy), m, {}};
}
Step wait (uint32_t ms)
{
	return {Step::Wait, CPoint (ms, 0.), {}, {}};
}
Step expect (Calls calls)
{
	return {Step::Expect, {}, {}, std::move (calls)};
}

std::string B (Steinberg::Vst::ParamID id)
{
	return "beginEdit " + std::to_string (id);
}
std::string P (Steinberg::Vst::ParamID id, const char* value)
{
	return "performEdit " + std::to_string (id) + " " + value;
}
std::string E (Steinberg::Vst::ParamID id)
{
	return "endEdit " + std::to_string (id);
}

class EditorGestures : public OpenEditorTest
{
protected:
	void SetUp () override
	{
		OpenEditorTest::SetUp ();
		open ();
	}
};

} // namespace

TEST_F (EditorGestures, WheelClickAndDragSendTheGesturesOfTheRealLibrary)
{
	const Modifiers shift (ModifierKey::Shift);
	struct Case
	{
		const char* name;
		MainChild control;
		Steinberg::Vst::ParamID id;
		double start;
		std::vector<Step> steps;
	};
	std::vector<Case> cases;
	// Two quick notches are one gesture; its end comes from a timer 500 ms after the last notch. A notch moves the
	// spinner by one entry of its list.
	for (auto [control, id, first, second] :
	     {std::tuple (kDurationKnob, kDurationId, "0.600000", "0.500000"),
	      std::tuple (kMixKnob, kMixId, "0.600000", "0.500000"),
	      std::tuple (kNoteSyncSpinner, kNoteSyncId, "0.625000", "0.500000")})
	{
		cases.push_back ({"two quick notches",
		                  control,
		                  id,
		                  0.5,
		                  {wheel (0, 1), wait (100), wheel (0, -1), wait (499),
		                   expect ({B (id), P (id, first), P (id, second)}), wait (1),
		                   expect ({B (id), P (id, first), P (id, second), E (id)})}});
		cases.push_back ({"horizontal notch", control, id, 0.5, {wheel (1, 0), wait (500), expect ({B (id), E (id)})}});
	}
	cases.push_back ({"wheel up at the maximum",
	                  kMixKnob,
	                  kMixId,
	                  1.,
	                  {wheel (0, 1), expect ({B (kMixId)}), wait (500), expect ({B (kMixId), E (kMixId)})}});

	const auto O = kOffsetId;
	cases.push_back (
	    {"vertical wheel on the horizontal slider", kOffsetSlider, O, 0.5, {wheel (0, 1), wait (500), expect ({})}});
	cases.push_back ({"wheel right lowers the slider",
	                  kOffsetSlider,
	                  O,
	                  0.5,
	                  {wheel (1, 0), wait (500), expect ({B (O), P (O, "0.400000"), E (O)})}});
	cases.push_back ({"wheel left raises it",
	                  kOffsetSlider,
	                  O,
	                  0.5,
	                  {wheel (-1, 0), wait (500), expect ({B (O), P (O, "0.600000"), E (O)})}});
	// The drawn handle's centre (at 0.5 the view's centre) maps to the base's handle centre less one pixel.
	cases.push_back ({"click on the handle, vertical drag",
	                  kOffsetSlider,
	                  O,
	                  0.5,
	                  {down (0), move (0, 15), up (0, 15), expect ({B (O), P (O, "0.507769"), E (O)})}});
	cases.push_back (
	    {"drag 50 pixels",
	     kOffsetSlider,
	     O,
	     0.5,
	     {down (0), move (50, 0), up (50), expect ({B (O), P (O, "0.507769"), P (O, "0.896235"), E (O)})}});
	// Fine adjustment: no jump at the click, a tenth of the distance from the value it started at.
	cases.push_back (
	    {"Shift-drag 50 pixels",
	     kOffsetSlider,
	     O,
	     0.5,
	     {down (0, shift), move (50, 0, shift), up (50, 0, shift), expect ({B (O), P (O, "0.539623"), E (O)})}});
	cases.push_back ({"double click",
	                  kOffsetSlider,
	                  O,
	                  0.5,
	                  {down (0), up (0), down (0), up (0),
	                   expect ({B (O), P (O, "0.507769"), E (O), B (O), P (O, "0.500000"), E (O)})}});

	for (const auto& c : cases)
	{
		SCOPED_TRACE (std::string (c.name) + " on " + std::to_string (c.id));
		// A fresh start: no wheel edit pending, no click to pair with.
		Offscreen::advanceTimers (2000);
		controller->setParamNormalized (c.id, c.start);
		handler.calls.clear ();
		const CRect r = inFrame (child (c.control));
		const CPoint centre (std::round (r.getCenter ().x), std::round (r.getCenter ().y));
		auto at = [&] (const Step& s) { return CPoint (centre.x + s.at.x, centre.y + s.at.y); };
		for (const auto& s : c.steps)
		{
			switch (s.kind)
			{
			case Step::Wheel:
				platform ()->wheel (centre, s.at.x, s.at.y);
				break;
			case Step::Down:
				platform ()->mouseDown (at (s), MouseButton::Left, s.modifiers);
				break;
			case Step::Move:
				platform ()->mouseMove (at (s), MouseButton::Left, s.modifiers);
				break;
			case Step::Up:
				platform ()->mouseUp (at (s), MouseButton::Left, s.modifiers);
				break;
			case Step::Wait:
				Offscreen::advanceTimers (static_cast<uint32_t> (s.at.x));
				break;
			case Step::Expect:
				EXPECT_EQ (handler.calls, s.calls);
				break;
			}
		}
	}
}
