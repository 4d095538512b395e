#include "host/PendingParameterEdits.h"

namespace QuorvaneHost
{

using namespace Steinberg::Vst;

void PendingParameterEdits::setParameters (const std::vector<ParamID>& ids)
{
	slots = std::make_unique<Slot[]> (ids.size ());
	slotCount = ids.size ();
	for (size_t i = 0; i < ids.size (); ++i)
		slots[i].id = ids[i];
}

bool PendingParameterEdits::post (ParamID id, ParamValue value)
{
	// A handful of parameters: a linear search costs less than any index structure would.
	for (size_t i = 0; i < slotCount; ++i)
	{
		if (slots[i].id != id)
			continue;
		slots[i].value.store (value, std::memory_order_relaxed);
		slots[i].pending.store (true, std::memory_order_release);
		return true;
	}
	return false;
}

bool PendingParameterEdits::hasPending () const
{
	for (size_t i = 0; i < slotCount; ++i)
		if (slots[i].pending.load (std::memory_order_acquire))
			return true;
	return false;
}

} // namespace QuorvaneHost
