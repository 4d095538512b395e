#include "controller/DuckerController.h"

#include "controller/ControllerState.h"
#include "controller/NoteSyncList.h"
#include "plugin/ids.h"
#include "processor/ProcessorState.h"

#include "base/source/fstreamer.h"

#if QUORVANE_WITH_EDITOR
#include "editor/DuckerEditor.h"
#endif

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

using namespace Steinberg;
using namespace Steinberg::Vst;

FUnknown* DuckerController::createInstance (void* /*context*/)
{
	return static_cast<IEditController*> (new DuckerController);
}

DuckerController::~DuckerController ()
{
	// An editor that still reads the size holds its own copy; ours goes before the base tears down.
	std::atomic_store (&winSize, std::shared_ptr<const WinSize> ());
}

tresult PLUGIN_API DuckerController::queryInterface (const TUID iid, void** obj)
{
	if (!obj)
		return kInvalidArgument;
	QUERY_INTERFACE (iid, obj, IEditController::iid, IEditController)
	QUERY_INTERFACE (iid, obj, IEditController2::iid, IEditController2)
	// IEditController derives from IPluginBase as well; the component base's table is the one answered.
	if (FUnknownPrivate::iidEqual (iid, IPluginBase::iid))
	{
		addRef ();
		*obj = static_cast<IPluginBase*> (static_cast<ComponentBase*> (this));
		return kResultOk;
	}
	QUERY_INTERFACE (iid, obj, IConnectionPoint::iid, IConnectionPoint)
	return FObject::queryInterface (iid, obj);
}

tresult PLUGIN_API DuckerController::initialize (FUnknown* context)
{
	static_cast<IEditController2*> (this)->setKnobMode (kLinearMode);

	// The base refuses a second initialize only when the first brought a host context; with a null context
	// it would accept again and every parameter would be declared twice.
	if (parameters.getParameterCount () > 0)
		return kResultFalse;

	const tresult result = EditController::initialize (context);
	if (result != kResultOk)
		return result;

	addParameters ();
	return kResultOk;
}

void DuckerController::addParameters ()
{
	parameters.addParameter (STR16 ("Bypass"), nullptr, 1, 0., ParameterInfo::kCanAutomate | ParameterInfo::kIsBypass,
	                         kBypassId, kRootUnitId, nullptr);

	struct RangeDeclaration
	{
		const TChar* title;
		ParamID id;
		const TChar* units;
		ParamValue minPlain, maxPlain, defaultPlain;
		int32 precision;
	};
	const RangeDeclaration ranges[] = {
	    {STR16 ("Duration"), kDurationId, STR16 ("beats"), 0., 1., 0.5, 2},
	    {STR16 ("Mix"), kMixId, STR16 ("% wet"), 0., 100., 100., 0},
	    {STR16 ("Offset"), kOffsetId, STR16 ("beats"), -1., 1., 0., 2},
	};
	for (const auto& range : ranges)
	{
		auto* parameter = parameters.addParameter (
		    new RangeParameter (range.title, range.id, range.units, range.minPlain, range.maxPlain, range.defaultPlain,
		                        0, ParameterInfo::kCanAutomate, kRootUnitId, nullptr));
		parameter->setPrecision (range.precision);
	}

	auto* noteSync =
	    new StringListParameter (STR16 ("Note Sync"), kNoteSyncId, nullptr,
	                             ParameterInfo::kCanAutomate | ParameterInfo::kIsList, kRootUnitId, STR16 ("Sync"));
	for (const TChar* entry : kNoteSyncList)
		noteSync->appendString (entry);
	// The current value starts where the processor starts: some hosts never hand over the processor's
	// settings after creating the pair, and would otherwise show and save "4/1" while "1/4" plays.
	ParamValue quarterNote = 0.;
	if (noteSync->fromString (STR16 ("1/4"), quarterNote))
	{
		noteSync->getInfo ().defaultNormalizedValue = quarterNote;
		noteSync->setNormalized (quarterNote);
	}
	parameters.addParameter (noteSync);
}

tresult PLUGIN_API DuckerController::terminate ()
{
	// The stored size is left alone: it survives a terminate and a later initialize.
	return EditController::terminate ();
}

