// The module's edit controller: declares the five parameters, converts their values to and from text,
// follows the processor's stored settings, and keeps the editor size in its own stored state.
#pragma once

#include "controller/WinSize.h"

#include "public.sdk/source/vst/vsteditcontroller.h"

#include <memory>

class DuckerController : public Steinberg::Vst::EditController
{
public:
	DuckerController () = default;

	/** The factory's create function; the one reference of the new object belongs to the caller. */
	static Steinberg::FUnknown* createInstance (void* context);

	/** A counted copy of the stored size, empty while none is stored. Safe on any thread. */
	std::shared_ptr<const WinSize> getWinSize () const;
	/** Stores a new size, never changing a stored one in place; the host is not told of it (see the definition). */
	void setWinSize (WinSize size);

	//---from IPluginBase---
	Steinberg::tresult PLUGIN_API initialize (Steinberg::FUnknown* context) SMTG_OVERRIDE;
	Steinberg::tresult PLUGIN_API terminate () SMTG_OVERRIDE;

	//---from IEditController---
	Steinberg::tresult PLUGIN_API setComponentState (Steinberg::IBStream* state) SMTG_OVERRIDE;
	Steinberg::tresult PLUGIN_API setState (Steinberg::IBStream* state) SMTG_OVERRIDE;
	Steinberg::tresult PLUGIN_API getState (Steinberg::IBStream* state) SMTG_OVERRIDE;
	/** An index outside the declared parameters gives kResultFalse. */
	Steinberg::tresult PLUGIN_API getParameterInfo (Steinberg::int32 paramIndex,
	                                                Steinberg::Vst::ParameterInfo& info) SMTG_OVERRIDE;
	/** A value outside 0..1 shows the text of the nearest end; a NaN value or a null buffer gives kResultFalse. */
	Steinberg::tresult PLUGIN_API getParamStringByValue (Steinberg::Vst::ParamID tag,
	                                                     Steinberg::Vst::ParamValue valueNormalized,
	                                                     Steinberg::Vst::String128 string) SMTG_OVERRIDE;
	/** The answer always lies within 0..1; a null text, or one that reads as NaN, gives kResultFalse. */
	Steinberg::tresult PLUGIN_API getParamValueByString (Steinberg::Vst::ParamID tag, Steinberg::Vst::TChar* string,
	                                                     Steinberg::Vst::ParamValue& valueNormalized) SMTG_OVERRIDE;
	/** "editor" (exactly) gives a new DuckerEditor of the stored size, or of the default size while none is
	    stored; any other name, and null, gives null. */
	Steinberg::IPlugView* PLUGIN_API createView (Steinberg::FIDString name) SMTG_OVERRIDE;
	/** A NaN value gives kResultFalse and leaves the parameter as it was; others are clamped to 0..1. */
	Steinberg::tresult PLUGIN_API setParamNormalized (Steinberg::Vst::ParamID tag,
	                                                  Steinberg::Vst::ParamValue value) SMTG_OVERRIDE;

	//---from FUnknown---
	/** A null result pointer gives kInvalidArgument. */
	Steinberg::tresult PLUGIN_API queryInterface (const Steinberg::TUID iid, void** obj) SMTG_OVERRIDE;
	Steinberg::uint32 PLUGIN_API addRef () SMTG_OVERRIDE { return EditController::addRef (); }
	Steinberg::uint32 PLUGIN_API release () SMTG_OVERRIDE { return EditController::release (); }

	OBJ_METHODS (DuckerController, EditController)

protected:
	~DuckerController () override;

private:
	void addParameters ();

	// Shared with the editor: read only by std::atomic_load and replaced only by std::atomic_store, so a
	// reader always holds one whole pair. (libstdc++ 12's std::atomic<std::shared_ptr> hides its lock from
	// ThreadSanitizer, so the free functions are used instead.)
	std::shared_ptr<const WinSize> winSize;
};
