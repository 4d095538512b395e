#include "editor/framework/ProgrammaticEditor.h"

#include "editor/framework/IdleUpdateHandler.h"
#include "editor/framework/ParameterChangeListener.h"
#if SMTG_OS_LINUX
#include "editor/framework/PlugFrameRunLoop.h"
#endif

#include "base/source/fstring.h"
#include "pluginterfaces/vst/ivstcontextmenu.h"
#include "public.sdk/source/vst/vstparameters.h"
#include "vstgui/lib/controls/ccontrol.h"
#include "vstgui/lib/controls/ctextedit.h"
#include "vstgui/lib/events.h"
#if SMTG_OS_LINUX
#include "vstgui/lib/platform/platform_x11.h"
#endif

#include <cmath>

using namespace Steinberg;
using namespace Steinberg::Vst;
using VSTGUI::CControl;
using VSTGUI::CPoint;
using VSTGUI::CRect;

namespace
{

constexpr int32 kNoTag = -1;

int32 floorToInt32 (double value)
{
	return static_cast<int32> (std::floor (value));
}

#if SMTG_OS_LINUX
// The SDK's editor base passes kDefaultNative whatever the host named; on Linux that is the host's X11 window.
bool isX11Window (VSTGUI::PlatformType type)
{
	return type == VSTGUI::PlatformType::kDefaultNative || type == VSTGUI::PlatformType::kX11EmbedWindowID;
}
#endif

} // namespace

ProgrammaticEditor::ProgrammaticEditor (EditController* controller, const CPoint& minSize, const CPoint& size)
    : VSTGUIEditor (controller), minSize (minSize)
{
	setRect (ViewRect (0, 0, static_cast<int32> (size.x), static_cast<int32> (size.y)));
	// Views invalidate their area at once instead of waiting for the frame's idle pass; never reset, since
	// other editors of the process rely on it too.
	VSTGUI::CView::kDirtyCallAlwaysOnMainThread = true;
	setIdleRate (kIdleRateMs);
}

ProgrammaticEditor::~ProgrammaticEditor ()
{
	// Releasing the listeners is close's work; an editor destroyed while closed holds none.
	paramChangeListeners.clear ();
}

tresult PLUGIN_API ProgrammaticEditor::queryInterface (const TUID iid, void** obj)
{
	QUERY_INTERFACE (iid, obj, IPlugViewContentScaleSupport::iid, IPlugViewContentScaleSupport)
	QUERY_INTERFACE (iid, obj, IParameterFinder::iid, IParameterFinder)
	QUERY_INTERFACE (iid, obj, IPlugView::iid, IPlugView)
	return FObject::queryInterface (iid, obj);
}

bool PLUGIN_API ProgrammaticEditor::open (void* parent, const VSTGUI::PlatformType& platformType)
{
	frame = new VSTGUI::CFrame (CRect (0., 0., minSize.x, minSize.y), this);
	// Content scaling works through the window size; the views follow it through their own layout.
	frame->setZoom (1.);
	frame->setAutosizingEnabled (false);
	frame->setViewAddedRemovedObserver (this);
	frame->setTransparency (false);
	frame->registerMouseObserver (this);
	frame->enableTooltips (tooltipsEnabled, kTooltipDelayMs);

	createGui ();
	VSTGUI::IPlatformFrameConfig* config = nullptr;
#if SMTG_OS_LINUX
	// An X11 frame reads its window's events and runs the GUI timers on the host's run loop, which it gets only
	// from its configuration.
	VSTGUI::X11::FrameConfig x11Config;
	if (isX11Window (platformType))
	{
		x11Config.runLoop = PlugFrameRunLoop::create (plugFrame);
		config = &x11Config;
	}
#endif
	// Every control of the tree is bound as it joins the opened frame (onViewAdded).
	if (!frame->open (parent, platformType, config))
	{
		releaseFrame ();
		return false;
	}
	restoreWinSize ();
	frame->parentSizeChanged ();

	IdleUpdateHandler::start ();
	return true;
}

