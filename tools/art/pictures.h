// Every picture of the game and the installer, drawn, reduced and encoded.
#pragma once

#include <string>
#include <vector>

#include "tools/art/formats.h"
#include "tools/art/image.h"

namespace art {

enum class Kind { Bmp8, Bmp24, Cursor, Icon, Png };

struct Output {
    std::string path; // relative to the repository root
    Kind kind = Kind::Bmp8;
    int id = 0; // resource id; 1 for the icon, 0 for the sheets
    std::string caption;
    Bytes bytes;
    std::vector<Image> images;  // what the file shows, decoded (icons: every size)
    int hot_x = -1, hot_y = -1; // cursors
};

// The banner and the icon come first: other parts wait for them.
std::vector<Output> generate_pictures();

// The contact sheet and the board preview, drawn from the decoded pictures.
std::vector<Output> generate_sheets(const std::vector<Output>& pictures);

const Output* find_picture(const std::vector<Output>& all, int id, Kind kind);

} // namespace art
