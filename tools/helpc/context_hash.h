#pragma once
// The viewer finds a jump's target by a 32-bit hash of its context name, so
// names are limited to the characters the hash knows, and two names with
// one hash cannot both exist.
#include <cstdint>
#include <string>

bool is_context_char(char c);
// The hash of a name made only of context characters.
uint32_t context_hash(const std::string& name);
