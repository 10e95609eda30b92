// Reading the help source, and the refusals that must name the line.
#include <gtest/gtest.h>

#include "tools/helpc/help_compiler.h"

static const char *header = "@caption Zenta Korvalo\n@back Volver\n";

static SourceError refusal(const std::string &text) {
  HelpSource source;
  SourceError error;
  Bytes out;
  bool ok = parse_help_source(text, source, error) && compile_help(source, out, error);
  EXPECT_FALSE(ok) << "accepted:\n" << text;
  return error;
}

TEST(Source, ParsesTopicsParagraphsAndInlineMarks) {
  HelpSource s;
  SourceError e;
  ASSERT_TRUE(parse_help_source(std::string(header) +
                                    "# a comment\n"
                                    "= contenido Índice\n"
                                    "== Reglas\n"
                                    "Una línea\n"
                                    "  que sigue, *negrita* y [un salto|reglas].\n"
                                    "- primer punto\n"
                                    "- segundo \\*sin negrita\\*\n"
                                    "  que sigue\n"
                                    "Otro párrafo.\n"
                                    "\n"
                                    "= reglas Reglas\n"
                                    "Texto.\n",
                                s, e))
      << e.line << ": " << e.message;
  EXPECT_EQ(s.caption, "Zenta Korvalo");
  EXPECT_EQ(s.back_text, "Volver");
  ASSERT_EQ(s.topics.size(), 2u);
  const Topic &t = s.topics[0];
  EXPECT_EQ(t.context, "contenido");
  EXPECT_EQ(t.title, "\xCDndice");
  EXPECT_EQ(t.line, 4);
  ASSERT_EQ(t.paragraphs.size(), 5u);
  EXPECT_EQ(t.paragraphs[0].kind, PARA_HEADING);
  const Paragraph &p = t.paragraphs[1];
  EXPECT_EQ(p.kind, PARA_TEXT);
  EXPECT_EQ(p.line, 6);
  ASSERT_EQ(p.spans.size(), 5u);
  EXPECT_EQ(p.spans[0].text, "Una l\xEDnea que sigue, ");
  EXPECT_EQ(p.spans[1].kind, SPAN_BOLD);
  EXPECT_EQ(p.spans[1].text, "negrita");
  EXPECT_EQ(p.spans[3].kind, SPAN_JUMP);
  EXPECT_EQ(p.spans[3].text, "un salto");
  EXPECT_EQ(p.spans[3].target, "reglas");
  EXPECT_EQ(p.spans[4].text, ".");
  EXPECT_EQ(t.paragraphs[2].kind, PARA_ITEM);
  EXPECT_EQ(t.paragraphs[3].spans[0].text, "segundo *sin negrita* que sigue");
  EXPECT_EQ(t.paragraphs[4].kind, PARA_TEXT);
}

TEST(Source, RefusesWithTheLineAtFault) {
  std::string two = std::string(header) + "= contenido Contenido\n[Reglas|reglas]\n\n= reglas Reglas\n";
  SourceError e = refusal(std::string(header) + "= contenido Contenido\nVer [las reglas|reglaz].\n\n= reglas Reglas\n");
  EXPECT_EQ(e.line, 4);
  EXPECT_NE(e.message.find("unknown topic 'reglaz'"), std::string::npos) << e.message;

  e = refusal(two + "x\n= Reglas Otra vez\n");
  EXPECT_EQ(e.line, 8);
  EXPECT_NE(e.message.find("already used at line 6"), std::string::npos) << e.message;

  e = refusal(two + "= M359HPEHGW Uno\n= Y5VQEXZQVJ Dos\n");
  EXPECT_EQ(e.line, 8);
  EXPECT_NE(e.message.find("same hash"), std::string::npos) << e.message;

  e = refusal(two + "La flecha → no existe.\n");
  EXPECT_EQ(e.line, 7);
  EXPECT_NE(e.message.find("Windows-1252"), std::string::npos) << e.message;

  EXPECT_EQ(refusal(two + "= mal-nombre Título\n").line, 7);
  EXPECT_EQ(refusal(two + "Abre *negrita\nsin cerrar.\n").line, 7);
  EXPECT_EQ(refusal(two + "Salto [sin destino]\n").line, 7);
  EXPECT_EQ(refusal(two + "Salto [roto|mal nombre]\n").line, 7);
  EXPECT_EQ(refusal(std::string(header) + "Texto sin tema.\n").line, 3);
  EXPECT_EQ(refusal(two + "\tTabulado\n").line, 7);
  EXPECT_EQ(refusal("@caption Zenta Korvalo\n= a A\n= b B\n").line, 3) << "no way back without @back";
  EXPECT_EQ(refusal("@caption " + std::string(51, 'x') + "\n= a A\n").line, 1);
  EXPECT_EQ(refusal("= a A\n").line, 1) << "no caption";
}

TEST(Source, RefusesRecordsAndTreesThatDoNotFit) {
  // A paragraph past the largest record.
  std::string longest = std::string(header) + "= a A\n" + std::string(2100, 'x') + "\n";
  SourceError e = refusal(longest);
  EXPECT_EQ(e.line, 4);
  EXPECT_NE(e.message.find("paragraph too long"), std::string::npos) << e.message;

  // 255 context entries of 8 bytes fill the 2040 bytes of the leaf.
  std::string many = header;
  for (int i = 0; i < 256; i++) many += "= t" + std::to_string(i) + " T\n";
  e = refusal(many);
  EXPECT_EQ(e.line, 3 + 255);
  EXPECT_NE(e.message.find("context tree"), std::string::npos) << e.message;

  // 40 titles of 50 characters: the title entries pass 2040 bytes at the
  // 38th (4 + 51 bytes each).
  std::string titled = header;
  for (int i = 0; i < 40; i++) titled += "= t" + std::to_string(i) + " " + std::string(50, 'T') + "\n";
  e = refusal(titled);
  EXPECT_EQ(e.line, 3 + 37);
  EXPECT_NE(e.message.find("title tree"), std::string::npos) << e.message;
}
