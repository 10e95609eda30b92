#include "tools/helpc/tests/hlp_reader.h"

#include <cstring>

namespace {

struct Cursor {
  const FileBytes &bytes;
  size_t at, end;
  bool ok = true;

  uint32_t u8() {
    if (at + 1 > end) return ok = false, 0;
    return bytes[at++];
  }
  uint32_t u16() {
    uint32_t lo = u8();
    return lo | (u8() << 8);
  }
  uint32_t u32() {
    uint32_t lo = u16();
    return lo | (u16() << 16);
  }
  std::string cstring() {
    std::string s;
    while (ok && at < end && bytes[at] != 0) s += char(bytes[at++]);
    if (at >= end) ok = false;
    at++;
    return s;
  }
};

uint32_t get_u32(const FileBytes &b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}
uint32_t get_u16(const FileBytes &b, size_t at) { return b[at] | (b[at + 1] << 8); }

bool fail(std::string &error, const std::string &message) {
  error = message;
  return false;
}

struct Payload {
  size_t at = 0, size = 0;
};

// A 9-byte internal file header and what it covers.
bool internal_file(const FileBytes &file, size_t at, Payload &payload, std::string &error) {
  if (at + 9 > file.size()) return fail(error, "file header beyond the end");
  uint32_t reserved = get_u32(file, at), used = get_u32(file, at + 4);
  if (reserved < used + 9) return fail(error, "reserved space leaves no room for the file header");
  if (at + 9 + used > file.size()) return fail(error, "internal file runs past the end");
  payload.at = at + 9;
  payload.size = used;
  return true;
}

struct Tree {
  std::vector<std::pair<size_t, size_t>> entries;  // start, end of each entry
  size_t page_at = 0;
};

// A one-page B+ tree; entry_size reads one entry from a position and
// returns its length.
template <typename EntrySize>
bool read_tree(const FileBytes &file, const Payload &p, uint16_t page_size, const char *structure, Tree &tree,
               EntrySize entry_size, std::string &error) {
  if (p.size < 38u + page_size) return fail(error, std::string("tree ") + structure + " too small");
  if (get_u16(file, p.at) != 0x293B) return fail(error, "bad tree magic");
  if (get_u16(file, p.at + 4) != page_size) return fail(error, "bad page size");
  if (strncmp(reinterpret_cast<const char *>(&file[p.at + 6]), structure, 16) != 0)
    return fail(error, std::string("bad structure, expected ") + structure);
  if (get_u16(file, p.at + 30) != 1 || get_u16(file, p.at + 32) != 1 || get_u16(file, p.at + 26) != 0)
    return fail(error, "tree is not a single leaf");
  uint32_t total = get_u32(file, p.at + 34);
  tree.page_at = p.at + 38;
  uint32_t free_bytes = get_u16(file, tree.page_at), count = get_u16(file, tree.page_at + 2);
  if (count != total) return fail(error, "leaf count differs from the tree's entry count");
  if (get_u16(file, tree.page_at + 4) != 0xFFFF || get_u16(file, tree.page_at + 6) != 0xFFFF)
    return fail(error, "single leaf with neighbours");
  size_t at = tree.page_at + 8, page_end = tree.page_at + page_size;
  for (uint32_t i = 0; i < count; i++) {
    size_t length = entry_size(at, page_end);
    if (length == 0 || at + length > page_end) return fail(error, "tree entry past its page");
    tree.entries.push_back({at, at + length});
    at += length;
  }
  if (free_bytes != page_end - at) return fail(error, "wrong free-byte count in a leaf");
  return true;
}

bool read_directory(const FileBytes &file, std::vector<std::pair<std::string, uint32_t>> &names,
                    std::string &error) {
  Payload p;
  if (!internal_file(file, get_u32(file, 4), p, error)) return false;
  Tree tree;
  auto entry = [&](size_t at, size_t end) -> size_t {
    size_t n = at;
    while (n < end && file[n] != 0) n++;
    return n + 5 <= end ? n + 5 - at : 0;
  };
  if (!read_tree(file, p, 1024, "z4", tree, entry, error)) return false;
  for (auto &e : tree.entries) {
    std::string name(reinterpret_cast<const char *>(&file[e.first]));
    names.push_back({name, get_u32(file, e.second - 4)});
  }
  return true;
}

// The viewer's lookup: walk in order, stop at the first name that is not
// smaller (so a directory out of byte order hides files).
bool lookup_file(const FileBytes &file, const std::vector<std::pair<std::string, uint32_t>> &names,
                 const std::string &name, Payload &payload, std::string &error) {
  for (auto &n : names) {
    int c = strcmp(n.first.c_str(), name.c_str());
    if (c == 0) return internal_file(file, n.second, payload, error);
    if (c > 0) break;
  }
  return fail(error, "internal file " + name + " not found");
}

bool read_system(const FileBytes &file, const Payload &p, HelpView &view, std::string &error) {
  if (p.size < 12 || get_u16(file, p.at) != 0x036C) return fail(error, "bad |SYSTEM magic");
  if (get_u16(file, p.at + 2) != 21 || get_u16(file, p.at + 4) != 1) return fail(error, "|SYSTEM is not version 3.1");
  if (get_u16(file, p.at + 10) != 0) return fail(error, "|SYSTEM asks for compressed topics");
  size_t at = p.at + 12, end = p.at + p.size;
  while (at < end) {
    if (at + 4 > end) return fail(error, "|SYSTEM record header cut");
    uint32_t type = get_u16(file, at), size = get_u16(file, at + 2);
    at += 4;
    if (at + size > end) return fail(error, "|SYSTEM record past the end");
    std::string text(reinterpret_cast<const char *>(&file[at]), strnlen(reinterpret_cast<const char *>(&file[at]), size));
    if (type == 1) view.title = text;
    if (type == 2) view.copyright = text;
    if (type == 3) {
      if (size != 4) return fail(error, "contents record not 4 bytes");
      view.has_contents = true;
      view.contents_offset = get_u32(file, at);
    }
    if (type == 6) {
      if (size != 90) return fail(error, "window record not 90 bytes");
      if (get_u16(file, at) & 4)
        view.caption = std::string(reinterpret_cast<const char *>(&file[at + 21]), strnlen(reinterpret_cast<const char *>(&file[at + 21]), 51));
    }
    at += size;
  }
  return true;
}

bool read_fonts(const FileBytes &file, const Payload &p, HelpView &view, std::string &error) {
  if (p.size < 8) return fail(error, "|FONT too small");
  uint32_t faces = get_u16(file, p.at), count = get_u16(file, p.at + 2);
  uint32_t face_at = get_u16(file, p.at + 4), descriptor_at = get_u16(file, p.at + 6);
  if (faces == 0) return fail(error, "|FONT without face names");
  if (face_at >= 12) return fail(error, "|FONT face offset selects a newer descriptor format");
  uint32_t slot = (descriptor_at - face_at) / faces;
  if (descriptor_at + count * 11 > p.size) return fail(error, "|FONT descriptors past the end");
  for (uint32_t i = 0; i < faces; i++) {
    const char *name = reinterpret_cast<const char *>(&file[p.at + face_at + i * slot]);
    view.faces.push_back(std::string(name, strnlen(name, slot)));
  }
  for (uint32_t i = 0; i < count; i++) {
    size_t d = p.at + descriptor_at + i * 11;
    ReadFont f{file[d], file[d + 1], file[d + 2], int(get_u16(file, d + 3))};
    if (uint32_t(f.face) >= faces) return fail(error, "font descriptor names a missing face");
    view.fonts.push_back(f);
  }
  return true;
}

bool read_contexts(const FileBytes &file, const Payload &p, HelpView &view, std::string &error) {
  Tree tree;
  auto entry = [](size_t, size_t) -> size_t { return 8; };
  if (!read_tree(file, p, 2048, "L4", tree, entry, error)) return false;
  for (auto &e : tree.entries) view.contexts.push_back({int32_t(get_u32(file, e.first)), get_u32(file, e.first + 4)});
  return true;
}

bool read_titles(const FileBytes &file, const Payload &p, HelpView &view, std::string &error) {
  Tree tree;
  auto entry = [&](size_t at, size_t end) -> size_t {
    size_t n = at + 4;
    while (n < end && file[n] != 0) n++;
    return n < end ? n + 1 - at : 0;
  };
  if (!read_tree(file, p, 2048, "Lz", tree, entry, error)) return false;
  for (auto &e : tree.entries)
    view.titles.push_back({get_u32(file, e.first), std::string(reinterpret_cast<const char *>(&file[e.first + 4]))});
  return true;
}

// The |TOPIC data with the block headers taken out, as the viewer keeps it,
// so that a LinkData2 running into the next block reads on naturally.
struct TopicData {
  FileBytes data;
  size_t blocks;
};

bool linear_index(uint32_t pos, const TopicData &t, size_t &index) {
  uint32_t block = pos >> 14, inside = pos & 0x3FFF;
  if (block >= t.blocks || inside < 12 || inside >= 4096) return false;
  index = block * 4084 + inside - 12;
  return true;
}

bool decode_ushort(Cursor &c, uint32_t &v) {
  uint32_t b = c.u8();
  v = (b & 1) ? ((b | (c.u8() << 8)) >> 1) : (b >> 1);
  return c.ok;
}
bool decode_short(Cursor &c, int &v) {
  uint32_t b = c.u8();
  v = (b & 1) ? int(((b | (c.u8() << 8)) >> 1)) - 16384 : int(b >> 1) - 64;
  return c.ok;
}
bool decode_long(Cursor &c, int64_t &v) {
  uint32_t lo = c.u16();
  if (lo & 1) v = int64_t(((lo | (c.u16() << 16)) >> 1)) - 0x40000000;
  else v = int64_t(lo >> 1) - 0x4000;
  return c.ok;
}

// One text record: its commands run with its strings, paragraph by
// paragraph.
bool read_text_record(const FileBytes &d, size_t start, uint32_t len1, uint32_t len2, const HelpView &view,
                      ReadTopic &topic, uint32_t &characters, std::string &error) {
  Cursor format{d, start + 21, start + len1};
  Cursor text{d, start + len1, start + len1 + len2};
  int64_t topic_size;
  uint32_t topic_length;
  if (!decode_long(format, topic_size) || !decode_ushort(format, topic_length))
    return fail(error, "text record sizes cut");
  if (topic_length != len2) return fail(error, "TopicLength differs from the stored LinkData2 length");
  if (uint64_t(topic_size) != format.end - format.at) return fail(error, "TopicSize differs from the formatting bytes");
  characters = topic_length;
  if (format.u8() != 0x00 || format.u8() != 0x80 || format.u16() != 0) return fail(error, "bad paragraph lead-in");
  ReadParagraph paragraph;
  paragraph.bits = uint16_t(format.u16());
  if (paragraph.bits & ~0x007E) return fail(error, "paragraph bits the reader does not know");
  for (uint16_t bit = 0x02; bit <= 0x40; bit <<= 1) {
    if (!(paragraph.bits & bit)) continue;
    int v;
    if (!decode_short(format, v)) return fail(error, "paragraph value cut");
    if (bit == 0x10) paragraph.left_indent = v;
  }
  bool base_bold = false, in_bold = false, in_jump = false;
  ReadJump jump{0, ""};
  for (;;) {
    std::string s = text.cstring();
    if (!text.ok) return fail(error, "ran out of strings before the end command");
    paragraph.shown += s;
    if (in_jump) jump.text += s;
    uint32_t command = format.u8();
    if (!format.ok) return fail(error, "ran out of commands");
    if (command == 0x80) {
      uint32_t font = format.u16();
      if (font >= view.fonts.size()) return fail(error, "font command names a missing font");
      bool bold = view.fonts[font].style & 1;
      if (paragraph.first_font < 0) {
        paragraph.first_font = int(font);
        base_bold = bold;
      } else if (!base_bold && bold != in_bold) {
        paragraph.shown += "*";
      }
      in_bold = bold;
    } else if (command == 0x81) {
      paragraph.shown += "\n";
    } else if (command == 0x82) {
      topic.paragraphs.push_back(paragraph);
      paragraph = ReadParagraph{};
      base_bold = in_bold = false;
    } else if (command == 0xE3) {
      if (in_jump) return fail(error, "jump inside a jump");
      jump = ReadJump{format.u32(), ""};
      in_jump = true;
      paragraph.shown += "[";
    } else if (command == 0x89) {
      if (!in_jump) return fail(error, "end of a jump that never started");
      in_jump = false;
      paragraph.shown += "]";
      paragraph.jumps.push_back(jump);
    } else if (command == 0xFF) {
      break;
    } else {
      return fail(error, "unknown formatting command");
    }
  }
  if (format.at != format.end) return fail(error, "formatting bytes left after the end command");
  if (text.at != text.end) return fail(error, "strings left after the end command");
  if (!paragraph.shown.empty() || in_jump) return fail(error, "text after the last end of paragraph");
  return true;
}

struct Walked {
  uint32_t pos;
  uint8_t type;
};

bool check_block_headers(const FileBytes &file, const Payload &p, const std::vector<Walked> &records, size_t blocks,
                         std::string &error) {
  for (size_t b = 0; b < blocks; b++) {
    uint32_t last_before = 0xFFFFFFFF, first_here = 0xFFFFFFFF, header_before = 0;
    for (const Walked &r : records) {
      if ((r.pos >> 14) < b) {
        last_before = r.pos;
        if (r.type == 2) header_before = r.pos;
      } else if ((r.pos >> 14) == b && first_here == 0xFFFFFFFF) {
        first_here = r.pos;
      }
    }
    size_t at = p.at + b * 4096;
    if (get_u32(file, at) != last_before || get_u32(file, at + 4) != first_here || get_u32(file, at + 8) != header_before)
      return fail(error, "block header " + std::to_string(b) + " does not match the records");
  }
  return true;
}

bool read_topics(const FileBytes &file, const Payload &p, HelpView &view, std::string &error) {
  if (p.size == 0 || p.size % 4096 != 0) return fail(error, "|TOPIC is not whole 4 KB blocks");
  TopicData t{{}, p.size / 4096};
  for (size_t b = 0; b < t.blocks; b++)
    t.data.insert(t.data.end(), file.begin() + long(p.at + b * 4096 + 12), file.begin() + long(p.at + (b + 1) * 4096));
  view.topic_blocks = t.blocks;

  std::vector<Walked> walked;
  uint32_t pos = 12, previous = 0xFFFFFFFF, block = 0, characters = 0;
  uint32_t expected_next_header = 12;
  bool ended = false;
  ReadTopic *topic = nullptr;
  bool expect_first_text = false;
  uint32_t first_text_pos = 0;
  while (!ended) {
    if (walked.size() > 100000) return fail(error, "topic chain does not end");
    size_t at;
    if (!linear_index(pos, t, at) || at + 21 > t.data.size()) return fail(error, "record position outside |TOPIC");
    uint32_t size = get_u32(t.data, at), len2 = get_u32(t.data, at + 4), prev = get_u32(t.data, at + 8);
    uint32_t next = get_u32(t.data, at + 12), len1 = get_u32(t.data, at + 16);
    uint8_t type = t.data[at + 20];
    if (prev != previous) return fail(error, "previous-record link broken at " + std::to_string(pos));
    if (size != len1 + len2 || len1 < 21) return fail(error, "record sizes do not add up");
    if ((pos & 0x3FFF) + len1 > 4096) return fail(error, "record header and LinkData1 straddle a block");
    if (at + size > t.data.size()) return fail(error, "record runs past |TOPIC");
    if ((pos >> 14) != block) {
      block = pos >> 14;
      characters = 0;
    }
    uint32_t offset = block * 0x8000 + characters;
    walked.push_back({pos, type});
    if (type == 2) {
      if (len1 != 21 + 28) return fail(error, "topic header LinkData1 is not 28 bytes");
      if (pos != expected_next_header) return fail(error, "topic header chain skips a header");
      if (expect_first_text) return fail(error, "topic without text");
      uint32_t number = get_u32(t.data, at + 21 + 12), scroll = get_u32(t.data, at + 21 + 20);
      expected_next_header = get_u32(t.data, at + 21 + 24);
      std::string title(t.data.begin() + long(at + len1), t.data.begin() + long(at + len1 + len2));
      if (expected_next_header == 0xFFFFFFFF) {
        if (!title.empty() || next != 0xFFFFFFFF) return fail(error, "last topic header is not the empty closing one");
        ended = true;
        break;
      }
      view.topics.push_back(ReadTopic{title, number, pos, offset, {}});
      topic = &view.topics.back();
      expect_first_text = true;
      first_text_pos = scroll;
    } else if (type == 0x20) {
      if (!topic) return fail(error, "text before the first topic header");
      if (expect_first_text && first_text_pos != pos) return fail(error, "scrolling region is not the first text");
      expect_first_text = false;
      uint32_t counted;
      if (!read_text_record(t.data, at, len1, len2, view, *topic, counted, error)) return false;
      characters += counted;
    } else {
      return fail(error, "unknown record type");
    }
    if (next == 0xFFFFFFFF) return fail(error, "chain ends without the closing topic header");
    if (next <= pos) return fail(error, "chain runs backwards");
    previous = pos;
    pos = next;
  }
  return check_block_headers(file, p, walked, t.blocks, error);
}

}  // namespace

