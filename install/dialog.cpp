#include "install.h"
#include "install_ids.h"

#include <shellapi.h>

static void show_error(HWND dialog, const char* text, UINT icon) {
    show_message(dialog, text, TITLE_ERROR, icon | MB_OK);
}

// The focus goes back to the folder with all of it selected, so that typing
// replaces it.
static void refuse_folder(HWND dialog, const char* text) {
    show_error(dialog, text, MB_ICONWARNING);
    HWND edit = GetDlgItem(dialog, IDC_FOLDER);
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
    SendMessageW(edit, EM_SETSEL, 0, -1);
}

static const char* refusal_text(FolderCheck check) {
    switch (check) {
    case FOLDER_BAD_FORM:
    case FOLDER_SYSTEM: return TEXT_BAD_FORM;
    case FOLDER_BAD_DRIVE: return TEXT_BAD_DRIVE;
    case FOLDER_BAD_CHARS: return TEXT_BAD_CHARS;
    case FOLDER_UNC: return TEXT_UNC;
    default: return TEXT_NO_FOLDER;
    }
}

// A text longer than the buffer would be read cut short and installed into
// a folder the user did not type, so it is refused like one that cannot be
// made (its files could not be named within MAX_PATH anyway). Once the
// folder has been normalised the edit shows it, so the user sees where the
// game goes, or which folder was refused.
static FolderCheck read_and_check_folder(HWND dialog) {
    HWND edit = GetDlgItem(dialog, IDC_FOLDER);
    WCHAR typed[MAX_PATH];
    GetWindowTextW(edit, typed, MAX_PATH);
    if (GetWindowTextLengthW(edit) >= MAX_PATH && has_drive_form(typed)) return FOLDER_TOO_LONG;
    FolderCheck check = validate_install_folder(typed);
    if (install_folder[0] != L'\0') {
        WCHAR shown[MAX_PATH];
        lstrcpyW(shown, install_folder);
        drop_final_backslash(shown);
        SetWindowTextW(edit, shown);
    }
    return check;
}

// A folder refused or not made, or a copy that failed, leaves the dialog
// open for another try with nothing new on disk; only a missing source ends
// the installer, since retrying from the same medium cannot help.
static void press_install(HWND dialog) {
    FolderCheck check = read_and_check_folder(dialog);
    if (check != FOLDER_ACCEPTED) {
        refuse_folder(dialog, refusal_text(check));
        return;
    }
    if (!sources_present()) {
        show_error(dialog, TEXT_MISSING_SOURCE, MB_ICONSTOP);
        EndDialog(dialog, 0);
        return;
    }
    if (!create_install_folder()) {
        refuse_folder(dialog, TEXT_NO_FOLDER);
        return;
    }
    if (!copy_game_files()) {
        show_error(dialog, TEXT_COPY_FAILED, MB_ICONSTOP);
        return;
    }
    place_uninstaller();
    create_shortcuts();
    write_install_registry();
    show_message(dialog, TEXT_INSTALLED, TITLE_INSTALL, MB_ICONINFORMATION | MB_OK | MB_SETFOREGROUND);
    if (program_group_folder[0] != L'\0')
        ShellExecuteW(dialog, L"Open", program_group_folder, nullptr, nullptr, SW_SHOWNORMAL);
    EndDialog(dialog, 0);
}

static void press_cancel(HWND dialog) {
    if (show_message(dialog, TEXT_CANCEL, TITLE_INSTALL, MB_ICONQUESTION | MB_YESNO | MB_DEFBUTTON2) == IDYES)
        EndDialog(dialog, 0);
}

// An installed game is proposed again, so that installing anew updates it
// instead of leaving a second copy that the uninstaller would never find.
static void init_dialog(HWND dialog) {
    CoInitialize(nullptr);
    WCHAR folder[MAX_PATH];
    if (find_game_folder(folder) == GAME_FOUND) drop_final_backslash(folder);
    else default_install_folder(folder);
    SetDlgItemTextW(dialog, IDC_FOLDER, folder);
    fit_banner(dialog, dialog_dpi(dialog));
}

// Static texts are red on the black dialog; the edit keeps the system colours.
static HBRUSH colour_static(HDC dc) {
    SetTextColor(dc, RGB(255, 0, 0));
    SetBkColor(dc, RGB(0, 0, 0));
    return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
}

// Moved to a screen of another scale, the dialog is laid out anew by the
// system once this message has passed; the banner follows it then.
static const UINT WM_FIT_BANNER = WM_APP;

INT_PTR CALLBACK install_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: init_dialog(dialog); return TRUE;
    case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(GetStockObject(BLACK_BRUSH));
    case WM_CTLCOLORSTATIC: return reinterpret_cast<INT_PTR>(colour_static(reinterpret_cast<HDC>(wparam)));
    case WM_COMMAND:
        if (LOWORD(wparam) == IDOK) press_install(dialog);
        if (LOWORD(wparam) == IDCANCEL) press_cancel(dialog);
        return TRUE;
    case WM_DPICHANGED: PostMessageW(dialog, WM_FIT_BANNER, LOWORD(wparam), 0); return FALSE;
    case WM_FIT_BANNER: fit_banner(dialog, static_cast<UINT>(wparam)); return TRUE;
    case WM_DESTROY:
        release_banner();
        CoUninitialize();
        return FALSE;
    }
    return FALSE;
}
