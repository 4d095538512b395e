// Binding controls to parameters by tag, and the edit gestures that reach the host.
#include "framework/FrameworkTestSupport.h"

#include "editor/framework/ParameterChangeListener.h"

using namespace Steinberg;
using namespace VSTGUI;

namespace
{

class ControlBinding : public EditorTest
{
protected:
	void SetUp () override
	{
		EditorTest::SetUp ();
		editor = makeEditor (controls.builder ());
		open (*editor);
		Offscreen::advanceTimers (IdleUpdateHandler::kTickMilliseconds);
		handler.calls.clear ();
	}
	void TearDown () override
	{
		editor->removed ();
		editor = nullptr;
		EditorTest::TearDown ();
	}
	std::vector<CControl*> boundTo (int32 tag) const
	{
		auto* listener = editor->getParameterChangeListener (tag);
		return listener ? std::vector<CControl*> (listener->getControls ().begin (), listener->getControls ().end ())
		                : std::vector<CControl*>{};
	}
	/** A user's gesture as a control performs it: begin, one value, end. */
	static void drag (CControl& control, float normalized)
	{
		control.beginEdit ();
		control.setValueNormalized (normalized);
		control.valueChanged ();
		control.endEdit ();
	}

	StandardControls controls;
	IPtr<TestEditor> editor;
};

TEST_F (ControlBinding, EveryTaggedControlJoinsTheOneListenerOfItsTag)
{
	std::vector<int32> tags;
	for (const auto& entry : editor->getParameterChangeListeners ())
		tags.push_back (entry.first);
	EXPECT_EQ (tags, (std::vector<int32>{kBypassId, kDurationId, kMixId, kNoteSyncId}));
	EXPECT_EQ (boundTo (kMixId), (std::vector<CControl*>{controls.mixKnob, controls.mixSlider}));
	EXPECT_EQ (boundTo (kNoteSyncId), (std::vector<CControl*>{controls.syncLabel, controls.syncMenu}));
	EXPECT_EQ (boundTo (kBypassId), (std::vector<CControl*>{controls.bypass}));
	EXPECT_EQ (boundTo (kDurationId), (std::vector<CControl*>{controls.durationEdit}));
}

TEST_F (ControlBinding, ControlWithoutTagIsNeverBoundAndItsGesturesDoNothing)
{
	auto* loose = new CKnob (CRect (0, 0, 10, 10), editor.get (), -1, nullptr, nullptr);
	editor->getFrame ()->addView (loose);
	EXPECT_EQ (editor->getParameterChangeListeners ().size (), 4u);
	drag (*loose, 0.3f);
	EXPECT_TRUE (handler.calls.empty ());
}

TEST_F (ControlBinding, DragReachesTheHostAsBeginValueEndWithOtherControlsUpdatedFirst)
{
	float sliderAtPerformEdit = -1.f;
	handler.beforePerformEdit = [&] { sliderAtPerformEdit = controls.mixSlider->getValueNormalized (); };
	drag (*controls.mixKnob, 0.25f);
	EXPECT_EQ (handler.calls,
	           (std::vector<std::string>{"beginEdit 1005", "performEdit 1005 0.250000", "endEdit 1005"}));
	EXPECT_EQ (sliderAtPerformEdit, 0.25f);
	EXPECT_EQ (controller->getParamNormalized (kMixId), 0.25);
}

TEST_F (ControlBinding, ValueChangeOutsideAGestureSendsNothing)
{
	controls.mixKnob->setValueNormalized (0.3f);
	controls.mixKnob->valueChanged ();
	EXPECT_TRUE (handler.calls.empty ());
	EXPECT_EQ (controller->getParamNormalized (kMixId), 1.);
}

TEST_F (ControlBinding, HostChangesShowAtOnceWithoutAnEdit)
{
	controller->setParamNormalized (kMixId, 0.4);
	controller->setParamNormalized (kNoteSyncId, 5. / 8.);
	EXPECT_EQ (controls.mixKnob->getValueNormalized (), 0.4f);
	EXPECT_EQ (controls.mixSlider->getValueNormalized (), 0.4f);
	EXPECT_EQ (controls.syncMenu->getValue (), 5.f);
	EXPECT_EQ (controls.syncLabel->getText (), "1/8");
	EXPECT_TRUE (handler.calls.empty ());
}

TEST_F (ControlBinding, TextEditSendsTheParsedValueOrShowsTheLastGoodOneAgain)
{
	struct Case
	{
		const char* typed;
		std::vector<std::string> calls;
		double parameter;
		const char* shown;
	};
	const Case cases[] = {
	    {"0.25", {"beginEdit 1000", "performEdit 1000 0.250000", "endEdit 1000"}, 0.25, "0.25"},
	    {"soon", {"beginEdit 1000", "endEdit 1000"}, 0.25, "0.25"},
	    {"7", {"beginEdit 1000", "performEdit 1000 1.000000", "endEdit 1000"}, 1., "1.00"},
	};
	for (const auto& c : cases)
	{
		handler.calls.clear ();
		auto& edit = *controls.durationEdit;
		edit.beginEdit ();
		edit.setText (c.typed);
		edit.valueChanged ();
		edit.endEdit ();
		EXPECT_EQ (handler.calls, c.calls) << c.typed;
		EXPECT_EQ (controller->getParamNormalized (kDurationId), c.parameter) << c.typed;
		EXPECT_EQ (edit.getText (), c.shown) << c.typed;
	}
}

TEST_F (ControlBinding, TagChangeMovesAControlBetweenListeners)
{
	auto* knob = controls.mixKnob;
	knob->setTag (kOffsetId);
	EXPECT_EQ (boundTo (kMixId), (std::vector<CControl*>{controls.mixSlider}));
	EXPECT_EQ (boundTo (kOffsetId), (std::vector<CControl*>{knob}));
	EXPECT_EQ (knob->getValueNormalized (), 0.5f) << "a new listener shows its parameter at once";

	knob->setTag (kDurationId);
	EXPECT_EQ (boundTo (kDurationId), (std::vector<CControl*>{controls.durationEdit, knob}));
	ASSERT_NE (editor->getParameterChangeListener (kOffsetId), nullptr);
	EXPECT_TRUE (boundTo (kOffsetId).empty ());

	drag (*knob, 0.75f);
	EXPECT_EQ (handler.calls,
	           (std::vector<std::string>{"beginEdit 1000", "performEdit 1000 0.750000", "endEdit 1000"}));
}

TEST_F (ControlBinding, ControlListeningElsewhereIsBoundButItsTagChangesAreIgnored)
{
	auto* foreign = new CKnob (CRect (0, 0, 10, 10), nullptr, kOffsetId, nullptr, nullptr);
	editor->getFrame ()->addView (foreign);
	EXPECT_EQ (boundTo (kOffsetId), (std::vector<CControl*>{foreign}));
	controller->setParamNormalized (kOffsetId, 0.25);
	EXPECT_EQ (foreign->getValueNormalized (), 0.25f);

	foreign->setTag (kMixId);
	EXPECT_EQ (boundTo (kOffsetId), (std::vector<CControl*>{foreign}));
	EXPECT_EQ (boundTo (kMixId), (std::vector<CControl*>{controls.mixKnob, controls.mixSlider}));
}

TEST_F (ControlBinding, RemovingAControlThatIsNotBoundChangesNothing)
{
	auto* stranger = new CKnob (CRect (0, 0, 10, 10), nullptr, kMixId, nullptr, nullptr);
	editor->onViewRemoved (editor->getFrame (), stranger);
	EXPECT_EQ (boundTo (kMixId), (std::vector<CControl*>{controls.mixKnob, controls.mixSlider}));
	stranger->forget ();

	editor->getFrame ()->removeView (controls.mixSlider);
	EXPECT_EQ (boundTo (kMixId), (std::vector<CControl*>{controls.mixKnob}));
}

TEST_F (ControlBinding, ControlsOfATagWithoutParameterShareTheirValueOnly)
{
	constexpr int32 kNoParameter = 5000;
	auto* first = new CKnob (CRect (0, 0, 10, 10), editor.get (), kNoParameter, nullptr, nullptr);
	first->setValueNormalized (0.6f);
	editor->getFrame ()->addView (first);
	auto* second = new CKnob (CRect (0, 0, 10, 10), editor.get (), kNoParameter, nullptr, nullptr);
	editor->getFrame ()->addView (second);
	EXPECT_EQ (second->getValueNormalized (), 0.6f) << "takes the first control's value at once";
	EXPECT_EQ (editor->getParameterChangeListener (kNoParameter)->getParameter (), nullptr);

	drag (*second, 0.2f);
	EXPECT_EQ (first->getValueNormalized (), 0.2f);
	EXPECT_TRUE (handler.calls.empty ());
}

} // namespace
