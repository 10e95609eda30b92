#include "tools/helpc/chm_time.h"

#include <cstring>

// The header holds the time at offset 16, most significant byte first; the
// #SYSTEM file (stored, not compressed) holds the same time as a record of
// code 10 and length 4, least significant byte first. Its three high bytes
// are the header's, which tells the record from other bytes that look alike.
bool clear_chm_times(std::string& chm) {
    if (chm.size() < 20 || chm.compare(0, 4, "ITSF") != 0) return false;
    const char record[4] = {10, 0, 4, 0};
    size_t found = std::string::npos;
    for (size_t at = 0; (at = chm.find(std::string(record, 4), at)) != std::string::npos && at + 8 <= chm.size(); ++at)
        if (chm[at + 7] == chm[16] && chm[at + 6] == chm[17] && chm[at + 5] == chm[18]) {
            if (found != std::string::npos) return false;
            found = at;
        }
    if (found == std::string::npos) return false;
    std::memset(&chm[16], 0, 4);
    std::memset(&chm[found + 4], 0, 4);
    return true;
}
