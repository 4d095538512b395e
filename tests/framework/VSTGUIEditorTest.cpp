// The SDK's editor base as it stands in here: platform types, knob mode, counting, gestures by index, the
// host's keys and wheel.
#include "framework/FrameworkTestSupport.h"

#include "vstgui/lib/controls/ccontrol.h"
#include "vstgui/lib/platform/offscreen/offscreentimer.h"

using namespace Steinberg;
using namespace VSTGUI;

namespace
{

class BaseEditor : public EditorTest
{
};

/** The SDK's editor base alone: records the platform type it is asked to open on, and opens nothing. */
class BareEditor : public Vst::VSTGUIEditor
{
public:
	using VSTGUIEditor::attached;
	using VSTGUIEditor::VSTGUIEditor;
	bool PLUGIN_API open (void*, const PlatformType& platformType) override
	{
		openedOn.push_back (platformType);
		return false;
	}
	void PLUGIN_API close () override {}
	std::vector<PlatformType> openedOn;
};

TEST_F (BaseEditor, AttachesOnlyToAnX11Window)
{
	auto editor = makeEditor ();
	for (const FIDString type : {kPlatformTypeHWND, kPlatformTypeNSView, "X11", static_cast<FIDString> (nullptr)})
	{
		EXPECT_EQ (editor->isPlatformTypeSupported (type), kInvalidArgument);
		EXPECT_EQ (editor->attached (nullptr, type), kResultFalse);
		EXPECT_EQ (editor->getFrame (), nullptr);
	}
	EXPECT_EQ (editor->isPlatformTypeSupported (kPlatformTypeX11EmbedWindowID), kResultTrue);
}

// As the SDK's own base outside macOS: whatever the host names, the frame is to open on the native type.
TEST_F (BaseEditor, OpensOnTheNativeWindowTypeWhateverTheHostNamed)
{
	auto base = Steinberg::owned (new BareEditor (controller.get ()));
	base->attached (nullptr, kPlatformTypeX11EmbedWindowID);
	base->attached (nullptr, kPlatformTypeHWND);
	EXPECT_EQ (base->openedOn, (std::vector<PlatformType>{PlatformType::kDefaultNative, PlatformType::kDefaultNative}));
}

TEST_F (BaseEditor, KnobModeFollowsTheHost)
{
	auto editor = makeEditor ();
	const std::pair<Vst::KnobMode, int32_t> modes[] = {
	    {Vst::kCircularMode, VSTGUI::kCircularMode},
	    {Vst::kRelativCircularMode, VSTGUI::kRelativCircularMode},
	    {Vst::kLinearMode, VSTGUI::kLinearMode},
	};
	for (const auto& [hostMode, guiMode] : modes)
	{
		controller->setKnobMode (hostMode);
		EXPECT_EQ (editor->getKnobMode (), guiMode);
	}
}

TEST_F (BaseEditor, RememberAndForgetCountThePlugView)
{
	auto editor = makeEditor ();
	editor->remember ();
	EXPECT_EQ (editor->references (), 2);
	EXPECT_EQ (editor->getRefCount (), 2);
	editor->forget ();
	EXPECT_EQ (editor->references (), 1);
}

TEST_F (BaseEditor, GesturesByIndexGoToTheControllerExceptInTheFramework)
{
	auto base = Steinberg::owned (new BareEditor (controller.get ()));
	base->beginEdit (kMixId);
	base->endEdit (kMixId);
	EXPECT_EQ (handler.calls, (std::vector<std::string>{"beginEdit 1005", "endEdit 1005"}));

	handler.calls.clear ();
	auto editor = makeEditor ();
	static_cast<VSTGUIEditorInterface*> (editor.get ())->beginEdit (kMixId);
	static_cast<VSTGUIEditorInterface*> (editor.get ())->endEdit (kMixId);
	EXPECT_TRUE (handler.calls.empty ());
}

TEST_F (BaseEditor, WheelOverAControlEditsItsParameter)
{
	StandardControls controls;
	auto editor = makeEditor (controls.builder ());
	open (*editor);
	controller->setParamNormalized (kMixId, 0.5);
	handler.calls.clear ();
	editor->offscreen ()->mouseMove (CPoint (20, 20));
	EXPECT_EQ (editor->onWheel (1.f), kResultTrue);
	ASSERT_FALSE (handler.calls.empty ());
	EXPECT_EQ (handler.calls.front (), "beginEdit 1005");
	// The wheel edit ends from its timer.
	EXPECT_NE (handler.calls.back (), "endEdit 1005");
	Offscreen::advanceTimers (CMouseWheelEditingSupport::kEndEditDelay);
	EXPECT_EQ (handler.calls.back (), "endEdit 1005");
	EXPECT_GT (controller->getParamNormalized (kMixId), 0.5);
	editor->removed ();
}

} // namespace
