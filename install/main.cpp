#include "install.h"
#include "install_ids.h"
#include "product/dll_search.h"

#include <cwchar>

// The program name is skipped as the command line gives it: a quoted name up
// to its closing mark (all of the line when the mark is missing), otherwise
// up to the first blank; then the blanks after it.
static const WCHAR* argument_text(const WCHAR* line) {
    const WCHAR* p = line;
    if (*p == L'"') {
        const WCHAR* close = std::wcschr(p + 1, L'"');
        if (close == nullptr) return line;
        p = close + 1;
    } else {
        while (*p != L'\0' && *p != L' ') ++p;
    }
    while (*p == L' ') ++p;
    return p;
}

// The longest command line the system passes.
static WCHAR arguments[32768];

static bool has_word(const WCHAR* text, const WCHAR* word) {
    size_t length = std::wcslen(word);
    for (const WCHAR* at = text; (at = std::wcsstr(at, word)) != nullptr; at += length)
        if ((at == text || at[-1] == L' ') && (at[length] == L'\0' || at[length] == L' ')) return true;
    return false;
}

// "/uninstall" anywhere, in any case, uninstalls. /S, /ALLUSERS and
// /CURRENTUSER are words of their own; /D= comes last and its folder is the
// rest of the line, blanks and all, as administrators know it.
static Switches read_switches() {
    Switches switches{};
    std::wcsncpy(arguments, argument_text(GetCommandLineW()), ARRAYSIZE(arguments) - 1);
    WCHAR* folder = std::wcsstr(arguments, L"/D=");
    if (folder == nullptr) folder = std::wcsstr(arguments, L"/d=");
    if (folder != nullptr && (folder == arguments || folder[-1] == L' ')) {
        std::wcsncpy(switches.folder, folder + 3, MAX_PATH - 1);
        for (size_t end = std::wcslen(switches.folder); end > 0 && switches.folder[end - 1] == L' ';)
            switches.folder[--end] = L'\0';
        *folder = L'\0';
    }
    CharUpperW(arguments);
    switches.uninstall = std::wcsstr(arguments, L"/UNINSTALL") != nullptr;
    switches.silent = has_word(arguments, L"/S");
    switches.all_users = has_word(arguments, L"/ALLUSERS");
    switches.current_user = has_word(arguments, L"/CURRENTUSER");
    return switches;
}

// A silent run shows nothing at all: its exit code says how it ended.
static int install_silently(const Switches& switches) {
    bool all_users = switches.all_users || (!switches.current_user && account_is_admin());
    const InstallScope& scope = all_users ? EVERYONE : ONLY_ME;
    WCHAR folder[MAX_PATH];
    if (switches.folder[0] != L'\0') lstrcpyW(folder, switches.folder);
    else if (find_game_folder(scope, folder) != GAME_FOUND) default_install_folder(scope, folder);
    CoInitialize(nullptr);
    Outcome outcome = install_game(scope, folder);
    CoUninitialize();
    return outcome;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    limit_dll_search();
    Switches switches = read_switches();
    if (switches.uninstall) {
        // The uninstall command names its scope; one from before there were
        // two is every user's.
        int code = uninstall_game(switches.current_user ? ONLY_ME : EVERYONE, switches.silent);
        return switches.silent ? code : 0;
    }
    if (switches.silent) return install_silently(switches);
    // A Unicode dialog, so that its edit keeps a folder named in any language.
    return static_cast<int>(DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_INSTALL), nullptr, install_dialog_proc,
                                            reinterpret_cast<LPARAM>(&switches)));
}
