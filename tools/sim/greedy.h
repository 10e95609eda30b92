// The greedy person of korvalo-sim: a fixed simple rule to measure the
// computer against.
#pragma once

#include "tools/sim/invariants.h"

#include <vector>

// Among the current player's legal drops (in token order, each token's in
// route order): the first that captures; else the first that brings a token
// home or into its home stretch; else the longest move of the most advanced
// token that can move, the lower token number on a tie. A release from jail
// is never a choice here: the throw makes it.
unsigned greedy_choice(const std::vector<LegalDrop>& drops);
