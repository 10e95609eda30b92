#include "tools/helpc/cp1252.h"

#include <cstdint>
#include <cstdio>

// Code points that Windows-1252 puts in 0x80..0x9F, in byte order; 0 marks
// the five bytes the code page leaves undefined.
static const uint16_t high_block[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                        0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

static bool code_point_to_byte(uint32_t cp, char& byte) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        byte = char(cp);
        return true;
    }
    for (int i = 0; i < 32; i++) {
        if (high_block[i] != 0 && high_block[i] == cp) {
            byte = char(0x80 + i);
            return true;
        }
    }
    return false;
}

// Decodes one UTF-8 sequence at text[i]; returns its length, 0 if malformed
// (overlong forms and surrogates included).
static size_t decode_utf8(const std::string& text, size_t i, uint32_t& cp) {
    uint8_t b = uint8_t(text[i]);
    size_t length;
    uint32_t minimum;
    if (b < 0x80) {
        cp = b;
        return 1;
    } else if ((b & 0xE0) == 0xC0) {
        length = 2, cp = b & 0x1F, minimum = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        length = 3, cp = b & 0x0F, minimum = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        length = 4, cp = b & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (size_t k = 1; k < length; k++) {
        uint8_t c = uint8_t(text[i + k]);
        if ((c & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return length;
}

bool utf8_to_cp1252(const std::string& utf8, std::string& out, std::string& error) {
    out.clear();
    for (size_t i = 0; i < utf8.size();) {
        uint32_t cp = 0;
        size_t length = decode_utf8(utf8, i, cp);
        char column[64];
        if (length == 0) {
            snprintf(column, sizeof column, "column %zu: malformed UTF-8", i + 1);
            error = column;
            return false;
        }
        char byte;
        if (!code_point_to_byte(cp, byte)) {
            snprintf(column, sizeof column, "column %zu: U+%04X is not in Windows-1252", i + 1, unsigned(cp));
            error = column;
            return false;
        }
        out += byte;
        i += length;
    }
    return true;
}
