// Controls of the game's dialogs whose marks the system draws at its own
// size: check boxes, radio buttons, group boxes and sunken texts.
#pragma once

#include <windows.h>

// Whether the system draws part of the control (a box, a circle, a frame,
// a sunken edge) at its own size, whatever its font.
bool has_system_marks(HWND control);
// Above scale 1 those marks would stay small beside texts made pixel_scale
// times larger. The control is then painted as the system would draw it at
// the design's size (a hidden stand-in of the design's size, with the
// design's font), enlarged block for block, with its text written again
// sharp in the control's own larger font. The control keeps its behaviour;
// only its picture changes. `design_font` is the dialog's font at 100 %,
// which the dialog owns.
void scale_control(HWND control, HFONT design_font);
// The hidden window that holds the stand-ins; made when first needed.
void release_scaled_controls();