tresult PLUGIN_API DuckerController::setComponentState (IBStream* state)
{
	if (!state)
		return kResultFalse;

	IBStreamer streamer (state, kLittleEndian);
	int8 version = 0;
	if (!streamer.readInt8 (version) || version != ProcessorState::kVersion)
		return kResultFalse;

	// The processor's record: Duration, Mix, Offset, Note Sync as normalized floats, then Bypass as int32.
	// Each value is applied as soon as it is read, so a short record leaves the fields before the cut applied.
	IEditController* controller = this;
	for (const ParamID id : {kDurationId, kMixId, kOffsetId, kNoteSyncId})
	{
		float value = 0.f;
		if (!streamer.readFloat (value))
			return kResultFalse;
		controller->setParamNormalized (id, value);
	}
	int32 bypass = 0;
	if (!streamer.readInt32 (bypass))
		return kResultFalse;
	controller->setParamNormalized (kBypassId, bypass != 0 ? 1. : 0.);
	return kResultOk;
}

tresult PLUGIN_API DuckerController::getState (IBStream* state)
{
	if (!state)
		return kResultFalse;
	// A controller that never stored a size writes nothing, so the editor opens at its default.
	if (const auto stored = getWinSize ())
		ControllerState{ControllerState::kVersion, *stored}.write (state);
	return kResultOk;
}

tresult PLUGIN_API DuckerController::setState (IBStream* state)
{
	ControllerState record;
	switch (record.read (state))
	{
	case ControllerState::ReadResult::incomplete:
		return kResultFalse;
	// getState writes nothing while no size is stored, and hosts hand exactly that back on reload.
	case ControllerState::ReadResult::empty:
		return kResultOk;
	case ControllerState::ReadResult::whole:
		break;
	}
	// A record from another version is not ours to interpret; the size stays as it was.
	if (record.version != ControllerState::kVersion)
		return kResultOk;
	setWinSize (record.size);
	return kResultOk;
}

std::shared_ptr<const WinSize> DuckerController::getWinSize () const
{
	return std::atomic_load (&winSize);
}

void DuckerController::setWinSize (WinSize size)
{
	// The host is not told "dirty": every size comes from the host itself (its window, its onSize, its
	// scale, a project it loads) and hosts ask for the state on every save anyway. Told, a host marks a
	// project modified by merely opening the editor, which every host gives a size of its own.
	std::atomic_store (&winSize, std::make_shared<const WinSize> (size));
}

tresult PLUGIN_API DuckerController::getParameterInfo (int32 paramIndex, ParameterInfo& info)
{
	// The container looks indexes up with a checked access that throws, and no exception may cross into a host.
	if (paramIndex < 0 || paramIndex >= getParameterCount ())
		return kResultFalse;
	return EditController::getParameterInfo (paramIndex, info);
}

tresult PLUGIN_API DuckerController::getParamStringByValue (ParamID tag, ParamValue valueNormalized, String128 string)
{
	// The list parameter indexes its entries with the value: outside 0..1 it would read past the list.
	if (!string || std::isnan (valueNormalized))
		return kResultFalse;
	return EditController::getParamStringByValue (tag, std::clamp (valueNormalized, 0., 1.), string);
}

tresult PLUGIN_API DuckerController::getParamValueByString (ParamID tag, TChar* string, ParamValue& valueNormalized)
{
	if (!string)
		return kResultFalse;
	// The number parsers accept "nan", and the plain parameter (Bypass) does not clamp what it reads. On Windows
	// the SDK's number scanner (swscanf) reports success for a text without a number and leaves the value as it
	// was: starting from NaN, such a text is refused like "nan".
	ParamValue converted = std::numeric_limits<ParamValue>::quiet_NaN ();
	const tresult result = EditController::getParamValueByString (tag, string, converted);
	if (result != kResultOk || std::isnan (converted))
		return kResultFalse;
	valueNormalized = std::clamp (converted, 0., 1.);
	return kResultOk;
}

tresult PLUGIN_API DuckerController::setParamNormalized (ParamID tag, ParamValue value)
{
	// A stored record or a host may carry NaN; the parameter would keep it and show it everywhere.
	if (std::isnan (value))
		return kResultFalse;
	return EditController::setParamNormalized (tag, value);
}

IPlugView* PLUGIN_API DuckerController::createView (FIDString name)
{
	if (!name || std::strcmp (name, ViewType::kEditor) != 0)
		return nullptr;
#if QUORVANE_WITH_EDITOR
	// Read once here; the editor reads the size again each time it opens.
	const auto stored = getWinSize ();
	auto* editor = stored ? new DuckerEditor (this, stored->width, stored->height) : new DuckerEditor (this);
	return static_cast<IPlugView*> (editor);
#else
	// A module built without its editor (QUORVANE_BUILD_EDITOR): the host shows its own parameter view.
	return nullptr;
#endif
}
