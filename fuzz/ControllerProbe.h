// An initialised controller whose two state readers are checked on every call: values stay within 0..1,
// a refused record changes nothing beyond what the reader applied before the cut.
#pragma once

#include "controller/DuckerController.h"
#include "fuzz/FuzzSupport.h"
#include "host/StateBytes.h"
#include "plugin/ids.h"

#include <array>
#include <cmath>
#include <cstring>
#include <vector>

namespace QuorvaneFuzz
{

class ControllerProbe
{
public:
	ControllerProbe () : controller (new DuckerController)
	{
		check (controller->initialize (nullptr) == Steinberg::kResultOk);
	}
	~ControllerProbe ()
	{
		controller->terminate ();
		controller->release ();
	}
	ControllerProbe (const ControllerProbe&) = delete;
	ControllerProbe& operator= (const ControllerProbe&) = delete;

	/** The processor's record, as the host hands it over after a load. */
	void loadComponentState (const std::vector<std::uint8_t>& bytes)
	{
		const auto before = values ();
		const Steinberg::tresult result = controller->setComponentState (QuorvaneHost::streamOverCopy (bytes));
		const auto after = values ();
		for (size_t i = 0; i < after.size (); ++i)
		{
			check (after[i] >= 0.0 && after[i] <= 1.0);
			// Fields are applied as they are read: those the record did not reach keep their values.
			const bool reached = result == Steinberg::kResultOk ||
			                     (!bytes.empty () && bytes[0] == 1 && bytes.size () >= 1 + 4 * (i + 1));
			if (!reached)
				check (after[i] == before[i]);
		}
		check (result == (bytes.size () >= 21 && bytes[0] == 1 ? Steinberg::kResultOk : Steinberg::kResultFalse));
		if (result == Steinberg::kResultOk)
		{
			Steinberg::int32 bypass = 0;
			std::memcpy (&bypass, &bytes[17], 4);
			check (after[4] == (bypass != 0 ? 1.0 : 0.0));
		}
		// Every value has a text, as the editor and the host show it.
		for (const auto id : kIds)
		{
			Steinberg::Vst::String128 text{};
			check (controller->getParamStringByValue (id, controller->getParamNormalized (id), text) ==
			       Steinberg::kResultOk);
		}
	}

	/** The controller's own record (the editor size). */
	void loadState (const std::vector<std::uint8_t>& bytes)
	{
		const auto before = state ();
		const Steinberg::tresult result = controller->setState (QuorvaneHost::streamOverCopy (bytes));
		const auto after = state ();
		// Nothing at all is what getState writes while no size is stored, so it is taken back; a cut record is not.
		check (result == (bytes.empty () || bytes.size () >= 9 ? Steinberg::kResultOk : Steinberg::kResultFalse));
		if (result == Steinberg::kResultOk && !bytes.empty () && bytes[0] == 1)
			check (after.size () == 9 && std::equal (after.begin (), after.end (), bytes.begin ()));
		else
			check (after == before);
	}

private:
	// In record order (Duration, Mix, Offset, Note Sync), then Bypass.
	static constexpr std::array<Steinberg::Vst::ParamID, 5> kIds{kDurationId, kMixId, kOffsetId, kNoteSyncId,
	                                                             kBypassId};

	std::array<double, 5> values () const
	{
		std::array<double, 5> result{};
		for (size_t i = 0; i < kIds.size (); ++i)
			result[i] = controller->getParamNormalized (kIds[i]);
		return result;
	}

	std::vector<std::uint8_t> state () const
	{
		std::vector<std::uint8_t> bytes;
		QuorvaneHost::captureState ([this] (Steinberg::IBStream* s) { return controller->getState (s); }, bytes);
		return bytes;
	}

	DuckerController* controller;
};

} // namespace QuorvaneFuzz
