#include "core/sound_effects.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "media/system.h"

namespace {

struct EffectFiles {
  const char* name;  // sfx/NAME.wav, or sfx/NAME-1.wav ... with variants
  int variants;
  float pitchSpread;  // the pitch moves at random by up to this share either way
};

// In the order of SoundEffect.
constexpr EffectFiles kEffectFiles[] = {
    {"charge", 1, 0.0f},  // its ping says when the jump is full: its timing must hold
    {"jump", 2, 0.04f},  {"arrow", 1, 0.02f},  {"dive", 1, 0.03f},   {"land", 2, 0.05f},
    {"hit", 1, 0.04f},   {"clash", 1, 0.03f},  {"trip", 1, 0.03f},   {"hammer", 3, 0.05f},
    {"getup", 1, 0.0f},  {"walker", 2, 0.06f}, {"thrown", 1, 0.05f}, {"catch", 1, 0.0f},
    {"win", 1, 0.0f},    {"draw", 1, 0.0f},    {"pause", 1, 0.0f},   {"resume", 1, 0.0f},
    {"hover", 1, 0.03f}, {"click", 1, 0.0f},   {"open", 1, 0.0f},    {"close", 1, 0.0f},
    {"bind", 1, 0.0f},   {"tick", 1, 0.0f},    {"sting", 1, 0.0f},   {"slide", 1, 0.0f},
    {"prompt", 1, 0.0f},
};
static_assert(std::size(kEffectFiles) == static_cast<size_t>(SoundEffect::kCount));

constexpr const char* kFolder = "sfx";
constexpr int kMaxVolume = 100;
constexpr float kPanWidth = 0.4f;  // the screen's edges pan this far: never hard to one side
// The level grows as the square root of the setting: 5 is already about -13 dB, clearly heard
// over the music's own 5, and the top of the slider still makes a difference.
constexpr double kLevelCurve = 0.5;
constexpr int32_t kCosmeticSeed = 0x5F3759;

struct Bank {
  std::array<std::vector<media::SoundPtr>, static_cast<size_t>(SoundEffect::kCount)> sounds;
  int volume = 5;
  media::RandomStream cosmetic{kCosmeticSeed};
  SoundEffectListener listener;
};

Bank& TheBank() {
  static Bank bank;
  return bank;
}

std::string FilePath(const EffectFiles& files, int variant) {
  const std::string stem = std::string(kFolder) + "/" + files.name;
  return files.variants == 1 ? stem + ".wav" : stem + "-" + std::to_string(variant + 1) + ".wav";
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
  const EffectFiles& files = kEffectFiles[index];
  const auto& variants = bank.sounds[index];
  const media::SoundPtr& sound =
      variants[variants.size() == 1 ? 0
                                    : bank.cosmetic.Int(0, static_cast<int>(variants.size()) - 1)];
  media::PlayOptions options;
  options.volume = SoundEffectLevel(volume);
  options.pan = std::clamp((x - kMidScreenX) / kMidScreenX, -1.0f, 1.0f) * kPanWidth;
  if (files.pitchSpread > 0) {
    options.pitch =
        static_cast<float>(1 + bank.cosmetic.Float(-files.pitchSpread, files.pitchSpread));
  }
  return media::PlaySound(sound, options);
}

}  // namespace

void LoadSoundEffects() {
  Bank& bank = TheBank();
  for (auto& variants : bank.sounds) variants.clear();
  if (!std::filesystem::is_directory(kFolder)) {
    std::cerr << "AVISO : falta la carpeta de efectos de sonido " << kFolder
              << "/; el juego sigue sin ellos\n";
    return;
  }
  for (size_t index = 0; index < bank.sounds.size(); ++index) {
    const EffectFiles& files = kEffectFiles[index];
    for (int variant = 0; variant < files.variants; ++variant) {
      if (media::SoundPtr sound = LoadOne(FilePath(files, variant))) {
        bank.sounds[index].push_back(std::move(sound));
      }
    }
  }
}

void SetSoundEffectsVolume(int volume) {
  TheBank().volume = volume;
}

float SoundEffectLevel(int volume) {
  const int clamped = std::clamp(volume, 0, kMaxVolume);
  return static_cast<float>(std::pow(static_cast<double>(clamped) / kMaxVolume, kLevelCurve));
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
