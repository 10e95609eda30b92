// The game's own help file and read-me as the build leaves them beside
// the game: compiled from the sources in help/, complete and reachable.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "tools/helpc/help_compiler.h"
#include "tools/helpc/tests/hlp_reader.h"

static std::string slurp(const char *path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << path;
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

static testing::AssertionResult built_help(HelpView &view) {
  std::string bytes = slurp(KORVALO_HELP_FILE), error;
  if (read_help(FileBytes(bytes.begin(), bytes.end()), view, error)) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "reader refused " << KORVALO_HELP_FILE << ": " << error;
}

static std::string all_text(const HelpView &view) {
  std::string text;
  for (const ReadTopic &t : view.topics)
    for (const ReadParagraph &p : t.paragraphs) text += p.shown + "\n";
  return text;
}

TEST(GameHelp, BuiltFileIsTheCompiledSource) {
  HelpSource source;
  SourceError error;
  Bytes compiled;
  ASSERT_TRUE(parse_help_source(slurp(KORVALO_HELP_SOURCE), source, error)) << error.line << ": " << error.message;
  ASSERT_TRUE(compile_help(source, compiled, error)) << error.line << ": " << error.message;
  std::string built = slurp(KORVALO_HELP_FILE);
  EXPECT_TRUE(Bytes(built.begin(), built.end()) == compiled);
}

TEST(GameHelp, ContentsReachesEveryTopicAndEveryTopicLeadsBack) {
  HelpView view;
  ASSERT_TRUE(built_help(view));
  ASSERT_GE(view.topics.size(), 10u);
  EXPECT_EQ(view.caption, "Zenta Korvalo");
  EXPECT_EQ(topic_at_offset(view, view.contents_offset), 0);

  std::set<int> reached;
  for (const ReadParagraph &p : view.topics[0].paragraphs)
    for (const ReadJump &j : p.jumps) reached.insert(resolve_jump(view, j.hash));
  for (size_t t = 1; t < view.topics.size(); t++) {
    EXPECT_EQ(reached.count(int(t)), 1u) << "contents has no jump to " << view.topics[t].title;
    const ReadParagraph &last = view.topics[t].paragraphs.back();
    ASSERT_EQ(last.jumps.size(), 1u) << view.topics[t].title;
    EXPECT_EQ(resolve_jump(view, last.jumps[0].hash), 0) << view.topics[t].title;
  }
  for (const ReadTopic &t : view.topics)
    for (const ReadParagraph &p : t.paragraphs)
      for (const ReadJump &j : p.jumps) EXPECT_GE(resolve_jump(view, j.hash), 0) << "dead jump in " << t.title;
}

// The game's own wording, which players meet on screen, appears in the help
// exactly as the game shows it.
TEST(GameHelp, UsesTheGamesOwnWords) {
  HelpView view;
  ASSERT_TRUE(built_help(view));
  std::string text = all_text(view);
  for (const char *words :
       {"Tres presadas", "Castigo!!!", "Podía comer y no lo hizo, ahora recibirá su castigo!", "Soplar",
        "Primera ficha", "Último jugador:", "Juegos ganados:", "Resumen de todos los juegos",
        "¿De verdad quiere salir?", "¿Están seguros de que quieren empezar un nuevo juego?", "Guardar partida",
        "*.kor", "¿Quiere abandonar la partida actual y cargar otra?",
        "El archivo no es una partida válida de Zenta Korvalo.", "No se pudo guardar la partida.", "SALIDA", "SEGURO", "F1", "F2", "F3", "F4", "Esc",
        "Alt+F4", "Instalación de Zenta Korvalo 2.0", "¿Está seguro de que quiere desinstalar el juego?",
        "No se desinstaló completamente."}) {
    // The test source is UTF-8; the help holds Windows-1252.
    std::string want;
    for (size_t i = 0; words[i]; i++) {
      unsigned char c = words[i];
      if (c == 0xC2 || c == 0xC3) {
        unsigned char next = words[++i];
        want += char(c == 0xC3 ? next + 0x40 : next);
      } else {
        want += char(c);
      }
    }
    EXPECT_NE(text.find(want), std::string::npos) << "missing: " << words;
  }
}

TEST(GameReadme, WindowsBytesAndEveryFileNamed) {
  std::string text = slurp(KORVALO_README_FILE);
  ASSERT_GT(text.size(), 500u);
  EXPECT_NE(text.find("L\xE9" "ame.txt"), std::string::npos);
  EXPECT_EQ(text.find("\xC3"), std::string::npos) << "UTF-8 left in the read-me";
  for (size_t i = 0; i < text.size(); i++)
    if (text[i] == '\n') {
      ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at byte " << i;
    }
  for (size_t i = 0; i < text.size(); i++)
    if (text[i] == '\r') {
      ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare CR at byte " << i;
    }
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  for (const char *name : {"Korvalo.exe", "Korvalo.hlp", "Tit.wav", "Dados.wav", "Perro.wav", "Aleluya.wav",
                           "Libre.wav", "Ajiji.wav", "Turn.wav", "Jail.wav", "No.wav", "Ficha.wav", "Bravo.wav",
                           "640 x 480", "2.0", "F1", "F4", "Alt+F4"})
    EXPECT_NE(text.find(name), std::string::npos) << "missing: " << name;
}
