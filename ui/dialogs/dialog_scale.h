// The game's dialogs at the window's scale.
#pragma once

#include <windows.h>

// A dialog's template gives places and sizes in dialog units, which the
// system turns into pixels with the template's font at the system's own
// scaling. The game's dialogs keep the design's layout instead (the font at
// 100 %) drawn pixel_scale times larger: every control and the dialog
// itself are placed and sized in whole blocks, a centred dialog is centred
// again, and the texts get the template's font pixel_scale times as high
// (an outline font where the template's is made of pixels). Picture
// controls keep the size of their pictures, which load_picture enlarges.
// Called first thing in WM_INITDIALOG.
void scale_dialog(HWND dialog);
// Releases the font scale_dialog made for the dialog (in WM_DESTROY).
void release_dialog_font(HWND dialog);
