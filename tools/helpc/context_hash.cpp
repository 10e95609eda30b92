#include "tools/helpc/context_hash.h"

// Letters fold to one case, so "Reglas" and "reglas" are the same name.
static int hash_value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A' + 17;
    if (c >= 'a' && c <= 'z') return c - 'a' + 17;
    if (c >= '1' && c <= '9') return c - '0';
    if (c == '0') return 10;
    if (c == '.') return 12;
    if (c == '_') return 13;
    return -1;
}

bool is_context_char(char c) { return hash_value(c) >= 0; }

uint32_t context_hash(const std::string& name) {
    uint32_t h = 0;
    for (char c : name) h = h * 43 + uint32_t(hash_value(c));
    return h;
}
