// A group box that paints its caption whole. The stock control clips the
// caption to its measured extent; where a font's last glyph inks a pixel or
// two past its advance (Wine's stand-in for Arial does, at every size), that
// glyph is lost. This one paints the frame as the control does, with room
// after the caption for that ink, and the caption unclipped, as Windows'
// own group box paints it.
#pragma once
#include <windows.h>

#include "platform/win32/window_subclass.h"

namespace platform::win32 {

// Hooks frame's painting for as long as the returned subclass lives.
WindowSubclass PaintCaptionWhole(HWND frame);

}  // namespace platform::win32
