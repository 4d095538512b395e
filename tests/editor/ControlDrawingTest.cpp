// What each control draws for its value: which document, where, at which angle; and that an image that
// failed to parse or a knob without a range draws nothing, leaves the view clean and never crashes.

#include "editor/RecordingContext.h"
#include "editor/RectNear.h"

#include "editor/Checkbox.h"
#include "editor/DuckerLayout.h"
#include "editor/Image.h"
#include "editor/Knob.h"
#include "editor/Slider.h"
#include "editor/SpinKnob.h"
#include "editor/Spinner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

using namespace VSTGUI;

namespace
{

// A 10 × 10 document filled by one rectangle of the colour (k, 0, 0): the colour tells documents apart, the
// rectangle's drawn box tells where the document went.
std::string solid (int k)
{
	char text[200];
	std::snprintf (text, sizeof (text),
	               "<svg width=\"10\" height=\"10\" viewBox=\"0 0 10 10\"><rect width=\"10\" height=\"10\" "
	               "style=\"fill:#%02x0000\"/></svg>",
	               k);
	return text;
}

// Which document a view drew (its colour), per drawSvgImage call.
std::vector<int> documentsDrawn (CView* view)
{
	RecordingContext context;
	view->setDirty (true);
	view->drawRect (&context, CRect (0, 0, 1, 1));
	EXPECT_FALSE (view->isDirty ());
	std::vector<int> drawn;
	for (const auto& image : context.images)
		drawn.push_back (image.fills.empty () ? -1 : image.fills.front ().colour.red);
	return drawn;
}

std::vector<RecordedImage> record (CView* view)
{
	RecordingContext context;
	view->draw (&context);
	return context.images;
}

const std::string d0 = solid (0), d1 = solid (1), d2 = solid (2), d3 = solid (3), d4 = solid (4), d5 = solid (5),
                  d6 = solid (6), d7 = solid (7), d8 = solid (8);
const CRect kSquare (0, 0, 128, 128);

} // namespace

TEST (SpinnerDrawing, TheNormalizedValueSelectsOneOfNEqualBins)
{
	auto nine = owned (new Spinner (kSquare, nullptr, 1,
	                                {d0.c_str (), d1.c_str (), d2.c_str (), d3.c_str (), d4.c_str (), d5.c_str (),
	                                 d6.c_str (), d7.c_str (), d8.c_str ()}));
	auto two = owned (new Spinner (kSquare, nullptr, 1, {d0.c_str (), d1.c_str ()}));
	auto one = owned (new Spinner (kSquare, nullptr, 1, {d0.c_str ()}));
	struct Case
	{
		Spinner* spinner;
		float normalized;
		int frame;
	} cases[] = {{nine, 0.f, 0},   {nine, 0.125f, 1}, {nine, 0.425f, 3}, {nine, 0.5f, 4},
	             {nine, 0.75f, 6}, {nine, 0.999f, 8}, {nine, 1.f, 8},    {two, 0.49f, 0},
	             {two, 0.5f, 1},   {two, 1.f, 1},     {one, 0.f, 0},     {one, 1.f, 0}};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (testing::Message () << c.spinner->frames.size () << " frames, value " << c.normalized);
		c.spinner->setValueNormalized (c.normalized);
		EXPECT_EQ (documentsDrawn (c.spinner), std::vector<int>{c.frame});
	}
}

