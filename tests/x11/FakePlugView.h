// An IPlugView without any window of its own, for the host's plug-frame tests: a minimum size as its constraint,
// a record of onSize calls, and an optional request from inside onSize.
#pragma once

#include "pluginterfaces/gui/iplugview.h"

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

namespace QuorvaneTest
{

class FakePlugView : public Steinberg::IPlugView
{
public:
	Steinberg::int32 minWidth{100};
	Steinberg::int32 minHeight{100};
	std::vector<std::pair<Steinberg::int32, Steinberg::int32>> onSizeCalls;
	/** Runs inside onSize, after the call is recorded. */
	std::function<void (Steinberg::ViewRect&)> duringOnSize;
	Steinberg::int32 references{1};

	Steinberg::tresult PLUGIN_API isPlatformTypeSupported (Steinberg::FIDString) override
	{
		return Steinberg::kResultTrue;
	}
	Steinberg::tresult PLUGIN_API attached (void*, Steinberg::FIDString) override { return Steinberg::kResultTrue; }
	Steinberg::tresult PLUGIN_API removed () override { return Steinberg::kResultTrue; }
	Steinberg::tresult PLUGIN_API onWheel (float) override { return Steinberg::kResultFalse; }
	Steinberg::tresult PLUGIN_API onKeyDown (Steinberg::char16, Steinberg::int16, Steinberg::int16) override
	{
		return Steinberg::kResultFalse;
	}
	Steinberg::tresult PLUGIN_API onKeyUp (Steinberg::char16, Steinberg::int16, Steinberg::int16) override
	{
		return Steinberg::kResultFalse;
	}
	Steinberg::tresult PLUGIN_API getSize (Steinberg::ViewRect* size) override
	{
		*size = current;
		return Steinberg::kResultTrue;
	}
	Steinberg::tresult PLUGIN_API onSize (Steinberg::ViewRect* newSize) override
	{
		current = *newSize;
		onSizeCalls.emplace_back (newSize->getWidth (), newSize->getHeight ());
		if (duringOnSize)
			duringOnSize (*newSize);
		return Steinberg::kResultTrue;
	}
	Steinberg::tresult PLUGIN_API onFocus (Steinberg::TBool) override { return Steinberg::kResultFalse; }
	Steinberg::tresult PLUGIN_API setFrame (Steinberg::IPlugFrame*) override { return Steinberg::kResultTrue; }
	Steinberg::tresult PLUGIN_API canResize () override { return Steinberg::kResultTrue; }
	Steinberg::tresult PLUGIN_API checkSizeConstraint (Steinberg::ViewRect* rect) override
	{
		rect->right = rect->left + std::max (rect->getWidth (), minWidth);
		rect->bottom = rect->top + std::max (rect->getHeight (), minHeight);
		return Steinberg::kResultTrue;
	}

	Steinberg::tresult PLUGIN_API queryInterface (const Steinberg::TUID, void** obj) override
	{
		*obj = nullptr;
		return Steinberg::kNoInterface;
	}
	Steinberg::uint32 PLUGIN_API addRef () override { return static_cast<Steinberg::uint32> (++references); }
	Steinberg::uint32 PLUGIN_API release () override { return static_cast<Steinberg::uint32> (--references); }

private:
	Steinberg::ViewRect current{0, 0, 200, 200};
};

} // namespace QuorvaneTest
