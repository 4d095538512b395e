#include "editor/framework/ParameterChangeListener.h"

#include "base/source/fstring.h"
#include "public.sdk/source/vst/vsteditcontroller.h"
#include "public.sdk/source/vst/vstparameters.h"
#include "vstgui/lib/cbitmap.h"
#include "vstgui/lib/controls/ccontrol.h"
#include "vstgui/lib/controls/coptionmenu.h"
#include "vstgui/lib/controls/cparamdisplay.h"
#include "vstgui/lib/controls/csegmentbutton.h"
#include "vstgui/lib/controls/ctextlabel.h"

#include <algorithm>
#include <cstring>

using namespace Steinberg;
using namespace Steinberg::Vst;
using VSTGUI::CControl;

namespace
{

VSTGUI::UTF8String toUtf8 (const String128 text)
{
	String converted (text);
	converted.toMultiByte (kCP_Utf8);
	return VSTGUI::UTF8String (converted.text8 ());
}

} // namespace

ParameterChangeListener::ParameterChangeListener (EditController* editController, Parameter* parameter,
                                                  CControl* control)
    : editController (editController), parameter (parameter)
{
	if (parameter)
	{
		parameter->addRef ();
		parameter->addDependent (this);
	}
	addControl (control);
	// Immediate, so the first control shows the value, range and default before the editor goes on.
	if (parameter)
		parameter->changed (kChanged);
}

ParameterChangeListener::~ParameterChangeListener ()
{
	if (parameter)
	{
		parameter->removeDependent (this);
		parameter->release ();
	}
	for (auto& link : displayLinks)
		link.second->listener = nullptr;
	for (auto* control : controls)
		control->forget ();
}

bool ParameterChangeListener::containsControl (CControl* control) const
{
	return std::find (controls.begin (), controls.end (), control) != controls.end ();
}

void ParameterChangeListener::addControl (CControl* control)
{
	if (!control || containsControl (control))
		return;
	control->remember ();
	controls.push_back (control);
	linkDisplay (control);

	if (parameter)
		parameter->deferUpdate (kChanged);
	else
		updateControlValue (controls.front ()->getValueNormalized ());
}

void ParameterChangeListener::removeControl (CControl* control)
{
	auto found = std::find (controls.begin (), controls.end (), control);
	if (found == controls.end ())
		return;
	controls.erase (found);
	unlinkDisplay (control);
	control->forget ();
}

void ParameterChangeListener::linkDisplay (CControl* control)
{
	auto* display = dynamic_cast<VSTGUI::CParamDisplay*> (control);
	if (!display)
		return;
	auto link = std::make_shared<DisplayLink> (DisplayLink{this});
	display->setValueToStringFunction (
	    [link] (float value, char utf8String[256], VSTGUI::CParamDisplay*)
	    { return link->listener && link->listener->convertValueToString (value, utf8String); });
	displayLinks.emplace_back (control, std::move (link));
}

void ParameterChangeListener::unlinkDisplay (CControl* control)
{
	auto found = std::find_if (displayLinks.begin (), displayLinks.end (),
	                           [control] (const auto& link) { return link.first == control; });
	if (found == displayLinks.end ())
		return;
	found->second->listener = nullptr;
	displayLinks.erase (found);
}

ParamID ParameterChangeListener::getParameterID () const
{
	if (parameter)
		return parameter->getInfo ().id;
	if (!controls.empty ())
		return static_cast<ParamID> (controls.front ()->getTag ());
	return 0xFFFFFFFF;
}

void PLUGIN_API ParameterChangeListener::update (FUnknown* /*changedUnknown*/, int32 message)
{
	if (message != kChanged || !parameter)
		return;
	IEditController* controller = editController;
	updateControlValue (controller->getParamNormalized (getParameterID ()));
}