void PLUGIN_API ProgrammaticEditor::close ()
{
	// Only an editor that opened started the shared timer.
	if (frame)
		IdleUpdateHandler::stop ();
	releaseFrame ();
}

tresult PLUGIN_API ProgrammaticEditor::attached (void* parent, FIDString type)
{
	// The SDK's editor base opens a frame on whatever window it is given; one this editor cannot draw into is
	// refused before anything opens.
	if (isPlatformTypeSupported (type) != kResultTrue)
		return kResultFalse;
	const tresult result = VSTGUIEditor::attached (parent, type);
	if (frame)
		return result;
	// The frame refused the window: the host hears so, and nothing stays attached.
	VSTGUIEditor::removed ();
	return kResultFalse;
}

void ProgrammaticEditor::releaseFrame ()
{
	// Before any view leaves the frame, so the removals below find no listener to update.
	for (auto& entry : paramChangeListeners)
	{
		if (entry.second)
			entry.second->release ();
	}
	paramChangeListeners.clear ();

	if (!frame)
		return;
	frame->unregisterMouseObserver (this);
	frame->removeAll (true);
	if (frame->getNbReference () == 1)
		frame->close ();
	else
		frame->forget ();
	frame = nullptr;
}

//------------------------------------------------------------------------ sizing

tresult PLUGIN_API ProgrammaticEditor::checkSizeConstraint (ViewRect* rect)
{
	if (!rect)
		return kInvalidArgument;
	const double scale = contentScaleFactor;
	const double minWidth = scale * minSize.x;
	const double minHeight = scale * minSize.y;
	if (minWidth > rect->getWidth ())
		rect->right = static_cast<int32> (rect->left + minWidth);
	if (minHeight > rect->getHeight ())
		rect->bottom = static_cast<int32> (rect->top + minHeight);

	const auto maxWidth = static_cast<int32> (kMaxWidth * scale);
	const auto maxHeight = static_cast<int32> (kMaxHeight * scale);
	if (rect->getWidth () > maxWidth)
		rect->right = rect->left + maxWidth;
	if (rect->getHeight () > maxHeight)
		rect->bottom = rect->top + maxHeight;
	return kResultTrue;
}

bool ProgrammaticEditor::beforeSizeChange (const CRect& newSize, const CRect& /*oldSize*/)
{
	// A change the editor carries out already (the host's onSize inside our own request, or a host resize
	// passed on to the frame): the host is not asked again.
	if (resizeGuard)
		return true;

	resizeGuard = true;
	requestedSize = CPoint (newSize.getWidth (), newSize.getHeight ());
	bool accepted = false;
	if (plugFrame)
	{
		ViewRect request (0, 0, floorToInt32 (requestedSize.x), floorToInt32 (requestedSize.y));
		accepted = plugFrame->resizeView (this, &request) == kResultTrue;
	}
	resizeGuard = false;
	requestedSize = CPoint (0., 0.);
	return accepted;
}

tresult PLUGIN_API ProgrammaticEditor::onSize (ViewRect* newSize)
{
	if (!newSize)
		return kInvalidArgument;
	const int32 width = newSize->getWidth ();
	const int32 height = newSize->getHeight ();

	if (resizeGuard)
	{
		// The host answers our own request from inside resizeView: only the size we asked for is taken.
		if (width != floorToInt32 (requestedSize.x) || height != floorToInt32 (requestedSize.y))
			return kResultFalse;
		VSTGUIEditor::onSize (newSize);
		saveUnscaledSize (width, height);
		return kResultOk;
	}

	if (frame)
	{
		CRect current;
		frame->getSize (current);
		if (newSize->left == current.left && newSize->top == current.top &&
		    width == floorToInt32 (current.getWidth ()) && height == floorToInt32 (current.getHeight ()))
		{
			VSTGUIEditor::onSize (newSize);
			saveUnscaledSize (width, height);
			return kResultOk;
		}
	}

	// A resize the host started: the frame follows without asking the host again.
	resizeGuard = true;
	requestedSize = CPoint (width, height);
	const tresult result = VSTGUIEditor::onSize (newSize);
	saveUnscaledSize (width, height);
	resizeGuard = false;
	requestedSize = CPoint (0., 0.);
	return result;
}

