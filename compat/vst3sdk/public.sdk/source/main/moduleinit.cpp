#include "public.sdk/source/main/moduleinit.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace Steinberg {
namespace {

struct Entry
{
	ModuleInitFunction func;
	ModuleInitPriority prio;
};

// Function-local statics: registrants are other translation units' static objects, whose
// initialisation order relative to this file is unspecified.
std::vector<Entry>& initializers ()
{
	static std::vector<Entry> list;
	return list;
}

std::vector<Entry>& terminators ()
{
	static std::vector<Entry> list;
	return list;
}

void runAll (std::vector<Entry>& list)
{
	std::stable_sort (list.begin (), list.end (),
	                  [] (const Entry& a, const Entry& b) { return a.prio < b.prio; });
	for (auto& entry : list)
		entry.func ();
}

} // namespace

ModuleInitializer::ModuleInitializer (ModuleInitFunction&& func, ModuleInitPriority prio)
{
	initializers ().push_back ({std::move (func), prio});
}

ModuleTerminator::ModuleTerminator (ModuleInitFunction&& func, ModuleInitPriority prio)
{
	terminators ().push_back ({std::move (func), prio});
}

} // namespace Steinberg

bool InitModule ()
{
	Steinberg::runAll (Steinberg::initializers ());
	return true;
}

bool DeinitModule ()
{
	Steinberg::runAll (Steinberg::terminators ());
	return true;
}
