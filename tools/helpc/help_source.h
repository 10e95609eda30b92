#pragma once
// The readable help source and what it parses into.
//
//   # a comment line
//   @caption Zenta Korvalo          caption of the help window
//   @copyright ...                  optional
//   @back Volver al contenido       text of the jump that ends every topic but
//                                   the first, which is the contents
//   = context_name Title of the topic
//   == A heading
//   - a list item
//   A plain line is a paragraph; a line that starts with blanks continues
//   the paragraph or list item above it. Blank lines only space the source.
//   Inline: *bold*, [shown text|context_name], and a backslash takes the
//   next character literally.
//
// Texts are stored already converted to Windows-1252.
#include <string>
#include <vector>

enum SpanKind { SPAN_TEXT, SPAN_BOLD, SPAN_JUMP };

struct Span {
    SpanKind kind;
    std::string text;
    std::string target; // context name of a jump
};

enum ParagraphKind { PARA_TITLE, PARA_HEADING, PARA_TEXT, PARA_ITEM, PARA_BACK };

struct Paragraph {
    ParagraphKind kind;
    int line;
    std::vector<Span> spans;
};

struct Topic {
    std::string context;
    std::string title;
    int line;
    std::vector<Paragraph> paragraphs;
};

struct HelpSource {
    std::string caption;
    std::string copyright;
    std::string back_text;
    int caption_line = 0;
    std::vector<Topic> topics;
};

struct SourceError {
    int line = 0;
    std::string message;
};

// Parses a whole UTF-8 source. Checks what one line shows (markup, context
// name characters, the code page); checks across topics are the compiler's.
bool parse_help_source(const std::string& utf8, HelpSource& source, SourceError& error);
