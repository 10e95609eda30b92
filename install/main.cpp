#include "install.h"
#include "install_ids.h"

#include <cstring>

// The program name is skipped as the command line gives it: a quoted name up
// to its closing mark (all of the line when the mark is missing), otherwise
// up to the first blank; then the blanks after it.
static const char* argument_text(const char* line) {
    const char* p = line;
    if (*p == '"') {
        const char* close = std::strchr(p + 1, '"');
        if (close == nullptr) return line;
        p = close + 1;
    } else {
        while (*p != '\0' && *p != ' ') ++p;
    }
    while (*p == ' ') ++p;
    return p;
}

// The longest command line the system passes.
static char arguments[32768];

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Upper-cased in a copy: the process's own command line stays as given.
    lstrcpynA(arguments, argument_text(GetCommandLineA()), sizeof arguments);
    CharUpperA(arguments);
    if (std::strstr(arguments, "/UNINSTALL") != nullptr) {
        uninstall_game();
        return 0;
    }
    // A Unicode dialog, so that its edit keeps a folder named in any language.
    return static_cast<int>(DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_INSTALL), nullptr, install_dialog_proc, 0));
}
