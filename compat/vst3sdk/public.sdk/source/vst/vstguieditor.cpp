#include "public.sdk/source/vst/vstguieditor.h"

#include "public.sdk/source/main/moduleinit.h"
#include "vstgui/lib/events.h"
#include "vstgui/lib/platform/iplatformframe.h"
#include "vstgui/lib/platform/platform_x11.h"
#include "vstgui/lib/vstguiinit.h"

#include "pluginterfaces/gui/iplugview.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

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

VSTGUI::PlatformType platformTypeOf (FIDString type)
{
	struct Mapping
	{
		FIDString name;
		VSTGUI::PlatformType platformType;
	};
	static const Mapping mappings[] = {
	    {kPlatformTypeX11EmbedWindowID, VSTGUI::PlatformType::kX11EmbedWindowID},
	    {kPlatformTypeHWND, VSTGUI::PlatformType::kHWND},
	    {kPlatformTypeNSView, VSTGUI::PlatformType::kNSView},
	    {kPlatformTypeUIView, VSTGUI::PlatformType::kUIView},
	    {kPlatformTypeHIView, VSTGUI::PlatformType::kWindowRef},
	};
	for (const auto& mapping : mappings)
	{
		if (std::strcmp (type, mapping.name) == 0)
			return mapping.platformType;
	}
	return VSTGUI::PlatformType::kDefaultNative;
}

// The host's handler interfaces in front of one of the GUI library's handlers. The adapter keeps itself alive
// while it calls into the GUI library, since a handler may be unregistered (and its adapter dropped) from its
// own callback.
class HandlerAdapter : public FObject, public Linux::IEventHandler, public Linux::ITimerHandler
{
public:
	HandlerAdapter (const void* handler, std::function<void ()> call) : handler (handler), call (std::move (call)) {}

	void PLUGIN_API onFDIsSet (Linux::FileDescriptor) override { run (); }
	void PLUGIN_API onTimer () override { run (); }

	/** The GUI library's handler that this adapter stands for. */
	const void* const handler;

	DEFINE_INTERFACES
	DEF_INTERFACE (Linux::IEventHandler)
	DEF_INTERFACE (Linux::ITimerHandler)
	END_DEFINE_INTERFACES (FObject)
	REFCOUNT_METHODS (FObject)

private:
	void run ()
	{
		IPtr<HandlerAdapter> keepAlive (this);
		call ();
	}

	std::function<void ()> call;
};

// The host's Linux::IRunLoop, offered as the GUI library's X11::IRunLoop.
class HostRunLoop final : public VSTGUI::X11::IRunLoop, public VSTGUI::AtomicReferenceCounted
{
public:
	explicit HostRunLoop (IPtr<Linux::IRunLoop> hostLoop) : hostLoop (std::move (hostLoop)) {}

	~HostRunLoop () noexcept override
	{
		for (auto& adapter : eventHandlers)
			hostLoop->unregisterEventHandler (adapter);
		for (auto& adapter : timerHandlers)
			hostLoop->unregisterTimer (adapter);
	}

	bool registerEventHandler (int fd, VSTGUI::X11::IEventHandler* handler) override
	{
		auto adapter = owned (new HandlerAdapter (handler, [handler] () { handler->onEvent (); }));
		if (hostLoop->registerEventHandler (adapter, fd) != kResultTrue)
			return false;
		eventHandlers.push_back (adapter);
		return true;
	}

	bool unregisterEventHandler (VSTGUI::X11::IEventHandler* handler) override
	{
		return unregister (eventHandlers, handler,
		                   [this] (HandlerAdapter* adapter) { return hostLoop->unregisterEventHandler (adapter); });
	}

	bool registerTimer (uint64_t interval, VSTGUI::X11::ITimerHandler* handler) override
	{
		auto adapter = owned (new HandlerAdapter (handler, [handler] () { handler->onTimer (); }));
		if (hostLoop->registerTimer (adapter, interval) != kResultTrue)
			return false;
		timerHandlers.push_back (adapter);
		return true;
	}

	bool unregisterTimer (VSTGUI::X11::ITimerHandler* handler) override
	{
		return unregister (timerHandlers, handler,
		                   [this] (HandlerAdapter* adapter) { return hostLoop->unregisterTimer (adapter); });
	}

private:
	template <typename Unregister>
	static bool unregister (std::vector<IPtr<HandlerAdapter>>& adapters, const void* handler,
	                        Unregister&& unregisterFromHost)
	{
		auto found = std::find_if (adapters.begin (), adapters.end (),
		                           [handler] (const auto& adapter) { return adapter->handler == handler; });
		if (found == adapters.end ())
			return false;
		IPtr<HandlerAdapter> adapter = *found;
		adapters.erase (found);
		return unregisterFromHost (adapter) == kResultTrue;
	}

	IPtr<Linux::IRunLoop> hostLoop;
	std::vector<IPtr<HandlerAdapter>> eventHandlers;
	std::vector<IPtr<HandlerAdapter>> timerHandlers;
};

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
	releaseRunLoop ();
}

bool PLUGIN_API VSTGUIEditor::open (void* parent, const VSTGUI::PlatformType& platformType)
{
	const auto& rect = getRect ();
	frame = new VSTGUI::CFrame (VSTGUI::CRect (0, 0, rect.getWidth (), rect.getHeight ()), this);
	VSTGUI::X11::FrameConfig config;
	config.runLoop = runLoop;
	frame->open (parent, platformType, runLoop ? &config : nullptr);
	return true;
}

void PLUGIN_API VSTGUIEditor::close ()
{
	if (frame)
		frame->close ();
	frame = nullptr;
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
	if (isPlatformTypeSupported (type) != kResultTrue)
		return kResultFalse;
	if (open (parent, platformTypeOf (type)) && frame)
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
	releaseRunLoop ();
	if (newPlugFrame)
	{
		FUnknownPtr<Linux::IRunLoop> hostLoop (newPlugFrame);
		if (hostLoop)
		{
			runLoop = VSTGUI::owned<VSTGUI::X11::IRunLoop> (new HostRunLoop (IPtr<Linux::IRunLoop> (hostLoop)));
			VSTGUI::X11::RunLoop::init (runLoop);
		}
	}
	return EditorView::setFrame (newPlugFrame);
}

const VSTGUI::SharedPointer<VSTGUI::X11::IRunLoop>& VSTGUIEditor::getRunLoop () const
{
	return runLoop;
}

void VSTGUIEditor::releaseRunLoop ()
{
	if (!runLoop)
		return;
	VSTGUI::X11::RunLoop::exit ();
	runLoop = nullptr;
}

} // namespace Vst
} // namespace Steinberg
