// The host's side of IComponentHandler, IComponentHandler2 and IComponentHandler3: what an edit controller and its
// editor call to report edits, dirty state and requests, and to ask for context menus. It records every call in
// order (a menu's popup included), and passes performed edits on to the processor's next block through
// PendingParameterEdits.
#pragma once

#include "host/PendingParameterEdits.h"

#include "pluginterfaces/vst/ivstcontextmenu.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

namespace QuorvaneHost
{

struct HandlerCall
{
	enum Kind
	{
		kBeginEdit,
		kPerformEdit,
		kEndEdit,
		kRestartComponent,
		kSetDirty,
		kRequestOpenEditor,
		kStartGroupEdit,
		kFinishGroupEdit,
		kCreateContextMenu,
		kContextMenuPopup,
	};

	Kind kind{kBeginEdit};
	Steinberg::Vst::ParamID id{0};         // edits
	Steinberg::Vst::ParamValue value{0.0}; // performEdit
	Steinberg::int32 flags{0};             // restartComponent
	bool dirty{false};                     // setDirty
	std::string editorName;                // requestOpenEditor
	bool hasParameter{false};              // createContextMenu: asked for `id`'s menu, else the general one
	Steinberg::int32 x{0};                 // popup point
	Steinberg::int32 y{0};
	std::vector<std::string> menuItems; // popup: the titles in the menu

	bool operator== (const HandlerCall& other) const = default;
};

/** "beginEdit", "performEdit", ... */
const char* handlerCallName (HandlerCall::Kind kind);
/** One call as a line, e.g. "performEdit 1005 0.5". */
std::string describeHandlerCall (const HandlerCall& call);

class ComponentHandler : public Steinberg::Vst::IComponentHandler,
                         public Steinberg::Vst::IComponentHandler2,
                         public Steinberg::Vst::IComponentHandler3
{
public:
	/** Edits go to `edits`, which must outlive the handler or be detached first. */
	explicit ComponentHandler (PendingParameterEdits* edits);

	/** Stops passing edits on; calls are still recorded. For a plug-in that keeps the handler after teardown. */
	void detach ();

	/** A copy of the calls so far, oldest first. */
	std::vector<HandlerCall> calls () const;
	void clearCalls ();
	/** How many calls of one kind were recorded. */
	size_t count (HandlerCall::Kind kind) const;

	//---from IComponentHandler---
	Steinberg::tresult PLUGIN_API beginEdit (Steinberg::Vst::ParamID id) SMTG_OVERRIDE;
	/** kResultOk when the edit is on its way to the processor; kInvalidArgument for an undeclared parameter. */
	Steinberg::tresult PLUGIN_API performEdit (Steinberg::Vst::ParamID id,
	                                           Steinberg::Vst::ParamValue valueNormalized) SMTG_OVERRIDE;
	Steinberg::tresult PLUGIN_API endEdit (Steinberg::Vst::ParamID id) SMTG_OVERRIDE;
	Steinberg::tresult PLUGIN_API restartComponent (Steinberg::int32 flags) SMTG_OVERRIDE;

	//---from IComponentHandler2---
	Steinberg::tresult PLUGIN_API setDirty (Steinberg::TBool state) SMTG_OVERRIDE;
	/** Editors open only when the user asks (quorvane view): recorded and answered kNotImplemented. */
	Steinberg::tresult PLUGIN_API requestOpenEditor (Steinberg::FIDString name) SMTG_OVERRIDE;
	Steinberg::tresult PLUGIN_API startGroupEdit () SMTG_OVERRIDE;
	Steinberg::tresult PLUGIN_API finishGroupEdit () SMTG_OVERRIDE;

	//---from IComponentHandler3---
	/** A ContextMenu that records its popup here; null without a view. */
	Steinberg::Vst::IContextMenu* PLUGIN_API createContextMenu (Steinberg::IPlugView* plugView,
	                                                            const Steinberg::Vst::ParamID* paramID) SMTG_OVERRIDE;

	//---from FUnknown---
	Steinberg::tresult PLUGIN_API queryInterface (const Steinberg::TUID iid, void** obj) SMTG_OVERRIDE;
	Steinberg::uint32 PLUGIN_API addRef () SMTG_OVERRIDE;
	Steinberg::uint32 PLUGIN_API release () SMTG_OVERRIDE;

private:
	virtual ~ComponentHandler () = default;
	void record (const HandlerCall& call);

	std::atomic<Steinberg::uint32> referenceCount{1};
	// Controllers call on the user-interface thread; the lock only keeps a careless caller from tearing
	// the record apart.
	mutable std::mutex callsLock;
	std::vector<HandlerCall> recorded;
	std::atomic<PendingParameterEdits*> edits;
};

} // namespace QuorvaneHost
