#include "TestEditorView.h"

#include "vstgui/lib/cdrawcontext.h"
#include "vstgui/lib/controls/ccontrol.h"
#include "vstgui/lib/events.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace QuorvaneTest
{

using namespace Steinberg;
using namespace VSTGUI;

namespace
{

class Swatch : public CView
{
public:
	Swatch (const CColor& color) : CView (CRect ()), color (color) {}
	void draw (CDrawContext* context) override
	{
		context->setFillColor (color);
		context->drawRect (getViewSize (), kDrawFilled);
		setDirty (false);
	}

private:
	CColor color;
};

// Blue, with a green part from the left as wide as the value; a press or drag sets the value from the pointer.
class LevelBar : public CControl
{
public:
	LevelBar (IControlListener* listener) : CControl (CRect (), listener, kLevelParameter) { setWantsFocus (true); }

	void draw (CDrawContext* context) override
	{
		const CRect all = getViewSize ();
		context->setFillColor (kBlueCColor);
		context->drawRect (all, kDrawFilled);
		CRect filled = all;
		filled.right = all.left + static_cast<int> (all.getWidth () * getValueNormalized ());
		context->setFillColor (kGreenCColor);
		if (!filled.isEmpty ())
			context->drawRect (filled, kDrawFilled);
		setDirty (false);
	}

	void onMouseDownEvent (MouseDownEvent& event) override
	{
		if (!event.buttonState.isLeft ())
			return;
		event.consumed = true;
		// A double click resets; the press that makes it one does not drag.
		if (event.clickCount == 2)
		{
			step (-getValueNormalized ());
			event.ignoreFollowUpMoveAndUpEvents (true);
			return;
		}
		beginEdit ();
		follow (event.mousePosition);
	}
	void onMouseMoveEvent (MouseMoveEvent& event) override
	{
		if (!isEditing () || !event.buttonState.has (MouseButton::Left))
			return;
		follow (event.mousePosition);
		event.consumed = true;
	}
	void onMouseUpEvent (MouseUpEvent& event) override
	{
		if (!isEditing ())
			return;
		follow (event.mousePosition);
		endEdit ();
		event.consumed = true;
	}
	void onMouseWheelEvent (MouseWheelEvent& event) override
	{
		// up and right raise the level
		step (0.25f * static_cast<float> (event.deltaY + event.deltaX));
		event.consumed = true;
	}
	void onKeyboardEvent (KeyboardEvent& event) override
	{
		if (event.type != EventType::KeyDown || (event.virt != VirtualKey::Right && event.virt != VirtualKey::Left))
			return;
		step (event.virt == VirtualKey::Right ? 0.125f : -0.125f);
		event.consumed = true;
	}

	CLASS_METHODS (LevelBar, CControl)

private:
	void step (float delta)
	{
		beginEdit ();
		setValueNormalized (getValueNormalized () + delta);
		valueChanged ();
		invalid ();
		endEdit ();
	}
	void follow (const CPoint& where)
	{
		const CRect all = getViewSize ();
		setValueNormalized (static_cast<float> ((where.x - all.left) / all.getWidth ()));
		valueChanged ();
		invalid ();
	}
};

} // namespace

TestEditorView::TestEditorView (int width, int height, Vst::IComponentHandler* handler)
    : CPluginView (nullptr), handler (handler)
{
	rect = ViewRect (0, 0, width, height);
}

tresult PLUGIN_API TestEditorView::isPlatformTypeSupported (FIDString type)
{
	return type && std::strcmp (type, kPlatformTypeX11EmbedWindowID) == 0 ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API TestEditorView::attached (void* parent, FIDString type)
{
	if (isPlatformTypeSupported (type) != kResultTrue)
		return kResultFalse;
	X11::FrameConfig config;
	if (FUnknownPtr<Linux::IRunLoop> hostLoop (plugFrame); hostLoop)
		config.runLoop = VSTGUI::owned<X11::IRunLoop> (new HostRunLoopAdapter (hostLoop));
	guiFrame = new CFrame (CRect (0, 0, rect.getWidth (), rect.getHeight ()), nullptr);
	swatch = new Swatch (kRedCColor);
	level = new LevelBar (this);
	ticker = new Swatch (kYellowCColor);
	ticker->setTooltipText (kTickerTooltip);
	guiFrame->enableTooltips (true, kTooltipDelayMs);
	guiFrame->addView (swatch);
	guiFrame->addView (level);
	guiFrame->addView (ticker);
	layout ();
	if (!guiFrame->open (parent, PlatformType::kX11EmbedWindowID, &config))
	{
		guiFrame->forget ();
		guiFrame = nullptr;
		return kResultFalse;
	}
	guiFrame->setFocusView (level);
	timer = makeOwned<CVSTGUITimer> ([this] (CVSTGUITimer*) { ++ticks; }, 10, true);
	return CPluginView::attached (parent, type);
}

tresult PLUGIN_API TestEditorView::removed ()
{
	timer = nullptr;
	if (guiFrame)
	{
		guiFrame->close ();
		guiFrame = nullptr;
	}
	return CPluginView::removed ();
}

tresult PLUGIN_API TestEditorView::checkSizeConstraint (ViewRect* newSize)
{
	newSize->right = newSize->left + std::max (newSize->getWidth (), kMinTestViewSize);
	newSize->bottom = newSize->top + std::max (newSize->getHeight (), kMinTestViewSize);
	return kResultTrue;
}

tresult PLUGIN_API TestEditorView::onSize (ViewRect* newSize)
{
	++sizeCalls;
	CPluginView::onSize (newSize);
	if (guiFrame)
	{
		guiFrame->setSize (newSize->getWidth (), newSize->getHeight ());
		layout ();
	}
	return kResultTrue;
}

tresult TestEditorView::requestSize (int width, int height)
{
	ViewRect size (0, 0, width, height);
	return plugFrame ? plugFrame->resizeView (this, &size) : kResultFalse;
}

void TestEditorView::layout ()
{
	const CCoord width = rect.getWidth ();
	const CCoord height = rect.getHeight ();
	const CCoord middleX = std::floor (width / 2);
	const CCoord middleY = std::floor (height / 2);
	swatch->setViewSize (CRect (0, 0, middleX, height));
	swatch->setMouseableArea (swatch->getViewSize ());
	level->setViewSize (CRect (middleX, 0, width, middleY));
	level->setMouseableArea (level->getViewSize ());
	ticker->setViewSize (CRect (middleX, middleY, width, height));
	ticker->setMouseableArea (ticker->getViewSize ());
}

void TestEditorView::valueChanged (CControl* control)
{
	if (handler)
		handler->performEdit (static_cast<Vst::ParamID> (control->getTag ()), control->getValueNormalized ());
}

void TestEditorView::controlBeginEdit (CControl* control)
{
	if (handler)
		handler->beginEdit (static_cast<Vst::ParamID> (control->getTag ()));
}

void TestEditorView::controlEndEdit (CControl* control)
{
	if (handler)
		handler->endEdit (static_cast<Vst::ParamID> (control->getTag ()));
}

} // namespace QuorvaneTest
