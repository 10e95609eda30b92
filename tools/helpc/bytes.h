#pragma once
// Little-endian byte appends and patches: every number in a help file is
// little-endian whatever the host is.
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

void put_u8(Bytes& out, uint32_t v);
void put_u16(Bytes& out, uint32_t v);
void put_u32(Bytes& out, uint32_t v);
void put_bytes(Bytes& out, const Bytes& more);
// The text and one NUL byte.
void put_cstring(Bytes& out, const std::string& text);
// The text zero-padded (or cut) to exactly width bytes.
void put_fixed(Bytes& out, const std::string& text, size_t width);
void patch_u16(Bytes& out, size_t at, uint32_t v);
void patch_u32(Bytes& out, size_t at, uint32_t v);
