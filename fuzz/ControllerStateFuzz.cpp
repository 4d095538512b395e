// The controller's two state readers with arbitrary bytes: the first byte chooses the processor's record
// (setComponentState), the controller's own (setState), or both, split where the second byte says.
#include "fuzz/ControllerProbe.h"

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, size_t size)
{
	using namespace QuorvaneFuzz;
	if (size < 2)
		return 0;
	ControllerProbe probe;
	const std::vector<std::uint8_t> bytes (data + 2, data + size);
	switch (data[0] % 3)
	{
	case 0:
		probe.loadComponentState (bytes);
		break;
	case 1:
		probe.loadState (bytes);
		break;
	default:
	{
		const size_t cut = std::min<size_t> (data[1], bytes.size ());
		probe.loadComponentState ({bytes.begin (), bytes.begin () + std::ptrdiff_t (cut)});
		probe.loadState ({bytes.begin () + std::ptrdiff_t (cut), bytes.end ()});
	}
	}
	return 0;
}
