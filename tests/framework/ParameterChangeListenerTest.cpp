// What a listener writes into its controls, the texts it gives them, and its parameter displays' safety.
#include "framework/FrameworkTestSupport.h"

#include "editor/framework/ParameterChangeListener.h"

#include "public.sdk/source/vst/vstparameters.h"
#include "vstgui/lib/controls/cparamdisplay.h"

#include <cstring>

using namespace Steinberg;
using namespace VSTGUI;

namespace
{

/** The real controller, counting text requests and optionally answering one parameter with a text of its own. */
class TextController : public DuckerController
{
public:
	std::u16string durationText;
	int textRequests = 0;

	tresult PLUGIN_API getParamStringByValue (Vst::ParamID id, Vst::ParamValue value, Vst::String128 string) override
	{
		++textRequests;
		if (id == kDurationId && !durationText.empty ())
		{
			std::memset (string, 0, sizeof (Vst::String128));
			durationText.copy (string, 127);
			return kResultOk;
		}
		return DuckerController::getParamStringByValue (id, value, string);
	}
};

/** A parameter display that lets the test call the value-to-string function the listener installed. */
class ProbeDisplay : public CParamDisplay
{
public:
	explicit ProbeDisplay (const CRect& size) : CParamDisplay (size) {}
	std::optional<std::string> text (float value)
	{
		std::string result;
		if (!valueToStringFunction || !valueToStringFunction (value, result, this))
			return std::nullopt;
		return result;
	}
};

class RecordingLabel : public CTextLabel
{
public:
	explicit RecordingLabel (IControlListener* listener, int32_t tag) : CTextLabel (CRect (0, 0, 10, 10))
	{
		setTag (tag);
		setListener (listener);
	}
	void setText (const UTF8String& text) override
	{
		++setTextCalls;
		CTextLabel::setText (text);
	}
	int setTextCalls = 0;
};

class ParameterListener : public EditorTest
{
protected:
	void TearDown () override
	{
		if (editor)
			editor->removed ();
		editor = nullptr;
		if (textController)
			textController->terminate ();
		EditorTest::TearDown ();
	}
	void openWith (TestEditor::Builder builder)
	{
		editor = makeEditor (std::move (builder));
		open (*editor);
	}
	ProbeDisplay* openWithDisplay (int32 tag)
	{
		ProbeDisplay* display = nullptr;
		openWith (
		    [&display, tag] (TestEditor&, CFrame& frame)
		    {
			    display = new ProbeDisplay (CRect (0, 0, 10, 10));
			    display->setTag (tag);
			    frame.addView (display);
		    });
		return display;
	}
	void openOnTextController (TestEditor::Builder builder)
	{
		textController = Steinberg::owned (new TextController);
		ASSERT_EQ (textController->initialize (nullptr), kResultOk);
		editor = Steinberg::owned (new TestEditor (textController, std::move (builder)));
		open (*editor);
	}
	ParameterChangeListener& listener (int32 tag) { return *editor->getParameterChangeListener (tag); }

