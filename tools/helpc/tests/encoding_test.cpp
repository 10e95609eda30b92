// The byte-level pieces: code page, context hash, compressed numbers, one
// text record against a record known to open in the viewer, and the
// read-me conversion.
#include <gtest/gtest.h>

#include "tools/helpc/compressed.h"
#include "tools/helpc/context_hash.h"
#include "tools/helpc/cp1252.h"
#include "tools/helpc/text_file.h"
#include "tools/helpc/text_record.h"

static std::string convert(const std::string &utf8) {
  std::string out, error;
  EXPECT_TRUE(utf8_to_cp1252(utf8, out, error)) << error;
  return out;
}

TEST(Cp1252, SpanishLettersAndPunctuation) {
  EXPECT_EQ(convert("Léame"), "L\xE9" "ame");
  EXPECT_EQ(convert("¿Ganó?"), "\xBFGan\xF3?");
  EXPECT_EQ(convert("ñÑüÜ¡"), "\xF1\xD1\xFC\xDC\xA1");
  // The block 0x80..0x9F holds letters that are far away in Unicode.
  EXPECT_EQ(convert("€ • – — “” ‘’ … Ÿ"), "\x80 \x95 \x96 \x97 \x93\x94 \x91\x92 \x85 \x9F");
}

TEST(Cp1252, RefusesWhatTheCodePageLacks) {
  std::string out, error;
  EXPECT_FALSE(utf8_to_cp1252("abc →", out, error));
  EXPECT_NE(error.find("column 5"), std::string::npos) << error;
  EXPECT_NE(error.find("U+2192"), std::string::npos) << error;
  // The C1 control U+0081 would otherwise slip into the undefined byte 0x81.
  EXPECT_FALSE(utf8_to_cp1252("\xC2\x81", out, error));
  EXPECT_FALSE(utf8_to_cp1252("\xE2\x82", out, error)) << "cut sequence";
  EXPECT_FALSE(utf8_to_cp1252("\xC3\x28", out, error)) << "bad continuation byte";
  EXPECT_FALSE(utf8_to_cp1252("\xC0\xA9", out, error)) << "overlong form";
  EXPECT_FALSE(utf8_to_cp1252("\xE9", out, error)) << "a Windows-1252 byte is not UTF-8";
}

TEST(ContextHash, KnownValuesAndCollision) {
  EXPECT_EQ(context_hash("reglas"), 0x2E5003CAu);
  EXPECT_EQ(context_hash("REGLAS"), 0x2E5003CAu);
  EXPECT_EQ(context_hash("Contenido_del_Juego.2"), 0x8D235F12u);
  // Every digit, '.' and '_', worked out by hand from the character values
  // ('0' is 10, not 0; '.' 12, '_' 13), the first one wrapping past 2^32.
  EXPECT_EQ(context_hash("0123456789"), 0x1DC97193u);
  EXPECT_EQ(context_hash("0"), 10u);
  EXPECT_EQ(context_hash("10"), 53u);
  EXPECT_EQ(context_hash("._"), 529u);
  EXPECT_EQ(context_hash("Z9.a_0"), 0x71E9B8CDu);
  EXPECT_EQ(context_hash("M359HPEHGW"), context_hash("Y5VQEXZQVJ"));
  EXPECT_FALSE(is_context_char('-'));
  EXPECT_FALSE(is_context_char(' '));
  EXPECT_TRUE(is_context_char('_'));
}

TEST(Compressed, ShortAndLongForms) {
  Bytes b;
  put_compressed_ushort(b, 23);
  put_compressed_ushort(b, 127);
  put_compressed_ushort(b, 128);
  EXPECT_EQ(b, (Bytes{0x2E, 0xFE, 0x01, 0x01}));
  b.clear();
  put_compressed_short(b, 12);
  put_compressed_short(b, -64);
  put_compressed_short(b, 63);
  put_compressed_short(b, 64);
  put_compressed_short(b, -65);
  EXPECT_EQ(b, (Bytes{0x98, 0x00, 0xFE, 0x81, 0x80, 0x7F, 0x7F}));
  b.clear();
  put_compressed_long(b, 18);
  put_compressed_long(b, 0);
  EXPECT_EQ(b, (Bytes{0x24, 0x80, 0x00, 0x80}));
}

// "• Reglas del juego" as a list item jumping to "reglas": the record that
// was seen to open in the viewer, byte for byte.
TEST(TextRecord, ListItemJumpMatchesKnownGoodRecord) {
  Paragraph item{PARA_ITEM, 1, {Span{SPAN_JUMP, "Reglas del juego", "reglas"}}};
  TextRecord r = encode_paragraph(item);
  EXPECT_EQ(r.link_data1, (Bytes{0x24, 0x80, 0x2E, 0x00, 0x80, 0x00, 0x00, 0x10, 0x00, 0x98, 0x80, 0x00, 0x00,
                                 0xE3, 0xCA, 0x03, 0x50, 0x2E, 0x89, 0x82, 0xFF}));
  std::string strings(r.link_data2.begin(), r.link_data2.end());
  EXPECT_EQ(strings, std::string("\0\x95 \0Reglas del juego\0\0\0", 23));
}

TEST(TextRecord, BoldSwitchesFontAndBack) {
  Paragraph p{PARA_TEXT, 1, {Span{SPAN_TEXT, "Pulse ", ""}, Span{SPAN_BOLD, "F1", ""}, Span{SPAN_TEXT, ".", ""}}};
  TextRecord r = encode_paragraph(p);
  std::string strings(r.link_data2.begin(), r.link_data2.end());
  EXPECT_EQ(strings, std::string("\0Pulse \0F1\0.\0\0", 14));
  // font body, font bold, font body, end of paragraph, end.
  Bytes tail(r.link_data1.end() - 11, r.link_data1.end());
  EXPECT_EQ(tail, (Bytes{0x80, FONT_BODY, 0, 0x80, FONT_BOLD, 0, 0x80, FONT_BODY, 0, 0x82, 0xFF}));
}

TEST(TextFile, WindowsCodePageAndCrLf) {
  std::string out;
  SourceError error;
  ASSERT_TRUE(convert_text_file("Léame\n\nsegunda línea", out, error));
  EXPECT_EQ(out, "L\xE9" "ame\r\n\r\nsegunda l\xEDnea\r\n");
  ASSERT_TRUE(convert_text_file("uno\r\ndos\n", out, error));
  EXPECT_EQ(out, "uno\r\ndos\r\n") << "CR LF in the source is not doubled";
  EXPECT_FALSE(convert_text_file("uno\ndos ✓\n", out, error));
  EXPECT_EQ(error.line, 2);
}
