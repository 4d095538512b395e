#include "host/FactoryDescription.h"

#include "host/Utf16.h"

#include "pluginterfaces/base/smartpointer.h"

#include <cstring>

namespace QuorvaneHost
{

using namespace Steinberg;

namespace
{

// The factory's fixed-size fields need not be NUL-terminated when they are full.
template <size_t N> std::string fixedText (const char8 (&text)[N])
{
	return std::string (text, strnlen (text, N));
}

template <size_t N> std::string fixedText (const char16 (&text)[N])
{
	return utf16ToUtf8 (text, N);
}

} // namespace

bool describeFactory (IPluginFactory* factory, FactoryDescription& description)
{
	description = {};
	if (!factory)
		return false;

	PFactoryInfo info{};
	if (factory->getFactoryInfo (&info) != kResultOk)
		return false;
	description.vendor = fixedText (info.vendor);
	description.url = fixedText (info.url);
	description.email = fixedText (info.email);
	description.flags = info.flags;

	FUnknownPtr<IPluginFactory2> factory2 (factory);
	FUnknownPtr<IPluginFactory3> factory3 (factory);
	const int32 count = factory->countClasses ();
	for (int32 index = 0; index < count; ++index)
	{
		ClassEntry entry;
		PClassInfo2 info2{};
		if (factory2 && factory2->getClassInfo2 (index, &info2) == kResultOk)
		{
			entry.cid = FUID::fromTUID (info2.cid);
			entry.cardinality = info2.cardinality;
			entry.category = fixedText (info2.category);
			entry.name = fixedText (info2.name);
			entry.hasInfo2 = true;
			entry.classFlags = info2.classFlags;
			entry.subCategories = fixedText (info2.subCategories);
			entry.vendor = fixedText (info2.vendor);
			entry.version = fixedText (info2.version);
			entry.sdkVersion = fixedText (info2.sdkVersion);
		}
		else
		{
			PClassInfo info1{};
			if (factory->getClassInfo (index, &info1) != kResultOk)
				continue;
			entry.cid = FUID::fromTUID (info1.cid);
			entry.cardinality = info1.cardinality;
			entry.category = fixedText (info1.category);
			entry.name = fixedText (info1.name);
		}

		PClassInfoW infoW{};
		if (factory3 && factory3->getClassInfoUnicode (index, &infoW) == kResultOk)
		{
			UnicodeClassEntry unicode;
			unicode.cid = FUID::fromTUID (infoW.cid);
			unicode.cardinality = infoW.cardinality;
			unicode.category = fixedText (infoW.category);
			unicode.name = fixedText (infoW.name);
			unicode.classFlags = infoW.classFlags;
			unicode.subCategories = fixedText (infoW.subCategories);
			unicode.vendor = fixedText (infoW.vendor);
			unicode.version = fixedText (infoW.version);
			unicode.sdkVersion = fixedText (infoW.sdkVersion);
			entry.unicode = unicode;
		}
		description.classes.push_back (std::move (entry));
	}
	return true;
}

std::string cidToString (const FUID& cid)
{
	char8 text[33]{};
	cid.toString (text);
	return text;
}

const ClassEntry* findFirstClass (const FactoryDescription& description, const char* category)
{
	for (const auto& entry : description.classes)
		if (entry.category == category)
			return &entry;
	return nullptr;
}

} // namespace QuorvaneHost
