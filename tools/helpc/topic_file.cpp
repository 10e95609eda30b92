#include "tools/helpc/topic_file.h"

enum { RECORD_HEADER = 21, TOPIC_HEADER_DATA = 28 };
enum { TYPE_TOPIC_HEADER = 2, TYPE_TEXT = 0x20 };
static const uint32_t NONE = 0xFFFFFFFF;

// One record as laid out: its halves, where it starts and its place in the
// character count.
struct Placed {
    uint8_t type;
    Bytes data1, data2;
    int topic;          // topic it belongs to
    uint32_t pos = 0;   // TOPICPOS
    size_t file_at = 0; // byte index in the file of its first byte
};

int record_size(const TextRecord& record) {
    return RECORD_HEADER + int(record.link_data1.size() + record.link_data2.size());
}

static uint32_t topic_pos(size_t file_at) {
    return uint32_t(file_at / TOPIC_BLOCK_SIZE * 0x4000 + file_at % TOPIC_BLOCK_SIZE);
}

// Lays the records out: a header and its LinkData1 never straddle a block
// (the rest is zero-padded and the record starts after the next block
// header); LinkData2 may run on past the next block header.
static size_t place_records(std::vector<Placed>& records) {
    size_t at = TOPIC_BLOCK_HEADER;
    for (Placed& r : records) {
        size_t head = RECORD_HEADER + r.data1.size();
        if (at % TOPIC_BLOCK_SIZE + head > TOPIC_BLOCK_SIZE)
            at = (at / TOPIC_BLOCK_SIZE + 1) * TOPIC_BLOCK_SIZE + TOPIC_BLOCK_HEADER;
        r.file_at = at;
        r.pos = topic_pos(at);
        size_t left = head + r.data2.size();
        while (left > 0) {
            size_t room = TOPIC_BLOCK_SIZE - at % TOPIC_BLOCK_SIZE;
            if (left < room) {
                at += left;
                left = 0;
            } else {
                left -= room;
                at += room + TOPIC_BLOCK_HEADER;
            }
        }
    }
    return at;
}

// Copies bytes into the file from a position, stepping over block headers.
static size_t write_spanning(Bytes& file, size_t at, const Bytes& data) {
    for (uint8_t b : data) {
        if (at % TOPIC_BLOCK_SIZE == 0) at += TOPIC_BLOCK_HEADER;
        file[at++] = b;
    }
    return at;
}

static Bytes topic_header_data(uint32_t topic_size, int number, uint32_t first_text, uint32_t next_header) {
    Bytes d;
    put_u32(d, topic_size);
    put_u32(d, NONE); // browse back
    put_u32(d, NONE); // browse forward
    put_u32(d, uint32_t(number));
    put_u32(d, NONE); // no non-scrolling region
    put_u32(d, first_text);
    put_u32(d, next_header);
    return d;
}

static std::vector<Placed> gather_records(const std::vector<TopicRecords>& topics) {
    std::vector<Placed> records;
    for (size_t t = 0; t <= topics.size(); t++) {
        Placed header{TYPE_TOPIC_HEADER, Bytes(TOPIC_HEADER_DATA), {}, int(t)};
        if (t < topics.size()) header.data2.assign(topics[t].title.begin(), topics[t].title.end());
        records.push_back(header);
        if (t == topics.size()) break;
        for (const TextRecord& text : topics[t].texts)
            records.push_back(Placed{TYPE_TEXT, text.link_data1, text.link_data2, int(t)});
    }
    return records;
}

// The topic headers point at later records, so they are filled in once
// every position is known (their own size does not change).
static void fill_topic_headers(std::vector<Placed>& records) {
    for (size_t i = 0; i < records.size(); i++) {
        if (records[i].type != TYPE_TOPIC_HEADER) continue;
        uint32_t size = 0, first_text = NONE, next_header = NONE;
        size_t j = i + 1;
        for (; j < records.size() && records[j].type == TYPE_TEXT; j++) {
            if (first_text == NONE) first_text = records[j].pos;
            size += uint32_t(RECORD_HEADER + records[j].data1.size() + records[j].data2.size());
        }
        if (j < records.size()) next_header = records[j].pos;
        records[i].data1 = topic_header_data(size, records[i].topic, first_text, next_header);
    }
}

// TOPICOFFSET: the block number times 0x8000 plus the characters of the
// text records that start earlier in the same block. The count starts
// again in every block; a record spilling over counts in the block where it
// starts.
static std::vector<uint32_t> topic_offsets(const std::vector<Placed>& records, size_t topic_count) {
    std::vector<uint32_t> offsets(topic_count);
    size_t block = 0;
    uint32_t characters = 0;
    for (const Placed& r : records) {
        size_t starts_in = r.file_at / TOPIC_BLOCK_SIZE;
        if (starts_in != block) {
            block = starts_in;
            characters = 0;
        }
        if (r.type == TYPE_TOPIC_HEADER && size_t(r.topic) < topic_count)
            offsets[r.topic] = uint32_t(block * 0x8000 + characters);
        if (r.type == TYPE_TEXT) characters += uint32_t(r.data2.size());
    }
    return offsets;
}

static void write_block_headers(Bytes& file, const std::vector<Placed>& records) {
    size_t blocks = file.size() / TOPIC_BLOCK_SIZE;
    for (size_t b = 0; b < blocks; b++) {
        uint32_t last_before = NONE, first_here = NONE, last_header_before = 0;
        for (const Placed& r : records) {
            size_t starts_in = r.file_at / TOPIC_BLOCK_SIZE;
            if (starts_in < b) {
                last_before = r.pos;
                if (r.type == TYPE_TOPIC_HEADER) last_header_before = r.pos;
            } else if (starts_in == b && first_here == NONE) {
                first_here = r.pos;
            }
        }
        patch_u32(file, b * TOPIC_BLOCK_SIZE, last_before);
        patch_u32(file, b * TOPIC_BLOCK_SIZE + 4, first_here);
        patch_u32(file, b * TOPIC_BLOCK_SIZE + 8, last_header_before);
    }
}

TopicFile write_topic_file(const std::vector<TopicRecords>& topics) {
    std::vector<Placed> records = gather_records(topics);
    size_t end = place_records(records);
    fill_topic_headers(records);

    TopicFile result;
    // A chain that ends exactly on a block boundary needs no further block.
    size_t blocks = end / TOPIC_BLOCK_SIZE + (end % TOPIC_BLOCK_SIZE > TOPIC_BLOCK_HEADER ? 1 : 0);
    result.bytes.assign(blocks * TOPIC_BLOCK_SIZE, 0);
    for (size_t i = 0; i < records.size(); i++) {
        const Placed& r = records[i];
        Bytes head;
        put_u32(head, uint32_t(RECORD_HEADER + r.data1.size() + r.data2.size()));
        put_u32(head, uint32_t(r.data2.size()));
        put_u32(head, i == 0 ? NONE : records[i - 1].pos);
        put_u32(head, i + 1 == records.size() ? NONE : records[i + 1].pos);
        put_u32(head, uint32_t(RECORD_HEADER + r.data1.size()));
        put_u8(head, r.type);
        put_bytes(head, r.data1);
        put_bytes(head, r.data2);
        write_spanning(result.bytes, r.file_at, head);
    }
    write_block_headers(result.bytes, records);
    result.offsets = topic_offsets(records, topics.size());
    return result;
}
