// A plug-in view for the X11 tests, built on the GUI library the way an editor is: a CFrame opened on the host's
// window with an X11::FrameConfig carrying the host's run loop. Its layout: the left half a red swatch, the top
// right a level bar (a control: blue with a green part as wide as its value, reporting edit gestures to a
// component handler), the bottom right a yellow view that counts the ticks of a CVSTGUITimer.
#pragma once

#include "HostRunLoopAdapter.h"

#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "public.sdk/source/common/pluginview.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/icontrollistener.h"
#include "vstgui/lib/cvstguitimer.h"

namespace QuorvaneTest
{

constexpr Steinberg::Vst::ParamID kLevelParameter = 42;
constexpr Steinberg::int32 kMinTestViewSize = 40;
/** The yellow view has this tooltip, shown after this delay. */
constexpr const char* kTickerTooltip = "ticks";
constexpr uint32_t kTooltipDelayMs = 300;

class TestEditorView : public Steinberg::CPluginView, public VSTGUI::IControlListener
{
public:
	/** Edits go to `handler` when given (not owned; must outlive the view). */
	TestEditorView (int width, int height, Steinberg::Vst::IComponentHandler* handler = nullptr);

	int timerTicks () const { return ticks; }
	VSTGUI::CFrame* frame () const { return guiFrame; }
	int onSizeCalls () const { return sizeCalls; }

	//---from IPlugView---
	Steinberg::tresult PLUGIN_API isPlatformTypeSupported (Steinberg::FIDString type) override;
	Steinberg::tresult PLUGIN_API attached (void* parent, Steinberg::FIDString type) override;
	Steinberg::tresult PLUGIN_API removed () override;
	Steinberg::tresult PLUGIN_API onSize (Steinberg::ViewRect* newSize) override;
	Steinberg::tresult PLUGIN_API canResize () override { return Steinberg::kResultTrue; }
	Steinberg::tresult PLUGIN_API checkSizeConstraint (Steinberg::ViewRect* rect) override;

	//---from IControlListener---
	void valueChanged (VSTGUI::CControl* control) override;
	void controlBeginEdit (VSTGUI::CControl* control) override;
	void controlEndEdit (VSTGUI::CControl* control) override;

	/** Asks the host for a new size, as an editor does when its frame changes size. */
	Steinberg::tresult requestSize (int width, int height);

private:
	void layout ();

	Steinberg::Vst::IComponentHandler* handler;
	VSTGUI::CFrame* guiFrame{nullptr};
	VSTGUI::CView* swatch{nullptr};
	VSTGUI::CControl* level{nullptr};
	VSTGUI::CView* ticker{nullptr};
	VSTGUI::SharedPointer<VSTGUI::CVSTGUITimer> timer;
	int ticks{0};
	int sizeCalls{0};
};

} // namespace QuorvaneTest
