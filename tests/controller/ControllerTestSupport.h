// Shared helpers of the controller tests: creating controllers as a host does and reading their texts.
#pragma once

#include "controller/DuckerController.h"

#include "base/source/fobject.h"
#include "pluginterfaces/base/ustring.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using Steinberg::IPtr;
using Steinberg::kResultFalse;
using Steinberg::kResultOk;
using Steinberg::tresult;
using Steinberg::Vst::ParamID;
using Steinberg::Vst::ParamValue;

/** A controller with the one reference a host gets from the factory. */
inline IPtr<DuckerController> newController ()
{
	auto* unknown = DuckerController::createInstance (nullptr);
	return Steinberg::owned (static_cast<DuckerController*> (static_cast<Steinberg::Vst::IEditController*> (unknown)));
}

/** The text the controller shows for a value, or "<refused>" when it answers anything but kResultOk. */
inline std::u16string textOf (DuckerController& controller, ParamID id, ParamValue value)
{
	Steinberg::Vst::String128 text{};
	if (controller.getParamStringByValue (id, value, text) != kResultOk)
		return u"<refused>";
	// The SDK's char16 is wchar_t on Windows: copied unit by unit, the texts compare the same everywhere.
	return std::u16string (text, text + std::char_traits<Steinberg::Vst::TChar>::length (text));
}

/** Converts a text the way a host does, through a writable buffer. */
inline tresult valueOf (DuckerController& controller, ParamID id, const std::u16string& text, ParamValue& value)
{
	Steinberg::Vst::String128 buffer{};
	std::copy_n (text.begin (), std::min<size_t> (text.size (), 127), buffer);
	return controller.getParamValueByString (id, buffer, value);
}

/** Every test starts from a controller right after a host's initialize. */
class InitializedController : public testing::Test
{
protected:
	void SetUp () override { ASSERT_EQ (controller->initialize (nullptr), kResultOk); }
	void TearDown () override { controller->terminate (); }

	IPtr<DuckerController> controller = newController ();
};
