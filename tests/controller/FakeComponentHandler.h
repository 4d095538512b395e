// A host's component handler for tests: answers every call with kResultOk and records it, in order.
#pragma once

#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <atomic>
#include <string>
#include <vector>

class FakeComponentHandler : public Steinberg::Vst::IComponentHandler, public Steinberg::Vst::IComponentHandler2
{
public:
	/** Without the second interface the handler stands for a host that offers only IComponentHandler. */
	explicit FakeComponentHandler (bool offersHandler2 = true) : offersHandler2 (offersHandler2) {}

	std::vector<std::string> calls;

	Steinberg::uint32 references () const { return referenceCount.load (); }

	//---IComponentHandler---
	Steinberg::tresult PLUGIN_API beginEdit (Steinberg::Vst::ParamID id) override
	{
		return record ("beginEdit " + std::to_string (id));
	}
	Steinberg::tresult PLUGIN_API performEdit (Steinberg::Vst::ParamID id,
	                                           Steinberg::Vst::ParamValue valueNormalized) override
	{
		return record ("performEdit " + std::to_string (id) + " " + std::to_string (valueNormalized));
	}
	Steinberg::tresult PLUGIN_API endEdit (Steinberg::Vst::ParamID id) override
	{
		return record ("endEdit " + std::to_string (id));
	}
	Steinberg::tresult PLUGIN_API restartComponent (Steinberg::int32 flags) override
	{
		return record ("restartComponent " + std::to_string (flags));
	}

	//---IComponentHandler2---
	Steinberg::tresult PLUGIN_API setDirty (Steinberg::TBool state) override
	{
		return record ("setDirty " + std::to_string (state));
	}
	Steinberg::tresult PLUGIN_API requestOpenEditor (Steinberg::FIDString name) override
	{
		return record (std::string ("requestOpenEditor ") + (name ? name : "(null)"));
	}
	Steinberg::tresult PLUGIN_API startGroupEdit () override { return record ("startGroupEdit"); }
	Steinberg::tresult PLUGIN_API finishGroupEdit () override { return record ("finishGroupEdit"); }

	//---FUnknown--- (lives on the test's stack; the count only shows who still holds it)
	Steinberg::tresult PLUGIN_API queryInterface (const Steinberg::TUID iid, void** obj) override
	{
		using namespace Steinberg;
		if (FUnknownPrivate::iidEqual (iid, FUnknown::iid) ||
		    FUnknownPrivate::iidEqual (iid, Vst::IComponentHandler::iid))
		{
			addRef ();
			*obj = static_cast<Vst::IComponentHandler*> (this);
			return kResultOk;
		}
		if (offersHandler2 && FUnknownPrivate::iidEqual (iid, Vst::IComponentHandler2::iid))
		{
			addRef ();
			*obj = static_cast<Vst::IComponentHandler2*> (this);
			return kResultOk;
		}
		*obj = nullptr;
		return kNoInterface;
	}
	Steinberg::uint32 PLUGIN_API addRef () override { return ++referenceCount; }
	Steinberg::uint32 PLUGIN_API release () override { return --referenceCount; }

private:
	Steinberg::tresult record (std::string call)
	{
		calls.push_back (std::move (call));
		return Steinberg::kResultOk;
	}

	const bool offersHandler2;
	std::atomic<Steinberg::uint32> referenceCount{1};
};
