// Stand-in for the VST3 SDK's editor base for GUI-library editors (see compat/vst3sdk/README.md): a plug-in
// view that owns a VSTGUI frame which its subclass opens in the host's window.
#pragma once

#include "public.sdk/source/vst/vsteditcontroller.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/cvstguitimer.h"

namespace Steinberg
{
namespace Vst
{

class VSTGUIEditor : public EditorView, public VSTGUI::VSTGUIEditorInterface, public VSTGUI::CBaseObject
{
public:
	/** controller: the EditController that the editor holds a counted reference to for its whole life. */
	VSTGUIEditor (void* controller, ViewRect* size = nullptr);
	~VSTGUIEditor () override;

	/** Called by attached: creates the frame and opens it in the host window. On Linux the platform type is
	 *  always kDefaultNative, whatever the host named; an X11 frame needs its X11::FrameConfig from here. */
	virtual bool PLUGIN_API open (void* parent, const VSTGUI::PlatformType& platformType) = 0;
	/** Called by removed: closes the frame. */
	virtual void PLUGIN_API close () = 0;

	/** Sets the period of the idle timer that drives the frame's idle pass while the view is attached. */
	void setIdleRate (int32 millisec);

	//---from CBaseObject---
	VSTGUI::CMessageResult notify (VSTGUI::CBaseObject* sender, VSTGUI::IdStringPtr message) SMTG_OVERRIDE;
	// The GUI library's counting of the editor is the plug-in view's own.
	void forget () SMTG_OVERRIDE { EditorView::release (); }
	void remember () SMTG_OVERRIDE { EditorView::addRef (); }
	int32_t getNbReference () const { return refCount; }

	//---from IPlugView---
	tresult PLUGIN_API isPlatformTypeSupported (FIDString type) SMTG_OVERRIDE;
	tresult PLUGIN_API onSize (ViewRect* newSize) SMTG_OVERRIDE;

	//---from VSTGUIEditorInterface---
	/** The GUI library's edit notifications: the value is passed to the controller as the parameter id. */
	void beginEdit (int32_t index) SMTG_OVERRIDE;
	void endEdit (int32_t index) SMTG_OVERRIDE;
	/** The host's knob mode (EditController::getHostKnobMode) as the GUI library's CKnobMode. */
	int32_t getKnobMode () const SMTG_OVERRIDE;

	OBJ_METHODS (VSTGUIEditor, EditorView)
	DEFINE_INTERFACES
	END_DEFINE_INTERFACES (EditorView)
	REFCOUNT_METHODS (EditorView)

protected:
	//---from IPlugView---
	tresult PLUGIN_API attached (void* parent, FIDString type) SMTG_OVERRIDE;
	tresult PLUGIN_API removed () SMTG_OVERRIDE;
	tresult PLUGIN_API onKeyDown (char16 key, int16 keyMsg, int16 modifiers) SMTG_OVERRIDE;
	tresult PLUGIN_API onKeyUp (char16 key, int16 keyMsg, int16 modifiers) SMTG_OVERRIDE;
	tresult PLUGIN_API onWheel (float distance) SMTG_OVERRIDE;
	tresult PLUGIN_API setFrame (IPlugFrame* frame) SMTG_OVERRIDE;

private:
	VSTGUI::CVSTGUITimer* timer;
};

} // namespace Vst
} // namespace Steinberg
