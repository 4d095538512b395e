// Builds the editor's complete view tree into a frame: background, letterboxing aspect box, panel, the five
// controls bound by tag to their parameters, captions and version label, each placed by its resize record.
#pragma once

namespace VSTGUI
{
class CFrame;
class IControlListener;
} // namespace VSTGUI

/** Every control gets `listener` and its parameter's identifier as tag; the frame owns every view. */
void addDuckerViewTree (VSTGUI::CFrame* frame, VSTGUI::IControlListener* listener);
