#include "DuckerViewTree.h"

#include "Checkbox.h"
#include "DuckerLayout.h"
#include "Image.h"
#include "Knob.h"
#include "Resizeable.h"
#include "Slider.h"
#include "SpinKnob.h"
#include "Spinner.h"

#include "editor/artwork/Artwork.h"
#include "plugin/ids.h"

#include "vstgui/lib/cframe.h"
#include "vstgui/lib/cviewcontainer.h"

using namespace VSTGUI;
using namespace DuckerLayout;

namespace
{

// The rotary controls sweep 270 degrees with the gap at the bottom.
constexpr float kStartDegrees = 135.f;
constexpr float kEndDegrees = 405.f;
// The Duration knob's bead: 8 % of the knob wide, on a circle of 67 % of its half width (the body's arc).
constexpr float kDotSize = 0.08f;
constexpr float kDotOrbit = 0.67f;
// The Offset handle's centre travels over 80 % of the slider's width.
constexpr float kHandleRatio = 0.8f;

using ResizeImage = Resizeable<Image, ResizeView>;
using ResizeContainer = Resizeable<CViewContainer, ResizeView>;

} // namespace

void addDuckerViewTree (CFrame* frame, IControlListener* listener)
{
	frame->addView (new ResizeImage (kFill, backgroundSvg, true));
	auto* aspectBox = new Resizeable<CViewContainer, ResizeViewA> (kAspectBox);
	frame->addView (aspectBox);

	auto* main = new ResizeContainer (kFill);
	main->addView (new ResizeImage (kFill, panelSvg, false));
	aspectBox->addView (main);

	const auto& n = noteSyncSvgs;
	auto* noteSync = new Resizeable<Spinner, ResizeView> (
	    kNoteSync, listener, int32_t (kNoteSyncId),
	    std::initializer_list<const char*>{n[0], n[1], n[2], n[3], n[4], n[5], n[6], n[7], n[8]});
	auto* syncCaption = new ResizeImage (kSyncCaption, syncCaptionSvg, false);
	// The Mix knob and its caption mirror the spinner and its caption, so the pairs stay symmetric at any size.
	auto* mixKnob = new Resizeable<SpinKnob, ResizeView> (mirrored (*noteSync), listener, int32_t (kMixId),
	                                                      kStartDegrees, kEndDegrees, mixKnobSvg, uint32_t (0));
	auto* mixCaption = new ResizeImage (mirrored (*syncCaption), mixCaptionSvg, false);
	auto* bypass =
	    new Resizeable<Checkbox, ResizeView> (kBypass, listener, int32_t (kBypassId), bypassOffSvg, bypassOnSvg);
	auto* offset = new Resizeable<Slider, ResizeView> (kOffsetSlider, int32_t (1), kHandleRatio, listener,
	                                                   int32_t (kOffsetId), offsetTrackSvg, offsetHandleSvg);
	auto* offsetCaptionImage = new ResizeImage (DuckerLayout::offsetCaption (*offset), offsetCaptionSvg, false);
	auto* durationCaption = new ResizeImage (kDurationCaption, durationCaptionSvg, false);
	auto* duration =
	    new Resizeable<Knob, ResizeView> (kDurationKnob, listener, int32_t (kDurationId), kDotSize, kDotOrbit,
	                                      kStartDegrees, kEndDegrees, durationKnobSvg, durationDotSvg);
	auto* version = new ResizeImage (kVersion, versionSvg, false);

	// Drawing order: later views over earlier ones.
	for (CView* view : std::initializer_list<CView*>{bypass, offset, offsetCaptionImage, durationCaption, duration,
	                                                 mixCaption, mixKnob, syncCaption, noteSync, version})
		main->addView (view);
}
