// UTF-8 to Latin-1: the one reader behind source literals and typed text.
#include "media/latin1.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint32_t> CodePoints(std::string_view text) {
  std::vector<uint32_t> codes;
  for (size_t at = 0; at < text.size();) codes.push_back(media::NextCodePoint(text, at));
  return codes;
}

TEST(Latin1, WholeSequencesBecomeTheirCharacters) {
  EXPECT_EQ(media::Latin1("ni\xC3\xB1o pl\xC3\xBAmbeo"), "ni\xF1o pl\xFAmbeo");
  EXPECT_EQ(media::Latin1("\xC3\xBF"), "\xFF");  // the last Latin-1 code
  EXPECT_EQ(media::Latin1(std::string("z\0z", 3)), std::string("z\0z", 3));
  EXPECT_EQ(media::Latin1(""), "");
}

// Beyond Latin-1 each character, however many bytes it takes, is one '?'.
TEST(Latin1, CharactersBeyondLatin1BecomeOneQuestionMarkEach) {
  EXPECT_EQ(media::Latin1("\xC4\x80"), "?");            // U+0100
  EXPECT_EQ(media::Latin1("5\xE2\x82\xAC"), "5?");      // the euro sign
  EXPECT_EQ(media::Latin1("\xF0\x9F\x92\x80!"), "?!");  // a skull, four bytes
  EXPECT_EQ(CodePoints("\xF4\x8F\xBF\xBFz"), (std::vector<uint32_t>{0x10FFFF, 'z'}));
}

// Bytes that do not make a whole sequence are taken as Latin-1, so such text passes unchanged
// and nothing after a broken sequence is lost.
TEST(Latin1, CutBrokenAndOverlongSequencesKeepTheirBytes) {
  EXPECT_EQ(media::Latin1("caf\xE9"), "caf\xE9");    // already Latin-1
  EXPECT_EQ(media::Latin1("z\xC3"), "z\xC3");        // cut at the end
  EXPECT_EQ(media::Latin1("\xE2\x82"), "\xE2\x82");  // three bytes announced, two there
  EXPECT_EQ(media::Latin1("\xF0\x9F\x92"), "\xF0\x9F\x92");
  EXPECT_EQ(media::Latin1("\xC3Z"), "\xC3Z");  // not followed by a continuation
  EXPECT_EQ(media::Latin1("\xE2\x82x\xC3\xA9"), "\xE2\x82x\xE9");
  EXPECT_EQ(media::Latin1("\x80\xBF"), "\x80\xBF");          // continuations on their own
  EXPECT_EQ(media::Latin1("\xC0\xAF"), "\xC0\xAF");          // '/' in two bytes: overlong
  EXPECT_EQ(media::Latin1("\xE0\x81\x81"), "\xE0\x81\x81");  // 'A' in three bytes
  EXPECT_EQ(media::Latin1("\xF8\x88\x80\x80\x80"), "\xF8\x88\x80\x80\x80");
}

}  // namespace