TEST (SpinKnobDrawing, AnglesFollowTheValueAndTheSteps)
{
	struct Case
	{
		uint32_t steps;
		float normalized;
		float shown; // the value whose angle is drawn
	} cases[] = {{0, 0.f, 0.f},     {0, 0.5f, 0.5f}, {0, 1.f, 1.f},     {4, 0.1f, 0.f}, {4, 0.2f, 0.25f},
	             {4, 0.25f, 0.25f}, {4, 0.5f, 0.5f}, {4, 0.79f, 0.75f}, {4, 0.8f, 1.f}, {4, 0.99f, 1.f},
	             {4, 1.f, 1.f},     {1, 0.49f, 0.f}, {1, 0.5f, 1.f}};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (testing::Message () << "steps " << c.steps << ", value " << c.normalized);
		auto knob = owned (new SpinKnob (kSquare, nullptr, 1, 135.f, 405.f, d3.c_str (), c.steps));
		knob->setValueNormalized (c.normalized);
		const float angle = knob->drawnAngle ();
		EXPECT_EQ (angle, 2.3561945f + 4.712389f * c.shown);
		// The drawn rotation is that angle.
		const auto images = record (knob);
		ASSERT_EQ (images.size (), 1u);
		const auto& t = images[0].fills.at (0).transform;
		EXPECT_NEAR (std::atan2 (t.m21, t.m11), std::remainder (double (angle), 2. * M_PI), 1e-12);
		EXPECT_NEAR (t.m12, -t.m21, 1e-12);
	}
	// The editor's three marks: 135, 270 and 405 degrees.
	auto mix = owned (new SpinKnob (kSquare, nullptr, 1, 135.f, 405.f, d3.c_str (), 0));
	EXPECT_EQ (mix->getStartAngle (), 2.3561945f);
	EXPECT_EQ (mix->getRangeAngle (), 4.712389f);
	const float expected[] = {2.3561945f, 4.712389f, 7.0685835f};
	for (int i = 0; i < 3; ++i)
	{
		mix->setValueNormalized (0.5f * float (i));
		EXPECT_EQ (mix->drawnAngle (), expected[i]);
	}
}

TEST (CheckboxDrawing, TheOnDocumentOnlyAtTheMaximum)
{
	auto box = owned (new Checkbox (kSquare, nullptr, 100, d1.c_str (), d2.c_str ()));
	const int off = 1, on = 2;
	struct Case
	{
		float value;
		int shown;
	} cases[] = {{0.f, off}, {1.f, on}, {0.5f, off}, {0.99999994f, off}};
	for (const auto& c : cases)
	{
		SCOPED_TRACE (c.value);
		box->setValue (c.value);
		EXPECT_EQ (documentsDrawn (box), std::vector<int>{c.shown});
	}
	// The whole document over the whole view, whatever part of it is redrawn.
	box->setValue (1.f);
	EXPECT_TRUE (rectNear (record (box).at (0).drawnBox (), kSquare, 1e-5));
}

TEST (SliderDrawing, TheHandleTravelsOverEightyPercentAtTheDefaultSize)
{
	struct ExposedSlider : Slider
	{
		using Slider::Slider;
		CPoint baseHandleSize () const { return getHandleSizePrivate (); }
	};
	// The editor's Offset slider at 200 × 336: (19.56, 218.28, 180.44, 258.71). The expected numbers below
	// come from that rounded rectangle, hence a tolerance of 0.01.
	const CRect view = DuckerLayout::kOffsetSlider.place (CRect (0, 0, 200, 336));
	auto slider = owned (new ExposedSlider (CRect (), 1, 0.8f, nullptr, 1020, d1, d2));
	EXPECT_EQ (slider->baseHandleSize (), CPoint (0, 0));
	slider->setViewSize (view);
	EXPECT_NEAR (slider->baseHandleSize ().x, 32.176, 0.01);
	EXPECT_EQ (slider->baseHandleSize ().y, slider->baseHandleSize ().x);

	const double expectedX[] = {35.648, 100.0, 164.352};
	for (int i = 0; i < 3; ++i)
	{
		SCOPED_TRACE (i);
		slider->setValueNormalized (0.5f * float (i));
		const auto images = record (slider);
		ASSERT_EQ (images.size (), 2u);
		EXPECT_EQ (images[0].fills.at (0).colour.red, 1);
		EXPECT_EQ (images[1].fills.at (0).colour.red, 2);
		// The (square) track document fitted into the view, centred.
		const CRect track = images[0].drawnBox ();
		EXPECT_NEAR (track.getCenter ().x, view.getCenter ().x, 1e-4);
		EXPECT_NEAR (track.getHeight (), view.getHeight (), 1e-4);
		const CRect handle = images[1].drawnBox ();
		EXPECT_NEAR (handle.getCenter ().x, expectedX[i], 0.01);
		EXPECT_NEAR (handle.getCenter ().y, 238.495, 0.01);
		EXPECT_NEAR (handle.getWidth (), 40.43, 0.01);
		EXPECT_NEAR (handle.getHeight (), handle.getWidth (), 1e-9);
	}
	// Without a range the handle sits as for the value 0.
	slider->setMax (0.f);
	EXPECT_NEAR (record (slider).at (1).drawnBox ().getCenter ().x, 35.648, 0.01);
}

