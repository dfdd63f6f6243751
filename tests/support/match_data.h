#pragma once
// The data folder of a match, written by the test: one-bone puppets for every package and
// animation file, the image table with the draw picture, and panorama panels when asked for.
#include <algorithm>
#include <filesystem>
#include <string>

#include "entities/match_field.h"

inline void WriteSolidPng(const std::string& path, uint32_t argb, int width = 8, int height = 8) {
  auto image = media::CreateImage(width, height, 1, 0);
  std::fill_n(image->Pixels(0), width * height, argb);
  media::SavePNG(*image, path);
}

// The winner and draw pictures are solid, each in its own colour.
inline constexpr uint32_t kWinnerColour = 0xFFFFD700u;
inline constexpr uint32_t kDrawColour = 0xFF2E7D32u;

// The signs over the field, each of a colour of its own: the pause sign, and per player the name
// on the winner picture and the marker above the screen.
inline constexpr uint32_t kPauseSignColour = 0xFF8020C0u;
inline constexpr uint32_t kWinnerNameColours[4] = {0xFFC00000u, 0xFF0000C0u, 0xFF00C000u,
                                                   0xFFC0C000u};

// Into gfx/ and anim/ of the current folder, which must exist.
inline void WriteMatchData() {
  for (int i = 0; i < 4; ++i) OneGraphPackage()->Save("gfx/chr" + std::to_string(i) + ".vgp");
  for (int i = 1; i <= 8; ++i) OneGraphPackage()->Save("gfx/zombie" + std::to_string(i) + ".vgp");
  OneBoneAnimations(14)->Save("anim/animchr.vba");
  OneBoneAnimations(10)->Save("anim/animzombie.vba");
  for (const char* name : {"sombra", "flecha", "1up", "2up", "3up", "4up", "sangre1", "sangre2",
                           "sangre3", "sangre4", "sangre5", "chispas"}) {
    WriteSolidPng(std::string("gfx/") + name + ".png", 0xFF808080u);
  }
  WriteSolidPng("gfx/ganador.png", kWinnerColour, 800, 600);
  WriteSolidPng("gfx/empate.png", kDrawColour, 800, 600);
  WriteSolidPng("gfx/pausa.png", kPauseSignColour, 40, 20);
  for (int player = 0; player < 4; ++player) {
    const std::string number = std::to_string(player + 1);
    WriteSolidPng("gfx/gana" + number + ".png", kWinnerNameColours[player], 60, 20);
    WriteSolidPng("gfx/fuera" + number + ".png", kWinnerNameColours[player], 10, 10);
  }
}

// The same into `folder`, which is made with its gfx/ and anim/ when missing.
inline void WriteMatchDataIn(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder / "gfx");
  std::filesystem::create_directories(folder / "anim");
  const std::filesystem::path here = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  WriteMatchData();
  std::filesystem::current_path(here);
}
