#pragma once
// Encodes interleaved stereo samples as Ogg Vorbis. The stream serial number is fixed, so the
// same samples always give the same bytes.
#include <string>

#include "synth.h"

namespace musicgen {

constexpr float kVorbisQuality = 0.3f;
constexpr int kStreamSerial = 0x534B554C;  // "SKUL"

// False (with `error` set) when the encoder refuses the settings or the file cannot be written.
bool WriteOggVorbis(const std::string& path, const StereoLoop& samples, std::string& error);

}  // namespace musicgen
