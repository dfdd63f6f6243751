#include "core/music.h"

media::SoundPtr gameMusic;
media::SoundPtr menuMusic;

void LoadMusic() {
  gameMusic = media::LoadSound("music/horrormusic-version-2007_07_27_15_11.ogg", media::kSoundLoop);
  menuMusic = media::LoadSound("music/intro-version-2007_07_24_23_31.ogg", media::kSoundLoop);
}
