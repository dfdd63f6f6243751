#include "shell/configuracion.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "media/stream.h"
#include "media/system.h"

namespace {

constexpr const char* kTemporaryName = "wtf.cfg.tmp";
constexpr int kMaxVolume = 100;

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

std::shared_ptr<TConfiguracion> TConfiguracion::Create() {
  auto config = std::make_shared<TConfiguracion>();
  if (!config->Load()) {
    if (media::FileExists(kFileName)) {
      media::Print(std::string("AVISO : ") + kFileName +
                   " incompleto o ilegible, se usan los valores por defecto");
    }
    config->Save();
  }
  return config;
}

bool TConfiguracion::Save() {
  {
    auto stream = media::Stream::OpenWrite(kTemporaryName);
    if (!stream) return false;
    for (int value : {playerCount, musicVolume, soundVolume, keys[0], keys[1], keys[2], keys[3]}) {
      stream->WriteInt(value);
    }
    stream->Close();
  }
  SyncToDisk(kTemporaryName);
  if (FileSize(kTemporaryName) != kFileBytes || std::rename(kTemporaryName, kFileName) != 0) {
    std::remove(kTemporaryName);
    return false;
  }
  return true;
}

bool TConfiguracion::Load() {
  // Extra bytes after the 28 are ignored; only a short file is refused.
  if (FileSize(kFileName) < kFileBytes) return false;
  auto stream = media::Stream::OpenRead(kFileName);
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
  return static_cast<float>(std::clamp(musicVolume, 0, kMaxVolume)) / kMaxVolume;
}