void ProgrammaticEditor::saveUnscaledSize (int32 width, int32 height)
{
	const float scale = static_cast<float> (contentScaleFactor);
	const float reciprocal = 1.f / scale;
	const float unscaledWidth = std::floor (static_cast<float> (width) * reciprocal);
	const float unscaledHeight = std::floor (static_cast<float> (height) * reciprocal);
	saveWinSize (static_cast<int32> (unscaledWidth), static_cast<int32> (unscaledHeight));
}

tresult PLUGIN_API ProgrammaticEditor::setContentScaleFactor (ScaleFactor factor)
{
	// Every size computation divides by the factor; a host that passes nothing sensible changes nothing.
	if (!(factor > 0.f) || !std::isfinite (factor))
		return kResultFalse;
	const double oldFactor = contentScaleFactor;
	contentScaleFactor = factor;
	if (!frame)
		return kResultOk;
	CRect current;
	frame->getSize (current);
	if (!plugFrame)
		return kResultOk;
	const double newWidth = (1. / oldFactor) * (contentScaleFactor * current.getWidth ());
	const double newHeight = (1. / oldFactor) * (contentScaleFactor * current.getHeight ());
	// No guard: the host's onSize for this request resizes the frame and stores the size like any host resize.
	ViewRect request (0, 0, floorToInt32 (newWidth), floorToInt32 (newHeight));
	plugFrame->resizeView (this, &request);
	return kResultOk;
}

//------------------------------------------------------------------------ binding

ParameterChangeListener* ProgrammaticEditor::getParameterChangeListener (int32 tag) const
{
	auto found = paramChangeListeners.find (tag);
	return found == paramChangeListeners.end () ? nullptr : found->second;
}

ParameterChangeListener* ProgrammaticEditor::listenerOf (const CControl* control) const
{
	const int32 tag = control->getTag ();
	return tag == kNoTag ? nullptr : getParameterChangeListener (tag);
}

void ProgrammaticEditor::bindControl (CControl* control)
{
	const int32 tag = control->getTag ();
	if (auto* listener = getParameterChangeListener (tag))
	{
		listener->addControl (control);
		return;
	}
	auto* parameter = getController ()->getParameterObject (static_cast<ParamID> (tag));
	auto* listener = new ParameterChangeListener (getController (), parameter, control);
	paramChangeListeners[tag] = listener;
}

void ProgrammaticEditor::unbindControl (CControl* control)
{
	auto* listener = listenerOf (control);
	if (listener && listener->containsControl (control))
		listener->removeControl (control);
}

void ProgrammaticEditor::onViewAdded (VSTGUI::CFrame* /*frame*/, VSTGUI::CView* view)
{
	auto* control = dynamic_cast<CControl*> (view);
	if (control && control->getTag () != kNoTag)
		bindControl (control);
}

void ProgrammaticEditor::onViewRemoved (VSTGUI::CFrame* /*frame*/, VSTGUI::CView* view)
{
	if (auto* control = dynamic_cast<CControl*> (view))
		unbindControl (control);
}

void ProgrammaticEditor::controlTagWillChange (CControl* control)
{
	if (control->getListener () == this)
		unbindControl (control);
}

void ProgrammaticEditor::controlTagDidChange (CControl* control)
{
	if (control->getTag () != kNoTag && control->getListener () == this)
		bindControl (control);
}

//------------------------------------------------------------------------ gestures

void ProgrammaticEditor::controlBeginEdit (CControl* control)
{
	if (auto* listener = listenerOf (control))
		listener->beginEdit ();
}

