#include "log_text.h"

#include <cstdio>

std::string escaped_for_log(const std::string& text) {
    std::string shown;
    for (unsigned char c : text) {
        if (c < 128) {
            shown += static_cast<char>(c);
            continue;
        }
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\x%02X", c);
        shown += escape;
    }
    return shown;
}
