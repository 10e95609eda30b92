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

static const InstallScope& chosen_scope(HWND dialog) {
    return IsDlgButtonChecked(dialog, IDC_ALL_USERS) == BST_CHECKED ? EVERYONE : ONLY_ME;
}

// Every user's installation from an account without the rights asks Windows
// for them: the installer starts again elevated and installs silently, and
// its exit code says how it went. A refused prompt says so and the dialog
// stays.
static Outcome install_elevated(HWND dialog, const WCHAR* folder) {
    WCHAR own[MAX_PATH], parameters[MAX_PATH + 32] = L"/S /ALLUSERS /D=";
    if (!GetModuleFileNameW(nullptr, own, MAX_PATH) || !append_path(parameters, folder)) return FAILED_NOT_ADMIN;
    SHELLEXECUTEINFOW run{};
    run.cbSize = sizeof run;
    run.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC;
    run.hwnd = dialog;
    run.lpVerb = L"runas";
    run.lpFile = own;
    run.lpParameters = parameters;
    run.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&run) || run.hProcess == nullptr) return FAILED_NOT_ADMIN;
    EnableWindow(dialog, FALSE);
    while (MsgWaitForMultipleObjects(1, &run.hProcess, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    EnableWindow(dialog, TRUE);
    DWORD code = FAILED_COPY;
    GetExitCodeProcess(run.hProcess, &code);
    CloseHandle(run.hProcess);
    if (code == DONE) form_program_group_folder(EVERYONE.programs);
    return static_cast<Outcome>(code);
}

// A folder refused or not made, a copy that failed, the other scope's
// installation or refused rights leave the dialog open for another try with
// nothing new on disk; files missing or damaged end the installer, since
// retrying from the same files cannot help.
static void press_install(HWND dialog) {
    const InstallScope& scope = chosen_scope(dialog);
    FolderCheck check = read_and_check_folder(dialog);
    if (check != FOLDER_ACCEPTED) {
        refuse_folder(dialog, refusal_text(check));
        return;
    }
    WCHAR folder[MAX_PATH];
    lstrcpyW(folder, install_folder);
    Outcome outcome = scope.all_users && !elevated() ? install_elevated(dialog, folder) : install_game(scope, folder);
    switch (outcome) {
    case DONE: break;
    case FAILED_NO_FOLDER: refuse_folder(dialog, TEXT_NO_FOLDER); return;
    case FAILED_COPY: show_error(dialog, TEXT_COPY_FAILED, MB_ICONSTOP); return;
    case FAILED_OTHER_SCOPE:
        show_error(dialog, scope.all_users ? TEXT_OTHER_SCOPE_ME : TEXT_OTHER_SCOPE_EVERYONE, MB_ICONWARNING);
        return;
    case FAILED_NOT_ADMIN: show_error(dialog, TEXT_ELEVATION_REFUSED, MB_ICONWARNING); return;
    case FAILED_MISSING_FILES:
    case FAILED_DAMAGED:
        show_error(dialog, outcome == FAILED_DAMAGED ? TEXT_DAMAGED : TEXT_MISSING_SOURCE, MB_ICONSTOP);
        EndDialog(dialog, 0);
        return;
    default: refuse_folder(dialog, TEXT_BAD_FORM); return;
    }
    show_message(dialog, TEXT_INSTALLED, TITLE_INSTALL, MB_ICONINFORMATION | MB_OK | MB_SETFOREGROUND);
    if (program_group_folder[0] != L'\0')
        ShellExecuteW(dialog, L"Open", program_group_folder, nullptr, nullptr, SW_SHOWNORMAL);
    EndDialog(dialog, 0);
}

static void press_cancel(HWND dialog) {
    if (show_message(dialog, TEXT_CANCEL, TITLE_INSTALL, MB_ICONQUESTION | MB_YESNO | MB_DEFBUTTON2) == IDYES)
        EndDialog(dialog, 0);
}

// Started alone, out of a zip, install.exe finds nothing beside it: it says
// so at once, naming what is missing, before the dialog shows (the box has
// no owner: the dialog is not on the screen yet).
static bool sources_usable() {
    char missing[512];
    switch (open_sources(missing, sizeof missing)) {
    case SOURCE_READY: return true;
    case SOURCE_DAMAGED: show_error(nullptr, TEXT_DAMAGED, MB_ICONSTOP); return false;
    case SOURCE_MISSING: break;
    }
    char text[1024];
    lstrcpynA(text, TEXT_MISSING_BESIDE, sizeof text);
    lstrcatA(text, missing);
    lstrcatA(text, TEXT_MISSING_HOW);
    show_error(nullptr, text, MB_ICONSTOP);
    return false;
}

// The scope asked for, else the one the game is installed in, else every
// user's for an administrator's account and the user's own otherwise. An
// installed game is proposed again, so that installing anew updates it
// instead of leaving a second copy that the uninstaller would never find.
static void propose(HWND dialog, const InstallScope& scope, const WCHAR* asked) {
    WCHAR folder[MAX_PATH];
    if (asked[0] != L'\0') lstrcpyW(folder, asked);
    else if (find_game_folder(scope, folder) == GAME_FOUND) drop_final_backslash(folder);
    else default_install_folder(scope, folder);
    SetDlgItemTextW(dialog, IDC_FOLDER, folder);
    CheckRadioButton(dialog, IDC_ALL_USERS, IDC_CURRENT_USER, scope.all_users ? IDC_ALL_USERS : IDC_CURRENT_USER);
}

static void init_dialog(HWND dialog, const Switches& switches) {
    CoInitialize(nullptr);
    if (!sources_usable()) {
        EndDialog(dialog, 0);
        return;
    }
    WCHAR found[MAX_PATH];
    bool all_users = switches.all_users                                ? true
                     : switches.current_user                           ? false
                     : find_game_folder(EVERYONE, found) == GAME_FOUND ? true
                     : find_game_folder(ONLY_ME, found) == GAME_FOUND  ? false
                                                                       : account_is_admin();
    propose(dialog, all_users ? EVERYONE : ONLY_ME, switches.folder);
    fit_banner(dialog, dialog_dpi(dialog));
}

// Choosing the other scope proposes its folder, unless one was typed.
static void choose_scope(HWND dialog, const InstallScope& scope) {
    WCHAR shown[MAX_PATH], other_default[MAX_PATH];
    GetDlgItemTextW(dialog, IDC_FOLDER, shown, MAX_PATH);
    default_install_folder(other_scope(scope), other_default);
    if (lstrcmpiW(shown, other_default) == 0) propose(dialog, scope, L"");
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

INT_PTR CALLBACK install_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_INITDIALOG: init_dialog(dialog, *reinterpret_cast<const Switches*>(lparam)); return TRUE;
    case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(GetStockObject(BLACK_BRUSH));
    case WM_CTLCOLORSTATIC: return reinterpret_cast<INT_PTR>(colour_static(reinterpret_cast<HDC>(wparam)));
    case WM_COMMAND:
        if (LOWORD(wparam) == IDOK) press_install(dialog);
        if (LOWORD(wparam) == IDCANCEL) press_cancel(dialog);
        if (LOWORD(wparam) == IDC_ALL_USERS) choose_scope(dialog, EVERYONE);
        if (LOWORD(wparam) == IDC_CURRENT_USER) choose_scope(dialog, ONLY_ME);
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
