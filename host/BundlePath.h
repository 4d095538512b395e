// Where a VST3 bundle keeps its module for this platform: hosts are given either the bundle folder or the
// module file.
#pragma once

#include <string>

namespace QuorvaneHost
{

/** The architecture folder inside a bundle's Contents for this build ("x86_64-linux" on 64-bit Linux PCs,
    "x86_64-win" on 64-bit Windows). */
const char* bundleArchitecture ();
/** The module file's extension: ".so" on Linux, ".vst3" on Windows. */
const char* moduleFileExtension ();

/** For a bundle folder, or any path ending in ".vst3", the module inside it ("X.vst3/Contents/<arch>/X.so",
    or ".../X.vst3" on Windows);
    any other path is taken to be the module file itself and comes back unchanged. */
std::string modulePathForBundle (const std::string& path);

} // namespace QuorvaneHost
