#pragma once
// The player-facing settings. Player count, volumes and the four input codes (or computer seats,
// see core/input_code.h) persist in "wtf.cfg" in the settings folder (the current folder, where the
// program finds its data, unless start-up chose another); the level choice lives in memory.
#include <array>
#include <memory>
#include <string>

#include "core/input_code.h"
#include "core/volume.h"

constexpr int kMaxPlayers = 4;

// The sceneries by level index; their panels are "gfx/" + name + layer + "_" + variant + ".png".
inline constexpr const char* kLevelNames[] = {"bosque", "ciudad", "metro"};

class TConfiguracion {
 public:
  static constexpr const char* kFileName = "wtf.cfg";
  static constexpr int kFileBytes = 28;  // seven little-endian int32

  // Reads the file, or writes the defaults when it is missing, short or unreadable.
  static std::shared_ptr<TConfiguracion> Create();

  // Where "wtf.cfg" is read and written; empty means the current folder.
  static void SetFolder(const std::string& folder);
  static std::string FilePath();

  // Writes a temporary file beside "wtf.cfg" and renames it over the old one, so an interrupted
  // save leaves either the old or the new settings. False when nothing could be written.
  bool Save();
  // False (settings untouched) when the file is missing or holds fewer than 28 bytes.
  bool Load();

  void SetMusicVolume(int volume) { musicVolume = volume; }
  int GetMusicVolume() const { return musicVolume; }
  void SetSoundVolume(int volume) { soundVolume = volume; }
  int GetSoundVolume() const { return soundVolume; }
  int GetKey(int player) const;
  void SetKey(int player, int code);
  // The computer's strength when the player's seat is the computer's; nothing for a person.
  std::optional<CpuStrength> CpuSeat(int player) const { return SeatStrength(GetKey(player)); }
  const std::string& GetLevelName() const { return levelName; }
  void SetLevelName(const std::string& name) { levelName = name; }

  // The stored volume is whatever the file held; the music's channel gets its level on the
  // volume curve, the setting clamped to 0-100.
  float MusicChannelVolume() const;

  std::string levelName = "bosque";
  int levelIndex = 0;
  int playerCount = 4;
  // A settings file keeps the volumes it holds; only a missing or damaged one starts here.
  int musicVolume = kDefaultVolume;
  int soundVolume = kDefaultVolume;
  std::array<int, kMaxPlayers> keys = {81, 90, 80, 77};  // Q, Z, P, M
};
