#include "install.h"
#include "install_ids.h"

#include <shellapi.h>

static void show_error(HWND dialog, const char *text, UINT icon) {
  MessageBoxA(dialog, text, TITLE_ERROR, icon | MB_OK);
}

static void refuse_folder(HWND dialog, const char *text) {
  show_error(dialog, text, MB_ICONWARNING);
  SendDlgItemMessageA(dialog, IDC_FOLDER, EM_SETSEL, 0, -1);
}

static const char *refusal_text(FolderCheck check) {
  switch (check) {
    case FOLDER_BAD_FORM: return TEXT_BAD_FORM;
    case FOLDER_BAD_DRIVE: return TEXT_BAD_DRIVE;
    case FOLDER_BAD_CHARS: return TEXT_BAD_CHARS;
    case FOLDER_UNC: return TEXT_UNC;
    default: return TEXT_NO_FOLDER;
  }
}

// A text longer than the buffer would be read cut short and installed into
// a folder the user did not type, so it is refused like one that cannot be
// made (its files could not be named within MAX_PATH anyway).
static FolderCheck read_and_check_folder(HWND dialog) {
  HWND edit = GetDlgItem(dialog, IDC_FOLDER);
  GetWindowTextA(edit, install_folder, MAX_PATH);
  if (GetWindowTextLengthA(edit) >= MAX_PATH && has_drive_form(install_folder))
    return FOLDER_TOO_LONG;
  return validate_install_folder();
}

// Each failure leaves what was done before it; only a missing source ends
// the installer, since retrying from the same medium cannot help.
static void press_install(HWND dialog) {
  FolderCheck check = read_and_check_folder(dialog);
  if (check != FOLDER_ACCEPTED) {
    refuse_folder(dialog, refusal_text(check));
    return;
  }
  if (!create_install_folder()) {
    show_error(dialog, TEXT_NO_FOLDER, MB_ICONWARNING);
    return;
  }
  switch (copy_game_files()) {
    case COPY_MISSING_SOURCE:
      show_error(dialog, TEXT_MISSING_SOURCE, MB_ICONSTOP);
      EndDialog(dialog, 0);
      return;
    case COPY_FAILED:
      show_error(dialog, TEXT_COPY_FAILED, MB_ICONSTOP);
      return;
    case COPY_DONE:
      break;
  }
  create_shortcuts();
  write_install_registry();
  MessageBoxA(dialog, TEXT_INSTALLED, TITLE_INSTALL, MB_ICONINFORMATION | MB_OK | MB_SETFOREGROUND);
  if (program_group_folder[0] != '\0')
    ShellExecuteA(dialog, "Open", program_group_folder, nullptr, nullptr, SW_SHOWNORMAL);
  EndDialog(dialog, 0);
}

static void press_cancel(HWND dialog) {
  if (MessageBoxA(dialog, TEXT_CANCEL, TITLE_INSTALL, MB_ICONQUESTION | MB_YESNO | MB_DEFBUTTON2) ==
      IDYES)
    EndDialog(dialog, 0);
}

static void init_dialog(HWND dialog) {
  CoInitialize(nullptr);
  char folder[MAX_PATH];
  default_install_folder(folder);
  SetDlgItemTextA(dialog, IDC_FOLDER, folder);
}

// Static texts are red on the black dialog; the edit keeps the system colours.
static HBRUSH colour_static(HDC dc) {
  SetTextColor(dc, RGB(255, 0, 0));
  SetBkColor(dc, RGB(0, 0, 0));
  return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
}

INT_PTR CALLBACK install_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      init_dialog(dialog);
      return TRUE;
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(GetStockObject(BLACK_BRUSH));
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<INT_PTR>(colour_static(reinterpret_cast<HDC>(wparam)));
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK) press_install(dialog);
      if (LOWORD(wparam) == IDCANCEL) press_cancel(dialog);
      return TRUE;
    case WM_DESTROY:
      CoUninitialize();
      return FALSE;
  }
  return FALSE;
}
