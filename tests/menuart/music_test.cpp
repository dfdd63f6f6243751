// The two music loops: they decode, have the promised shape, loop without a click, sound
// equally loud and come out of the build byte for byte the same every time.
#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr const char* kMenuTrack = "intro-version-2007_07_24_23_31.ogg";
constexpr const char* kPlayTrack = "horrormusic-version-2007_07_27_15_11.ogg";
constexpr int kSeamWindow = 2048;  // frames either side of the loop point used as reference

struct Track {
  int channels = 0;
  long rate = 0;
  std::vector<std::vector<float>> samples;  // per channel
  double Seconds() const { return samples.empty() ? 0 : samples[0].size() / double(rate); }
};

std::string MusicPath(const std::string& name) {
  return std::string(SKULL_BUILD_DIR) + "/music/" + name;
}

Track Decode(const std::string& path) {
  Track track;
  OggVorbis_File file;
  if (ov_fopen(path.c_str(), &file) != 0) {
    ADD_FAILURE() << "cannot decode " << path;
    return track;
  }
  vorbis_info* info = ov_info(&file, -1);
  track.channels = info->channels;
  track.rate = info->rate;
  track.samples.resize(info->channels);
  float** pcm = nullptr;
  int section = 0;
  for (long frames; (frames = ov_read_float(&file, &pcm, 4096, &section)) > 0;)
    for (int c = 0; c < track.channels; ++c)
      track.samples[c].insert(track.samples[c].end(), pcm[c], pcm[c] + frames);
  ov_clear(&file);
  return track;
}

double Rms(const Track& track) {
  double sum = 0;
  size_t count = 0;
  for (const auto& channel : track.samples)
    for (float sample : channel) sum += double(sample) * sample, ++count;
  return count ? std::sqrt(sum / count) : 0;
}

// The largest sample-to-sample step in the frames just before and just after the loop point.
float LocalLargestStep(const std::vector<float>& s) {
  float largest = 0;
  for (size_t i = 1; i < kSeamWindow; ++i) largest = std::max(largest, std::fabs(s[i] - s[i - 1]));
  for (size_t i = s.size() - kSeamWindow + 1; i < s.size(); ++i)
    largest = std::max(largest, std::fabs(s[i] - s[i - 1]));
  return largest;
}

std::vector<char> Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class MusicTrack : public ::testing::TestWithParam<const char*> {};

TEST_P(MusicTrack, IsALoopOfStereoCdAudioLastingHalfAMinuteToAMinuteAndAHalf) {
  Track track = Decode(MusicPath(GetParam()));
  EXPECT_EQ(track.channels, 2);
  EXPECT_EQ(track.rate, 44100);
  EXPECT_GE(track.Seconds(), 30.0);
  EXPECT_LE(track.Seconds(), 90.0);
}

// Playing the end straight into the start must not click: the step across the loop point is
// no larger than the steps the music itself takes around it.
TEST_P(MusicTrack, JoinsAtTheLoopPointWithoutAJump) {
  Track track = Decode(MusicPath(GetParam()));
  ASSERT_EQ(track.channels, 2);
  for (const auto& channel : track.samples) {
    ASSERT_GT(channel.size(), size_t{2 * kSeamWindow});
    float seamStep = std::fabs(channel.front() - channel.back());
    EXPECT_LE(seamStep, LocalLargestStep(channel)) << GetParam();
  }
}

INSTANTIATE_TEST_SUITE_P(BothTracks, MusicTrack, ::testing::Values(kMenuTrack, kPlayTrack));

TEST(MusicLoudness, BothTracksAreLevelledWithinOneDecibel) {
  double menu = Rms(Decode(MusicPath(kMenuTrack)));
  double play = Rms(Decode(MusicPath(kPlayTrack)));
  ASSERT_GT(menu, 0.01);
  ASSERT_GT(play, 0.01);
  EXPECT_LT(std::fabs(20 * std::log10(menu / play)), 1.0);
}

// Rebuilding from the same score gives the very same file.
TEST(MusicBuild, IsDeterministic) {
  fs::path dir = fs::temp_directory_path() / ("musicgen_test_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::string tool = std::string(SKULL_BUILD_DIR) + "/tools/musicgen/musicgen";
  std::string score = std::string(SKULL_SOURCE_DIR) + "/assets/music/play.score";
  std::string again = (dir / "again.ogg").string();
  ASSERT_EQ(std::system((tool + " " + score + " " + again).c_str()), 0);
  EXPECT_TRUE(Bytes(again) == Bytes(MusicPath(kPlayTrack)));
  fs::remove_all(dir);
}

TEST(MusicBuild, AFaultyScoreIsRefusedNamingTheFile) {
  fs::path dir = fs::temp_directory_path() / ("musicgen_bad_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::string score = (dir / "broken.score").string();
  std::ofstream(score) << "tempo 120\npattern a nobody\nend\n";
  std::string tool = std::string(SKULL_BUILD_DIR) + "/tools/musicgen/musicgen";
  std::string log = (dir / "log.txt").string();
  std::string out = (dir / "out.ogg").string();
  EXPECT_NE(std::system((tool + " " + score + " " + out + " 2>" + log).c_str()), 0);
  std::ifstream in(log);
  std::string message((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(message.find("broken.score"), std::string::npos) << message;
  EXPECT_NE(message.find("line 2"), std::string::npos) << message;
  fs::remove_all(dir);
}

}  // namespace
