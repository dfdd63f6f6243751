#include "core/configuracion.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "media/stream.h"
#include "media/system.h"

namespace {

constexpr const char* kTemporarySuffix = ".tmp";

std::string& SettingsFolder() {
  static std::string folder;
  return folder;
}

// Pushes the written bytes to the disk so the rename below never publishes an empty file after a
// power cut.
void SyncToDisk(const char* path) {
  const int fd = open(path, O_RDONLY);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

// 0 when the file is missing or unreadable.
uintmax_t FileSize(const char* path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  return error ? 0 : size;
}

}  // namespace

void TConfiguracion::SetFolder(const std::string& folder) {
  SettingsFolder() = folder;
}

std::string TConfiguracion::FilePath() {
  const std::string& folder = SettingsFolder();
  return folder.empty() ? kFileName : folder + "/" + kFileName;
}

std::shared_ptr<TConfiguracion> TConfiguracion::Create() {
  auto config = std::make_shared<TConfiguracion>();
  if (!config->Load()) {
    if (media::FileExists(FilePath())) {
      media::Print("AVISO : " + FilePath() +
                   " incompleto o ilegible, se usan los valores por defecto");
    }
    config->Save();
  }
  return config;
}

bool TConfiguracion::Save() {
  const std::string path = FilePath();
  const std::string temporary = path + kTemporarySuffix;
  {
    auto stream = media::Stream::OpenWrite(temporary);
    if (!stream) return false;
    for (int value : {playerCount, musicVolume, soundVolume, keys[0], keys[1], keys[2], keys[3]}) {
      stream->WriteInt(value);
    }
    stream->Close();
  }
  SyncToDisk(temporary.c_str());
  if (FileSize(temporary.c_str()) != kFileBytes ||
      std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

bool TConfiguracion::Load() {
  // Extra bytes after the 28 are ignored; only a short file is refused.
  const std::string path = FilePath();
  if (FileSize(path.c_str()) < kFileBytes) return false;
  auto stream = media::Stream::OpenRead(path);
  if (!stream) return false;
  playerCount = stream->ReadInt();
  musicVolume = stream->ReadInt();
  soundVolume = stream->ReadInt();
  for (int& key : keys) key = stream->ReadInt();
  return true;
}

int TConfiguracion::GetKey(int player) const {
  return player >= 0 && player < kMaxPlayers ? keys[player] : 0;
}

void TConfiguracion::SetKey(int player, int code) {
  if (player >= 0 && player < kMaxPlayers) keys[player] = code;
}

float TConfiguracion::MusicChannelVolume() const {
  return MusicLevel(musicVolume);
}
