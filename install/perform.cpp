#include "install.h"

#include <shlobj.h>

// Running with administrator rights now.
bool elevated() { return IsUserAnAdmin() != FALSE; }

// An administrator's account runs, under UAC, with a limited token that can
// be raised: such an account is offered every user's installation first.
bool account_is_admin() {
    if (elevated()) return true;
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    TOKEN_ELEVATION_TYPE type = TokenElevationTypeDefault;
    DWORD size = 0;
    bool limited =
        GetTokenInformation(token, TokenElevationType, &type, sizeof type, &size) && type == TokenElevationTypeLimited;
    CloseHandle(token);
    return limited;
}

static Outcome folder_outcome(FolderCheck check) {
    switch (check) {
    case FOLDER_ACCEPTED: return DONE;
    case FOLDER_BAD_FORM: return FAILED_FOLDER_FORM;
    case FOLDER_BAD_DRIVE: return FAILED_FOLDER_DRIVE;
    case FOLDER_BAD_CHARS: return FAILED_FOLDER_CHARS;
    case FOLDER_UNC: return FAILED_FOLDER_UNC;
    case FOLDER_SYSTEM: return FAILED_FOLDER_SYSTEM;
    default: return FAILED_FOLDER_LONG;
    }
}

// The steps of one installation, the same from the dialog and from a silent
// run. Everything that can refuse is asked before anything is written: the
// folder, the other scope, the rights, the files carried or beside us.
Outcome install_game(const InstallScope& scope, const WCHAR* typed_folder) {
    Outcome folder = folder_outcome(validate_install_folder(typed_folder));
    if (folder != DONE) return folder;
    WCHAR other[MAX_PATH];
    if (find_game_folder(other_scope(scope), other) != GAME_NOT_INSTALLED) return FAILED_OTHER_SCOPE;
    if (scope.all_users && !elevated()) return FAILED_NOT_ADMIN;
    char missing[512];
    switch (open_sources(missing, sizeof missing)) {
    case SOURCE_READY: break;
    case SOURCE_MISSING: return FAILED_MISSING_FILES;
    case SOURCE_DAMAGED: return FAILED_DAMAGED;
    }
    if (!create_install_folder()) return FAILED_NO_FOLDER;
    if (!copy_game_files()) return FAILED_COPY;
    place_uninstaller(scope);
    create_shortcuts(scope);
    write_install_registry(scope);
    return DONE;
}
