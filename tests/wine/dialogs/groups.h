// The test groups, one per dialog, each run on the driver thread.
#pragma once

void new_game_tests();
void game_over_tests();
void summary_tests();
void about_tests();
// Not a check: what the car costs, printed.
void car_cost();
