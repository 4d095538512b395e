#include "DuckerEditor.h"

#include "CheckDefaultValueOnDoubleClick.h"
#include "DuckerViewTree.h"

#include "controller/DuckerController.h"

#include "vstgui/lib/controls/ccontrol.h"

#include <cstring>

using namespace Steinberg;

DuckerEditor::DuckerEditor (DuckerController* controller, int32 width, int32 height)
    : ProgrammaticEditor (controller, VSTGUI::CPoint (kMinWidth, kMinHeight), VSTGUI::CPoint (width, height)),
      controller (controller)
{
}

DuckerEditor::DuckerEditor (DuckerController* controller)
    : DuckerEditor (controller, kDefaultWinSize.width, kDefaultWinSize.height)
{
}

tresult PLUGIN_API DuckerEditor::isPlatformTypeSupported (FIDString type)
{
	if (!type)
		return kResultFalse;
	for (const char* supported : {"X11EmbedWindowID", "HWND"})
		if (std::strcmp (type, supported) == 0)
			return kResultTrue;
	return kResultFalse;
}

void DuckerEditor::createGui ()
{
	// Process-wide and never restored: every control of the module resets on a left double click.
	VSTGUI::CControl::CheckDefaultValueEventFunc = checkDefaultValueOnDoubleClick;
	addDuckerViewTree (getFrame (), this);
}

void DuckerEditor::restoreWinSize ()
{
	const auto stored = controller->getWinSize ();
	const WinSize size = stored ? *stored : kDefaultWinSize;
	const double scale = getContentScaleFactor ();
	getFrame ()->setSize (size.width * scale, size.height * scale);
}

void DuckerEditor::saveWinSize (int32 width, int32 height)
{
	controller->setWinSize ({width, height});
}
