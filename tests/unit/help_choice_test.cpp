// Which help file the game opens on which system.
#include <gtest/gtest.h>

#include "ui/app/help_choice.h"

TEST(HelpChoice, WinHelpOnlyWhereItsViewerReallyShowsTheFile) {
    struct Case {
        const char* system;
        bool viewer_file;
        unsigned major;
        bool wine;
        HelpKind kind;
    } cases[] = {
        {"Windows XP", true, 5, false, HELP_WINHELP},
        {"Windows XP without its viewer", false, 5, false, HELP_HTML},
        {"Windows Vista to 8.1 (stub or add-on)", true, 6, false, HELP_HTML},
        {"Windows 10 and 11 (stub)", true, 10, false, HELP_HTML},
        {"Windows 10 and 11 without the stub", false, 10, false, HELP_HTML},
        {"Wine, reporting Windows 10", true, 10, true, HELP_WINHELP},
        {"Wine without its viewer", false, 10, true, HELP_HTML},
    };
    for (const Case& c : cases)
        EXPECT_EQ(choose_help_kind(c.viewer_file, c.major, c.wine), c.kind) << c.system;
}
