#include "inflate.h"

// The setup file carries the game packed; the installer unpacks it with
// this small decoder rather than a DLL of its own. Every read is checked
// against the ends of both buffers: a damaged stream fails, it never reads
// or writes beyond them.
namespace {

struct Stream {
    const uint8_t* in;
    size_t in_size, in_pos;
    uint32_t bit_buffer;
    int bit_count;
    uint8_t* out;
    size_t out_size, out_pos;
    bool broken;
};

int take_bits(Stream& s, int need) {
    uint32_t value = s.bit_buffer;
    while (s.bit_count < need) {
        if (s.in_pos == s.in_size) {
            s.broken = true;
            return 0;
        }
        value |= static_cast<uint32_t>(s.in[s.in_pos++]) << s.bit_count;
        s.bit_count += 8;
    }
    s.bit_buffer = value >> need;
    s.bit_count -= need;
    return static_cast<int>(value & ((1u << need) - 1));
}

constexpr int MAX_BITS = 15;

// A canonical Huffman code: how many codes of each length, and the symbols
// in code order.
struct Code {
    short count[MAX_BITS + 1];
    short symbol[288];
};

// False for a code that is over-subscribed; an incomplete one is allowed
// (a single distance code is), and a symbol it lacks fails when decoded.
bool build(Code& code, const short* lengths, int n) {
    for (short& c : code.count) c = 0;
    for (int i = 0; i < n; ++i) code.count[lengths[i]]++;
    if (code.count[0] == n) return true;
    int left = 1;
    for (int len = 1; len <= MAX_BITS; ++len) {
        left = left * 2 - code.count[len];
        if (left < 0) return false;
    }
    short offsets[MAX_BITS + 1];
    offsets[1] = 0;
    for (int len = 1; len < MAX_BITS; ++len) offsets[len + 1] = offsets[len] + code.count[len];
    for (int i = 0; i < n; ++i)
        if (lengths[i] != 0) code.symbol[offsets[lengths[i]]++] = static_cast<short>(i);
    return true;
}

int decode(Stream& s, const Code& code) {
    int value = 0, first = 0, index = 0;
    for (int len = 1; len <= MAX_BITS; ++len) {
        value |= take_bits(s, 1);
        if (s.broken) return -1;
        int count = code.count[len];
        if (value - count < first) return code.symbol[index + (value - first)];
        index += count;
        first = (first + count) << 1;
        value <<= 1;
    }
    s.broken = true;
    return -1;
}

const short LENGTH_BASE[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                               31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const short LENGTH_EXTRA[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const short DISTANCE_BASE[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                 33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
const short DISTANCE_EXTRA[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                  6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

bool put(Stream& s, uint8_t byte) {
    if (s.out_pos == s.out_size) return false;
    s.out[s.out_pos++] = byte;
    return true;
}

bool inflate_codes(Stream& s, const Code& lengths, const Code& distances) {
    for (;;) {
        int symbol = decode(s, lengths);
        if (symbol < 0) return false;
        if (symbol < 256) {
            if (!put(s, static_cast<uint8_t>(symbol))) return false;
            continue;
        }
        if (symbol == 256) return true;
        symbol -= 257;
        if (symbol >= 29) return false;
        int length = LENGTH_BASE[symbol] + take_bits(s, LENGTH_EXTRA[symbol]);
        int distance_symbol = decode(s, distances);
        if (distance_symbol < 0 || distance_symbol >= 30) return false;
        size_t distance = DISTANCE_BASE[distance_symbol] + take_bits(s, DISTANCE_EXTRA[distance_symbol]);
        if (s.broken || distance > s.out_pos) return false;
        while (length-- > 0)
            if (!put(s, s.out[s.out_pos - distance])) return false;
    }
}

bool stored_block(Stream& s) {
    s.bit_buffer = 0;
    s.bit_count = 0;
    if (s.in_size - s.in_pos < 4) return false;
    unsigned length = s.in[s.in_pos] | s.in[s.in_pos + 1] << 8;
    unsigned complement = s.in[s.in_pos + 2] | s.in[s.in_pos + 3] << 8;
    s.in_pos += 4;
    if (length != (~complement & 0xFFFFu) || s.in_size - s.in_pos < length) return false;
    while (length-- > 0)
        if (!put(s, s.in[s.in_pos++])) return false;
    return true;
}

bool fixed_block(Stream& s) {
    static Code lengths, distances;
    static bool built;
    if (!built) {
        short size[288];
        int i = 0;
        for (; i < 144; ++i) size[i] = 8;
        for (; i < 256; ++i) size[i] = 9;
        for (; i < 280; ++i) size[i] = 7;
        for (; i < 288; ++i) size[i] = 8;
        build(lengths, size, 288);
        for (i = 0; i < 30; ++i) size[i] = 5;
        build(distances, size, 30);
        built = true;
    }
    return inflate_codes(s, lengths, distances);
}

bool dynamic_block(Stream& s) {
    static const short ORDER[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
    int literal_count = take_bits(s, 5) + 257;
    int distance_count = take_bits(s, 5) + 1;
    int code_count = take_bits(s, 4) + 4;
    if (s.broken || literal_count > 286 || distance_count > 30) return false;
    short size[320] = {};
    for (int i = 0; i < code_count; ++i) size[ORDER[i]] = static_cast<short>(take_bits(s, 3));
    Code code_lengths;
    if (s.broken || !build(code_lengths, size, 19)) return false;
    int total = literal_count + distance_count;
    for (int i = 0; i < total;) {
        int symbol = decode(s, code_lengths);
        if (symbol < 0) return false;
        if (symbol < 16) {
            size[i++] = static_cast<short>(symbol);
            continue;
        }
        short repeated = 0;
        int times;
        if (symbol == 16) {
            if (i == 0) return false;
            repeated = size[i - 1];
            times = 3 + take_bits(s, 2);
        } else if (symbol == 17) {
            times = 3 + take_bits(s, 3);
        } else {
            times = 11 + take_bits(s, 7);
        }
        if (s.broken || i + times > total) return false;
        while (times-- > 0) size[i++] = repeated;
    }
    if (size[256] == 0) return false; // no end of block
    Code lengths, distances;
    return build(lengths, size, literal_count) && build(distances, size + literal_count, distance_count) &&
           inflate_codes(s, lengths, distances);
}

} // namespace

bool inflate(const uint8_t* in, size_t in_size, uint8_t* out, size_t out_size) {
    Stream s{in, in_size, 0, 0, 0, out, out_size, 0, false};
    for (bool last = false; !last;) {
        last = take_bits(s, 1) != 0;
        int type = take_bits(s, 2);
        if (s.broken) return false;
        bool done = type == 0 ? stored_block(s) : type == 1 ? fixed_block(s) : type == 2 && dynamic_block(s);
        if (!done || s.broken) return false;
    }
    return s.out_pos == out_size;
}
