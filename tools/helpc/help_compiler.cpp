#include "tools/helpc/help_compiler.h"

#include <strings.h>

#include <cstdio>
#include <map>

#include "tools/helpc/btree.h"
#include "tools/helpc/context_hash.h"
#include "tools/helpc/file_system.h"
#include "tools/helpc/internal_files.h"
#include "tools/helpc/topic_file.h"

static bool fail(SourceError& error, int line, const std::string& message) {
    error.line = line;
    error.message = message;
    return false;
}

static bool check_header(const HelpSource& source, SourceError& error) {
    if (source.caption.empty()) return fail(error, 1, "the source needs an @caption line");
    if (source.caption.size() > WINDOW_CAPTION_MAX)
        return fail(error, source.caption_line, "the caption is longer than 50 characters");
    if (source.topics.empty()) return fail(error, 1, "the source has no topic");
    if (source.topics.size() > 1 && source.back_text.empty())
        return fail(error, source.topics[1].line, "topics after the contents need an @back text for their way back");
    return true;
}

// Hash of every context name to the topic that owns it.
static bool check_contexts(const HelpSource& source, std::map<uint32_t, size_t>& by_hash, SourceError& error) {
    for (size_t t = 0; t < source.topics.size(); t++) {
        const Topic& topic = source.topics[t];
        uint32_t hash = context_hash(topic.context);
        auto seen = by_hash.find(hash);
        if (seen != by_hash.end()) {
            const Topic& other = source.topics[seen->second];
            char where[32];
            snprintf(where, sizeof where, "%d", other.line);
            if (context_hash(other.context) == hash && other.context.size() == topic.context.size() &&
                strcasecmp(other.context.c_str(), topic.context.c_str()) == 0)
                return fail(error, topic.line, "context name '" + topic.context + "' is already used at line " + where);
            return fail(error, topic.line,
                        "context names '" + topic.context + "' and '" + other.context + "' (line " + where +
                            ") have the same hash");
        }
        by_hash[hash] = t;
    }
    return true;
}

static bool check_jumps(const HelpSource& source, const std::map<uint32_t, size_t>& by_hash, SourceError& error) {
    for (const Topic& topic : source.topics)
        for (const Paragraph& p : topic.paragraphs)
            for (const Span& span : p.spans) {
                if (span.kind != SPAN_JUMP) continue;
                auto found = by_hash.find(context_hash(span.target));
                if (found == by_hash.end() ||
                    strcasecmp(source.topics[found->second].context.c_str(), span.target.c_str()) != 0)
                    return fail(error, p.line, "jump to unknown topic '" + span.target + "'");
            }
    return true;
}

// The title as the first paragraph, the body, and a jump back to the
// contents at the end of every other topic.
static bool encode_topics(const HelpSource& source, std::vector<TopicRecords>& topics, SourceError& error) {
    for (size_t t = 0; t < source.topics.size(); t++) {
        const Topic& topic = source.topics[t];
        std::vector<Paragraph> paragraphs;
        paragraphs.push_back(Paragraph{PARA_TITLE, topic.line, {Span{SPAN_TEXT, topic.title, ""}}});
        paragraphs.insert(paragraphs.end(), topic.paragraphs.begin(), topic.paragraphs.end());
        if (t > 0)
            paragraphs.push_back(
                Paragraph{PARA_BACK, topic.line, {Span{SPAN_JUMP, source.back_text, source.topics[0].context}}});
        TopicRecords records{topic.title, {}};
        for (const Paragraph& p : paragraphs) {
            TextRecord r = encode_paragraph(p);
            if (record_size(r) > TOPIC_RECORD_MAX) {
                char size[80];
                snprintf(size, sizeof size, "paragraph too long (%d bytes as a record, at most %d)", record_size(r),
                         int(TOPIC_RECORD_MAX));
                return fail(error, p.line, size);
            }
            records.texts.push_back(r);
        }
        topics.push_back(records);
    }
    return true;
}

// Finds the topic whose entry no longer fits the single leaf page.
static int overflow_line(const HelpSource& source, const BtreeFormat& format, size_t fixed_size, bool with_title) {
    size_t used = 0;
    for (const Topic& topic : source.topics) {
        used += fixed_size + (with_title ? topic.title.size() : 0);
        if (used > btree_leaf_room(format)) return topic.line;
    }
    return source.topics.back().line;
}

static bool build_trees(const HelpSource& source, const TopicFile& topic_file, Bytes& contexts, Bytes& titles,
                        SourceError& error) {
    std::vector<ContextEntry> context_entries;
    std::vector<TitleEntry> title_entries;
    for (size_t t = 0; t < source.topics.size(); t++) {
        context_entries.push_back(ContextEntry{context_hash(source.topics[t].context), topic_file.offsets[t]});
        title_entries.push_back(TitleEntry{topic_file.offsets[t], source.topics[t].title});
    }
    if (!context_file(context_entries, contexts))
        return fail(error, overflow_line(source, CONTEXT_TREE, 8, false),
                    "too many topics: the context tree would overflow its page");
    if (!title_file(title_entries, titles))
        return fail(error, overflow_line(source, TITLE_TREE, 5, true),
                    "titles too long or too many: the title tree would overflow its page");
    return true;
}

bool compile_help(const HelpSource& source, Bytes& out, SourceError& error) {
    std::map<uint32_t, size_t> by_hash;
    if (!check_header(source, error) || !check_contexts(source, by_hash, error) || !check_jumps(source, by_hash, error))
        return false;
    std::vector<TopicRecords> topics;
    if (!encode_topics(source, topics, error)) return false;
    TopicFile topic_file = write_topic_file(topics);
    Bytes contexts, titles;
    if (!build_trees(source, topic_file, contexts, titles, error)) return false;

    std::map<std::string, Bytes> files;
    files["|CONTEXT"] = contexts;
    files["|CTXOMAP"] = context_map_file();
    files["|FONT"] = font_file();
    files["|SYSTEM"] = system_file(source.caption, source.copyright, topic_file.offsets[0]);
    files["|TOPIC"] = topic_file.bytes;
    files["|TTLBTREE"] = titles;
    if (!write_file_system(files, out)) return fail(error, 1, "the internal directory would overflow its page");
    return true;
}
