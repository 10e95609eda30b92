// What the help window must show, read from the help source itself rather
// than from the compiled file: each topic's title and first plain
// paragraph, and the jumps of the contents topic. The reader is the
// test's own, so a fault in the help compiler's parser cannot hide behind
// it.
#pragma once

#include <string>
#include <vector>

struct TopicTitle {
  std::string context;
  std::string title;  // Windows-1252, as the viewer shows it
  // The first paragraph that is neither a heading nor a list item, without
  // its markup, as the viewer shows it; empty if the topic has none.
  std::string first_paragraph;
};

struct ContentsJump {
  std::string label;   // Windows-1252
  std::string target;  // context name
};

struct HelpText {
  std::string caption;
  std::string back_text;  // the jump that ends every topic but the contents
  std::vector<TopicTitle> topics;  // the first is the contents
  std::vector<ContentsJump> contents_jumps;
  // Title of the topic with this context name; empty if there is none.
  std::string title_of(const std::string &context) const;
  // First plain paragraph of that topic; empty if there is none.
  std::string first_paragraph_of(const std::string &context) const;
};

// Reads a UTF-8 help source; false with a message when it cannot.
bool read_help_text(const char *path, HelpText &text, std::string &error);
// The first line of a viewer page (its title) and the page's lines.
std::vector<std::string> page_lines(const std::string &page);
