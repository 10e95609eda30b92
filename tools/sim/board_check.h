// The scenarios' check of the board's own tables against each other
// ("expect board"): a test of the geometry, kept out of the sim's commands.
#pragma once

#include <string>

// Empty when the tables agree; else the first disagreement, as
// "what: expected X, got Y".
std::string board_disagreement();
