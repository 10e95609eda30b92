#include "tools/helpc/chm_time.h"

#include <cstdint>
#include <cstring>

// The header holds the time at offset 16, most significant byte first; the
// #SYSTEM file (stored, not compressed) holds a time as a record of code 10
// and length 4, least significant byte first. chmcmd takes the two at
// different moments (seconds apart on a busy machine), so the record is
// told from other bytes that look alike by a value within a day of the
// header's.
static uint32_t value_at(const std::string& s, size_t at, bool big_endian) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i)
        v |= static_cast<uint32_t>(static_cast<unsigned char>(s[at + i])) << (8 * (big_endian ? 3 - i : i));
    return v;
}

bool clear_chm_times(std::string& chm) {
    if (chm.size() < 20 || chm.compare(0, 4, "ITSF") != 0) return false;
    const uint32_t header = value_at(chm, 16, true);
    const char record[4] = {10, 0, 4, 0};
    size_t found = std::string::npos;
    for (size_t at = 0; (at = chm.find(std::string(record, 4), at)) != std::string::npos && at + 8 <= chm.size();
         ++at) {
        const uint32_t apart = value_at(chm, at + 4, false) - header;
        if (apart <= 86400u || apart >= 0u - 86400u) {
            if (found != std::string::npos) return false;
            found = at;
        }
    }
    if (found == std::string::npos) return false;
    std::memset(&chm[16], 0, 4);
    std::memset(&chm[found + 4], 0, 4);
    return true;
}
