#include <cmath>

#include "tools/sound/sounds.h"

namespace {

void put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void put_tag(std::vector<uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

} // namespace

std::vector<uint8_t> encode_wave(const dsp::Buffer& buffer) {
    const uint32_t data_bytes = static_cast<uint32_t>(buffer.samples.size() * 2);
    std::vector<uint8_t> out;
    out.reserve(44 + data_bytes);
    put_tag(out, "RIFF");
    put32(out, 36 + data_bytes);
    put_tag(out, "WAVE");
    put_tag(out, "fmt ");
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, dsp::RATE);
    put32(out, dsp::RATE * 2); // bytes per second
    put16(out, 2);             // bytes per sample frame
    put16(out, 16);            // bits per sample
    put_tag(out, "data");
    put32(out, data_bytes);
    for (double s : buffer.samples) {
        double v = std::floor(s * 32767.0 + 0.5);
        v = v > 32767 ? 32767 : (v < -32768 ? -32768 : v);
        put16(out, static_cast<uint16_t>(static_cast<int16_t>(v)));
    }
    return out;
}
