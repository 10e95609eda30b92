#include "tools/helpc/bytes.h"

void put_u8(Bytes& out, uint32_t v) { out.push_back(uint8_t(v)); }

void put_u16(Bytes& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void put_u32(Bytes& out, uint32_t v) {
    put_u16(out, v & 0xFFFF);
    put_u16(out, v >> 16);
}

void put_bytes(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }

void put_cstring(Bytes& out, const std::string& text) {
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
}

void put_fixed(Bytes& out, const std::string& text, size_t width) {
    for (size_t i = 0; i < width; i++) out.push_back(i < text.size() ? uint8_t(text[i]) : 0);
}

void patch_u16(Bytes& out, size_t at, uint32_t v) {
    out[at] = uint8_t(v);
    out[at + 1] = uint8_t(v >> 8);
}

void patch_u32(Bytes& out, size_t at, uint32_t v) {
    patch_u16(out, at, v & 0xFFFF);
    patch_u16(out, at + 2, v >> 16);
}
