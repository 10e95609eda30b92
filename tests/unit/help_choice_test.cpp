// Which help file F1 opens: WinHelp only where its viewer really shows the file.
#include <gtest/gtest.h>

#include "ui/app/help_choice.h"

TEST(HelpChoice, WinHelpOnXpAndWineWithTheViewerHtmlHelpElsewhere) {
    EXPECT_EQ(choose_help_kind(true, 5, false), HELP_WINHELP); // Windows XP
    EXPECT_EQ(choose_help_kind(false, 5, false), HELP_HTML);   // XP without its viewer
    EXPECT_EQ(choose_help_kind(true, 6, false), HELP_HTML);    // Vista on: a stub or add-on
    EXPECT_EQ(choose_help_kind(true, 10, true), HELP_WINHELP); // Wine reporting Windows 10
    EXPECT_EQ(choose_help_kind(false, 10, true), HELP_HTML);   // Wine without its viewer
}
