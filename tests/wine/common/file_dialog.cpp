#include "file_dialog.h"

#include "game_process.h"

#include <dlgs.h>

// The name box is a combo box in the newer dialog, an edit in the older.
static int name_box_id(HWND dialog) { return GetDlgItem(dialog, cmb13) ? cmb13 : edt1; }

bool is_file_dialog(HWND dialog) { return GetDlgItem(dialog, cmb13) || GetDlgItem(dialog, edt1); }

void choose_file(HWND dialog, const char* name) {
    SetDlgItemTextA(dialog, name_box_id(dialog), name);
    press_box_button(dialog, IDOK);
}
