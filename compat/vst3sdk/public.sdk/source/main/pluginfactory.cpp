#include "public.sdk/source/main/pluginfactory.h"

#include <cstring>

namespace Steinberg {

CPluginFactory* gPluginFactory = nullptr;

CPluginFactory::CPluginFactory (const PFactoryInfo& info) : factoryInfo (info)
{
	FUNKNOWN_CTOR
}

CPluginFactory::~CPluginFactory ()
{
	if (gPluginFactory == this)
		gPluginFactory = nullptr;
	FUNKNOWN_DTOR
}

IMPLEMENT_REFCOUNT (CPluginFactory)

tresult PLUGIN_API CPluginFactory::queryInterface (FIDString _iid, void** obj)
{
	QUERY_INTERFACE (_iid, obj, IPluginFactory::iid, IPluginFactory)
	QUERY_INTERFACE (_iid, obj, IPluginFactory2::iid, IPluginFactory2)
	QUERY_INTERFACE (_iid, obj, IPluginFactory3::iid, IPluginFactory3)
	QUERY_INTERFACE (_iid, obj, FUnknown::iid, IPluginFactory)
	*obj = nullptr;
	return kNoInterface;
}

bool CPluginFactory::registerClass (const PClassInfo* info, CreateFunction createFunc, void* context)
{
	if (!info || !createFunc)
		return false;
	PClassInfo2 info2;
	std::memcpy (info2.cid, info->cid, sizeof (TUID));
	info2.cardinality = info->cardinality;
	std::memcpy (info2.category, info->category, sizeof (info->category));
	std::memcpy (info2.name, info->name, sizeof (info->name));
	return registerClass (&info2, createFunc, context);
}

bool CPluginFactory::registerClass (const PClassInfo2* info, CreateFunction createFunc, void* context)
{
	if (!info || !createFunc)
		return false;
	PClassEntry entry {};
	entry.info8 = *info;
	entry.createFunc = createFunc;
	entry.context = context;
	entry.isUnicode = false;
	classes.push_back (entry);
	return true;
}

bool CPluginFactory::registerClass (const PClassInfoW* info, CreateFunction createFunc, void* context)
{
	if (!info || !createFunc)
		return false;
	PClassEntry entry {};
	entry.info16 = *info;
	entry.createFunc = createFunc;
	entry.context = context;
	entry.isUnicode = true;
	classes.push_back (entry);
	return true;
}

bool CPluginFactory::isClassRegistered (const FUID& cid)
{
	for (const auto& entry : classes)
	{
		const TUID& id = entry.isUnicode ? entry.info16.cid : entry.info8.cid;
		if (cid == FUID::fromTUID (id))
			return true;
	}
	return false;
}

void CPluginFactory::removeAllClasses ()
{
	classes.clear ();
}

const CPluginFactory::PClassEntry* CPluginFactory::entryAt (int32 index) const
{
	if (index < 0 || index >= static_cast<int32> (classes.size ()))
		return nullptr;
	return &classes[static_cast<size_t> (index)];
}

tresult PLUGIN_API CPluginFactory::getFactoryInfo (PFactoryInfo* info)
{
	if (!info)
		return kInvalidArgument;
	*info = factoryInfo;
	return kResultOk;
}

int32 PLUGIN_API CPluginFactory::countClasses ()
{
	return static_cast<int32> (classes.size ());
}

tresult PLUGIN_API CPluginFactory::getClassInfo (int32 index, PClassInfo* info)
{
	const PClassEntry* entry = entryAt (index);
	if (!info || !entry)
		return kInvalidArgument;
	*info = PClassInfo ();
	if (entry->isUnicode)
		return kResultFalse;
	std::memcpy (info->cid, entry->info8.cid, sizeof (TUID));
	info->cardinality = entry->info8.cardinality;
	std::memcpy (info->category, entry->info8.category, sizeof (info->category));
	std::memcpy (info->name, entry->info8.name, sizeof (info->name));
	return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfo2 (int32 index, PClassInfo2* info)
{
	const PClassEntry* entry = entryAt (index);
	if (!info || !entry)
		return kInvalidArgument;
	if (entry->isUnicode)
	{
		*info = PClassInfo2 ();
		return kResultFalse;
	}
	*info = entry->info8;
	return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfoUnicode (int32 index, PClassInfoW* info)
{
	const PClassEntry* entry = entryAt (index);
	if (!info || !entry)
		return kInvalidArgument;
	if (entry->isUnicode)
		*info = entry->info16;
	else
		info->fromAscii (entry->info8);
	return kResultOk;
}

tresult PLUGIN_API CPluginFactory::createInstance (FIDString cid, FIDString _iid, void** obj)
{
	if (!obj)
		return kInvalidArgument;
	*obj = nullptr;
	if (!cid || !_iid)
		return kInvalidArgument;

	for (const auto& entry : classes)
	{
		const TUID& id = entry.isUnicode ? entry.info16.cid : entry.info8.cid;
		if (std::memcmp (id, cid, sizeof (TUID)) != 0)
			continue;

		FUnknown* instance = entry.createFunc (entry.context);
		if (!instance)
			return kOutOfMemory;
		// The create function's reference goes away either way; the caller keeps the one
		// queryInterface added.
		tresult result = instance->queryInterface (_iid, obj);
		instance->release ();
		if (result != kResultOk)
			*obj = nullptr;
		return result == kResultOk ? kResultOk : kNoInterface;
	}
	return kNoInterface;
}

tresult PLUGIN_API CPluginFactory::setHostContext (FUnknown* /*context*/)
{
	return kNotImplemented;
}

} // namespace Steinberg
