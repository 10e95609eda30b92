// The game's sounds, played through winmm.dll taken from the system folder.
#pragma once

// As sndPlaySoundA; a null name stops the sound playing. Silent when the
// system has no winmm.dll.
void play_wave(const char* file, unsigned flags);
