// How many times larger the game draws on a screen, and the switch that limits it.
#include <gtest/gtest.h>

#include "ui/app/scale_choice.h"

TEST(ScaleChoice, LargestWholeFactorForWhichTheDesignFitsBothWays) {
    EXPECT_EQ(scale_for_screen(600, 400, 0), 1); // smaller than the design
    EXPECT_EQ(scale_for_screen(1279, 959, 0), 1);
    EXPECT_EQ(scale_for_screen(1366, 768, 0), 1);
    EXPECT_EQ(scale_for_screen(1280, 960, 0), 2);
    EXPECT_EQ(scale_for_screen(1920, 1080, 0), 2);
    EXPECT_EQ(scale_for_screen(2560, 1439, 0), 2);
    EXPECT_EQ(scale_for_screen(3440, 1440, 0), 3);
    EXPECT_EQ(scale_for_screen(3840, 2160, 0), 4);
    EXPECT_EQ(scale_for_screen(3840, 2160, 1), 1); // "/escala:1"
    EXPECT_EQ(scale_for_screen(3840, 2160, 3), 3);
    EXPECT_EQ(scale_for_screen(1920, 1080, 9), 2); // never more than fits
}

TEST(ScaleChoice, TheSwitchInAnyLetterCaseAmongOtherArguments) {
    EXPECT_EQ(scale_asked("/escala:1"), 1u);
    EXPECT_EQ(scale_asked("otra /ESCALA:12 cosa"), 12u);
    EXPECT_EQ(scale_asked("/escala:"), 0u);
    EXPECT_EQ(scale_asked("/escala:0"), 0u);
    EXPECT_EQ(scale_asked("/escala 2"), 0u);
    EXPECT_EQ(scale_asked(nullptr), 0u);
}