	IPtr<TestEditor> editor;
	IPtr<TextController> textController;
};

TEST_F (ParameterListener, ListParameterControlsWorkInEntryIndexes)
{
	controller->setParamNormalized (kNoteSyncId, 5. / 8.);
	StandardControls controls;
	openWith (controls.builder ());
	// The menu joined the label's listener and takes the value at the next deferred-update pass.
	Offscreen::advanceTimers (IdleUpdateHandler::kTickMilliseconds);

	for (CControl* control : std::initializer_list<CControl*>{controls.syncLabel, controls.syncMenu})
	{
		EXPECT_EQ (control->getMin (), 0.f);
		EXPECT_EQ (control->getMax (), 8.f);
		EXPECT_EQ (control->getDefaultValue (), 4.f);
	}
	EXPECT_EQ (controls.syncMenu->getValue (), 5.f);
	std::vector<std::string> entries;
	for (int32 i = 0; i < controls.syncMenu->getNbEntries (); ++i)
		entries.push_back (controls.syncMenu->getEntry (i)->getTitle ().getString ());
	EXPECT_EQ (entries, (std::vector<std::string>{"4/1", "2/1", "1/1", "1/2", "1/4", "1/8", "1/16", "1/32", "1/64"}));
	EXPECT_EQ (controls.syncLabel->getText (), "1/8");
}

TEST_F (ParameterListener, ContinuousAndTwoStateParametersSetRangeDefaultAndValue)
{
	controller->setParamNormalized (kBypassId, 1.);
	StandardControls controls;
	openWith (controls.builder ());

	struct Case
	{
		CControl* control;
		float min, max, defaultValue, value;
	};
	const Case cases[] = {
	    {controls.mixKnob, 0.f, 1.f, 1.f, 1.f},
	    {controls.bypass, 0.f, 1.f, 0.f, 1.f},
	};
	for (const auto& c : cases)
	{
		EXPECT_TRUE (c.control->getMouseEnabled ());
		EXPECT_EQ (c.control->getMin (), c.min);
		EXPECT_EQ (c.control->getMax (), c.max);
		EXPECT_EQ (c.control->getDefaultValue (), c.defaultValue);
		EXPECT_EQ (c.control->getValue (), c.value);
	}
}

TEST_F (ParameterListener, ReadOnlyParameterDisablesTheMouseAtEveryRefresh)
{
	controller->getParameterObject (kMixId)->getInfo ().flags |= Vst::ParameterInfo::kIsReadOnly;
	StandardControls controls;
	openWith (controls.builder ());
	Offscreen::advanceTimers (IdleUpdateHandler::kTickMilliseconds);
	controller->setParamNormalized (kMixId, 0.5);
	EXPECT_FALSE (controls.mixKnob->getMouseEnabled ());
	EXPECT_FALSE (controls.mixSlider->getMouseEnabled ());
	EXPECT_TRUE (controls.bypass->getMouseEnabled ());
	controller->getParameterObject (kMixId)->getInfo ().flags &= ~Vst::ParameterInfo::kIsReadOnly;
}

TEST_F (ParameterListener, OnlyTheChangedMessageRefreshesTheControls)
{
	StandardControls controls;
	openWith (controls.builder ());
	controls.mixKnob->setValueNormalized (0.1f);
	for (const int32 message : {int32 (IDependent::kWillChange), int32 (IDependent::kDestroyed),
	                            int32 (IDependent::kWillDestroy), int32 (17)})
	{
		listener (kMixId).update (nullptr, message);
		EXPECT_EQ (controls.mixKnob->getValueNormalized (), 0.1f) << message;
	}
	listener (kMixId).update (nullptr, IDependent::kChanged);
	EXPECT_EQ (controls.mixKnob->getValueNormalized (), 1.f);
}

TEST_F (ParameterListener, ListenerWithoutControlsStaysRegistered)
{
	StandardControls controls;
	openWith (controls.builder ());
	auto& bypass = listener (kBypassId);
	editor->getFrame ()->removeView (controls.bypass);
	EXPECT_TRUE (bypass.getControls ().empty ());
	EXPECT_EQ (editor->getParameterChangeListener (kBypassId), &bypass);
	EXPECT_EQ (controller->setParamNormalized (kBypassId, 1.), kResultOk);
	Offscreen::advanceTimers (IdleUpdateHandler::kTickMilliseconds);
}

TEST_F (ParameterListener, EndEditFetchesTheTextOnceAndSetsItOnlyWhereItDiffers)
{
	auto textController = Steinberg::owned (new TextController);
	ASSERT_EQ (textController->initialize (nullptr), kResultOk);
	RecordingLabel* labels[2] = {};
	editor = Steinberg::owned (new TestEditor (textController,
	                                           [&labels] (TestEditor& editor, CFrame& frame)
	                                           {
		                                           for (auto*& label : labels)
		                                           {
			                                           label = new RecordingLabel (&editor, kDurationId);
			                                           frame.addView (label);
		                                           }
	                                           }));
	open (*editor);
	textController->setParamNormalized (kDurationId, 0.25);
	labels[0]->setText ("stale");
	for (auto* label : labels)
		label->setTextCalls = 0;
	textController->textRequests = 0;

	listener (kDurationId).endEdit ();
	EXPECT_EQ (textController->textRequests, 1);
	EXPECT_EQ (labels[0]->getText (), "0.25");
	EXPECT_EQ (labels[0]->setTextCalls, 1);
	EXPECT_EQ (labels[1]->setTextCalls, 0);
}

TEST_F (ParameterListener, DisplayTextIsCutToTheBufferWithItsTerminator)
{
	auto textController = Steinberg::owned (new TextController);
	ASSERT_EQ (textController->initialize (nullptr), kResultOk);
	ProbeDisplay* display = nullptr;
	editor = Steinberg::owned (new TestEditor (textController,
	                                           [&display] (TestEditor& editor, CFrame& frame)
	                                           {
		                                           display = new ProbeDisplay (CRect (0, 0, 10, 10));
		                                           display->setTag (kDurationId);
		                                           frame.addView (display);
		                                           auto* loose = new CParamDisplay (CRect (0, 0, 10, 10));
		                                           loose->setTag (5000);
		                                           frame.addView (loose);
	                                           }));
	open (*editor);

	struct Case
	{
		std::u16string text;
		size_t bytes;
	};
	const Case cases[] = {
	    {std::u16string (100, u'€'), 255}, // 300 bytes of UTF-8, cut after the 85th character
	    {u"0123456789", 10},
	};
	for (const auto& c : cases)
	{
		textController->durationText = c.text;
		char buffer[ParameterChangeListener::kTextBufferSize];
		std::memset (buffer, 'x', sizeof (buffer));
		EXPECT_TRUE (listener (kDurationId).convertValueToString (0.5f, buffer));
		EXPECT_EQ (std::strlen (buffer), c.bytes);
		String utf8 (c.text.c_str ());
		utf8.toMultiByte (kCP_Utf8);
		EXPECT_EQ (std::memcmp (buffer, utf8.text8 (), c.bytes), 0);
	}

	char untouched[ParameterChangeListener::kTextBufferSize];
	std::memset (untouched, 'x', sizeof (untouched));
	EXPECT_FALSE (listener (5000).convertValueToString (0.5f, untouched));
	EXPECT_EQ (untouched[0], 'x');
}

TEST_F (ParameterListener, SteppedDisplayTurnsItsPlainValueIntoTheEntryText)
{
	auto* display = openWithDisplay (kNoteSyncId);
	EXPECT_EQ (display->text (5.f), "1/8");
	EXPECT_EQ (display->text (0.f), "4/1");
}

TEST_F (ParameterListener, DisplayOutlivingItsBindingNeverReachesTheListener)
{
	auto* display = openWithDisplay (kDurationId);
	display->remember ();
	EXPECT_EQ (display->text (0.25f), "0.25");

	editor->getFrame ()->removeView (display);
	EXPECT_EQ (display->text (0.25f), std::nullopt) << "unbound";
	editor->getFrame ()->addView (display);
	display->remember ();
	EXPECT_EQ (display->text (0.25f), "0.25") << "bound again";

	editor->removed ();
	EXPECT_EQ (display->text (0.25f), std::nullopt) << "its listener released";
	display->forget ();
}

} // namespace
