// The module's editor window: a code-built editor of 100 × 168 at least, opening at the size the controller
// stored (200 × 336 the first time), with the view tree of DuckerViewTree and the size kept in the controller.
#pragma once

#include "editor/framework/ProgrammaticEditor.h"

#include "pluginterfaces/base/ftypes.h"

class DuckerController;

class DuckerEditor : public ProgrammaticEditor
{
public:
	/** The minimum size, exactly half the default size. */
	static constexpr Steinberg::int32 kMinWidth = 100;
	static constexpr Steinberg::int32 kMinHeight = 168;

	/** An editor whose view rectangle is (0, 0, width, height) until it opens. */
	DuckerEditor (DuckerController* controller, Steinberg::int32 width, Steinberg::int32 height);
	/** An editor of the default size. */
	explicit DuckerEditor (DuckerController* controller);

	/** "X11EmbedWindowID" (this module's window system) and "HWND" (a Windows host) are accepted. Wayland is
	    refused: the GUI library here has no Wayland back end, and an XWayland host offers X11 instead. */
	Steinberg::tresult PLUGIN_API isPlatformTypeSupported (Steinberg::FIDString type) SMTG_OVERRIDE;

protected:
	~DuckerEditor () override = default;

	void createGui () override;
	/** Sizes the frame to the stored (or default) size times the content scale factor. */
	void restoreWinSize () override;
	void saveWinSize (Steinberg::int32 width, Steinberg::int32 height) override;

private:
	// Not counted: the editor base holds the controller for the editor's whole life.
	DuckerController* controller;
};
