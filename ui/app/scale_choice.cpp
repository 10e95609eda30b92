#include "ui/app/scale_choice.h"

#include <cctype>
#include <cstring>

uint8_t scale_for_screen(int width, int height, unsigned most) {
    int k = width / 640 < height / 480 ? width / 640 : height / 480;
    if (most != 0 && static_cast<unsigned>(k) > most) k = static_cast<int>(most);
    if (k > 255) k = 255;
    return static_cast<uint8_t>(k < 1 ? 1 : k);
}

unsigned scale_asked(const char* line) {
    static const char key[] = "/escala:";
    const size_t n = sizeof key - 1;
    for (const char* p = line; p && *p; ++p) {
        size_t i = 0;
        while (i < n && p[i] && std::tolower(static_cast<unsigned char>(p[i])) == key[i]) ++i;
        if (i < n) continue;
        unsigned value = 0;
        const char* digit = p + n;
        for (; *digit >= '0' && *digit <= '9' && value < 1000; ++digit) value = value * 10 + (*digit - '0');
        if (digit != p + n && value > 0) return value;
    }
    return 0;
}
