// The board module's few calls back into the game, answered for the
// programs that link it to know where the game draws (the window tests and
// the start-up benchmark).
#include "game/board.h"
#include "game/seam.h"
#include "game/state.h"

uint8_t current_player;
int32_t pointer_x, pointer_y;
TokenRecord tokens[SEATS][TOKEN_SLOTS];
void invalidate_rect(int, int, int, int, bool) {}
void invalidate_token(uint8_t, uint8_t) {}
int random_number() { return 0; }
