#include "core/configuracion.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "support/scratch_folder.h"

namespace {

void WriteInts(const std::vector<int32_t>& values) {
  std::ofstream file(TConfiguracion::kFileName, std::ios::binary);
  for (int32_t value : values) {
    const unsigned char bytes[4] = {
        static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
        static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    file.write(reinterpret_cast<const char*>(bytes), 4);
  }
}

std::vector<int32_t> ReadInts() {
  std::ifstream file(TConfiguracion::kFileName, std::ios::binary);
  std::vector<int32_t> values;
  unsigned char bytes[4];
  while (file.read(reinterpret_cast<char*>(bytes), 4)) {
    values.push_back(static_cast<int32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 |
                                          static_cast<uint32_t>(bytes[3]) << 24));
  }
  return values;
}

const std::vector<int32_t> kDefaults = {4, 70, 70, 81, 90, 80, 77};

TEST(Configuracion, FirstStartWritesTheDefaults) {
  InScratchFolder folder;
  auto config = TConfiguracion::Create();
  ASSERT_NE(config, nullptr);
  EXPECT_EQ(ReadInts(), kDefaults);
  EXPECT_EQ(config->GetLevelName(), "bosque");
  EXPECT_EQ(config->levelIndex, 0);
}

// The volumes of an older file, written when both started at 5, are the player's: they stay.
TEST(Configuracion, AnOlderFileKeepsItsQuietVolumes) {
  InScratchFolder folder;
  WriteInts({4, 5, 5, 81, 90, 80, 77});
  auto config = TConfiguracion::Create();
  EXPECT_EQ(config->GetMusicVolume(), 5);
  EXPECT_EQ(config->GetSoundVolume(), 5);
  EXPECT_EQ(ReadInts(), (std::vector<int32_t>{4, 5, 5, 81, 90, 80, 77}));
}

TEST(Configuracion, StoredValuesComeBackOnTheNextStart) {
  InScratchFolder folder;
  auto config = TConfiguracion::Create();
  config->playerCount = 2;
  config->SetMusicVolume(100);
  config->SetSoundVolume(0);
  config->SetKey(1, 605);
  config->SetKey(3, -7);
  ASSERT_TRUE(config->Save());
  EXPECT_EQ(ReadInts(), (std::vector<int32_t>{2, 100, 0, 81, 605, 80, -7}));

  auto again = TConfiguracion::Create();
  EXPECT_EQ(again->playerCount, 2);
  EXPECT_EQ(again->GetMusicVolume(), 100);
  EXPECT_EQ(again->GetSoundVolume(), 0);
  EXPECT_EQ(again->GetKey(1), 605);
  EXPECT_EQ(again->GetKey(3), -7);
}

// A seat handed to the computer is its strength's code in that player's place; the file keeps
// its seven integers, and the codes read back hand the same seats to the computer.
TEST(Configuracion, ComputerSeatsAreStrengthCodesInThePlayersPlace) {
  InScratchFolder folder;
  auto config = TConfiguracion::Create();
  config->SetKey(0, CpuSeatCode(CpuStrength::kHard));
  config->SetKey(2, CpuSeatCode(CpuStrength::kEasy));
  ASSERT_TRUE(config->Save());
  EXPECT_EQ(ReadInts(), (std::vector<int32_t>{4, 70, 70, 1002, 90, 1000, 77}));

  WriteInts({3, 5, 5, 1001, 999, 1003, 1000});
  auto again = TConfiguracion::Create();
  EXPECT_EQ(again->CpuSeat(0), CpuStrength::kNormal);
  EXPECT_EQ(again->CpuSeat(1), std::nullopt);  // codes next to the range are a person's
  EXPECT_EQ(again->CpuSeat(2), std::nullopt);
  EXPECT_EQ(again->CpuSeat(3), CpuStrength::kEasy);
  EXPECT_EQ(again->CpuSeat(4), std::nullopt);
  EXPECT_EQ(again->GetKey(0), 1001);
}

TEST(Configuracion, ExtraBytesAfterTheSevenValuesAreIgnored) {
  InScratchFolder folder;
  WriteInts({3, 40, 60, 1, 2, 3, 500, 12345});
  auto config = TConfiguracion::Create();
  EXPECT_EQ(config->playerCount, 3);
  EXPECT_EQ(config->GetKey(3), 500);
  EXPECT_EQ(ReadInts().size(), 8u);  // a good file is not rewritten at start-up
}

TEST(Configuracion, ShortOrEmptyFileGivesDefaultsAndIsWrittenAnew) {
  for (const auto& stored : {std::vector<int32_t>{2, 50, 50}, std::vector<int32_t>{}}) {
    InScratchFolder folder;
    WriteInts(stored);
    auto config = TConfiguracion::Create();
    ASSERT_NE(config, nullptr);
    EXPECT_EQ(config->playerCount, 4);
    EXPECT_EQ(config->GetKey(0), 81);
    EXPECT_EQ(ReadInts(), kDefaults);
  }
}

TEST(Configuracion, SaveLeavesNoTemporaryFileBehind) {
  InScratchFolder folder;
  auto config = TConfiguracion::Create();
  config->SetKey(0, 1);
  ASSERT_TRUE(config->Save());
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    names.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(names, std::vector<std::string>{TConfiguracion::kFileName});
}

TEST(Configuracion, SaveIntoAFolderItCannotWriteKeepsTheOldFile) {
  InScratchFolder folder;
  auto config = TConfiguracion::Create();
  // A folder squatting on the temporary name makes the save fail before the rename.
  std::filesystem::create_directory("wtf.cfg.tmp");
  config->SetKey(0, 1);
  EXPECT_FALSE(config->Save());
  EXPECT_EQ(ReadInts(), kDefaults);
}

TEST(Configuracion, PlayerIndexOutsideOneToFourIsHarmless) {
  TConfiguracion config;
  EXPECT_EQ(config.GetKey(4), 0);
  EXPECT_EQ(config.GetKey(-1), 0);
  config.SetKey(7, 65);
  config.SetKey(-1, 65);
  EXPECT_EQ(config.keys, (std::array<int, kMaxPlayers>{81, 90, 80, 77}));
}

TEST(Configuracion, MusicVolumeIsClampedOnlyWhenApplied) {
  TConfiguracion config;
  config.SetMusicVolume(55);
  EXPECT_FLOAT_EQ(config.MusicChannelVolume(), MusicLevel(55));
  config.SetMusicVolume(250);
  EXPECT_EQ(config.GetMusicVolume(), 250);
  EXPECT_FLOAT_EQ(config.MusicChannelVolume(), MusicLevel(100));
  config.SetMusicVolume(-3);
  EXPECT_FLOAT_EQ(config.MusicChannelVolume(), 0.0f);
}

}  // namespace
