// Whole help files written by the compiler and read back by the
// independent reader the way the viewer walks them. A big file (many
// blocks, paragraphs across block boundaries, hashes of both signs) makes
// the block rules, the TOPICOFFSET count and the signed context order
// matter: a writer that gets one of them wrong opens the wrong topic.
#include <gtest/gtest.h>

#include <set>

#include "tools/helpc/help_compiler.h"
#include "tools/helpc/tests/hlp_reader.h"

static Bytes compile_text(const std::string &text, HelpSource &source) {
  SourceError error;
  Bytes out;
  EXPECT_TRUE(parse_help_source(text, source, error)) << error.line << ": " << error.message;
  EXPECT_TRUE(compile_help(source, out, error)) << error.line << ": " << error.message;
  return out;
}

static testing::AssertionResult read_back(const Bytes &file, HelpView &view) {
  std::string error;
  if (read_help(file, view, error)) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "reader refused the file: " << error;
}

// What the viewer should show for a source paragraph, in the reader's
// notation.
static std::string expected_shown(const Paragraph &p) {
  std::string shown = p.kind == PARA_ITEM ? "\x95 " : "";
  for (const Span &s : p.spans) {
    if (s.kind == SPAN_TEXT) shown += s.text;
    if (s.kind == SPAN_BOLD) shown += "*" + s.text + "*";
    if (s.kind == SPAN_JUMP) shown += "[" + s.text + "]";
  }
  return shown;
}

static size_t topic_index(const HelpSource &source, const std::string &context) {
  for (size_t i = 0; i < source.topics.size(); i++)
    if (strcasecmp(source.topics[i].context.c_str(), context.c_str()) == 0) return i;
  return size_t(-1);
}

// Every topic shows its title, its paragraphs in order and, after the
// contents, the way back; every jump opens the topic it names.
static void expect_round_trip(const HelpSource &source, const HelpView &view) {
  ASSERT_EQ(view.topics.size(), source.topics.size());
  for (size_t t = 0; t < source.topics.size(); t++) {
    const Topic &topic = source.topics[t];
    const ReadTopic &read = view.topics[t];
    SCOPED_TRACE("topic " + topic.context);
    EXPECT_EQ(read.title, topic.title);
    EXPECT_EQ(read.number, t);
    size_t extra = t > 0 ? 2 : 1;
    ASSERT_EQ(read.paragraphs.size(), topic.paragraphs.size() + extra);
    EXPECT_EQ(read.paragraphs[0].shown, topic.title);
    for (size_t p = 0; p < topic.paragraphs.size(); p++) {
      const Paragraph &want = topic.paragraphs[p];
      const ReadParagraph &got = read.paragraphs[p + 1];
      EXPECT_EQ(got.shown, expected_shown(want)) << "line " << want.line;
      size_t j = 0;
      for (const Span &s : want.spans) {
        if (s.kind != SPAN_JUMP) continue;
        ASSERT_LT(j, got.jumps.size());
        EXPECT_EQ(resolve_jump(view, got.jumps[j].hash), int(topic_index(source, s.target)))
            << "jump '" << s.text << "' at line " << want.line;
        j++;
      }
      EXPECT_EQ(j, got.jumps.size());
    }
    if (t > 0) {
      const ReadParagraph &back = read.paragraphs.back();
      EXPECT_EQ(back.shown, "[" + source.back_text + "]");
      ASSERT_EQ(back.jumps.size(), 1u);
      EXPECT_EQ(resolve_jump(view, back.jumps[0].hash), 0);
    }
  }
}

static const char *small_source =
    "@caption Zenta Korvalo\n"
    "@copyright Libre\n"
    "@back Volver al contenido\n"
    "= contenido Contenido\n"
    "- [Reglas del juego|reglas]\n"
    "- [Teclas|Contenido_del_Juego.2]\n"
    "= reglas Reglas del juego\n"
    "Con *dos* dados. ¿Ganó?\n"
    "== Capturas\n"
    "Ver [teclas|contenido_del_juego.2].\n"
    "= Contenido_del_Juego.2 Teclas\n"
    "F1 abre la ayuda.\n";

TEST(HelpFile, SmallFileReadsBackAsWritten) {
  HelpSource source;
  Bytes file = compile_text(small_source, source);
  HelpView view;
  ASSERT_TRUE(read_back(file, view));
  EXPECT_EQ(view.file_names,
            (std::vector<std::string>{"|CONTEXT", "|CTXOMAP", "|FONT", "|SYSTEM", "|TOPIC", "|TTLBTREE"}));
  EXPECT_EQ(view.caption, "Zenta Korvalo");
  EXPECT_EQ(view.title, "Zenta Korvalo");
  EXPECT_EQ(view.copyright, "Libre");
  ASSERT_TRUE(view.has_contents);
  EXPECT_EQ(topic_at_offset(view, view.contents_offset), 0);
  EXPECT_EQ(view.faces, std::vector<std::string>{"Arial"});
  expect_round_trip(source, view);
  // "Contenido_del_Juego.2" has a negative hash: found only in signed order.
  EXPECT_EQ(resolve_jump(view, 0x8D235F12u), 2);
  EXPECT_EQ(find_context(view, 0x12345678u), -1);
  // List items are set in; a bold span inside body text shows as bold.
  EXPECT_GT(view.topics[0].paragraphs[1].left_indent, 0);
  EXPECT_EQ(view.topics[1].paragraphs[1].shown, "Con *dos* dados. \xBFGan\xF3?");
}

