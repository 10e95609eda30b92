// A raw deflate stream (RFC 1951) unpacked into a buffer of known size.
#pragma once
#include <cstddef>
#include <cstdint>

// True when the stream is whole and well formed and fills out exactly.
bool inflate(const uint8_t* in, size_t in_size, uint8_t* out, size_t out_size);
