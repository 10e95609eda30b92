// Deterministic colour reduction: median cut over the picture's histogram,
// refined by a few rounds of k-means, then nearest-colour mapping.
#pragma once

#include <vector>

#include "tools/art/image.h"

namespace art {

// Reduces the shown pixels of an image to at most max_colours palette
// entries. Black and every colour in `reserved` get an entry of their own,
// used or not, and pixels of exactly that colour map to it (white for the
// masks drawn beside a sprite). Black is index 0: transparent pixels and
// the padding up to pad_to entries use it.
Indexed quantise(const Image& image, int max_colours, const std::vector<Rgb>& reserved, int pad_to);

} // namespace art
