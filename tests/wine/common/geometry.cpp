// The board's geometry for the tests: the game's own board module is
// compiled in, so the tests can say where a square is. Its few calls back
// into the game are answered here and do nothing.
#include "game/board.h"
#include "game/seam.h"
#include "game/state.h"

uint8_t current_player;
int32_t pointer_x, pointer_y;
TokenRecord tokens[SEATS][TOKEN_SLOTS];

void invalidate_rect(int, int, int, int, bool) {}
void invalidate_token(uint8_t, uint8_t) {}
int random_number() { return 0; }
