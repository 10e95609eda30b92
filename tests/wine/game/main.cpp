// korvalo's window tests: game_test <korvalo.exe> board|play|help|small|pacing
//                         game_test <installed Korvalo.exe> installed <its working folder>
#include "check.h"
#include "screen.h"
#include "game/board.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

int failed_checks;

int board_tests(const char* exe);
int play_tests(const char* exe);
int help_tests(const char* exe);
int small_screen_tests(const char* exe);
int installed_tests(const char* exe, const char* folder);
int pacing_tests();

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc < 3) {
        std::printf("usage: game_test KORVALO.EXE board|play|help|small|pacing\n");
        return 2;
    }
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
    if (std::strcmp(argv[2], "help") == 0) {
        const int result = help_tests(exe);
        std::printf("help: %d failed checks\n", failed_checks);
        return result == 77 ? 77 : (failed_checks == 0 ? 0 : 1);
    }
    int failures;
    if (std::strcmp(argv[2], "installed") == 0 && argc > 3) failures = installed_tests(exe, argv[3]);
    else if (std::strcmp(argv[2], "board") == 0) failures = board_tests(exe);
    else if (std::strcmp(argv[2], "small") == 0) failures = small_screen_tests(exe);
    else if (std::strcmp(argv[2], "pacing") == 0) failures = pacing_tests();
    else failures = play_tests(exe);
    std::printf("%s: %d failed checks\n", argv[2], failures);
    return failures == 0 ? 0 : 1;
}
