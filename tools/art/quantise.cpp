#include "tools/art/quantise.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>

namespace art {
namespace {

struct Entry {
    Rgb colour;
    std::int64_t count;
};

int channel(Rgb c, int axis) { return axis == 0 ? red_of(c) : axis == 1 ? green_of(c) : blue_of(c); }

// Distance with the usual perceptual weights, in integers so that every
// machine picks the same nearest colour.
std::int64_t distance(Rgb a, Rgb b) {
    const std::int64_t dr = red_of(a) - red_of(b), dg = green_of(a) - green_of(b), db = blue_of(a) - blue_of(b);
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

struct Box {
    std::vector<Entry> entries;
    std::int64_t population = 0;
    std::int64_t error = 0; // weighted sum of squared deviations on the widest axis
    int axis = 0;
};

void measure(Box& box) {
    box.population = 0;
    std::array<std::int64_t, 3> sum{}, sum2{};
    for (const Entry& e : box.entries) {
        box.population += e.count;
        for (int a = 0; a < 3; ++a) {
            const std::int64_t v = channel(e.colour, a);
            sum[a] += v * e.count;
            sum2[a] += v * v * e.count;
        }
    }
    static const int weight[3] = {3, 4, 2};
    box.error = -1;
    for (int a = 0; a < 3; ++a) {
        // population * variance, scaled by population to stay in integers.
        const std::int64_t spread =
            (sum2[a] * box.population - sum[a] * sum[a]) / std::max<std::int64_t>(box.population, 1);
        if (spread * weight[a] > box.error) {
            box.error = spread * weight[a];
            box.axis = a;
        }
    }
    if (box.entries.size() < 2) box.error = -1;
}

Rgb mean_of(const std::vector<Entry>& entries) {
    std::int64_t n = 0, r = 0, g = 0, b = 0;
    for (const Entry& e : entries) {
        n += e.count;
        r += std::int64_t(red_of(e.colour)) * e.count;
        g += std::int64_t(green_of(e.colour)) * e.count;
        b += std::int64_t(blue_of(e.colour)) * e.count;
    }
    if (n == 0) return kBlack;
    return rgb(int((r + n / 2) / n), int((g + n / 2) / n), int((b + n / 2) / n));
}

std::vector<Rgb> median_cut(const std::vector<Entry>& entries, int wanted) {
    std::vector<Box> boxes(1);
    boxes[0].entries = entries;
    measure(boxes[0]);
    while (int(boxes.size()) < wanted) {
        std::size_t best = 0;
        for (std::size_t i = 1; i < boxes.size(); ++i)
            if (boxes[i].error > boxes[best].error) best = i;
        if (boxes[best].error <= 0) break;
        Box& box = boxes[best];
        const int axis = box.axis;
        std::stable_sort(box.entries.begin(), box.entries.end(), [axis](const Entry& a, const Entry& b) {
            const int ca = channel(a.colour, axis), cb = channel(b.colour, axis);
            return ca != cb ? ca < cb : a.colour < b.colour;
        });
        std::int64_t half = box.population / 2, run = 0;
        std::size_t cut = 1;
        for (std::size_t i = 0; i + 1 < box.entries.size(); ++i) {
            run += box.entries[i].count;
            cut = i + 1;
            if (run >= half) break;
        }
        Box upper;
        upper.entries.assign(box.entries.begin() + std::ptrdiff_t(cut), box.entries.end());
        box.entries.resize(cut);
        measure(box);
        measure(upper);
        boxes.push_back(std::move(upper));
    }
    std::vector<Rgb> palette;
    for (const Box& box : boxes) palette.push_back(mean_of(box.entries));
    return palette;
}

std::size_t nearest(const std::vector<Rgb>& palette, Rgb c, std::size_t from) {
    std::size_t best = from;
    std::int64_t best_d = distance(palette[from], c);
    for (std::size_t i = from + 1; i < palette.size(); ++i) {
        const std::int64_t d = distance(palette[i], c);
        if (d < best_d) {
            best_d = d;
            best = i;
        }
    }
    return best;
}

} // namespace

Indexed quantise(const Image& image, int max_colours, const std::vector<Rgb>& reserved, int pad_to) {
    std::map<Rgb, std::int64_t> histogram;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (image.shown(x, y)) ++histogram[image.at(x, y)];

    // Reserved colours first, in the order given, whether used or not (a mask
    // half drawn later may need them); black always.
    std::vector<Rgb> fixed{kBlack};
    for (Rgb c : reserved)
        if (std::find(fixed.begin(), fixed.end(), c) == fixed.end()) fixed.push_back(c);

    std::vector<Entry> free_entries;
    for (const auto& [colour, count] : histogram)
        if (std::find(fixed.begin(), fixed.end(), colour) == fixed.end()) free_entries.push_back({colour, count});

    const int room = max_colours - int(fixed.size());
    std::vector<Rgb> chosen;
    if (int(free_entries.size()) <= room) {
        for (const Entry& e : free_entries) chosen.push_back(e.colour);
    } else {
        chosen = median_cut(free_entries, room);
        // k-means refinement over the free colours; reserved entries stay put.
        for (int round = 0; round < 6; ++round) {
            std::vector<std::vector<Entry>> groups(chosen.size());
            for (const Entry& e : free_entries) groups[nearest(chosen, e.colour, 0)].push_back(e);
            for (std::size_t i = 0; i < chosen.size(); ++i)
                if (!groups[i].empty()) chosen[i] = mean_of(groups[i]);
        }
        std::sort(chosen.begin(), chosen.end());
        chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
        // A mean may land on a reserved colour: drop it, the reserved entry serves.
        chosen.erase(std::remove_if(chosen.begin(), chosen.end(),
                                    [&](Rgb c) { return std::find(fixed.begin(), fixed.end(), c) != fixed.end(); }),
                     chosen.end());
    }
    // Darkest first after the reserved entries, ties by value: a stable order.
    std::stable_sort(chosen.begin(), chosen.end(), [](Rgb a, Rgb b) {
        const int la = 3 * red_of(a) + 6 * green_of(a) + blue_of(a), lb = 3 * red_of(b) + 6 * green_of(b) + blue_of(b);
        return la != lb ? la < lb : a < b;
    });

    Indexed out;
    out.width = image.width;
    out.height = image.height;
    out.opaque = image.opaque;
    out.palette = fixed;
    out.palette.insert(out.palette.end(), chosen.begin(), chosen.end());
    // Black at index 0 so that transparent pixels and padding are black.
    auto black = std::find(out.palette.begin(), out.palette.end(), kBlack);
    std::rotate(out.palette.begin(), black, black + 1);

    std::map<Rgb, std::uint8_t> lookup;
    for (const auto& [colour, count] : histogram) {
        (void)count;
        auto exact = std::find(out.palette.begin(), out.palette.end(), colour);
        // A colour without an exact entry takes the nearest one, reserved
        // entries included: masks are therefore derived after quantising.
        const std::size_t i =
            exact != out.palette.end() ? std::size_t(exact - out.palette.begin()) : nearest(out.palette, colour, 0);
        lookup[colour] = std::uint8_t(i);
    }
    out.index.assign(std::size_t(image.width) * image.height, 0);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (image.shown(x, y)) out.index[std::size_t(y) * image.width + x] = lookup[image.at(x, y)];
    while (int(out.palette.size()) < pad_to) out.palette.push_back(kBlack);
    return out;
}

} // namespace art
