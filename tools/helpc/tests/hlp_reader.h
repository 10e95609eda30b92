#pragma once
// An independent reader of help files for the tests. It shares no code with
// the writer and walks a file the way the viewer does: the directory lookup
// that stops at the first larger name, the |SYSTEM records, the topic chain
// through the 4 KB blocks, TOPICOFFSET counted per block, and |CONTEXT
// searched in signed order. Whatever it finds odd is an error.
#include <cstdint>
#include <string>
#include <vector>

using FileBytes = std::vector<uint8_t>;

struct ReadJump {
  uint32_t hash;
  std::string text;
};

struct ReadParagraph {
  // Text with emphasis marked: "*bold*" where the font turns bold inside a
  // paragraph that starts in a regular font, "[text]" around jumps.
  std::string shown;
  std::vector<ReadJump> jumps;
  int first_font = -1;
  uint16_t bits = 0;
  int left_indent = 0;
};

struct ReadTopic {
  std::string title;
  uint32_t number = 0;
  uint32_t pos = 0;     // TOPICPOS of its header
  uint32_t offset = 0;  // TOPICOFFSET worked out while walking
  std::vector<ReadParagraph> paragraphs;
};

struct ReadFont {
  int style, half_points, family, face;
};

struct ContextPair {
  int32_t hash;
  uint32_t offset;
};

struct HelpView {
  std::vector<std::string> file_names;  // directory order
  std::string title, copyright, caption;
  bool has_contents = false;
  uint32_t contents_offset = 0;
  std::vector<std::string> faces;
  std::vector<ReadFont> fonts;
  std::vector<ContextPair> contexts;  // file order
  std::vector<std::pair<uint32_t, std::string>> titles;
  std::vector<ReadTopic> topics;  // the empty closing header left out
  size_t topic_blocks = 0;
};

bool read_help(const FileBytes &file, HelpView &view, std::string &error);

// Lookups as the viewer makes them; -1 when nothing is found.
int64_t find_context(const HelpView &view, uint32_t hash);
int topic_at_offset(const HelpView &view, uint32_t offset);
int resolve_jump(const HelpView &view, uint32_t hash);
