// The eleven wave files the game plays, synthesised
// from nothing but the code in this folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/sound/dsp.h"

struct SoundFile {
    std::string name;           // as the game plays it, e.g. "Dados.wav"
    std::vector<uint8_t> bytes; // the whole file
};

// Every sound, in the order of the sound table.
std::vector<SoundFile> make_all_sounds();

// A RIFF/WAVE file of the buffer: PCM, 22 050 Hz, 16 bits, one channel.
std::vector<uint8_t> encode_wave(const dsp::Buffer& buffer);
