#include "core/sound_effects.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "core/volume.h"
#include "media/system.h"

namespace {

// The sounds heard most often come in takes (sfx/NAME-1.wav ...), one picked at random each time.
// Their pitch is left alone, so every take sounds, and can be found in a recording, as it was
// made; the charge's ping in particular must come when the jump is full.
struct EffectFiles {
  const char* name;  // sfx/NAME.wav, or sfx/NAME-1.wav ... with takes
  int takes;
};

// In the order of SoundEffect.
constexpr EffectFiles kEffectFiles[] = {
    {"charge", 1}, {"jump", 2},   {"arrow", 1},  {"dive", 1},  {"land", 2},   {"hit", 1},
    {"clash", 1},  {"trip", 1},   {"hammer", 3}, {"getup", 1}, {"walker", 2}, {"thrown", 1},
    {"catch", 1},  {"win", 1},    {"draw", 1},   {"pause", 1}, {"resume", 1}, {"hover", 1},
    {"click", 1},  {"open", 1},   {"close", 1},  {"bind", 1},  {"tick", 1},   {"sting", 1},
    {"slide", 1},  {"prompt", 1},
};
static_assert(std::size(kEffectFiles) == static_cast<size_t>(SoundEffect::kCount));

constexpr const char* kFolder = "sfx";
constexpr float kPanWidth = 0.4f;  // the screen's edges pan this far: never hard to one side
constexpr int32_t kCosmeticSeed = 0x5F3759;

struct Bank {
  std::array<std::vector<media::SoundPtr>, static_cast<size_t>(SoundEffect::kCount)> sounds;
  int volume = kDefaultVolume;
  media::RandomStream cosmetic{kCosmeticSeed};
  SoundEffectListener listener;
};

Bank& TheBank() {
  static Bank bank;
  return bank;
}

std::string FilePath(const EffectFiles& files, int take) {
  const std::string stem = std::string(kFolder) + "/" + files.name;
  return files.takes == 1 ? stem + ".wav" : stem + "-" + std::to_string(take + 1) + ".wav";
}

media::SoundPtr LoadOne(const std::string& path) {
  media::SoundPtr sound = media::LoadSound(path);
  if (!sound) {
    std::cerr << "AVISO : efecto de sonido " << path
              << (std::filesystem::exists(path) ? " dañado (no es un WAV que se pueda leer)"
                                                : " no encontrado")
              << "; el juego sigue sin él\n";
  }
  return sound;
}

media::Channel Play(SoundEffect effect, float x, int volume) {
  Bank& bank = TheBank();
  if (bank.listener) bank.listener(effect, x, volume);
  const size_t index = static_cast<size_t>(effect);
  if (index >= bank.sounds.size() || bank.sounds[index].empty() || volume <= 0) return {};
  const auto& takes = bank.sounds[index];
  const int take = takes.size() == 1 ? 0 : bank.cosmetic.Int(0, static_cast<int>(takes.size()) - 1);
  media::PlayOptions options;
  options.volume = EffectsLevel(volume);
  options.pan = std::clamp((x - kMidScreenX) / kMidScreenX, -1.0f, 1.0f) * kPanWidth;
  return media::PlaySound(takes[take], options);
}

}  // namespace

void LoadSoundEffects() {
  Bank& bank = TheBank();
  for (auto& takes : bank.sounds) takes.clear();
  if (!std::filesystem::is_directory(kFolder)) {
    std::cerr << "AVISO : falta la carpeta de efectos de sonido " << kFolder
              << "/; el juego sigue sin ellos\n";
    return;
  }
  for (size_t index = 0; index < bank.sounds.size(); ++index) {
    const EffectFiles& files = kEffectFiles[index];
    for (int take = 0; take < files.takes; ++take) {
      if (media::SoundPtr sound = LoadOne(FilePath(files, take))) {
        bank.sounds[index].push_back(std::move(sound));
      }
    }
  }
}

void SetSoundEffectsVolume(int volume) {
  TheBank().volume = volume;
}

media::Channel PlaySoundEffect(SoundEffect effect, float x) {
  return Play(effect, x, TheBank().volume);
}

media::Channel PlaySoundEffectAt(SoundEffect effect, int volume) {
  return Play(effect, kMidScreenX, volume);
}

void ListenToSoundEffects(SoundEffectListener listener) {
  TheBank().listener = std::move(listener);
}
