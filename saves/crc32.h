// CRC-32 (the common reflected polynomial 0xEDB88320), the checksum of saved
// games.
#pragma once

#include <cstddef>
#include <cstdint>

uint32_t crc32_of(const void* data, size_t size);
