// Guards against: help files that open the wrong topic or lose or garble
// text (UTF-8 where Windows-1252 belongs), and sources that should be
// refused compiling into one. Korvalo.hlp is walked as the viewer walks it
// (the Wine test shows the real viewer following the contents jumps, but
// reads only each topic's first paragraph); Korvalo.chm as chmls unpacks it.
#include <gtest/gtest.h>
#include <strings.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <tuple>

#include "tools/helpc/help_compiler.h"

namespace {

// What a reader sees of a topic: its title, each paragraph as shown ("*"
// around bold text, "[...]" around a jump's, list items led by "\x95 "), and
// the topic each jump opens, -1 for none.
struct TopicView {
    std::string title;
    std::vector<std::string> lines;
    std::vector<int> targets;
};
auto tied(const TopicView& v) { return std::tie(v.title, v.lines, v.targets); }

int topic_index(const HelpSource& source, const std::string& context) {
    for (size_t t = 0; t < source.topics.size(); t++)
        if (strcasecmp(source.topics[t].context.c_str(), context.c_str()) == 0) return int(t);
    return -1;
}

TopicView expected_view(const HelpSource& source, size_t t) {
    TopicView view{source.topics[t].title, {source.topics[t].title}, {}};
    for (const Paragraph& p : source.topics[t].paragraphs) {
        view.lines.push_back(p.kind == PARA_ITEM ? "\x95 " : "");
        for (const Span& span : p.spans) {
            if (span.kind == SPAN_JUMP) view.targets.push_back(topic_index(source, span.target));
            view.lines.back() += span.kind == SPAN_TEXT   ? span.text
                                 : span.kind == SPAN_BOLD ? "*" + span.text + "*"
                                                          : "[" + span.text + "]";
        }
    }
    if (t == 0) return view;
    view.lines.push_back("[" + source.back_text + "]");
    view.targets.push_back(0);
    return view;
}

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

HelpSource parsed(const std::string& utf8) {
    HelpSource source;
    SourceError error;
    EXPECT_TRUE(parse_help_source(utf8, source, error)) << error.line << ": " << error.message;
    return source;
}

uint32_t u16(const Bytes& b, size_t at) { return b.at(at) | b.at(at + 1) << 8; }
uint32_t u32(const Bytes& b, size_t at) { return u16(b, at) | u16(b, at + 2) << 16; }

// The payload of an internal file as the viewer finds it: the directory's
// leaf walked in order, the search ending at the first larger name.
size_t internal_file(const Bytes& file, const std::string& name) {
    const size_t leaf = u32(file, 4) + 9 + 38;
    for (size_t i = 0, at = leaf + 8; i < u16(file, leaf + 2); i++) {
        const std::string entry = (const char*)&file.at(at);
        at += entry.size() + 5;
        if (entry == name) return u32(file, at - 4) + 9;
        if (entry > name) break;
    }
    throw std::runtime_error("the viewer finds no " + name);
}

// The topic chain through the 4 KB blocks of |TOPIC, TOPICOFFSET counted
// afresh in every block, each jump looked up in |CONTEXT in signed order.
std::vector<TopicView> read_hlp(const Bytes& file) {
    const size_t topic_file = internal_file(file, "|TOPIC");
    Bytes data; // |TOPIC without its block headers, as the viewer keeps it
    for (size_t b = 0; b < u32(file, topic_file - 5) / 4096; b++)
        data.insert(data.end(), file.begin() + long(topic_file + b * 4096 + 12),
                    file.begin() + long(topic_file + (b + 1) * 4096));
    std::vector<TopicView> views;
    std::vector<uint32_t> offsets;
    uint32_t characters = 0, block = 0, previous = 0xFFFFFFFF;
    for (uint32_t pos = 12, next; pos != 0xFFFFFFFF; previous = pos, pos = next) {
        const size_t r = (pos >> 14) * 4084 + (pos & 0x3FFF) - 12;
        const uint32_t len2 = u32(data, r + 4), len1 = u32(data, r + 16), type = data.at(r + 20);
        next = u32(data, r + 12);
        if (u32(data, r + 8) != previous || (pos & 0x3FFF) + len1 > 4096 || (type != 2 && type != 0x20))
            throw std::runtime_error("broken chain, a header across blocks or an unknown record at " +
                                     std::to_string(pos));
        if (pos >> 14 != block) characters = 0;
        block = pos >> 14;
        if (type == 2 && next != 0xFFFFFFFF) { // a topic header; the last, empty, closes the chain
            views.push_back(TopicView{std::string(&data.at(r + len1), &data.at(r + len1) + len2), {}, {}});
            offsets.push_back(block * 0x8000 + characters);
        }
        if (type == 2) continue;
        TopicView& view = views.at(views.size() - 1);
        size_t c = r + 21 + ((data.at(r + 21) & 1) ? 4 : 2);                  // past TopicSize
        characters += (data.at(c) & 1) ? u16(data, c) >> 1 : data.at(c) >> 1; // TopicLength
        c += ((data.at(c) & 1) ? 2 : 1) + 6;
        for (uint32_t bit = 0x02, bits = u16(data, c - 2); bit <= 0x40; bit <<= 1)
            if (bits & bit) c += (data.at(c) & 1) ? 2 : 1;
        std::string line;
        int first_font = -1;
        bool bold = false;
        for (size_t s = r + len1;; s += strlen((const char*)&data.at(s)) + 1) {
            line += (const char*)&data.at(s);
            const int command = data.at(c++);
            if (command == 0x80) { // a font; bold text is a change from the paragraph's first
                const int font = int(u16(data, c));
                c += 2;
                if (first_font >= 0 && (font != first_font) != bold) {
                    line += '*';
                    bold = !bold;
                }
                if (first_font < 0) first_font = font;
            } else if (command == 0xE3) {
                line += '[';
                view.targets.push_back(int(u32(data, c))); // the hash, looked up below
                c += 4;
            } else if (command == 0x89) {
                line += ']';
            } else if (command == 0x82) {
                view.lines.push_back(line);
                line.clear();
                first_font = -1;
                bold = false;
            } else if (command != 0xFF || !line.empty()) {
                throw std::runtime_error("unknown command or text after the last paragraph");
            } else {
                break;
            }
        }
    }
    // Ending at the first larger hash read as signed; the offset found must
    // be exactly a topic's (the viewer opens the topic at or before it, which
    // hides a small miscount here but not always in a larger file).
    const size_t leaf = internal_file(file, "|CONTEXT") + 38;
    for (TopicView& view : views)
        for (int& target : view.targets) {
            int64_t offset = -1;
            for (uint32_t i = 0; i < u16(file, leaf + 2) && int32_t(u32(file, leaf + 8 + 8 * i)) <= target; i++)
                if (int32_t(u32(file, leaf + 8 + 8 * i)) == target) offset = u32(file, leaf + 12 + 8 * i);
            target = int(std::find(offsets.begin(), offsets.end(), offset) - offsets.begin());
            if (target == int(offsets.size())) target = -1;
        }
    return views;
}

// A page as the viewer shows it, in the same terms.
TopicView read_page(const std::string& html, const HelpSource& source) {
    TopicView view;
    std::string* into = nullptr;
    for (size_t i = 0, end; (end = html.find(html[i] == '<' ? '>' : '<', i)) != std::string::npos;) {
        std::string piece = html.substr(i, end - i);
        i = end + (piece[0] == '<');
        if (piece[0] != '<') {
            for (std::string e : {"&lt;<", "&gt;>", "&quot;\"", "&amp;&"})
                for (size_t at = 0; (at = piece.find(e.substr(0, e.size() - 1), at)) != std::string::npos; at++)
                    piece.replace(at, e.size() - 1, 1, e.back());
            if (into) *into += piece;
            continue;
        }
        const std::string name = piece.substr(1, piece.find_first_of(" >") - 1);
        if (name == "title") into = &view.title;
        if (name == "h1" || name == "h2" || name == "p" || name == "li") {
            view.lines.push_back(name == "li" ? "\x95 " : "");
            into = &view.lines.back();
        }
        if (!into) continue;
        if (name == "b" || name == "/b") *into += '*';
        else if (name == "/a") *into += ']';
        else if (name[0] == '/') into = nullptr;
        else if (name == "a") {
            *into += '[';
            const size_t href = piece.find("href=\"") + 6, dot = piece.find(".htm\"", href);
            view.targets.push_back(dot == std::string::npos ? -1 : topic_index(source, piece.substr(href, dot - href)));
        }
    }
    return view;
}

// Literal expectations, so that the parser is held to them too: markup,
// accents and the letters 0x80 to 0x9F of Windows-1252, a jump to a name
// whose hash is negative and one written in other letter case.
TEST(Help, SmallSourceReadsBackAsWritten) {
    HelpSource source = parsed("@caption Zenta Korvalo\n@back Volver\n"
                               "= contenido Índice «Tres» — ¿ganó? €…\n"
                               "== Parte\n"
                               "Una línea\n  que sigue, *negrita* y [un salto|Contenido_del_Juego.2].\n"
                               "- [Reglas|REGLAS]\n"
                               "- ver \\[nota\\]\n"
                               "= reglas Reglas\nTexto.\n"
                               "= Contenido_del_Juego.2 Teclas\nF1 abre *la* ayuda.\n");
    Bytes file;
    SourceError error;
    ASSERT_TRUE(compile_help(source, file, error)) << error.line << ": " << error.message;
    const std::string title = "\xCDndice \xABTres\xBB \x97 \xBFgan\xF3? \x80\x85";
    const TopicView want[] = {
        {title,
         {title, "Parte", "Una l\xEDnea que sigue, *negrita* y [un salto].", "\x95 [Reglas]", "\x95 ver [nota]"},
         {2, 1}},
        {"Reglas", {"Reglas", "Texto.", "[Volver]"}, {0}},
        {"Teclas", {"Teclas", "F1 abre *la* ayuda.", "[Volver]"}, {0}},
    };
    std::vector<TopicView> got = read_hlp(file);
    ASSERT_EQ(got.size(), 3u);
    for (size_t t = 0; t < 3; t++) EXPECT_EQ(tied(got[t]), tied(want[t]));
}

TEST(Help, KorvaloHlpShowsEveryTopicOfTheSource) {
    HelpSource source = parsed(slurp(KORVALO_HELP_SOURCE));
    const std::string built = slurp(KORVALO_HELP_FILE);
    std::vector<TopicView> got = read_hlp(Bytes(built.begin(), built.end()));
    ASSERT_EQ(got.size(), source.topics.size());
    for (size_t t = 0; t < got.size(); t++) EXPECT_EQ(tied(got[t]), tied(expected_view(source, t)));
}

TEST(Help, KorvaloChmHoldsEveryPageOfTheSourceContentsFirst) {
    const std::string pages = KORVALO_CHM_PAGES;
    ASSERT_EQ(std::system(("rm -rf '" + pages + "' && '" + KORVALO_CHMLS + "' extractall '" + KORVALO_HTML_HELP_FILE +
                           "' '" + pages + "' >/dev/null 2>&1")
                              .c_str()),
              0);
    HelpSource source = parsed(slurp(KORVALO_HELP_SOURCE));
    std::string contents = slurp(pages + "/Korvalo.hhc"), want_contents, got_contents;
    for (size_t t = 0; t < source.topics.size(); t++) {
        const std::string name = source.topics[t].context + ".htm", html = slurp(pages + "/" + name);
        EXPECT_NE(html.find("charset=windows-1252"), std::string::npos) << name;
        EXPECT_EQ(tied(read_page(html, source)), tied(expected_view(source, t)));
        want_contents += source.topics[t].title + "|" + name + "\n";
    }
    for (size_t at = 0; (at = contents.find("<param name=\"", at)) != std::string::npos; at++) {
        const size_t value = contents.find("value=\"", at) + 7;
        got_contents += contents.substr(value, contents.find('"', value) - value);
        got_contents += contents.compare(at, 18, "<param name=\"Name\"") == 0 ? "|" : "\n";
    }
    EXPECT_EQ(got_contents, want_contents);
    // The contents as the default topic, Spanish (Windows-1252) the language.
    const std::string system = slurp(pages + "/#SYSTEM");
    std::map<int, std::string> records;
    for (size_t at = 4, size; at + 4 <= system.size(); at += 4 + size) {
        size = uint8_t(system[at + 2]) | uint8_t(system[at + 3]) << 8;
        records[uint8_t(system[at]) | uint8_t(system[at + 1]) << 8] = system.substr(at + 4, size);
    }
    EXPECT_EQ(records[2], source.topics[0].context + ".htm" + '\0');
    EXPECT_EQ(records[4].substr(0, 2), "\x0A\x0C");
    // No time of the build, in #SYSTEM or in the header: the same pages give the same bytes.
    EXPECT_EQ(records[10], std::string(4, '\0'));
    EXPECT_EQ(slurp(KORVALO_HTML_HELP_FILE).substr(16, 4), std::string(4, '\0'));
}

// Each source the compiler must refuse, with the line it names.
TEST(Help, SourceRefusals) {
    const std::string head = "@caption Zenta Korvalo\n@back Volver\n";
    const std::string two = head + "= contenido Contenido\n[Reglas|reglas]\n\n= reglas Reglas\n"; // lines 3 to 6
    std::string many = head, titled = head;
    for (int i = 0; i < 256; i++) many += "= t" + std::to_string(i) + " T\n";
    for (int i = 0; i < 40; i++) titled += "= t" + std::to_string(i) + " " + std::string(50, 'T') + "\n";
    const std::tuple<std::string, int, const char*> refusals[] = {
        {two + "Ver [las reglas|reglaz].\n", 7, "unknown topic 'reglaz'"},
        {two + "x\n= Reglas Otra vez\n", 8, "already used at line 6"},
        // Two names with one hash under the viewer's hash function, and only
        // under it: this row also pins the function.
        {two + "= M359HPEHGW Uno\n= Y5VQEXZQVJ Dos\n", 8, "same hash"},
        {two + "La flecha → no existe.\n", 7, "Windows-1252"},
        {two + "Caf\xE9 escrito en Windows-1252.\n", 7, "malformed UTF-8"},
        {two + "= mal-nombre Título\n", 7, "may hold only letters"},
        {two + "Abre *negrita\nsin cerrar.\n", 7, "without its closing '*'"},
        {two + "Salto [sin destino]\n", 7, "without '|'"},
        {two + "Salto [roto|mal nombre]\n", 7, "not a context name"},
        {head + "Texto sin tema.\n", 3, "before the first topic"},
        {"@caption Zenta Korvalo\n= a A\n= b B\n", 3, "@back"},
        {"@caption " + std::string(51, 'x') + "\n= a A\n", 1, "longer than 50"},
        {head + "= a A\n" + std::string(2100, 'x') + "\n", 4, "paragraph too long"},
        {many, 3 + 255, "context tree"}, // 255 entries of 8 bytes fill the leaf
        {titled, 3 + 37, "title tree"},  // 4 + 51 bytes a title: the 38th passes 2040
    };
    for (const auto& [text, line, says] : refusals) {
        HelpSource source;
        SourceError error;
        Bytes out;
        EXPECT_FALSE(parse_help_source(text, source, error) && compile_help(source, out, error)) << "accepted:\n"
                                                                                                 << text;
        EXPECT_EQ(error.line, line) << error.message;
        EXPECT_NE(error.message.find(says), std::string::npos) << error.message;
    }
}

} // namespace
