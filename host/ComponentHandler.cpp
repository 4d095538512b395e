#include "host/ComponentHandler.h"

#include "host/ContextMenu.h"

#include <algorithm>
#include <sstream>

namespace QuorvaneHost
{

using namespace Steinberg;
using namespace Steinberg::Vst;

const char* handlerCallName (HandlerCall::Kind kind)
{
	switch (kind)
	{
	case HandlerCall::kBeginEdit:
		return "beginEdit";
	case HandlerCall::kPerformEdit:
		return "performEdit";
	case HandlerCall::kEndEdit:
		return "endEdit";
	case HandlerCall::kRestartComponent:
		return "restartComponent";
	case HandlerCall::kSetDirty:
		return "setDirty";
	case HandlerCall::kRequestOpenEditor:
		return "requestOpenEditor";
	case HandlerCall::kStartGroupEdit:
		return "startGroupEdit";
	case HandlerCall::kFinishGroupEdit:
		return "finishGroupEdit";
	case HandlerCall::kCreateContextMenu:
		return "createContextMenu";
	case HandlerCall::kContextMenuPopup:
		return "contextMenuPopup";
	}
	return "unknown";
}

std::string describeHandlerCall (const HandlerCall& call)
{
	std::ostringstream text;
	text << handlerCallName (call.kind);
	switch (call.kind)
	{
	case HandlerCall::kBeginEdit:
	case HandlerCall::kEndEdit:
		text << " " << call.id;
		break;
	case HandlerCall::kPerformEdit:
		text << " " << call.id << " " << call.value;
		break;
	case HandlerCall::kRestartComponent:
		text << " 0x" << std::hex << call.flags;
		break;
	case HandlerCall::kSetDirty:
		text << (call.dirty ? " true" : " false");
		break;
	case HandlerCall::kRequestOpenEditor:
		text << " \"" << call.editorName << "\"";
		break;
	case HandlerCall::kCreateContextMenu:
		if (call.hasParameter)
			text << " " << call.id;
		else
			text << " (no parameter)";
		break;
	case HandlerCall::kContextMenuPopup:
		text << " at " << call.x << "," << call.y << " with " << call.menuItems.size () << " items";
		for (const auto& item : call.menuItems)
			text << " \"" << item << "\"";
		break;
	default:
		break;
	}
	return text.str ();
}

namespace
{

HandlerCall makeCall (HandlerCall::Kind kind, ParamID id = 0, ParamValue value = 0.0)
{
	HandlerCall call;
	call.kind = kind;
	call.id = id;
	call.value = value;
	return call;
}

} // namespace

ComponentHandler::ComponentHandler (PendingParameterEdits* pendingEdits) : edits (pendingEdits) {}

void ComponentHandler::detach ()
{
	edits.store (nullptr);
}

std::vector<HandlerCall> ComponentHandler::calls () const
{
	std::lock_guard<std::mutex> guard (callsLock);
	return recorded;
}

void ComponentHandler::clearCalls ()
{
	std::lock_guard<std::mutex> guard (callsLock);
	recorded.clear ();
}

size_t ComponentHandler::count (HandlerCall::Kind kind) const
{
	std::lock_guard<std::mutex> guard (callsLock);
	return static_cast<size_t> (std::count_if (recorded.begin (), recorded.end (),
	                                           [kind] (const HandlerCall& call) { return call.kind == kind; }));
}

void ComponentHandler::record (const HandlerCall& call)
{
	std::lock_guard<std::mutex> guard (callsLock);
	recorded.push_back (call);
}

tresult PLUGIN_API ComponentHandler::beginEdit (ParamID id)
{
	record (makeCall (HandlerCall::kBeginEdit, id));
	return kResultOk;
}

tresult PLUGIN_API ComponentHandler::performEdit (ParamID id, ParamValue valueNormalized)
{
	record (makeCall (HandlerCall::kPerformEdit, id, valueNormalized));
	PendingParameterEdits* target = edits.load ();
	if (!target)
		return kResultFalse;
	return target->post (id, valueNormalized) ? kResultOk : kInvalidArgument;
}

tresult PLUGIN_API ComponentHandler::endEdit (ParamID id)
{
	record (makeCall (HandlerCall::kEndEdit, id));
	return kResultOk;
}

tresult PLUGIN_API ComponentHandler::restartComponent (int32 flags)
{
	HandlerCall call = makeCall (HandlerCall::kRestartComponent);
	call.flags = flags;
	record (call);
	return kResultOk;
}

tresult PLUGIN_API ComponentHandler::setDirty (TBool state)
{
	HandlerCall call = makeCall (HandlerCall::kSetDirty);
	call.dirty = state != 0;
	record (call);
	return kResultOk;
}

tresult PLUGIN_API ComponentHandler::requestOpenEditor (FIDString name)
{
	HandlerCall call = makeCall (HandlerCall::kRequestOpenEditor);
	call.editorName = name ? name : "";
	record (call);
	return kNotImplemented;
}

tresult PLUGIN_API ComponentHandler::startGroupEdit ()
{
	record (makeCall (HandlerCall::kStartGroupEdit));
	return kResultOk;
}

tresult PLUGIN_API ComponentHandler::finishGroupEdit ()
{
	record (makeCall (HandlerCall::kFinishGroupEdit));
	return kResultOk;
}

IContextMenu* PLUGIN_API ComponentHandler::createContextMenu (IPlugView* plugView, const ParamID* paramID)
{
	HandlerCall call = makeCall (HandlerCall::kCreateContextMenu, paramID ? *paramID : 0);
	call.hasParameter = paramID != nullptr;
	record (call);
	if (!plugView)
		return nullptr;
	// The menu may outlive the controller's hold on this handler; it keeps the handler for its own life.
	Steinberg::IPtr<ComponentHandler> self (this);
	return new ContextMenu (
	    [self] (int32 x, int32 y, const std::vector<std::string>& items)
	    {
		    HandlerCall popup = makeCall (HandlerCall::kContextMenuPopup);
		    popup.x = x;
		    popup.y = y;
		    popup.menuItems = items;
		    self->record (popup);
	    });
}

tresult PLUGIN_API ComponentHandler::queryInterface (const TUID iid, void** obj)
{
	if (!obj)
		return kInvalidArgument;
	if (FUnknownPrivate::iidEqual (iid, FUnknown::iid) || FUnknownPrivate::iidEqual (iid, IComponentHandler::iid))
	{
		addRef ();
		*obj = static_cast<IComponentHandler*> (this);
		return kResultOk;
	}
	if (FUnknownPrivate::iidEqual (iid, IComponentHandler2::iid))
	{
		addRef ();
		*obj = static_cast<IComponentHandler2*> (this);
		return kResultOk;
	}
	if (FUnknownPrivate::iidEqual (iid, IComponentHandler3::iid))
	{
		addRef ();
		*obj = static_cast<IComponentHandler3*> (this);
		return kResultOk;
	}
	*obj = nullptr;
	return kNoInterface;
}

uint32 PLUGIN_API ComponentHandler::addRef ()
{
	return ++referenceCount;
}

uint32 PLUGIN_API ComponentHandler::release ()
{
	const uint32 remaining = --referenceCount;
	if (remaining == 0)
		delete this;
	return remaining;
}

} // namespace QuorvaneHost