bool read_help(const FileBytes &file, HelpView &view, std::string &error) {
  view = HelpView{};
  if (file.size() < 16 || get_u32(file, 0) != 0x00035F3F) return fail(error, "not a help file");
  if (get_u32(file, 12) != file.size()) return fail(error, "header's total size is not the file size");
  if (get_u32(file, 4) + 9 > file.size()) return fail(error, "directory beyond the end");
  std::vector<std::pair<std::string, uint32_t>> names;
  if (!read_directory(file, names, error)) return false;
  for (auto &n : names) view.file_names.push_back(n.first);
  Payload system, font, context, topic, titles;
  if (!lookup_file(file, names, "|SYSTEM", system, error) || !read_system(file, system, view, error)) return false;
  if (!lookup_file(file, names, "|FONT", font, error) || !read_fonts(file, font, view, error)) return false;
  if (!lookup_file(file, names, "|CONTEXT", context, error) || !read_contexts(file, context, view, error)) return false;
  if (!lookup_file(file, names, "|TOPIC", topic, error) || !read_topics(file, topic, view, error)) return false;
  std::string ignored;
  if (lookup_file(file, names, "|TTLBTREE", titles, ignored) && !read_titles(file, titles, view, error)) return false;
  return true;
}

int64_t find_context(const HelpView &view, uint32_t hash) {
  for (const ContextPair &c : view.contexts) {
    if (c.hash == int32_t(hash)) return c.offset;
    if (c.hash > int32_t(hash)) break;
  }
  return -1;
}

int topic_at_offset(const HelpView &view, uint32_t offset) {
  int best = -1;
  for (size_t i = 0; i < view.topics.size(); i++)
    if (view.topics[i].offset <= offset && (best < 0 || view.topics[i].offset >= view.topics[size_t(best)].offset))
      best = int(i);
  return best;
}

int resolve_jump(const HelpView &view, uint32_t hash) {
  int64_t offset = find_context(view, hash);
  return offset < 0 ? -1 : topic_at_offset(view, uint32_t(offset));
}
