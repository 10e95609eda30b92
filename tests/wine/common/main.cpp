// The game's window tests under Wine, one group a run:
//   game_test <korvalo.exe> window|play|monitors
//   game_test <installed Korvalo.exe> installed <its working folder>
#include "check.h"
#include "game_window.h"
#include "screen.h"
#include "game/board.h"
#include "game/seam.h"
#include "game/state.h"

#include <algorithm>
#include <cstdio>
#include <string>

int failed_checks;

int window_tests(const char* exe);
int play_tests(const char* exe);
int installed_tests(const char* exe, const char* folder);
int screens_tests(const char* exe, const char* saved);
int monitors_tests(const char* exe);

// ctest passes the build tree's Unix paths; Wine shows them as drive Z:.
static void windows_path(char* out, size_t size, const char* path) {
    std::snprintf(out, size, "%s%s", path[0] == '/' ? "Z:" : "", path);
    for (char* c = out; *c; ++c)
        if (*c == '/') *c = '\\';
}

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc < 3) return 2;
    // The game's own geometry on this screen, to know where to look.
    take_screen();
    static char exe[MAX_PATH], extra[MAX_PATH];
    windows_path(exe, sizeof exe, argv[1]);
    if (argc > 3) windows_path(extra, sizeof extra, argv[3]);
    open_game_pictures(exe);
    GetDesktopWindow();
    const std::string group = argv[2];
    if (group == "installed" && argc > 3) installed_tests(exe, argv[3]);
    else if (group == "window") window_tests(exe);
    else if (group == "play") play_tests(exe);
    else if (group == "screens" && argc > 3) screens_tests(exe, extra);
    else if (group == "monitors") monitors_tests(exe);
    else return 2;
    std::printf("%s: %d failed checks\n", argv[2], failed_checks);
    return failed_checks == 0 ? 0 : 1;
}
