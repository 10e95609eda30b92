#pragma once
// The |TOPIC internal file: the chain of topic headers and text records cut
// into 4 KB blocks, and the character positions (TOPICOFFSET) by which
// |CONTEXT, |TTLBTREE and the contents record find each topic.
#include <string>
#include <vector>

#include "tools/helpc/bytes.h"
#include "tools/helpc/text_record.h"

struct TopicRecords {
    std::string title;
    std::vector<TextRecord> texts;
};

struct TopicFile {
    Bytes bytes;
    std::vector<uint32_t> offsets; // TOPICOFFSET of each topic, in order
};

enum {
    TOPIC_BLOCK_SIZE = 4096,
    TOPIC_BLOCK_HEADER = 12,
    // Beyond this a record could cover a whole block, leaving a block in
    // which no record starts.
    TOPIC_RECORD_MAX = 2042,
};

int record_size(const TextRecord& record);
// Writes every topic and the empty header that closes the chain. Every
// record must be at most TOPIC_RECORD_MAX bytes.
TopicFile write_topic_file(const std::vector<TopicRecords>& topics);
