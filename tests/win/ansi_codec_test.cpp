// Conversions to and from ANSI code pages through the real Win32 tables.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win/ansi_codec_win.h"

namespace vek::win {
namespace {

TEST(AnsiCodecWinTest, WesternCodePageRoundTrip) {
  Win32AnsiCodec codec(1252);
  std::string ansi;
  ASSERT_TRUE(codec.ToAnsi("D:\\B\xC3\xBC" "cher\\Caf\xC3\xA9 \xE2\x82\xAC.txt", ansi));
  EXPECT_EQ(ansi, "D:\\B\xFC" "cher\\Caf\xE9 \x80.txt");
  EXPECT_EQ(codec.FromAnsi(ansi), "D:\\B\xC3\xBC" "cher\\Caf\xC3\xA9 \xE2\x82\xAC.txt");
  // NUL characters pass through both ways.
  ASSERT_TRUE(codec.ToAnsi(std::string("a\0b", 3), ansi));
  EXPECT_EQ(ansi, std::string("a\0b", 3));
  EXPECT_EQ(codec.FromAnsi(std::string("a\0b", 3)), std::string("a\0b", 3));
  EXPECT_EQ(codec.FitPrefix("abcdef", 4), 4u);
}

TEST(AnsiCodecWinTest, UnrepresentableTextIsDetected) {
  Win32AnsiCodec codec(1252);
  std::string ansi;
  EXPECT_FALSE(codec.ToAnsi("C:\\\xE6\x97\xA5\xE6\x9C\xAC\\a.txt", ansi));  // CJK
  EXPECT_EQ(ansi, "C:\\??\\a.txt");
  // A letter with a look-alike is not silently replaced by it.
  EXPECT_FALSE(codec.ToAnsi("\xC4\x81", ansi));  // a with macron
  EXPECT_NE(ansi, "a");
  EXPECT_FALSE(codec.ToAnsi("bad \xFF utf-8", ansi));
  EXPECT_TRUE(codec.ToAnsi("", ansi));
  EXPECT_TRUE(ansi.empty());
}

TEST(AnsiCodecWinTest, DoubleByteCodePageCutsAtCharacterBoundaries) {
  Win32AnsiCodec codec(932);
  std::string ansi;
  ASSERT_TRUE(codec.ToAnsi("a\xE6\x97\xA5\xE6\x9C\xAC", ansi));  // "a" and two kanji
  ASSERT_EQ(ansi.size(), 5u);
  EXPECT_EQ(codec.FitPrefix(ansi, 4), 3u);
  EXPECT_EQ(codec.FitPrefix(ansi, 3), 3u);
  EXPECT_EQ(codec.FitPrefix(ansi, 2), 1u);
  EXPECT_EQ(codec.FitPrefix(ansi, 9), 5u);
  EXPECT_EQ(codec.FromAnsi(ansi), "a\xE6\x97\xA5\xE6\x9C\xAC");
}

TEST(AnsiCodecWinTest, SystemCodePageKeepsAscii) {
  Win32AnsiCodec codec;
  EXPECT_EQ(codec.codePage(), GetACP());
  std::string ansi;
  ASSERT_TRUE(codec.ToAnsi("C:\\Program Files\\VEK Desktop\\", ansi));
  EXPECT_EQ(ansi, "C:\\Program Files\\VEK Desktop\\");
}

}  // namespace
}  // namespace vek::win
