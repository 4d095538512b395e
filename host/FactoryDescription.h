// What a module's class factory says about itself and its classes, read through IPluginFactory,
// IPluginFactory2 (PClassInfo2) and IPluginFactory3 (PClassInfoW).
#pragma once

#include "pluginterfaces/base/funknown.h"
#include "pluginterfaces/base/ipluginbase.h"

#include <optional>
#include <string>
#include <vector>

namespace QuorvaneHost
{

/** The Unicode class entry of IPluginFactory3, its UTF-16 fields converted to UTF-8. */
struct UnicodeClassEntry
{
	Steinberg::FUID cid;
	Steinberg::int32 cardinality{0};
	std::string category;
	std::string name;
	Steinberg::uint32 classFlags{0};
	std::string subCategories;
	std::string vendor;
	std::string version;
	std::string sdkVersion;
};

/** One class entry: PClassInfo2 when the factory has it, else the plain PClassInfo fields. */
struct ClassEntry
{
	Steinberg::FUID cid;
	Steinberg::int32 cardinality{0};
	std::string category;
	std::string name;
	bool hasInfo2{false};
	Steinberg::uint32 classFlags{0};
	std::string subCategories;
	std::string vendor;
	std::string version;
	std::string sdkVersion;
	std::optional<UnicodeClassEntry> unicode;
};

struct FactoryDescription
{
	std::string vendor;
	std::string url;
	std::string email;
	Steinberg::int32 flags{0};
	std::vector<ClassEntry> classes;
};

/** Reads the factory information and every class entry; false when the factory answers no information. */
bool describeFactory (Steinberg::IPluginFactory* factory, FactoryDescription& description);

/** The class identifier as 32 hex digits, the way the SDK prints it (FUID::toString). */
std::string cidToString (const Steinberg::FUID& cid);

/** The first class of a category, e.g. kVstAudioEffectClass; null when there is none. */
const ClassEntry* findFirstClass (const FactoryDescription& description, const char* category);

} // namespace QuorvaneHost
