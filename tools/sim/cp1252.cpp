#include "tools/sim/cp1252.h"

#include <cstdint>

// Code points of the bytes 0x80 to 0x9F; 0 where the code page has a hole.
static const uint16_t high_block[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                        0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

static bool encode(uint32_t cp, std::string* out) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        out->push_back(static_cast<char>(cp));
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (high_block[i] == cp && cp != 0) {
            out->push_back(static_cast<char>(0x80 + i));
            return true;
        }
    }
    return false;
}

bool utf8_to_cp1252(const std::string& utf8, std::string* out) {
    out->clear();
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        uint32_t cp;
        size_t len;
        if (c < 0x80) cp = c, len = 1;
        else if ((c & 0xE0) == 0xC0) cp = c & 0x1F, len = 2;
        else if ((c & 0xF0) == 0xE0) cp = c & 0x0F, len = 3;
        else if ((c & 0xF8) == 0xF0) cp = c & 0x07, len = 4;
        else return false;
        if (i + len > utf8.size()) return false;
        for (size_t k = 1; k < len; ++k) {
            const unsigned char n = static_cast<unsigned char>(utf8[i + k]);
            if ((n & 0xC0) != 0x80) return false;
            cp = cp << 6 | (n & 0x3F);
        }
        if (!encode(cp, out)) return false;
        i += len;
    }
    return true;
}

std::string cp1252_to_utf8(const std::string& bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        uint32_t cp = c;
        if (c >= 0x80 && c < 0xA0) cp = high_block[c - 0x80] ? high_block[c - 0x80] : '?';
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | cp >> 6));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xE0 | cp >> 12));
            out.push_back(static_cast<char>(0x80 | (cp >> 6 & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}
