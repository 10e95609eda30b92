// The built Korvalo.chm taken apart with chmls and held against the help
// source: every page's title, text and links, the contents file, and the
// project's title, language and default topic.
#include <gtest/gtest.h>
#include <strings.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "tools/helpc/help_source.h"

static std::string slurp(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

// What a page shows, one line per block (h1, h2, p, li), with bold text as
// *text* and links as [text]; and its links in order.
struct PageView {
  std::string title;
  std::vector<std::string> lines;
  std::vector<std::pair<std::string, std::string>> links;  // href, text
};

static std::string decoded(const std::string &text) {
  static const std::pair<const char *, char> entities[] = {{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}};
  std::string out;
  for (size_t i = 0; i < text.size(); i++) {
    char c = text[i];
    for (const auto &e : entities)
      if (text.compare(i, strlen(e.first), e.first) == 0) {
        c = e.second;
        i += strlen(e.first) - 1;
        break;
      }
    out += c;
  }
  return out;
}

static std::string attribute(const std::string &tag, const std::string &name) {
  size_t at = tag.find(name + "=\"");
  if (at == std::string::npos) return "";
  at += name.size() + 2;
  return decoded(tag.substr(at, tag.find('"', at) - at));
}

static PageView read_page(const std::string &html) {
  PageView view;
  std::string *into = nullptr;  // the line or title being gathered
  std::string link_href, link_text;
  bool in_link = false;
  for (size_t i = 0; i < html.size();) {
    if (html[i] != '<') {
      size_t end = html.find('<', i);
      std::string text = decoded(html.substr(i, end - i));
      if (into) *into += text;
      if (in_link) link_text += text;
      i = end;
      continue;
    }
    size_t end = html.find('>', i);
    std::string tag = html.substr(i + 1, end - i - 1);
    std::string name = tag.substr(0, tag.find(' '));
    i = end + 1;
    if (name == "title") into = &view.title;
    else if (name == "h1" || name == "h2" || name == "p" || name == "li") {
      view.lines.emplace_back();
      into = &view.lines.back();
    } else if (name == "/title" || name == "/h1" || name == "/h2" || name == "/p" || name == "/li") into = nullptr;
    else if ((name == "b" || name == "/b") && into) *into += '*';
    else if (name == "a" && into) {
      *into += '[';
      link_href = attribute(tag, "href");
      link_text.clear();
      in_link = true;
    } else if (name == "/a" && into) {
      *into += ']';
      view.links.emplace_back(link_href, link_text);
      in_link = false;
    }
  }
  return view;
}

// The same view worked out from the source.
static PageView expected_page(const HelpSource &source, size_t t) {
  auto page_of = [&](const std::string &context) {
    for (const Topic &topic : source.topics)
      if (strcasecmp(topic.context.c_str(), context.c_str()) == 0) return topic.context + ".htm";
    return std::string("(no topic " + context + ")");
  };
  const Topic &topic = source.topics[t];
  PageView view{topic.title, {topic.title}, {}};
  for (const Paragraph &p : topic.paragraphs) {
    std::string line;
    for (const Span &span : p.spans) {
      if (span.kind == SPAN_TEXT) line += span.text;
      if (span.kind == SPAN_BOLD) line += "*" + span.text + "*";
      if (span.kind == SPAN_JUMP) {
        line += "[" + span.text + "]";
        view.links.emplace_back(page_of(span.target), span.text);
      }
    }
    view.lines.push_back(line);
  }
  if (t > 0) {
    view.lines.push_back("[" + source.back_text + "]");
    view.links.emplace_back(page_of(source.topics[0].context), source.back_text);
  }
  return view;
}

// The project's |#SYSTEM records: code, then its bytes.
static std::map<int, std::string> system_records(const std::string &bytes) {
  std::map<int, std::string> records;
  auto u16 = [&](size_t at) { return int(uint8_t(bytes[at])) | int(uint8_t(bytes[at + 1])) << 8; };
  for (size_t at = 4; at + 4 <= bytes.size();) {
    int code = u16(at), size = u16(at + 2);
    if (at + 4 + size > bytes.size()) break;
    records[code] = bytes.substr(at + 4, size_t(size));
    at += 4 + size_t(size);
  }
  return records;
}

// The built file taken apart once, into a folder emptied first; empty when
// chmls cannot.
static std::string extracted() {
  static std::string folder = [] {
    const std::string made = KORVALO_CHM_PAGES;
    std::string command = "rm -rf '" + made + "' && mkdir -p '" + made + "' && '" + KORVALO_CHMLS + "' extractall '" +
                          KORVALO_HTML_HELP_FILE + "' '" + made + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0 ? made : "";
  }();
  return folder;
}

class BuiltChm : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(extracted().empty()) << "chmls could not take apart " << KORVALO_HTML_HELP_FILE;
    SourceError error;
    ASSERT_TRUE(parse_help_source(slurp(KORVALO_HELP_SOURCE), source, error)) << error.message;
  }
  static std::string file(const std::string &name) { return slurp(extracted() + "/" + name); }
  HelpSource source;
};

TEST_F(BuiltChm, EveryPageShowsItsTopicAsTheSourceHasIt) {
  ASSERT_EQ(source.topics.size(), 17u);
  for (size_t t = 0; t < source.topics.size(); t++) {
    const std::string name = source.topics[t].context + ".htm";
    std::string html = file(name);
    ASSERT_FALSE(html.empty()) << name << " is not in the compiled file";
    EXPECT_NE(html.find("charset=windows-1252"), std::string::npos) << name;
    PageView got = read_page(html), want = expected_page(source, t);
    EXPECT_EQ(got.title, want.title) << name;
    EXPECT_EQ(got.lines, want.lines) << name;
    EXPECT_EQ(got.links, want.links) << name;
  }
}

TEST_F(BuiltChm, ContentsFileAndProjectOpenOnTheContentsPage) {
  std::vector<std::pair<std::string, std::string>> entries, want;  // title, page
  std::string hhc = file("Korvalo.hhc");
  for (size_t at = hhc.find("<object type=\"text/sitemap\">"); at != std::string::npos;
       at = hhc.find("<object type=\"text/sitemap\">", at + 1)) {
    std::string object = hhc.substr(at, hhc.find("</object>", at) - at);
    size_t name = object.find("name=\"Name\""), local = object.find("name=\"Local\"");
    entries.emplace_back(attribute(object.substr(name), "value"), attribute(object.substr(local), "value"));
  }
  for (const Topic &topic : source.topics) want.emplace_back(topic.title, topic.context + ".htm");
  EXPECT_EQ(entries, want);

  std::map<int, std::string> system = system_records(file("#SYSTEM"));
  EXPECT_EQ(system[2], source.topics[0].context + ".htm" + std::string(1, '\0')) << "default topic";
  EXPECT_EQ(system[3], source.caption + std::string(1, '\0')) << "title";
  ASSERT_GE(system[4].size(), 4u);
  EXPECT_EQ(uint8_t(system[4][0]) | uint8_t(system[4][1]) << 8, 0x0C0A) << "language: Spanish, code page 1252";
}