TEST (KnobDrawing, TheDotTravelsOnItsOrbitFrom135To405Degrees)
{
	auto knob = owned (new Knob (kSquare, nullptr, 1000, 0.08f, 0.67f, 135.f, 405.f, d1.c_str (), d2.c_str ()));
	const double degrees[] = {135., 270., 405.};
	for (int i = 0; i < 3; ++i)
	{
		SCOPED_TRACE (degrees[i]);
		knob->setValue (0.5f * float (i));
		const auto images = record (knob);
		ASSERT_EQ (images.size (), 2u);
		EXPECT_TRUE (rectNear (images[0].drawnBox (), kSquare, 1e-5));
		const CRect dot = images[1].drawnBox ();
		const double a = degrees[i] * M_PI / 180.;
		EXPECT_NEAR (dot.getCenter ().x, 64. + 42.88 * std::cos (a), 1e-4);
		EXPECT_NEAR (dot.getCenter ().y, 64. + 42.88 * std::sin (a), 1e-4);
		EXPECT_NEAR (dot.getWidth (), 10.24, 1e-5);
		EXPECT_NEAR (dot.getHeight (), 10.24, 1e-5);
	}
	// Bounds other than 0 and 1: the value's place between them sets the angle.
	knob->setMax (8.f);
	knob->setValue (4.f);
	EXPECT_NEAR (record (knob).at (1).drawnBox ().getCenter ().y, 64. - 42.88, 1e-4);
}

TEST (ControlDrawing, NothingIsDrawnWithoutAnImageOrARangeAndTheViewIsLeftClean)
{
	auto image = owned (new Image (kSquare, nullptr, false));
	auto spinner = owned (new Spinner (kSquare, nullptr, 1, {nullptr, d1.c_str ()}));
	auto spinKnob = owned (new SpinKnob (kSquare, nullptr, 1, 135.f, 405.f, nullptr, 0));
	auto checkbox = owned (new Checkbox (kSquare, nullptr, 1, nullptr, nullptr));
	auto slider = owned (new Slider (kSquare, 1, 0.8f, nullptr, 1, std::string (), std::string ()));
	auto knob = owned (new Knob (kSquare, nullptr, 1, 0.08f, 0.67f, 135.f, 405.f, nullptr, nullptr));
	auto flatKnob = owned (new Knob (kSquare, nullptr, 1, 0.08f, 0.67f, 135.f, 405.f, d1.c_str (), d2.c_str ()));
	flatKnob->setMin (0.5f);
	flatKnob->setMax (0.5f);
	// An empty text still parses (to an image without shapes); a null document gives no image at all.
	EXPECT_EQ (image->svg.image (), nullptr);
	for (CView* view : std::initializer_list<CView*>{image, spinner, spinKnob, checkbox, knob, flatKnob})
	{
		RecordingContext context;
		view->setDirty (true);
		view->draw (&context);
		EXPECT_TRUE (context.images.empty ());
		EXPECT_FALSE (view->isDirty ());
	}
	EXPECT_EQ (documentsDrawn (slider), (std::vector<int>{-1, -1})); // parsed, but nothing to fill
	spinner->setValueNormalized (1.f);
	EXPECT_EQ (documentsDrawn (spinner), std::vector<int>{1});
}

TEST (ControlCopies, EachCopyOwnsItsImagesWhicheverIsDestroyedFirst)
{
	auto makers = {
	    +[] () -> CView* {
		    return new Spinner (kSquare, nullptr, 1, {d4.c_str (), d5.c_str ()});
	    },
	    +[] () -> CView* { return new SpinKnob (kSquare, nullptr, 1, 135.f, 405.f, d4.c_str (), 0); },
	    +[] () -> CView*
	    { return new Knob (kSquare, nullptr, 1, 0.08f, 0.67f, 135.f, 405.f, d4.c_str (), d5.c_str ()); },
	};
	for (auto make : makers)
	{
		for (bool originalGoesFirst : {true, false})
		{
			CView* original = make ();
			const auto before = record (original);
			CView* copy = original->newCopy ();
			ASSERT_NE (copy, original);
			CView* first = originalGoesFirst ? original : copy;
			CView* survivor = originalGoesFirst ? copy : original;
			first->forget ();
			EXPECT_EQ (record (survivor), before);
			survivor->forget ();
		}
	}
}
