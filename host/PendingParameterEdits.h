// Parameter edits on their way from the user-interface thread to the audio thread: one slot per declared
// parameter, holding the latest value until the next block takes it, with no lock and no allocation.
#pragma once

#include "pluginterfaces/vst/vsttypes.h"

#include <atomic>
#include <memory>
#include <vector>

namespace QuorvaneHost
{

class PendingParameterEdits
{
public:
	/** Declares the parameters that can be edited; pending edits are dropped. Not while blocks run. */
	void setParameters (const std::vector<Steinberg::Vst::ParamID>& ids);
	size_t parameterCount () const { return slotCount; }

	/** Keeps `value` as the parameter's next value, replacing an edit the audio thread has not taken yet
	    (a block applies only a parameter's last value anyway). False for an undeclared parameter. Any thread. */
	bool post (Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue value);

	/** Hands every pending edit to `take (id, value)` and clears it, in declaration order. Audio thread. */
	template <typename Take> void drain (Take&& take)
	{
		for (size_t i = 0; i < slotCount; ++i)
		{
			Slot& slot = slots[i];
			if (slot.pending.exchange (false, std::memory_order_acquire))
				take (slot.id, slot.value.load (std::memory_order_relaxed));
		}
	}

	/** Whether an edit waits for the next block. */
	bool hasPending () const;

private:
	struct Slot
	{
		Steinberg::Vst::ParamID id{0};
		// A post that lands between the exchange and the load above is delivered now and again in the next
		// block: a repeated value, never a lost one.
		std::atomic<Steinberg::Vst::ParamValue> value{0.0};
		std::atomic<bool> pending{false};
	};
	static_assert (std::atomic<Steinberg::Vst::ParamValue>::is_always_lock_free);

	std::unique_ptr<Slot[]> slots;
	size_t slotCount{0};
};

} // namespace QuorvaneHost
