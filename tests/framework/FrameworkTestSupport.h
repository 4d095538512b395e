// Shared pieces of the editor framework tests: the GUI library started as the module entry starts it, a host's
// plug frame and context-menu-capable component handler that record what the editor asks of them, and a
// small editor built on ProgrammaticEditor over the real DuckerController, opened offscreen.
#pragma once

#include "controller/ControllerTestSupport.h"
#include "controller/FakeComponentHandler.h"
#include "editor/framework/IdleUpdateHandler.h"
#include "editor/framework/ProgrammaticEditor.h"
#include "plugin/ids.h"

#include "pluginterfaces/vst/ivstcontextmenu.h"
#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/controls/cbuttons.h"
#include "vstgui/lib/controls/cknob.h"
#include "vstgui/lib/controls/coptionmenu.h"
#include "vstgui/lib/controls/cslider.h"
#include "vstgui/lib/controls/ctextedit.h"
#include "vstgui/lib/controls/ctextlabel.h"
#include "vstgui/lib/platform/offscreen/offscreenframe.h"
#include "vstgui/lib/platform/offscreen/offscreentimer.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace Steinberg
{
inline bool operator== (const ViewRect& a, const ViewRect& b)
{
	return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline void PrintTo (const ViewRect& r, std::ostream* os)
{
	*os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
} // namespace Steinberg

namespace VSTGUI
{
inline void PrintTo (const CRect& r, std::ostream* os)
{
	*os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
} // namespace VSTGUI

extern "C" bool ModuleEntry (void* sharedLibraryHandle);
extern "C" bool ModuleExit ();

/** Starts the GUI library through the module entry, as a host's first entry does, and ends it at the last exit. */
extern Steinberg::IUpdateHandler* updateHandlerBeforeFirstTest;

class ModuleEnvironment : public testing::Environment
{
public:
	void SetUp () override
	{
		updateHandlerBeforeFirstTest = Steinberg::FObject::getUpdateHandler ();
		ASSERT_TRUE (ModuleEntry (nullptr));
	}
	void TearDown () override { ModuleExit (); }
};

/** A host's plug frame: records every resizeView and, unless told otherwise, answers it by calling onSize. */
class FakePlugFrame : public Steinberg::IPlugFrame
{
public:
	struct Request
	{
		Steinberg::int32 width;
		Steinberg::int32 height;
		bool operator== (const Request&) const = default;
	};
	std::vector<Request> requests;
	Steinberg::tresult answer = Steinberg::kResultTrue;
	bool callsOnSize = true;
	/** Replaces the default answer when set. */
	std::function<Steinberg::tresult (Steinberg::IPlugView*, Steinberg::ViewRect*)> onResize;

	Steinberg::tresult PLUGIN_API resizeView (Steinberg::IPlugView* view, Steinberg::ViewRect* newSize) override
	{
		requests.push_back ({newSize->getWidth (), newSize->getHeight ()});
		if (onResize)
			return onResize (view, newSize);
		if (answer == Steinberg::kResultTrue && callsOnSize)
		{
			Steinberg::ViewRect size = *newSize;
			view->onSize (&size);
		}
		return answer;
	}
	Steinberg::tresult PLUGIN_API queryInterface (const Steinberg::TUID iid, void** obj) override
	{
		using namespace Steinberg;
		if (FUnknownPrivate::iidEqual (iid, FUnknown::iid) || FUnknownPrivate::iidEqual (iid, IPlugFrame::iid))
		{
			addRef ();
			*obj = static_cast<IPlugFrame*> (this);
			return kResultOk;
		}
		*obj = nullptr;
		return kNoInterface;
	}
	// Lives on the test's stack.
	Steinberg::uint32 PLUGIN_API addRef () override { return ++references; }
	Steinberg::uint32 PLUGIN_API release () override { return --references; }
	Steinberg::uint32 references = 1;
};

/** The host's context menu: records where it popped up; released by whoever holds the last reference. */
class FakeContextMenu final : public Steinberg::Vst::IContextMenu
{
public:
	explicit FakeContextMenu (std::vector<std::string>& log) : log (log) {}

	Steinberg::int32 PLUGIN_API getItemCount () override { return 0; }
	Steinberg::tresult PLUGIN_API getItem (Steinberg::int32, Item&, Steinberg::Vst::IContextMenuTarget**) override
	{
		return Steinberg::kResultFalse;
	}
	Steinberg::tresult PLUGIN_API addItem (const Item&, Steinberg::Vst::IContextMenuTarget*) override
	{
		return Steinberg::kResultFalse;
	}
	Steinberg::tresult PLUGIN_API removeItem (const Item&, Steinberg::Vst::IContextMenuTarget*) override
	{
		return Steinberg::kResultFalse;
	}
	Steinberg::tresult PLUGIN_API popup (Steinberg::UCoord x, Steinberg::UCoord y) override
	{
		log.push_back ("popup " + std::to_string (x) + " " + std::to_string (y));
		return Steinberg::kResultOk;
	}
	Steinberg::tresult PLUGIN_API queryInterface (const Steinberg::TUID, void** obj) override
	{
		*obj = nullptr;
		return Steinberg::kNoInterface;
	}
	Steinberg::uint32 PLUGIN_API addRef () override { return ++references; }
	Steinberg::uint32 PLUGIN_API release () override
	{
		if (--references == 0)
		{
			log.push_back ("menu released");
			delete this;
			return 0;
		}
		return references;
	}

private:
	std::vector<std::string>& log;
	Steinberg::uint32 references = 1;
};

/** A component handler that also offers IComponentHandler3: records createContextMenu and hands out a menu. */
class MenuComponentHandler : public FakeComponentHandler, public Steinberg::Vst::IComponentHandler3
{
public:
	bool returnsMenu = true;
	/** Runs before each performEdit is recorded, to look at the editor at that moment. */
	std::function<void ()> beforePerformEdit;

	Steinberg::tresult PLUGIN_API performEdit (Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue value) override
	{
		if (beforePerformEdit)
			beforePerformEdit ();
		return FakeComponentHandler::performEdit (id, value);
	}

	Steinberg::Vst::IContextMenu* PLUGIN_API createContextMenu (Steinberg::IPlugView* plugView,
	                                                            const Steinberg::Vst::ParamID* paramID) override
	{
		calls.push_back ("createContextMenu " + (paramID ? std::to_string (*paramID) : std::string ("none")) +
		                 (plugView ? "" : " without view"));
		return returnsMenu ? new FakeContextMenu (calls) : nullptr;
	}
	Steinberg::tresult PLUGIN_API queryInterface (const Steinberg::TUID iid, void** obj) override
	{
		if (Steinberg::FUnknownPrivate::iidEqual (iid, Steinberg::Vst::IComponentHandler3::iid))
		{
			addRef ();
			*obj = static_cast<Steinberg::Vst::IComponentHandler3*> (this);
			return Steinberg::kResultOk;
		}
		return FakeComponentHandler::queryInterface (iid, obj);
	}
	Steinberg::uint32 PLUGIN_API addRef () override { return FakeComponentHandler::addRef (); }
	Steinberg::uint32 PLUGIN_API release () override { return FakeComponentHandler::release (); }
};

/** A small editor for the tests: its GUI is whatever the test's builder adds to the frame. */
class TestEditor : public ProgrammaticEditor
{
public:
	using Builder = std::function<void (TestEditor&, VSTGUI::CFrame&)>;

	TestEditor (Steinberg::Vst::EditController* controller, Builder builder = {},
	            VSTGUI::CPoint size = VSTGUI::CPoint (200., 336.))
	    : ProgrammaticEditor (controller, VSTGUI::CPoint (100., 168.), size), builder (std::move (builder))
	{
	}

	/** Set: restoreWinSize gives the frame this unscaled size times the content scale factor. */
	std::optional<VSTGUI::CPoint> storedSize;
	std::vector<std::pair<Steinberg::int32, Steinberg::int32>> savedSizes;
	Builder builder;
	/** Told of every view that leaves the frame, after the editor has handled it. */
	std::function<void (VSTGUI::CView*)> afterViewRemoved;

	void createGui () override
	{
		if (builder)
			builder (*this, *getFrame ());
	}
	void restoreWinSize () override
	{
		if (storedSize)
			getFrame ()->setSize (storedSize->x * getContentScaleFactor (), storedSize->y * getContentScaleFactor ());
	}
	void saveWinSize (Steinberg::int32 width, Steinberg::int32 height) override
	{
		savedSizes.emplace_back (width, height);
	}

	void onViewRemoved (VSTGUI::CFrame* frame, VSTGUI::CView* view) override
	{
		ProgrammaticEditor::onViewRemoved (frame, view);
		if (afterViewRemoved)
			afterViewRemoved (view);
	}

	VSTGUI::OffscreenPlatformFrame* offscreen () const
	{
		return getFrame () ? dynamic_cast<VSTGUI::OffscreenPlatformFrame*> (getFrame ()->getPlatformFrame ().get ())
		                   : nullptr;
	}
	Steinberg::int32 references () { return getNbReference (); }

	using ProgrammaticEditor::attached;
	using ProgrammaticEditor::onKeyDown;
	using ProgrammaticEditor::onKeyUp;
	using ProgrammaticEditor::onWheel;
	using ProgrammaticEditor::removed;
	using ProgrammaticEditor::setFrame;
};

/** The controls most tests use: Mix on a knob (front) and a slider, Bypass on a button, Note Sync on a label
 *  and an option menu, Duration on a text edit; all inside the minimum size 100 x 168. */
struct StandardControls
{
	VSTGUI::CKnob* mixKnob{};
	VSTGUI::COnOffButton* bypass{};
	VSTGUI::CTextLabel* syncLabel{};
	VSTGUI::COptionMenu* syncMenu{};
	VSTGUI::CTextEdit* durationEdit{};
	VSTGUI::CSlider* mixSlider{};

	TestEditor::Builder builder ()
	{
		return [this] (TestEditor& editor, VSTGUI::CFrame& frame)
		{
			using VSTGUI::CRect;
			mixKnob = new VSTGUI::CKnob (CRect (0, 0, 40, 40), &editor, kMixId, nullptr, nullptr);
			bypass = new VSTGUI::COnOffButton (CRect (50, 0, 90, 20), &editor, kBypassId);
			syncLabel = new VSTGUI::CTextLabel (CRect (0, 50, 60, 70));
			// Tag first: a control whose listener is the editor is bound as soon as its tag changes.
			syncLabel->setTag (kNoteSyncId);
			syncLabel->setListener (&editor);
			syncMenu = new VSTGUI::COptionMenu (CRect (0, 80, 60, 100), &editor, kNoteSyncId);
			durationEdit = new VSTGUI::CTextEdit (CRect (0, 110, 60, 130), &editor, kDurationId);
			mixSlider = new VSTGUI::CSlider (CRect (0, 140, 100, 160), &editor, kMixId, 0, 80, nullptr, nullptr);
			for (VSTGUI::CView* view :
			     std::initializer_list<VSTGUI::CView*>{mixKnob, bypass, syncLabel, syncMenu, durationEdit, mixSlider})
				frame.addView (view);
		};
	}
};

/** Every framework test: an initialised DuckerController with a recording component handler. */
class EditorTest : public InitializedController
{
protected:
	void SetUp () override
	{
		InitializedController::SetUp ();
		controller->setComponentHandler (&handler);
	}
	void TearDown () override
	{
		controller->setComponentHandler (nullptr);
		InitializedController::TearDown ();
	}

	/** A new editor with one reference, the test's. */
	Steinberg::IPtr<TestEditor> makeEditor (TestEditor::Builder builder = {})
	{
		return Steinberg::owned (new TestEditor (controller, std::move (builder)));
	}
	/** Opens offscreen, as a host attaches to its window. */
	static void open (TestEditor& editor)
	{
		ASSERT_EQ (editor.attached (nullptr, Steinberg::kPlatformTypeX11EmbedWindowID), kResultOk);
		ASSERT_NE (editor.offscreen (), nullptr);
	}

	MenuComponentHandler handler;
};
