// The Win32 platform's shared objects, reached by the other parts of the back end: the module handle the
// library was started with (window classes are registered under it), and the Direct2D and WIC factories.
#pragma once

#include <windows.h>

#include <cstdint>

struct ID2D1Factory;
struct IWICImagingFactory;

namespace VSTGUI
{
namespace Win32
{

// The handle given to VSTGUI::init, or the module this library is linked into when none was given.
HINSTANCE getInstance ();
// Null when Direct2D or WIC is not available; then nothing can be drawn.
ID2D1Factory* getD2DFactory ();
IWICImagingFactory* getWICImagingFactory ();

// Frames count themselves here: timers run on SetTimer while a window of ours is open, since only then does
// the thread pump the messages that fire them; otherwise they run on the offscreen platform's manual clock.
void frameOpened ();
void frameClosed ();
int32_t openFrameCount ();

} // namespace Win32
} // namespace VSTGUI
