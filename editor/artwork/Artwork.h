// The editor's artwork: SVG documents held as NUL-terminated constants in read-only data,
// generated at build time from the .svg files beside this header.
#pragma once

#include <array>
#include <cstddef>

extern const char backgroundSvg[];
extern const char panelSvg[];
extern const char syncCaptionSvg[];
extern const char mixKnobSvg[];
extern const char mixCaptionSvg[];
extern const char bypassOffSvg[];
extern const char bypassOnSvg[];
extern const char offsetTrackSvg[];
extern const char offsetHandleSvg[];
extern const char offsetCaptionSvg[];
extern const char durationCaptionSvg[];
extern const char durationKnobSvg[];
extern const char durationDotSvg[];
extern const char versionSvg[];

constexpr std::size_t kNoteSyncSvgCount = 9;

// One frame per Note Sync list entry, in list order: "4/1", "2/1", "1/1", "1/2", "1/4", "1/8",
// "1/16", "1/32", "1/64".
extern const std::array<const char*, kNoteSyncSvgCount> noteSyncSvgs;
