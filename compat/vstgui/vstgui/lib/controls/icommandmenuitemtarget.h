// The target of command menu items, with an adapter that handles none.
#pragma once

#include "../vstguifwd.h"

namespace VSTGUI
{

class ICommandMenuItemTarget : public virtual IReference
{
public:
	virtual bool validateCommandMenuItem (CCommandMenuItem& item) = 0;
	virtual bool onCommandMenuItemSelected (CCommandMenuItem& item) = 0;
};

class CommandMenuItemTargetAdapter : public ICommandMenuItemTarget
{
public:
	bool validateCommandMenuItem (CCommandMenuItem& item) override { return false; }
	bool onCommandMenuItemSelected (CCommandMenuItem& item) override { return false; }
};

} // namespace VSTGUI
