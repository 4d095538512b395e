#include "public.sdk/source/vst/vstguieditor.h"

#include "public.sdk/source/main/moduleinit.h"
#include "vstgui/lib/events.h"
#include "vstgui/lib/platform/iplatformframe.h"
#include "vstgui/lib/vstguiinit.h"

#include "pluginterfaces/gui/iplugview.h"

#include <cstring>

// The GUI library lives from the module's first entry to its last exit, started with the module's handle.
static Steinberg::ModuleInitializer initGuiLibrary ([] () { VSTGUI::init (Steinberg::getPlatformModuleHandle ()); });
static Steinberg::ModuleTerminator exitGuiLibrary ([] () { VSTGUI::exit (); });

namespace Steinberg
{
namespace Vst
{
namespace
{

// The host's key codes (pluginterfaces/base/keycodes.h, absent from the SDK subset). The named keys share
// their numbers with the GUI library's VirtualKey; letters and digits arrive as their ASCII code counted
// from '0', offset by kFirstAsciiKey.
constexpr int16 kSpaceKey = 7;
constexpr int16 kFirstAsciiKey = 128;
constexpr int16 kShiftModifier = 1 << 0;
constexpr int16 kAlternateModifier = 1 << 1;
constexpr int16 kCommandModifier = 1 << 2; // the control key outside macOS
constexpr int16 kControlModifier = 1 << 3;

char16 characterOfKeyCode (int16 keyMsg)
{
	if (keyMsg >= kFirstAsciiKey)
		return static_cast<char16> (keyMsg - kFirstAsciiKey + '0');
	if (keyMsg == kSpaceKey)
		return u' ';
	return 0;
}

VSTGUI::KeyboardEvent translateKeyMessage (VSTGUI::EventType type, char16 key, int16 keyMsg, int16 modifiers)
{
	VSTGUI::KeyboardEvent event;
	event.type = type;
	// An ASCII key code names no virtual key; its character says it all.
	if (keyMsg > 0 && keyMsg < kFirstAsciiKey)
		event.virt = static_cast<VSTGUI::VirtualKey> (keyMsg);
	if (key == 0)
		key = characterOfKeyCode (keyMsg);
	event.character = key;
	if (modifiers & kShiftModifier)
		event.modifiers.add (VSTGUI::ModifierKey::Shift);
	if (modifiers & kAlternateModifier)
		event.modifiers.add (VSTGUI::ModifierKey::Alt);
	if (modifiers & kCommandModifier)
		event.modifiers.add (VSTGUI::ModifierKey::Control);
	if (modifiers & kControlModifier)
		event.modifiers.add (VSTGUI::ModifierKey::Super);
	return event;
}

} // namespace

VSTGUIEditor::VSTGUIEditor (void* controller, ViewRect* size)
    : EditorView (static_cast<EditController*> (controller), size),
      timer (new VSTGUI::CVSTGUITimer (static_cast<VSTGUI::CBaseObject*> (this)))
{
}

VSTGUIEditor::~VSTGUIEditor ()
{
	if (timer)
		timer->forget ();
}

void VSTGUIEditor::setIdleRate (int32 millisec)
{
	if (timer)
		timer->setFireTime (static_cast<uint32_t> (millisec));
}

VSTGUI::CMessageResult VSTGUIEditor::notify (VSTGUI::CBaseObject* /*sender*/, VSTGUI::IdStringPtr message)
{
	if (message == VSTGUI::CVSTGUITimer::kMsgTimer)
	{
		if (frame)
			frame->idle ();
		return VSTGUI::kMessageNotified;
	}
	return VSTGUI::kMessageUnknown;
}

tresult PLUGIN_API VSTGUIEditor::isPlatformTypeSupported (FIDString type)
{
	if (type && std::strcmp (type, kPlatformTypeX11EmbedWindowID) == 0)
		return kResultTrue;
	return kInvalidArgument;
}

tresult PLUGIN_API VSTGUIEditor::attached (void* parent, FIDString type)
{
	// As the SDK's own: outside macOS the type is neither checked nor passed on, and the frame opens on the
	// platform's native window type.
	if (open (parent, VSTGUI::PlatformType::kDefaultNative) && frame)
	{
		ViewRect viewRect (0, 0, static_cast<int32> (frame->getWidth ()), static_cast<int32> (frame->getHeight ()));
		setRect (viewRect);
		if (plugFrame)
			plugFrame->resizeView (this, &viewRect);
		if (timer)
			timer->start ();
	}
	return EditorView::attached (parent, type);
}

tresult PLUGIN_API VSTGUIEditor::removed ()
{
	if (timer)
		timer->stop ();
	close ();
	return EditorView::removed ();
}

tresult PLUGIN_API VSTGUIEditor::onSize (ViewRect* newSize)
{
	if (!newSize)
		return kInvalidArgument;
	if (frame)
		frame->setSize (newSize->getWidth (), newSize->getHeight ());
	return EditorView::onSize (newSize);
}

void VSTGUIEditor::beginEdit (int32_t index)
{
	if (controller)
		controller->beginEdit (static_cast<ParamID> (index));
}

void VSTGUIEditor::endEdit (int32_t index)
{
	if (controller)
		controller->endEdit (static_cast<ParamID> (index));
}

int32_t VSTGUIEditor::getKnobMode () const
{
	switch (EditController::getHostKnobMode ())
	{
	case Vst::kRelativCircularMode:
		return VSTGUI::kRelativCircularMode;
	case Vst::kLinearMode:
		return VSTGUI::kLinearMode;
	default:
		return VSTGUI::kCircularMode;
	}
}

tresult PLUGIN_API VSTGUIEditor::onKeyDown (char16 key, int16 keyMsg, int16 modifiers)
{
	if (!frame)
		return kResultFalse;
	auto event = translateKeyMessage (VSTGUI::EventType::KeyDown, key, keyMsg, modifiers);
	frame->dispatchEvent (event);
	return event.consumed ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API VSTGUIEditor::onKeyUp (char16 key, int16 keyMsg, int16 modifiers)
{
	if (!frame)
		return kResultFalse;
	auto event = translateKeyMessage (VSTGUI::EventType::KeyUp, key, keyMsg, modifiers);
	frame->dispatchEvent (event);
	return event.consumed ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API VSTGUIEditor::onWheel (float distance)
{
	if (!frame)
		return kResultFalse;
	VSTGUI::MouseWheelEvent event;
	frame->getCurrentMouseLocation (event.mousePosition);
	event.deltaY = distance;
	if (const auto& platformFrame = frame->getPlatformFrame ())
		platformFrame->getCurrentModifiers (event.modifiers);
	frame->dispatchEvent (event);
	return event.consumed ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API VSTGUIEditor::setFrame (IPlugFrame* newPlugFrame)
{
	return EditorView::setFrame (newPlugFrame);
}

} // namespace Vst
} // namespace Steinberg
