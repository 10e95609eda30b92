// The game's sounds, played through winmm.dll taken from the system folder.
#pragma once

// Loads winmm.dll at start-up, as an import would, so that the first sound
// does not wait for it in the middle of a dialog or a throw.
void load_sound_player();
// As sndPlaySoundA; a null name stops the sound playing. Silent when the
// system has no winmm.dll.
void play_wave(const char* file, unsigned flags);
