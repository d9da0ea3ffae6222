#include <gtest/gtest.h>

#include <random>

#include "core/settings_record.h"
#include "support/fake_codec.h"

namespace vek {
namespace {

using test::FakeAnsiCodec;

Bytes RandomBytes(size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  Bytes b(n);
  for (auto& x : b) x = static_cast<uint8_t>(rng());
  return b;
}

TEST(SettingsRecordTest, AnyRecordDecodesAndEncodesToTheSameBytes) {
  FakeAnsiCodec codec;
  for (unsigned seed = 1; seed <= 20; ++seed) {
    Bytes bytes = RandomBytes(kSettingsRecordSize, seed);
    // Texts padded with spaces and never-assigned (NUL) texts are the usual shapes.
    if (seed % 3 == 0) std::fill(bytes.begin() + 28, bytes.begin() + 283, 0);
    if (seed % 3 == 1) std::fill(bytes.begin() + 40, bytes.begin() + 283, ' ');
    if (seed % 4 == 0) std::fill(bytes.begin() + 283, bytes.begin() + 538, 0);
    const auto record = DecodeSettingsRecord(bytes.data(), bytes.size(), codec);
    ASSERT_TRUE(record);
    EXPECT_EQ(EncodeSettingsRecord(*record, codec), bytes) << "seed " << seed;
  }
}

TEST(SettingsRecordTest, ShortInputIsRejectedAndLongerInputReadFromTheStart) {
  FakeAnsiCodec codec;
  Bytes bytes = RandomBytes(kSettingsRecordSize + 40, 7);
  EXPECT_FALSE(DecodeSettingsRecord(bytes.data(), kSettingsRecordSize - 1, codec));
  EXPECT_FALSE(DecodeSettingsRecord(nullptr, 0, codec));
  const auto record = DecodeSettingsRecord(bytes.data(), bytes.size(), codec);
  ASSERT_TRUE(record);
  EXPECT_EQ(EncodeSettingsRecord(*record, codec),
            Bytes(bytes.begin(), bytes.begin() + kSettingsRecordSize));
}

TEST(SettingsRecordTest, TextFieldsKeepAssignedAndUnassignedApart) {
  FakeAnsiCodec codec;
  SettingsRecord r;
  Bytes bytes = EncodeSettingsRecord(r, codec);
  EXPECT_EQ(Bytes(bytes.begin() + 28, bytes.begin() + 283), Bytes(255, 0));
  EXPECT_EQ(Bytes(bytes.begin() + 283, bytes.begin() + 538), Bytes(255, 0));

  r.UserIconFile = "";
  bytes = EncodeSettingsRecord(r, codec);
  EXPECT_EQ(Bytes(bytes.begin() + 28, bytes.begin() + 283), Bytes(255, ' '));
  auto back = DecodeSettingsRecord(bytes.data(), bytes.size(), codec);
  ASSERT_TRUE(back);
  EXPECT_TRUE(back->UserIconFile.assigned());
  EXPECT_EQ(back->UserIconFile.str(), "");
}

TEST(SettingsRecordTest, TooLongTextIsCutAtACharacterBoundary) {
  test::FakeDoubleByteCodec codec;
  SettingsRecord r;
  // 254 ASCII characters and one double-byte character: 256 bytes, the last character
  // does not fit and must not be cut in half.
  r.UserIconFile = std::string(254, 'a') + "\xE4\xB8\x80";
  const Bytes bytes = EncodeSettingsRecord(r, codec);
  EXPECT_EQ(bytes[28 + 253], 'a');
  EXPECT_EQ(bytes[28 + 254], ' ');
  EXPECT_EQ(bytes[283], 0);  // the next field is untouched
}

}  // namespace
}  // namespace vek