void ParameterChangeListener::updateControlValue (ParamValue value)
{
	IEditController* controller = editController;
	bool mouseEnabled = true;
	bool stepped = false;
	int32 stepCount = 0;
	ParamValue defaultValue = 0.;
	ParamValue minValue = 0.;
	ParamValue maxValue = 1.;
	if (parameter)
	{
		const auto& info = parameter->getInfo ();
		defaultValue = info.defaultNormalizedValue;
		mouseEnabled = (info.flags & ParameterInfo::kIsReadOnly) == 0;
		stepCount = info.stepCount;
		if (stepCount != 0)
		{
			// Stepped parameters work in plain units: a list parameter's entry index is its value.
			stepped = true;
			value = parameter->toPlain (value);
			defaultValue = parameter->toPlain (defaultValue);
			minValue = parameter->toPlain (0.);
			maxValue = parameter->toPlain (1.);
		}
	}

	const ParamID id = getParameterID ();
	auto entryText = [&] (int32 index)
	{
		String128 text{};
		controller->getParamStringByValue (id, static_cast<double> (index) / stepCount, text);
		return toUtf8 (text);
	};

	for (auto* control : controls)
	{
		control->setMouseEnabled (mouseEnabled);
		if (parameter)
		{
			control->setDefaultValue (static_cast<float> (defaultValue));
			control->setMin (static_cast<float> (minValue));
			control->setMax (static_cast<float> (maxValue));
		}

		if (auto* label = dynamic_cast<VSTGUI::CTextLabel*> (control))
		{
			String128 text{};
			const ParamValue normalized = stepped ? parameter->toNormalized (value) : value;
			if (controller->getParamStringByValue (id, normalized, text) == kResultOk)
			{
				label->setText (toUtf8 (text));
				label->invalid ();
			}
			continue;
		}

		if (stepped)
		{
			if (auto* menu = dynamic_cast<VSTGUI::COptionMenu*> (control))
			{
				menu->removeAllEntry ();
				for (int32 i = 0; i <= stepCount; ++i)
					menu->addEntry (entryText (i), -1, 0);
				menu->setValue (static_cast<float> (value) - static_cast<float> (minValue));
			}
			else if (auto* segments = dynamic_cast<VSTGUI::CSegmentButton*> (control))
			{
				segments->removeAllSegments ();
				for (int32 i = 0; i <= stepCount; ++i)
				{
					VSTGUI::CSegmentButton::Segment segment{};
					segment.name = entryText (i);
					segments->addSegment (std::move (segment), static_cast<uint32> (-1));
				}
				segments->setValue (static_cast<float> (value));
			}
			else
				control->setValue (static_cast<float> (value));
		}
		else
			control->setValueNormalized (static_cast<float> (value));

		control->valueChanged ();
		control->invalid ();
	}
}

bool ParameterChangeListener::convertValueToString (float value, char* utf8String)
{
	if (!parameter)
		return false;
	IEditController* controller = editController;
	const ParamID id = getParameterID ();
	ParamValue normalized = value;
	// A stepped parameter's display works in plain units (see updateControlValue).
	if (parameter->getInfo ().stepCount != 0)
		normalized = static_cast<float> (controller->plainParamToNormalized (id, value));

	String128 text{};
	controller->getParamStringByValue (id, normalized, text);
	String converted (text);
	converted.toMultiByte (kCP_Utf8);
	const char* source = converted.text8 ();
	const size_t length = std::min (std::strlen (source), kTextBufferSize - 1);
	std::memcpy (utf8String, source, length);
	utf8String[length] = 0;
	return true;
}

void ParameterChangeListener::beginEdit ()
{
	if (parameter)
		editController->beginEdit (getParameterID ());
}

void ParameterChangeListener::performEdit (ParamValue value)
{
	if (!parameter)
	{
		updateControlValue (value);
		return;
	}
	IEditController* controller = editController;
	const ParamID id = getParameterID ();
	// The host hears the value as the parameter holds it after the set, not the control's raw value.
	if (controller->setParamNormalized (id, value) == kResultOk)
		editController->performEdit (id, controller->getParamNormalized (id));
}

void ParameterChangeListener::endEdit ()
{
	IEditController* controller = editController;
	const ParamID id = getParameterID ();
	if (parameter)
		editController->endEdit (id);

	String128 text{};
	for (auto* control : controls)
	{
		auto* label = dynamic_cast<VSTGUI::CTextLabel*> (control);
		if (!label)
			continue;
		if (text[0] == 0)
			controller->getParamStringByValue (id, controller->getParamNormalized (id), text);
		const auto utf8 = toUtf8 (text);
		if (label->getText () != utf8)
			label->setText (utf8);
	}
}
