#include "tools/helpc/text_record.h"

#include "tools/helpc/compressed.h"
#include "tools/helpc/context_hash.h"

enum {
    CMD_FONT = 0x80,
    CMD_END_PARAGRAPH = 0x82,
    CMD_JUMP_END = 0x89,
    CMD_JUMP = 0xE3,
    CMD_END = 0xFF,
};

enum {
    PARA_SPACE_ABOVE = 0x02,
    PARA_LEFT_INDENT = 0x10,
};

// Space above and indent per kind of paragraph; the space keeps paragraphs
// apart without empty paragraphs, the indent sets list items in.
struct Layout {
    HelpFont font;
    int space_above;
    int left_indent;
    const char* prefix;
};

static Layout layout_of(ParagraphKind kind) {
    switch (kind) {
    case PARA_TITLE: return {FONT_TITLE, 0, 0, ""};
    case PARA_HEADING: return {FONT_HEADING, 10, 0, ""};
    case PARA_ITEM: return {FONT_BODY, 0, 12, "\x95 "};
    case PARA_BACK: return {FONT_BODY, 12, 0, ""};
    case PARA_TEXT: break;
    }
    return {FONT_BODY, 6, 0, ""};
}

// The viewer shows one string, runs the next command, and so on: every
// command is preceded by exactly one NUL-terminated string, often empty.
static void command(Bytes& commands, Bytes& strings, std::string& pending, std::initializer_list<uint8_t> bytes) {
    put_cstring(strings, pending);
    pending.clear();
    for (uint8_t b : bytes) commands.push_back(b);
}

static void font_command(Bytes& commands, Bytes& strings, std::string& pending, HelpFont font) {
    command(commands, strings, pending, {CMD_FONT, uint8_t(font), 0});
}

TextRecord encode_paragraph(const Paragraph& paragraph) {
    Layout layout = layout_of(paragraph.kind);
    Bytes commands, strings;
    std::string pending;
    font_command(commands, strings, pending, layout.font);
    pending = layout.prefix;
    for (const Span& span : paragraph.spans) {
        if (span.kind == SPAN_TEXT) {
            pending += span.text;
        } else if (span.kind == SPAN_BOLD) {
            font_command(commands, strings, pending, layout.font == FONT_BODY ? FONT_BOLD : layout.font);
            pending = span.text;
            font_command(commands, strings, pending, layout.font);
        } else {
            uint32_t hash = context_hash(span.target);
            command(commands, strings, pending,
                    {CMD_JUMP, uint8_t(hash), uint8_t(hash >> 8), uint8_t(hash >> 16), uint8_t(hash >> 24)});
            pending = span.text;
            command(commands, strings, pending, {CMD_JUMP_END});
        }
    }
    command(commands, strings, pending, {CMD_END_PARAGRAPH});
    command(commands, strings, pending, {CMD_END});

    uint32_t bits = 0;
    Bytes values;
    if (layout.space_above) {
        bits |= PARA_SPACE_ABOVE;
        put_compressed_short(values, layout.space_above);
    }
    if (layout.left_indent) {
        bits |= PARA_LEFT_INDENT;
        put_compressed_short(values, layout.left_indent);
    }

    // What follows TopicLength: the fixed 00 80, the paragraph id, the bits,
    // their values and the commands. TopicSize counts exactly these bytes.
    Bytes rest;
    put_u8(rest, 0x00);
    put_u8(rest, 0x80);
    put_u16(rest, 0);
    put_u16(rest, bits);
    put_bytes(rest, values);
    put_bytes(rest, commands);

    TextRecord record;
    put_compressed_long(record.link_data1, int(rest.size()));
    put_compressed_ushort(record.link_data1, uint32_t(strings.size()));
    put_bytes(record.link_data1, rest);
    record.link_data2 = strings;
    return record;
}
