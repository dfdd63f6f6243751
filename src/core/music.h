#pragma once
// The two looping tracks: one under the menu, one under matches and the tutorial. A track that
// failed to load stays null and plays as silence.
#include "media/sound.h"

extern media::SoundPtr gameMusic;
extern media::SoundPtr menuMusic;

void LoadMusic();
