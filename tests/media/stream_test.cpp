#include "media/stream.h"

#include <gtest/gtest.h>

#include <fstream>

#include "temp_dir.h"

namespace {

void WriteRaw(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

TEST(Stream, NumbersAreLittleEndianAndRoundTrip) {
  TempDir dir;
  std::string path = dir.File("numbers.bin");
  {
    media::StreamPtr out = media::Stream::OpenWrite(path);
    ASSERT_TRUE(out);
    out->WriteByte(0x1ff);
    out->WriteShort(0xfffe);
    out->WriteInt(-2);
    out->WriteInt(0x01020304);
    out->WriteFloat(1.5f);
  }
  std::ifstream raw(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(raw)), std::istreambuf_iterator<char>());
  EXPECT_EQ(bytes, std::string("\xff\xfe\xff\xfe\xff\xff\xff\x04\x03\x02\x01\x00\x00\xc0\x3f", 15));

  media::StreamPtr in = media::Stream::OpenRead(path);
  ASSERT_TRUE(in);
  EXPECT_EQ(in->ReadByte(), 255);
  EXPECT_EQ(in->ReadShort(), 65534);  // shorts are unsigned
  EXPECT_EQ(in->ReadInt(), -2);
  EXPECT_EQ(in->ReadInt(), 0x01020304);
  EXPECT_EQ(in->ReadFloat(), 1.5f);
  EXPECT_TRUE(in->Eof());
}

TEST(Stream, ReadLineSkipsCarriageReturnsAndKeepsAnUnterminatedLastLine) {
  TempDir dir;
  std::string path = dir.File("lines.txt");
  WriteRaw(path, std::string("abc\r\ndef\n\ngh\0ij", 15));
  media::StreamPtr in = media::Stream::OpenRead(path);
  ASSERT_TRUE(in);
  EXPECT_EQ(in->ReadLine(), "abc");
  EXPECT_EQ(in->ReadLine(), "def");
  EXPECT_EQ(in->ReadLine(), "");
  EXPECT_EQ(in->ReadLine(), "gh");  // NUL ends a line too
  EXPECT_FALSE(in->Eof());
  EXPECT_EQ(in->ReadLine(), "ij");
  EXPECT_TRUE(in->Eof());
}

TEST(Stream, TextWritesAndFixedLengthReads) {
  TempDir dir;
  std::string path = dir.File("text.txt");
  {
    media::StreamPtr out = media::Stream::OpenWrite(path);
    out->WriteLine("hola");
    out->WriteString("xyz\xe1");
  }
  media::StreamPtr in = media::Stream::OpenRead(path);
  EXPECT_EQ(in->ReadString(6), "hola\r\n");
  in->SkipBytes(1);
  EXPECT_EQ(in->ReadString(3), "yz\xe1");
}

TEST(Stream, ReadingPastTheEndNamesTheFile) {
  TempDir dir;
  std::string path = dir.File("short.bin");
  WriteRaw(path, "abc");
  media::StreamPtr in = media::Stream::OpenRead(path);
  try {
    in->ReadInt();
    FAIL() << "no error";
  } catch (const media::StreamReadError& error) {
    EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
  }
  media::StreamPtr again = media::Stream::OpenRead(path);
  EXPECT_THROW(again->SkipBytes(4), media::StreamReadError);
  EXPECT_THROW(again->ReadByte(), media::StreamReadError);
  EXPECT_THROW(media::Stream::OpenRead(path)->ReadString(4), media::RuntimeError);
}

TEST(Stream, OpenModes) {
  TempDir dir;
  std::string path = dir.File("modes.bin");
  EXPECT_FALSE(media::Stream::OpenRead(path));
  EXPECT_FALSE(media::Stream::OpenReadWrite(path));
  EXPECT_FALSE(media::FileExists(path));
  EXPECT_FALSE(media::Stream::OpenWrite(dir.File("missing/dir/file.bin")));

  WriteRaw(path, "abcdef");
  EXPECT_TRUE(media::FileExists(path));
  {
    media::StreamPtr both = media::Stream::OpenReadWrite(path);
    ASSERT_TRUE(both);
    EXPECT_EQ(both->ReadString(2), "ab");  // not emptied
    both->WriteString("XY");
    EXPECT_EQ(both->ReadString(2), "ef");
  }
  EXPECT_EQ(media::Stream::OpenRead(path)->ReadString(6), "abXYef");
  { media::StreamPtr emptied = media::Stream::OpenWrite(path); }
  EXPECT_TRUE(media::Stream::OpenRead(path)->Eof());
}

}  // namespace
