// Version strings of the module, shared by the factory and the host tools.
#pragma once

#define QUORVANE_VERSION_STR "1.2.0.0"
#define QUORVANE_VENDOR "Kelvanor"
#define QUORVANE_URL "https://www.kelvanor.com"
#define QUORVANE_EMAIL "mailto:support@kelvanor.com"
#define QUORVANE_SDK_VERSION_STR "VST 3.8.0"
