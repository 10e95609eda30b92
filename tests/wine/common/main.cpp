// The game's window tests under Wine, one group a run:
//   game_test <korvalo.exe> window|play
//   game_test <installed Korvalo.exe> installed <its working folder>
#include "check.h"
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

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc < 3) return 2;
    // The game's own geometry on this screen, to know where to look (the
    // game takes a smaller screen for 640 x 480).
    screen_w = static_cast<uint16_t>(std::max(GetSystemMetrics(SM_CXSCREEN), 640));
    screen_h = static_cast<uint16_t>(std::max(GetSystemMetrics(SM_CYSCREEN), 480));
    recentre_board();
    // ctest passes the build tree's Unix path; Wine shows it as drive Z:.
    static char exe[MAX_PATH];
    std::snprintf(exe, sizeof exe, "%s%s", argv[1][0] == '/' ? "Z:" : "", argv[1]);
    for (char* c = exe; *c; ++c)
        if (*c == '/') *c = '\\';
    open_game_pictures(exe);
    GetDesktopWindow();
    const std::string group = argv[2];
    if (group == "installed" && argc > 3) installed_tests(exe, argv[3]);
    else if (group == "window") window_tests(exe);
    else if (group == "play") play_tests(exe);
    else return 2;
    std::printf("%s: %d failed checks\n", argv[2], failed_checks);
    return failed_checks == 0 ? 0 : 1;
}
