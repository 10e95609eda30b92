#pragma once
#include <cstdio>
// The whole game state in a readable form.
void show_state(FILE* out);
