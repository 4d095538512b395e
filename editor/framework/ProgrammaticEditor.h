// Abstract base of a VST3 editor whose view tree is built in code by a subclass (createGui): binds every
// control to its parameter by tag, carries edit gestures to the host, offers the host's context menu and
// parameter finder, and follows the host's content scale factor and size limits.
#pragma once

#include "public.sdk/source/vst/vstguieditor.h"

#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"
#include "pluginterfaces/vst/ivstplugview.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/icommandmenuitemtarget.h"
#include "vstgui/lib/controls/icontrollistener.h"
#include "vstgui/lib/cpoint.h"

#include <map>

class ParameterChangeListener;

class ProgrammaticEditor : public Steinberg::Vst::VSTGUIEditor,
                           public Steinberg::Vst::IParameterFinder,
                           public VSTGUI::IControlListener,
                           public VSTGUI::IViewAddedRemovedObserver,
                           public VSTGUI::IMouseObserver,
                           public VSTGUI::CommandMenuItemTargetAdapter,
                           public Steinberg::IPlugViewContentScaleSupport
{
public:
	/** minSize: the frame's size when it opens and the lower size bound, in unscaled view units; size: the
	 *  initial view rectangle (truncated to whole pixels). */
	ProgrammaticEditor (Steinberg::Vst::EditController* controller, const VSTGUI::CPoint& minSize,
	                    const VSTGUI::CPoint& size);
	~ProgrammaticEditor () override;

	/** Builds the frame, lets the subclass fill it, opens it in the host window and sizes it. An X11 window gets
	 *  an X11::FrameConfig with the plug frame's run loop. When the frame cannot open, nothing is left of it and
	 *  the answer is false. */
	bool PLUGIN_API open (void* parent, const VSTGUI::PlatformType& platformType) SMTG_OVERRIDE;
	/** Releases every listener, then empties and closes the frame. */
	void PLUGIN_API close () SMTG_OVERRIDE;

	/** Adds the complete view tree to getFrame(); every control that follows a parameter has this editor as
	 *  its listener and the parameter's identifier as its tag. */
	virtual void createGui () = 0;
	/** Gives the just-opened frame its initial size (normally the stored size times the scale factor). */
	virtual void restoreWinSize () = 0;
	/** Keeps a new size, already divided by the content scale factor and rounded down. */
	virtual void saveWinSize (Steinberg::int32 width, Steinberg::int32 height) = 0;

	//---from IPlugView---
	Steinberg::tresult PLUGIN_API onSize (Steinberg::ViewRect* newSize) SMTG_OVERRIDE;
	Steinberg::tresult PLUGIN_API canResize () SMTG_OVERRIDE { return Steinberg::kResultTrue; }
	Steinberg::tresult PLUGIN_API checkSizeConstraint (Steinberg::ViewRect* rect) SMTG_OVERRIDE;

	//---from VSTGUIEditorInterface---
	bool beforeSizeChange (const VSTGUI::CRect& newSize, const VSTGUI::CRect& oldSize) SMTG_OVERRIDE;
	// Gestures reach the host through the control listener; the GUI library's notifications by index do not.
	void beginEdit (int32_t /*index*/) SMTG_OVERRIDE {}
	void endEdit (int32_t /*index*/) SMTG_OVERRIDE {}

	//---from IParameterFinder---
	Steinberg::tresult PLUGIN_API findParameter (Steinberg::int32 xPos, Steinberg::int32 yPos,
	                                             Steinberg::Vst::ParamID& resultTag) SMTG_OVERRIDE;

	//---from IControlListener---
	void valueChanged (VSTGUI::CControl* control) SMTG_OVERRIDE;
	void controlBeginEdit (VSTGUI::CControl* control) SMTG_OVERRIDE;
	void controlEndEdit (VSTGUI::CControl* control) SMTG_OVERRIDE;
	void controlTagWillChange (VSTGUI::CControl* control) SMTG_OVERRIDE;
	void controlTagDidChange (VSTGUI::CControl* control) SMTG_OVERRIDE;

	//---from IViewAddedRemovedObserver---
	void onViewAdded (VSTGUI::CFrame* frame, VSTGUI::CView* view) SMTG_OVERRIDE;
	void onViewRemoved (VSTGUI::CFrame* frame, VSTGUI::CView* view) SMTG_OVERRIDE;

	//---from IMouseObserver---
	void onMouseEntered (VSTGUI::CView* /*view*/, VSTGUI::CFrame* /*frame*/) SMTG_OVERRIDE {}
	void onMouseExited (VSTGUI::CView* /*view*/, VSTGUI::CFrame* /*frame*/) SMTG_OVERRIDE {}
	/** A right mouse-down asks the host for its context menu of the parameter under the mouse. */
	void onMouseEvent (VSTGUI::MouseEvent& event, VSTGUI::CFrame* frame) SMTG_OVERRIDE;

	//---from IPlugViewContentScaleSupport---
	/** A factor that is not a positive number is refused (kResultFalse) and changes nothing. */
	Steinberg::tresult PLUGIN_API setContentScaleFactor (ScaleFactor factor) SMTG_OVERRIDE;

	//---from FUnknown---
	Steinberg::tresult PLUGIN_API queryInterface (const Steinberg::TUID iid, void** obj) SMTG_OVERRIDE;
	REFCOUNT_METHODS (VSTGUIEditor)

	//---Interface for the subclass and for diagnostics---
	double getContentScaleFactor () const { return contentScaleFactor; }
	const VSTGUI::CPoint& getMinSize () const { return minSize; }
	/** The listener bound to a tag, or null. */
	ParameterChangeListener* getParameterChangeListener (Steinberg::int32 tag) const;
	const std::map<Steinberg::int32, ParameterChangeListener*>& getParameterChangeListeners () const
	{
		return paramChangeListeners;
	}

	/** The largest size the host may give the window, in unscaled view units. */
	static constexpr double kMaxWidth = 7680.;
	static constexpr double kMaxHeight = 4320.;
	static constexpr Steinberg::int32 kTooltipDelayMs = 1000;
	static constexpr Steinberg::int32 kIdleRateMs = 300;

protected:
	//---from IPlugView---
	/** Refuses (kResultFalse) a platform type that isPlatformTypeSupported refuses, and a window the frame
	 *  cannot open in; either way nothing stays open. */
	Steinberg::tresult PLUGIN_API attached (void* parent, Steinberg::FIDString type) SMTG_OVERRIDE;

private:
	/** Releases every listener, then empties, closes and drops the frame, if there is one. */
	void releaseFrame ();
	void bindControl (VSTGUI::CControl* control);
	void unbindControl (VSTGUI::CControl* control);
	ParameterChangeListener* listenerOf (const VSTGUI::CControl* control) const;
	/** Hands saveWinSize the host-pixel size divided by the scale factor, in single precision as hosts expect
	 *  (301 × 505 at 1.5 is 200 × 336). */
	void saveUnscaledSize (Steinberg::int32 width, Steinberg::int32 height);

	std::map<Steinberg::int32, ParameterChangeListener*> paramChangeListeners;
	bool tooltipsEnabled = true;
	double contentScaleFactor = 1.;
	VSTGUI::CPoint minSize;
	bool resizeGuard = false;
	VSTGUI::CPoint requestedSize{0., 0.};
	VSTGUI::CControl* controlBeingSent = nullptr;
};
