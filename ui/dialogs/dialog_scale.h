// The game's dialogs at the window's scale.
#pragma once

#include <windows.h>

#include <cstdint>

// A dialog's template gives places and sizes in dialog units, which the
// system turns into pixels with the template's font at the system's own
// scaling. The game's dialogs keep the design's layout instead (the font at
// 100 %) drawn pixel_scale times larger: every control and the dialog
// itself are placed and sized in whole blocks, a centred dialog is centred
// again, and the texts get the template's font pixel_scale times as high
// (an outline font where the template's is made of pixels). Picture
// controls keep the size of their pictures, which load_picture enlarges.
// Called first thing in WM_INITDIALOG. The system's own resizing of a
// dialog when the scaling changes (Windows 10 on) is turned off: the
// dialog keeps the layout made here.
void scale_dialog(HWND dialog);

// A dialog open while the screen or its scaling changes keeps the scale
// and the screen it was laid out for until it closes: its painting runs
// between these two, which put that scale and screen in force and then
// back (the main window meanwhile follows the new screen).
struct ScreenScale {
    uint8_t k;
    uint16_t w, h; // screen_w, screen_h
};
ScreenScale enter_dialog_scale(HWND dialog);
void leave_dialog_scale(const ScreenScale& kept);
// A full-screen dialog's layout is the design's 640 x 480 area: its
// controls move with it to where the board stands, centred on the screen.
void centre_design_area(HWND dialog);
// Releases the font scale_dialog made for the dialog (in WM_DESTROY).
void release_dialog_font(HWND dialog);
