#include "log_text.h"

#include <windows.h>

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

std::wstring wide_1252(const std::string& text) {
    const int length = static_cast<int>(text.size());
    std::wstring wide(text.size(), L'\0');
    if (length) MultiByteToWideChar(1252, 0, text.data(), length, &wide[0], length);
    return wide;
}

std::string read_as_1252(const std::wstring& text) {
    std::string bytes;
    for (wchar_t c : text) {
        char b = 0;
        BOOL lacking = FALSE;
        if (WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, &c, 1, &b, 1, nullptr, &lacking) == 1 && !lacking) {
            bytes += b;
            continue;
        }
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(c));
        bytes += escape;
    }
    return bytes;
}
