#include "tools/helpc/help_source.h"
#include "tools/helpc/text_file.h"

#include "tools/helpc/context_hash.h"
#include "tools/helpc/cp1252.h"

static bool fail(SourceError& error, int line, const std::string& message) {
    error.line = line;
    error.message = message;
    return false;
}

static bool starts_with(const std::string& text, const char* prefix) {
    return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

static std::string trim(const std::string& text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// Splits paragraph text into spans. The text has been converted to
// Windows-1252, so every markup character is a plain ASCII byte.
static bool parse_inline(const std::string& text, int line, std::vector<Span>& spans, SourceError& error) {
    Span current{SPAN_TEXT, "", ""};
    auto flush = [&]() {
        if (!current.text.empty()) spans.push_back(current);
        current = Span{SPAN_TEXT, "", ""};
    };
    for (size_t i = 0; i < text.size(); i++) {
        char c = text[i];
        if (c == '\\') {
            if (i + 1 == text.size()) return fail(error, line, "backslash at the end of a paragraph");
            current.text += text[++i];
        } else if (c == '*' && current.kind == SPAN_TEXT) {
            flush();
            current.kind = SPAN_BOLD;
        } else if (c == '*' && current.kind == SPAN_BOLD) {
            if (current.text.empty()) return fail(error, line, "empty bold text");
            flush();
        } else if (c == '[' && current.kind == SPAN_TEXT) {
            flush();
            current.kind = SPAN_JUMP;
        } else if (c == '[') {
            return fail(error, line, "a jump cannot stand inside bold text or another jump");
        } else if (c == '|' && current.kind == SPAN_JUMP) {
            size_t close = text.find(']', i + 1);
            if (close == std::string::npos) return fail(error, line, "jump without its closing ']'");
            current.target = trim(text.substr(i + 1, close - i - 1));
            if (current.text.empty()) return fail(error, line, "jump without shown text");
            if (current.target.empty()) return fail(error, line, "jump without a target");
            for (char t : current.target)
                if (!is_context_char(t))
                    return fail(error, line,
                                "jump target '" + current.target +
                                    "' is not a context name (letters, digits, '.', '_')");
            spans.push_back(current);
            current = Span{SPAN_TEXT, "", ""};
            i = close;
        } else if (c == ']' && current.kind == SPAN_JUMP) {
            return fail(error, line, "jump without '|' and a target");
        } else {
            current.text += c;
        }
    }
    if (current.kind == SPAN_BOLD) return fail(error, line, "bold text without its closing '*'");
    if (current.kind == SPAN_JUMP) return fail(error, line, "jump without its closing ']'");
    flush();
    return true;
}

static bool parse_directive(const std::string& line_text, int line, HelpSource& source, SourceError& error) {
    size_t space = line_text.find(' ');
    std::string name = line_text.substr(0, space);
    std::string value = space == std::string::npos ? "" : trim(line_text.substr(space + 1));
    if (name == "@caption") {
        source.caption = value;
        source.caption_line = line;
    } else if (name == "@copyright") {
        source.copyright = value;
    } else if (name == "@back") {
        source.back_text = value;
    } else {
        return fail(error, line, "unknown directive " + name);
    }
    if (value.empty()) return fail(error, line, name + " needs a text");
    return true;
}

static bool parse_topic_line(const std::string& line_text, int line, HelpSource& source, SourceError& error) {
    std::string rest = trim(line_text.substr(1));
    size_t space = rest.find(' ');
    Topic topic;
    topic.line = line;
    topic.context = rest.substr(0, space);
    topic.title = space == std::string::npos ? "" : trim(rest.substr(space + 1));
    if (topic.context.empty()) return fail(error, line, "topic without a context name");
    for (char c : topic.context)
        if (!is_context_char(c))
            return fail(error, line, "context name '" + topic.context + "' may hold only letters, digits, '.' and '_'");
    if (topic.title.empty()) return fail(error, line, "topic '" + topic.context + "' without a title");
    source.topics.push_back(topic);
    return true;
}

// A paragraph being gathered from consecutive lines.
struct OpenParagraph {
    bool open = false;
    ParagraphKind kind = PARA_TEXT;
    int line = 0;
    std::string text;
};

static bool close_paragraph(OpenParagraph& open, HelpSource& source, SourceError& error) {
    if (!open.open) return true;
    open.open = false;
    if (source.topics.empty()) return fail(error, open.line, "text before the first topic");
    Paragraph paragraph{open.kind, open.line, {}};
    if (!parse_inline(open.text, open.line, paragraph.spans, error)) return false;
    if (paragraph.spans.empty()) return fail(error, open.line, "empty paragraph");
    source.topics.back().paragraphs.push_back(paragraph);
    return true;
}

bool parse_help_source(const std::string& utf8, HelpSource& source, SourceError& error) {
    source = HelpSource{};
    OpenParagraph open;
    int line = 0;
    for (const std::string& raw : source_lines(utf8)) {
        line++;
        std::string text, conversion_error;
        if (!utf8_to_cp1252(raw, text, conversion_error)) return fail(error, line, conversion_error);
        for (char c : text)
            if (uint8_t(c) < 0x20) return fail(error, line, "control character (a tab?) in the text");
        std::string trimmed = trim(text);

        if (trimmed.empty() || text[0] == '#') {
            if (trimmed.empty() && !close_paragraph(open, source, error)) return false;
            continue;
        }
        if (text[0] == '@') {
            if (!close_paragraph(open, source, error)) return false;
            if (!source.topics.empty()) return fail(error, line, "directives belong before the first topic");
            if (!parse_directive(text, line, source, error)) return false;
        } else if (starts_with(text, "==")) {
            if (!close_paragraph(open, source, error)) return false;
            // A heading is one line: the text under it starts its own paragraph.
            open = OpenParagraph{true, PARA_HEADING, line, trim(text.substr(2))};
            if (!close_paragraph(open, source, error)) return false;
        } else if (text[0] == '=') {
            if (!close_paragraph(open, source, error)) return false;
            if (!parse_topic_line(text, line, source, error)) return false;
        } else if (starts_with(text, "- ")) {
            if (!close_paragraph(open, source, error)) return false;
            open = OpenParagraph{true, PARA_ITEM, line, trim(text.substr(2))};
        } else if (open.open && text[0] == ' ') {
            open.text += " " + trimmed;
        } else {
            if (!close_paragraph(open, source, error)) return false;
            open = OpenParagraph{true, PARA_TEXT, line, trimmed};
        }
    }
    return close_paragraph(open, source, error);
}
