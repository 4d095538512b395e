// The module's version and vendor, the one place they are written: the factory, the host tools, the Windows
// version resource (plugin/version.rc) and the build (CMakeLists.txt reads the numbers) all take them from here.
// Plain preprocessor definitions only, so that the resource compiler can read this file too.
#pragma once

#define QUORVANE_VERSION_MAJOR 1
#define QUORVANE_VERSION_MINOR 2
#define QUORVANE_VERSION_PATCH 0
#define QUORVANE_VERSION_BUILD 0

#define QUORVANE_STRINGIFY_TOKEN(x) #x
#define QUORVANE_STRINGIFY(x) QUORVANE_STRINGIFY_TOKEN (x)
/** "1.2.0.0" */
#define QUORVANE_VERSION_STR                                                                                           \
	QUORVANE_STRINGIFY (QUORVANE_VERSION_MAJOR)                                                                        \
	"." QUORVANE_STRINGIFY (QUORVANE_VERSION_MINOR) "." QUORVANE_STRINGIFY (                                           \
	    QUORVANE_VERSION_PATCH) "." QUORVANE_STRINGIFY (QUORVANE_VERSION_BUILD)

#define QUORVANE_VENDOR "Kelvanor"
#define QUORVANE_URL "https://www.kelvanor.com"
#define QUORVANE_EMAIL "mailto:support@kelvanor.com"
#define QUORVANE_SDK_VERSION_STR "VST 3.8.0"
