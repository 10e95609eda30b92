#include "install.h"
#include "inflate.h"

#include <cstring>
#include <vector>

// korvalo-pack (tools/pack) fills in the size and checksum of what it
// appends to the setup file; a plain install.exe, as on the medium, keeps
// the zeros and carries nothing. Read through volatile, so that the
// compiler takes the values from the file and not from this source.
extern "C" volatile const unsigned char korvalo_payload_mark[24] = {'K', 'o', 'r', 'v', 'a', 'l', 'o', 'P',
                                                                    'a', 'y', 'l', 'o', 'a', 'd', ':', 0};

static uint32_t mark_field(int at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | korvalo_payload_mark[16 + at + i];
    return value;
}

static uint32_t crc32_of(const uint8_t* data, size_t size) {
    static uint32_t table[256];
    if (table[1] == 0)
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

static std::vector<uint8_t> unpacked[PAYLOAD_ENTRIES];

static bool read_own_file(std::vector<uint8_t>& out) {
    WCHAR own[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, own, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    HANDLE file = CreateFileW(own, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size;
    DWORD got = 0;
    bool read = GetFileSizeEx(file, &size) && size.QuadPart < (1 << 30);
    if (read) {
        out.resize(static_cast<size_t>(size.QuadPart));
        read = ReadFile(file, out.data(), static_cast<DWORD>(out.size()), &got, nullptr) && got == out.size();
    }
    CloseHandle(file);
    return read;
}

static uint32_t read32(const uint8_t* at) {
    return at[0] | at[1] << 8 | at[2] << 16 | static_cast<uint32_t>(at[3]) << 24;
}

// The whole payload is checked before any file is unpacked, and each file
// after, so that a download cut short or damaged anywhere is refused before
// anything is written.
PayloadState open_payload() {
    uint32_t size = mark_field(0), checksum = mark_field(4);
    if (size == 0) return NO_PAYLOAD;
    std::vector<uint8_t> own;
    if (!read_own_file(own) || own.size() < size) return PAYLOAD_DAMAGED;
    const uint8_t* at = own.data() + own.size() - size;
    const uint8_t* end = own.data() + own.size();
    if (crc32_of(at, size) != checksum) return PAYLOAD_DAMAGED;
    for (std::vector<uint8_t>& file : unpacked) {
        if (end - at < 12) return PAYLOAD_DAMAGED;
        uint32_t raw = read32(at), packed = read32(at + 4), crc = read32(at + 8);
        at += 12;
        if (static_cast<size_t>(end - at) < packed || raw > (1u << 30)) return PAYLOAD_DAMAGED;
        file.resize(raw);
        if (!inflate(at, packed, file.data(), raw) || crc32_of(file.data(), raw) != crc) return PAYLOAD_DAMAGED;
        at += packed;
    }
    return at == end ? PAYLOAD_READY : PAYLOAD_DAMAGED;
}

const std::vector<uint8_t>& payload_file(int entry) { return unpacked[entry]; }