void ProgrammaticEditor::valueChanged (CControl* control)
{
	// Only the user's gestures reach the host from here; a value written into a control by a listener
	// (automation, a state load) does not come back as an edit.
	if (!control->isEditing () || control == controlBeingSent)
		return;
	auto* listener = listenerOf (control);
	if (!listener)
		return;

	ParamValue value = control->getValueNormalized ();
	auto* textEdit = dynamic_cast<VSTGUI::CTextEdit*> (control);
	if (textEdit && listener->getParameter ())
	{
		String text (textEdit->getText ().data ());
		text.toWideString (kCP_Utf8);
		IEditController* controller = getController ();
		if (controller->getParamValueByString (listener->getParameterID (), const_cast<TChar*> (text.text16 ()),
		                                       value) != kResultOk)
		{
			// The text edit shows the last good value again; nothing is sent.
			listener->update (nullptr, kChanged);
			return;
		}
	}
	// Sending writes the value back into every bound control, this one included, whose valueChanged leads
	// here again while it is still being edited: that echo is the value just sent and goes no further (for a
	// tag without a parameter it would otherwise never end).
	CControl* const outerControl = controlBeingSent;
	controlBeingSent = control;
	listener->performEdit (value);
	controlBeingSent = outerControl;
}

void ProgrammaticEditor::controlEndEdit (CControl* control)
{
	if (auto* listener = listenerOf (control))
		listener->endEdit ();
}

//------------------------------------------------------------------------ parameter finder and context menu

tresult PLUGIN_API ProgrammaticEditor::findParameter (int32 xPos, int32 yPos, ParamID& resultTag)
{
	if (!frame)
		return kResultFalse;
	VSTGUI::CViewContainer::ViewList views;
	if (!frame->getViewsAt (CPoint (xPos, yPos), views, VSTGUI::GetViewOptions ().deep ()) || views.empty ())
		return kResultFalse;

	// Front-most first: a transparent control without a parameter lets the search go on behind it; any other
	// control stops it. Views that are not controls (artwork) never hide what lies behind them.
	CControl* candidate = nullptr;
	for (const auto& view : views)
	{
		auto* control = dynamic_cast<CControl*> (view.get ());
		if (!control)
			continue;
		if (control->getMouseEnabled () && control->getTag () != kNoTag)
		{
			candidate = control;
			break;
		}
		if (!control->getTransparency ())
			break;
	}
	if (!candidate)
		return kResultFalse;

	auto* listener = listenerOf (candidate);
	if (!listener || !listener->containsControl (candidate) || !listener->getParameter ())
		return kResultFalse;
	resultTag = listener->getParameter ()->getInfo ().id;
	return kResultOk;
}

void ProgrammaticEditor::onMouseEvent (VSTGUI::MouseEvent& event, VSTGUI::CFrame* /*frame*/)
{
	// Only the right button alone counts; modifiers and click counts do not.
	if (event.type != VSTGUI::EventType::MouseDown || !event.buttonState.is (VSTGUI::MouseButton::Right))
		return;
	if (!frame)
		return;

	const auto& transform = frame->getTransform ();
	const double x = transform.m11 * event.mousePosition.x + transform.m12 * event.mousePosition.y + transform.dx;
	const double y = transform.m21 * event.mousePosition.x + transform.m22 * event.mousePosition.y + transform.dy;

	FUnknownPtr<IComponentHandler3> handler (getController ()->getComponentHandler ());
	if (!handler)
		return;

	ParamID paramID = 0;
	const bool found = findParameter (static_cast<int32> (x), static_cast<int32> (y), paramID) == kResultOk;
	IContextMenu* menu = handler->createContextMenu (this, found ? &paramID : nullptr);
	if (!menu)
		return;

	const auto popupX = static_cast<UCoord> (x);
	const auto popupY = static_cast<UCoord> (y);
	// Shown once the frame has finished with this mouse-down, so no view is in the middle of handling it.
	// The frame accepts deferred work only while it processes an event, which is always the case for a
	// mouse observer; should it ever refuse, the menu is dropped rather than shown from inside the event.
	const bool queued = frame->doAfterEventProcessing (
	    [menu, popupX, popupY] ()
	    {
		    menu->popup (popupX, popupY);
		    menu->release ();
	    });
	if (!queued)
		menu->release ();
	event.consumed = true;
}
