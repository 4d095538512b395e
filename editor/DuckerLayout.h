// The editor's layout: the resize record of every view (float32 factors of the parent's width and height),
// and the rules that derive the mirrored and the caption records from others.
#pragma once

#include "ResizeView.h"
#include "ResizeViewA.h"

namespace DuckerLayout
{

// Each value is the float32 the design was measured to; at 200 × 336 the records give the rectangles noted.
inline constexpr ResizeView kFill{0.f, 0.f, 0.f, 0.f, 1.f, 0.f, 0.f, 1.f}; // background, container, panel
inline constexpr float kAspect = 1.68f;                                    // height ÷ width of the design
inline constexpr ResizeViewA kAspectBox{0.f, 0.f, 0.f, 0.f, 1.f, 0.f, 0.f, 1.f, kAspect};

// 10.08, 286.76, 189.92, 325.92
inline constexpr ResizeView kBypass{0.f, 0.03f, 0.f, 0.85344005f, 1.f, -0.03f, 0.f, 0.97f};
// 19.56, 218.28, 180.44, 258.71
inline constexpr ResizeView kOffsetSlider{0.f, 0.0582f,  -0.33333334f,  0.8480601f,
                                          1.f, -0.0582f, -0.082077056f, 0.81881386f};
// 22.63, 190.62, 177.37, 215.21
inline constexpr ResizeView kDurationCaption{-0.012266667f, 0.07464904f,  -0.22293332f, 0.7000187f,
                                             1.0122666f,    -0.07464904f, -0.3210667f,  0.83161104f};
// 36.03, 77.48, 163.97, 205.41: width and height are both −0.7733334·W + 0.841076·H, so the knob is square
inline constexpr ResizeView kDurationKnob{0.88666666f,  -0.42053804f, 0.36f,        0.016296f,
                                          0.113333344f, 0.42053804f,  -0.41333336f, 0.85737205f};
// 20.76, 53.79, 54.39, 63.40
inline constexpr ResizeView kSyncCaption{0.0074666673f, 0.05733088f, 0.2128f,     0.03343008f,
                                         0.21653333f,   0.03299552f, 0.27253333f, 0.02647712f};
// 19.56, 19.56, 55.59, 46.58
inline constexpr ResizeView kNoteSync{0.f, 0.0582f, 0.f, 0.0582f, 0.224f, 0.032126397f, 0.16800001f, 0.038644798f};
// 167.57, 267.62, 180.44, 271.91
inline constexpr ResizeView kVersion{0.92f, -0.048888005f, -0.026666667f, 0.8123641f, 1.f, -0.0582f, 0.f, 0.8092601f};

// The Offset caption sits in the band between the slider's bottom edge and this line (× H), the version
// label's bottom line, inside the common margin (× H) on the right.
inline constexpr float kCaptionBandBottom = 0.8092601f;
inline constexpr float kMargin = 0.0582f;

/** The record mirrored about the parent's vertical centre line: (1 − c4, −c5, c2, c3, 1 − c0, −c1, c6, c7). */
ResizeView mirrored (const ResizeView& source);

/** The Offset caption's record from the slider's: 10 % to 90 % of the band's height, the slider's span
    narrowed by 10 % of that height on each side. */
ResizeView offsetCaption (const ResizeView& slider);

} // namespace DuckerLayout
