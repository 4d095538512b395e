// Stand-in for the VST3 SDK's common interface identifiers (see compat/vst3sdk/README.md): the editor
// interfaces whose identifiers Debian's SDK subset does not define anywhere.

#include "pluginterfaces/base/funknown.h"
#include "pluginterfaces/gui/iplugview.h"
#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"

namespace Steinberg {

DEF_CLASS_IID (IPlugView)
DEF_CLASS_IID (IPlugFrame)
DEF_CLASS_IID (IPlugViewContentScaleSupport)

// The run-loop interfaces exist only in Linux builds of the SDK.
#if SMTG_OS_LINUX
namespace Linux {
DEF_CLASS_IID (IEventHandler)
DEF_CLASS_IID (ITimerHandler)
DEF_CLASS_IID (IRunLoop)
} // namespace Linux
#endif

} // namespace Steinberg
