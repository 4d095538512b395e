// Stand-in for the VST3 SDK's CPluginFactory (see compat/vst3sdk/README.md): the default class
// factory a module returns from GetPluginFactory.
#pragma once

#include "pluginterfaces/base/ipluginbase.h"

#include <vector>

namespace Steinberg {

/** Default class factory: keeps the registered class entries and creates their instances.
    Destroys itself on the last release and then empties gPluginFactory if it points here. */
class CPluginFactory : public IPluginFactory3
{
public:
	using CreateFunction = FUnknown* (*) (void* context);

	explicit CPluginFactory (const PFactoryInfo& info);
	virtual ~CPluginFactory ();

	bool registerClass (const PClassInfo* info, CreateFunction createFunc, void* context = nullptr);
	bool registerClass (const PClassInfo2* info, CreateFunction createFunc, void* context = nullptr);
	bool registerClass (const PClassInfoW* info, CreateFunction createFunc, void* context = nullptr);
	bool isClassRegistered (const FUID& cid);
	void removeAllClasses ();

	DECLARE_FUNKNOWN_METHODS

	//---from IPluginFactory------
	tresult PLUGIN_API getFactoryInfo (PFactoryInfo* info) SMTG_OVERRIDE;
	int32 PLUGIN_API countClasses () SMTG_OVERRIDE;
	tresult PLUGIN_API getClassInfo (int32 index, PClassInfo* info) SMTG_OVERRIDE;
	tresult PLUGIN_API createInstance (FIDString cid, FIDString _iid, void** obj) SMTG_OVERRIDE;

	//---from IPluginFactory2-----
	tresult PLUGIN_API getClassInfo2 (int32 index, PClassInfo2* info) SMTG_OVERRIDE;

	//---from IPluginFactory3-----
	tresult PLUGIN_API getClassInfoUnicode (int32 index, PClassInfoW* info) SMTG_OVERRIDE;
	tresult PLUGIN_API setHostContext (FUnknown* context) SMTG_OVERRIDE;

protected:
	struct PClassEntry
	{
		PClassInfo2 info8;
		PClassInfoW info16;
		CreateFunction createFunc;
		void* context;
		bool isUnicode;
	};

	const PClassEntry* entryAt (int32 index) const;

	PFactoryInfo factoryInfo;
	std::vector<PClassEntry> classes;
};

/** The module's one factory, created by GetPluginFactory and cleared by the factory's destructor. */
extern CPluginFactory* gPluginFactory;

} // namespace Steinberg
