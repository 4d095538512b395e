// Opens the module's editor offscreen as a host would: an initialized controller with a recording component
// handler, createView ("editor"), a plug frame that grants every resize at once, attached with no window.
#pragma once

#include "controller/ControllerTestSupport.h"
#include "controller/FakeComponentHandler.h"

#include "editor/DuckerEditor.h"

#include "pluginterfaces/gui/iplugview.h"
#include "vstgui/lib/cframe.h"
#include "vstgui/lib/cviewcontainer.h"
#include "vstgui/lib/platform/offscreen/offscreenframe.h"

#include <gtest/gtest.h>

#include <vector>

// A host window that accepts every size the editor asks for, answering with onSize inside resizeView as
// hosts do, and remembers the requests.
class GrantingPlugFrame : public Steinberg::IPlugFrame
{
public:
	std::vector<Steinberg::ViewRect> requests;

	Steinberg::tresult PLUGIN_API resizeView (Steinberg::IPlugView* view, Steinberg::ViewRect* newSize) override
	{
		requests.push_back (*newSize);
		view->onSize (newSize);
		return Steinberg::kResultTrue;
	}
	Steinberg::tresult PLUGIN_API queryInterface (const Steinberg::TUID iid, void** obj) override
	{
		if (Steinberg::FUnknownPrivate::iidEqual (iid, Steinberg::IPlugFrame::iid) ||
		    Steinberg::FUnknownPrivate::iidEqual (iid, Steinberg::FUnknown::iid))
		{
			*obj = static_cast<Steinberg::IPlugFrame*> (this);
			return Steinberg::kResultOk;
		}
		*obj = nullptr;
		return Steinberg::kNoInterface;
	}
	// Lives on the test's stack.
	Steinberg::uint32 PLUGIN_API addRef () override { return 1; }
	Steinberg::uint32 PLUGIN_API release () override { return 1; }
};

class OpenEditorTest : public InitializedController
{
protected:
	void SetUp () override
	{
		InitializedController::SetUp ();
		controller->setComponentHandler (&handler);
	}
	void TearDown () override
	{
		close ();
		controller->setComponentHandler (nullptr);
		InitializedController::TearDown ();
	}

	/** Creates and attaches the editor; the content scale factor is given before attaching, as hosts do. */
	void open (double scale = 1.)
	{
		view = Steinberg::owned (controller->createView ("editor"));
		ASSERT_TRUE (view);
		ASSERT_EQ (view->setFrame (&plugFrame), Steinberg::kResultOk);
		if (scale != 1.)
		{
			Steinberg::FUnknownPtr<Steinberg::IPlugViewContentScaleSupport> scaling (view);
			ASSERT_TRUE (scaling);
			scaling->setContentScaleFactor (float (scale));
		}
		ASSERT_EQ (view->attached (nullptr, "X11EmbedWindowID"), Steinberg::kResultTrue);
		ASSERT_TRUE (frame ());
		ASSERT_TRUE (platform ());
		handler.calls.clear ();
	}
	void close ()
	{
		if (!view)
			return;
		view->removed ();
		view->setFrame (nullptr);
		view = nullptr;
	}

	DuckerEditor* editor () const { return static_cast<DuckerEditor*> (view.get ()); }
	VSTGUI::CFrame* frame () const { return editor ()->getFrame (); }
	VSTGUI::OffscreenPlatformFrame* platform () const
	{
		return dynamic_cast<VSTGUI::OffscreenPlatformFrame*> (frame ()->getPlatformFrame ().get ());
	}
	/** Resizes the window as a user dragging its edge would. */
	void resize (Steinberg::int32 width, Steinberg::int32 height)
	{
		Steinberg::ViewRect rect (0, 0, width, height);
		view->checkSizeConstraint (&rect);
		view->onSize (&rect);
	}

	// The views by their place in the tree.
	VSTGUI::CView* background () const { return frame ()->getView (0); }
	VSTGUI::CViewContainer* aspectBox () const { return frame ()->getView (1)->asViewContainer (); }
	VSTGUI::CViewContainer* mainContainer () const { return aspectBox ()->getView (0)->asViewContainer (); }
	enum MainChild
	{
		kPanel,
		kBypassSwitch,
		kOffsetSlider,
		kOffsetCaption,
		kDurationCaption,
		kDurationKnob,
		kMixCaption,
		kMixKnob,
		kSyncCaption,
		kNoteSyncSpinner,
		kVersionLabel,
		kMainChildCount
	};
	VSTGUI::CView* child (MainChild index) const { return mainContainer ()->getView (index); }
	/** A view's rectangle in frame coordinates. */
	VSTGUI::CRect inFrame (VSTGUI::CView* view) const
	{
		VSTGUI::CRect r = view->getViewSize ();
		const VSTGUI::CRect box = aspectBox ()->getViewSize ();
		const VSTGUI::CRect main = mainContainer ()->getViewSize ();
		r.offset (box.left + main.left, box.top + main.top);
		return r;
	}

	FakeComponentHandler handler;
	GrantingPlugFrame plugFrame;
	Steinberg::IPtr<Steinberg::IPlugView> view;
};