TEST(HelpFile, OutputIsReproducible) {
  HelpSource a, b;
  EXPECT_EQ(compile_text(small_source, a), compile_text(small_source, b));
}

// Sixty topics of about 900 characters each: some twenty blocks, text
// records that start near a block's end and run into the next, and jumps
// from everywhere to everywhere.
// Long names wrap the hash many times over, so both signs occur.
static std::string big_context(int t) { return "Tema_de_la_ayuda." + std::to_string(t); }

static std::string big_source() {
  std::string text = "@caption Zenta Korvalo\n@back Volver al contenido\n= contenido Contenido\n";
  for (int t = 1; t < 60; t++) text += "- [Tema " + std::to_string(t) + "|" + big_context(t) + "]\n";
  for (int t = 1; t < 60; t++) {
    text += "= " + big_context(t) + " Tema número " + std::to_string(t) + "\n== Parte\n";
    for (int p = 0; p < 3; p++) {
      text += "Párrafo " + std::to_string(p) + " del tema " + std::to_string(t) + ", con *negrita* y un salto al [tema " +
              std::to_string((t * 7 + p) % 59 + 1) + "|" + big_context((t * 7 + p) % 59 + 1) + "]. ";
      text += std::string(size_t(150 + (t * 37 + p * 11) % 120), 'x') + "\n\n";
    }
  }
  return text;
}

TEST(HelpFile, BigFileKeepsBlockRulesAndOffsets) {
  HelpSource source;
  Bytes file = compile_text(big_source(), source);
  HelpView view;
  ASSERT_TRUE(read_back(file, view));
  EXPECT_GT(file.size(), 32u * 1024);
  EXPECT_GT(view.topic_blocks, 8u);
  expect_round_trip(source, view);

  // Each context points exactly at its own topic, not merely near it.
  ASSERT_EQ(view.contexts.size(), source.topics.size());
  std::set<uint32_t> offsets;
  for (const ReadTopic &t : view.topics) offsets.insert(t.offset);
  for (const ContextPair &c : view.contexts) EXPECT_EQ(offsets.count(c.offset), 1u) << c.hash;

  bool negative = false, positive = false;
  for (size_t i = 0; i < view.contexts.size(); i++) {
    negative |= view.contexts[i].hash < 0;
    positive |= view.contexts[i].hash > 0;
    if (i > 0) {
      EXPECT_LT(view.contexts[i - 1].hash, view.contexts[i].hash) << "signed order";
    }
  }
  EXPECT_TRUE(negative && positive) << "the sample must hold hashes of both signs";

  // Some topic starts in a later block and must not be counted from the
  // start of the file.
  bool late_block = false;
  for (const ReadTopic &t : view.topics) late_block |= (t.offset >> 15) > 0;
  EXPECT_TRUE(late_block);

  ASSERT_EQ(view.titles.size(), source.topics.size());
  for (size_t i = 0; i < view.titles.size(); i++) {
    EXPECT_EQ(view.titles[i].first, view.topics[i].offset);
    EXPECT_EQ(view.titles[i].second, view.topics[i].title);
  }
}

// Damage the reader must notice, so that its passes mean something.
TEST(HelpFile, ReaderRejectsDamagedFiles) {
  HelpSource source;
  Bytes good = compile_text(small_source, source);
  HelpView view;
  std::string error;

  Bytes cut = good;
  cut.pop_back();
  EXPECT_FALSE(read_help(cut, view, error));

  // The directory is the last internal file; its reserved space is the
  // first word after the directory position.
  Bytes tight = good;
  uint32_t dir = tight[4] | (tight[5] << 8) | (tight[6] << 16) | (uint32_t(tight[7]) << 24);
  tight[dir] -= 9;
  EXPECT_FALSE(read_help(tight, view, error));

  // An optional file renamed out of order: the lookup of |FONT stops at it.
  Bytes swapped = good;
  const std::string from = "|CTXOMAP", to = "|ZTXOMAP";
  auto at = std::search(swapped.begin(), swapped.end(), from.begin(), from.end());
  ASSERT_NE(at, swapped.end());
  std::copy(to.begin(), to.end(), at);
  EXPECT_FALSE(read_help(swapped, view, error));
}
