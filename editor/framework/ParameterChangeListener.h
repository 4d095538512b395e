// Ties one parameter of the edit controller to every editor control that carries its identifier as tag:
// parameter changes reach the controls (value, range, default, read-only state, texts), and the controls'
// edit gestures reach the controller, which passes them on to the host.
#pragma once

#include "base/source/fobject.h"
#include "pluginterfaces/vst/vsttypes.h"

#include <list>
#include <memory>
#include <utility>
#include <vector>

namespace Steinberg::Vst
{
class EditController;
class Parameter;
} // namespace Steinberg::Vst

namespace VSTGUI
{
class CControl;
}

class ParameterChangeListener : public Steinberg::FObject
{
public:
	/** Binds the first control; with a parameter, the control shows its value before the constructor returns.
	 *  The parameter may be null (a tag the controller does not know): the bound controls then only share
	 *  their value among themselves. The controller is not counted; the editor keeps it alive for longer. */
	ParameterChangeListener (Steinberg::Vst::EditController* editController, Steinberg::Vst::Parameter* parameter,
	                         VSTGUI::CControl* control);

	/** Binds another control; it takes the parameter's value at the next delivery of deferred updates. */
	void addControl (VSTGUI::CControl* control);
	/** Unbinds a control; the listener stays registered with its parameter even when no control is left. */
	void removeControl (VSTGUI::CControl* control);
	bool containsControl (VSTGUI::CControl* control) const;

	/** The parameter's notification: kChanged writes its current value into every bound control. */
	void PLUGIN_API update (Steinberg::FUnknown* changedUnknown, Steinberg::int32 message) SMTG_OVERRIDE;
	/** Writes a normalized value (with the parameter's range, default and read-only state) into every control. */
	void updateControlValue (Steinberg::Vst::ParamValue value);
	/** The bound parameter displays' text: the controller's text for a value in the display's units, cut to
	 *  fit a buffer of kTextBufferSize bytes with its terminating NUL. False, and nothing written, without a
	 *  parameter. */
	bool convertValueToString (float value, char* utf8String);

	void beginEdit ();
	void performEdit (Steinberg::Vst::ParamValue value);
	/** Ends the gesture with the controller, then brings bound text labels in step with the value's text. */
	void endEdit ();

	/** The parameter's identifier; without a parameter the first control's tag, with neither 0xFFFFFFFF. */
	Steinberg::Vst::ParamID getParameterID () const;
	Steinberg::Vst::Parameter* getParameter () const { return parameter; }
	const std::list<VSTGUI::CControl*>& getControls () const { return controls; }

	static constexpr size_t kTextBufferSize = 256;

protected:
	~ParameterChangeListener () override;

private:
	// What a parameter display's value-to-string function holds instead of the listener itself: cleared when
	// the display is unbound or the listener goes, so a display that outlives its binding never reaches a
	// released listener.
	struct DisplayLink
	{
		ParameterChangeListener* listener;
	};

	void linkDisplay (VSTGUI::CControl* control);
	void unlinkDisplay (VSTGUI::CControl* control);

	Steinberg::Vst::EditController* editController;
	Steinberg::Vst::Parameter* parameter;
	std::list<VSTGUI::CControl*> controls;
	std::vector<std::pair<VSTGUI::CControl*, std::shared_ptr<DisplayLink>>> displayLinks;
};
