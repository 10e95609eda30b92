#pragma once
// One paragraph as the two halves of a text record (type 0x20): the
// formatting commands (LinkData1) and the strings shown between them
// (LinkData2).
#include "tools/helpc/bytes.h"
#include "tools/helpc/help_source.h"

// Fonts of the |FONT file, in descriptor order.
enum HelpFont { FONT_BODY, FONT_BOLD, FONT_HEADING, FONT_TITLE, FONT_COUNT };

struct TextRecord {
    Bytes link_data1;
    Bytes link_data2;
};

TextRecord encode_paragraph(const Paragraph& paragraph);
