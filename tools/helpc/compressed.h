#pragma once
// The variable-length numbers of text records. The lowest bit of the first
// byte tells the viewer whether the short or the long form follows.
#include "tools/helpc/bytes.h"

// 0..32767: one byte below 128, else two.
void put_compressed_ushort(Bytes& out, uint32_t v);
// -16384..16383: one byte for -64..63, else two.
void put_compressed_short(Bytes& out, int v);
// -16384..16383, always the two-byte form: readers disagree on the offset
// of the four-byte form, so values that would need it are refused upstream.
void put_compressed_long(Bytes& out, int v);
