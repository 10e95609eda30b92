#include "tools/helpc/compressed.h"

void put_compressed_ushort(Bytes& out, uint32_t v) {
    if (v < 128) put_u8(out, 2 * v);
    else put_u16(out, 2 * v + 1);
}

void put_compressed_short(Bytes& out, int v) {
    if (v >= -64 && v <= 63) put_u8(out, uint32_t(2 * (v + 64)));
    else put_u16(out, uint32_t(2 * (v + 16384) + 1));
}

void put_compressed_long(Bytes& out, int v) { put_u16(out, uint32_t(2 * (v + 16384))); }
