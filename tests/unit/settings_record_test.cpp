#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "core/record_io.h"
#include "core/settings_record.h"
#include "support/fake_codec.h"

namespace vek {
namespace {

using test::FakeAnsiCodec;

constexpr int64_t kNone = std::numeric_limits<int64_t>::min();
// A 1920 x 1080 screen whose ring may grow to a radius of 460.
constexpr SettingsScreen kScreen{1920, 1080, 460};

// One row per case, the stored places written out by hand: where the setting lies, its
// default and whether a settings reset restores it, a stored value taken as it is and
// what it reads as, a stored value outside the bounds and what that becomes (the other
// settings at their defaults), and a value no file this program writes holds.
struct Row {
  Setting id;
  size_t offset;
  int width;
  int64_t byDefault;
  bool reset;
  int64_t stored, reads;
  int64_t outside, outsideReads;
  int64_t unfit;
};
const Row kRows[] = {
    {Setting::kNormalIconSize, 0, 4, 48, true, 40, 40, 150, 48, 200},
    {Setting::kNormalIconSize, 0, 4, 48, true, 16, 16, 15, 48, 15},
    {Setting::kMagnifiedIconSize, 8, 4, 64, true, 100, 100, 40, 64, 129},
    {Setting::kMagnifiedIconSize, 8, 4, 64, true, 48, 48, 129, 64, kNone},
    {Setting::kCircleRadius, 12, 4, 300, true, 460, 460, 461, 300, kNone},
    {Setting::kCircleRadius, 12, 4, 300, true, 200, 200, 199, 300, kNone},
    {Setting::kIconQuantity, 16, 4, 24, true, 5, 28, 9, 20, 9},
    {Setting::kIconQuantity, 16, 4, 24, true, 7, 36, -1, 20, -1},
    {Setting::kIconQuantity, 16, 4, 24, true, 0, 8, kNone, kNone, kNone},
    {Setting::kBackdropOpacity, 23, 1, 192, true, 77, 77, kNone, kNone, kNone},
    {Setting::kAutoRun, 26, 2, 1, true, 0, 0, kNone, kNone, 2},
    {Setting::kAutoRun, 26, 2, 1, true, 1, 1, kNone, kNone, -2},
    {Setting::kSearchBoxLeft, 542, 4, 752, true, 1200, 80, 99999, 1504, kNone},
    {Setting::kSearchBoxLeft, 542, 4, 752, true, 22560, 1504, -100, 0, kNone},
    {Setting::kSearchBoxTop, 546, 4, 1011, true, 907, 60, -100, 0, kNone},
    {Setting::kSearchBoxTop, 546, 4, 1011, true, 15165, 1011, 15180, 1011, kNone},
    {Setting::kSearchEngine, 550, 4, 0, true, 8, 8, 9, 0, 40},
    {Setting::kSearchEngine, 550, 4, 0, true, 0, 0, -1, 0, -1},
    {Setting::kIconsLocked, 554, 2, 0, false, -1, 1, kNone, kNone, 5},
    {Setting::kGettingStarted, 556, 2, 0, false, -1, -1, 6, 0, 6},
    {Setting::kGettingStarted, 556, 2, 0, false, 5, 5, -2, 0, -2},
    {Setting::kDesktopIconsHidden, 558, 1, 0, false, 1, 1, kNone, kNone, 2},
    {Setting::kAutoHide, 559, 1, 0, false, 1, 1, kNone, kNone, 7},
    {Setting::kHideLetters, 560, 1, 0, false, 1, 1, kNone, kNone, 255},
    {Setting::kMinimizedPosition, 561, 1, 0, false, 8, 8, 9, 0, 9},
};

void Put(Bytes& b, const Row& r, int64_t v) {
  if (r.width == 4) record::PutI32(&b[r.offset], static_cast<int32_t>(v));
  if (r.width == 2) record::PutI16(&b[r.offset], static_cast<int16_t>(v));
  if (r.width == 1) b[r.offset] = static_cast<uint8_t>(v);
}

class SettingsTableTest : public ::testing::Test {
 protected:
  SettingsTableTest() {
    AppSettings s;
    ApplyDefaultSettings(s, kScreen, true);
    fresh = WriteSettingsRecord(s, std::string(), codec);
  }
  // The settings a fresh start reads from `bytes`.
  AppSettings Read(const Bytes& bytes) {
    AppSettings s;
    ApplyDefaultSettings(s, kScreen, true);
    EXPECT_TRUE(ReadSettingsRecord(bytes.data(), bytes.size(), kScreen, s));
    return s;
  }
  FakeAnsiCodec codec;
  Bytes fresh;  // the record of the defaults
};

TEST_F(SettingsTableTest, EverySettingReadsChecksAndWritesBackAsTheTableSays) {
  for (const Row& r : kRows) {
    SCOPED_TRACE(std::string(EntryOf(r.id).what) + " stored as " + std::to_string(r.stored));
    const SettingEntry& entry = EntryOf(r.id);
    EXPECT_EQ(entry.offset, r.offset);
    // With no screen known, the search box waits at the corner.
    const bool box = r.id == Setting::kSearchBoxLeft || r.id == Setting::kSearchBoxTop;
    EXPECT_EQ(entry.get(AppSettings()), box ? 0 : r.byDefault);
    AppSettings changed = Read(fresh);
    EXPECT_EQ(entry.get(changed), r.byDefault);
    entry.set(changed, r.byDefault + 1);
    ApplyDefaultSettings(changed, kScreen);
    EXPECT_EQ(entry.get(changed), r.reset ? r.byDefault : r.byDefault + 1);

    Bytes bytes = fresh;
    Put(bytes, r, r.stored);
    const AppSettings read = Read(bytes);
    EXPECT_EQ(entry.get(read), r.reads);
    // Read and written unchanged, the record keeps every byte.
    EXPECT_EQ(WriteSettingsRecord(read, std::string(), codec), bytes);
    EXPECT_EQ(CheckSettingsRecord(bytes), "");

    if (r.outside != kNone) {
      Put(bytes, r, r.outside);
      EXPECT_EQ(entry.get(Read(bytes)), r.outsideReads);
    }
    if (r.unfit != kNone) {
      Put(bytes, r, r.unfit);
      EXPECT_NE(CheckSettingsRecord(bytes).find(entry.what), std::string::npos) << CheckSettingsRecord(bytes);
    }
  }
}

TEST_F(SettingsTableTest, ASearchBoxNeverPlacedGoesToItsDefaultPlace) {
  struct Case {
    int32_t left, top, wantLeft, wantTop;
  };
  const Case cases[] = {{0, 0, 752, 1011}, {-100, -100, 752, 1011}, {0, 75, 0, 5}, {75, 0, 5, 0},
                        {0, 5, 0, 0}, {5, 0, 0, 0}, {-5, 0, 752, 1011}};
  for (const Case& c : cases) {
    Bytes bytes = fresh;
    record::PutI32(&bytes[542], c.left);
    record::PutI32(&bytes[546], c.top);
    const AppSettings s = Read(bytes);
    EXPECT_EQ(s.SearchBoxLeft, c.wantLeft) << c.left << "," << c.top;
    EXPECT_EQ(s.SearchBoxTop, c.wantTop) << c.left << "," << c.top;
  }
  // A screen one pixel wider than the box: the half pixel is dropped.
  Bytes unplaced = fresh;
  record::PutI32(&unplaced[542], 0);
  record::PutI32(&unplaced[546], 0);
  AppSettings s;
  ASSERT_TRUE(ReadSettingsRecord(unplaced.data(), unplaced.size(), SettingsScreen{417, 600, 220}, s));
  EXPECT_EQ(s.SearchBoxLeft, 0);
  EXPECT_EQ(s.SearchBoxTop, 600 - 69);
}

TEST_F(SettingsTableTest, WhatTheProgramDoesNotUseGoesBackAsRead) {
  std::mt19937 rng(5);
  for (int round = 0; round < 10; ++round) {
    Bytes bytes = fresh;
    // The colour's blue, green and red, and the three reserved fields.
    for (size_t at : {20u, 21u, 22u, 24u, 25u, 538u, 539u, 540u, 541u}) bytes[at] = static_cast<uint8_t>(rng());
    for (size_t at = 283; at < 538; ++at) bytes[at] = static_cast<uint8_t>(rng());
    AppSettings s = Read(bytes);
    EXPECT_EQ(WriteSettingsRecord(s, std::string(), codec), bytes);
    // A changed setting changes only its own bytes.
    s.BackdropOpacity = 1;
    s.NormalIconSize = 32;
    Bytes want = bytes;
    want[23] = 1;
    record::PutI32(&want[0], 32);
    EXPECT_EQ(WriteSettingsRecord(s, std::string(), codec), want);
  }
}

TEST_F(SettingsTableTest, ShortInputIsRejectedAndLongerInputReadFromTheStart) {
  Bytes bytes = fresh;
  record::PutI32(&bytes[0], 40);
  bytes.resize(kSettingsRecordSize + 40, 9);
  AppSettings s;
  EXPECT_FALSE(ReadSettingsRecord(bytes.data(), kSettingsRecordSize - 1, kScreen, s));
  EXPECT_EQ(s.NormalIconSize, 48);
  EXPECT_FALSE(ReadSettingsRecord(nullptr, 0, kScreen, s));
  EXPECT_EQ(Read(bytes).NormalIconSize, 40);
  EXPECT_EQ(CheckSettingsRecord(bytes), "it holds 602 bytes, a settings file 562");
}

TEST_F(SettingsTableTest, TheUserPictureFieldKeepsTheBytesItWasReadFrom) {
  // Written at every save, so spaces without a path; the reserved text after it is NUL.
  EXPECT_EQ(Bytes(fresh.begin() + 28, fresh.begin() + 283), Bytes(255, ' '));
  EXPECT_EQ(Bytes(fresh.begin() + 283, fresh.begin() + 538), Bytes(255, 0));
  const std::string path = "C:\\u.ico";
  const std::string padded = path + std::string(255 - path.size(), ' ');
  struct Case {
    std::string stored, written, want;
  };
  const Case cases[] = {
      {std::string(255, ' '), "", std::string(255, ' ')},              // still empty
      {"  " + path + std::string(253 - path.size(), '\0'), path, ""},  // the same path
      {std::string(255, ' '), path, padded},                           // a new path
      {padded, "", std::string(255, ' ')},                             // no path any more
  };
  for (const Case& c : cases) {
    Bytes bytes = fresh;
    std::copy(c.stored.begin(), c.stored.end(), bytes.begin() + 28);
    const Bytes out = WriteSettingsRecord(Read(bytes), c.written, codec);
    EXPECT_EQ(std::string(out.begin() + 28, out.begin() + 283), c.want.empty() ? c.stored : c.want) << c.written;
  }
}

TEST_F(SettingsTableTest, TooLongTextIsCutAtACharacterBoundary) {
  test::FakeDoubleByteCodec doubleByte;
  // 254 ASCII characters and one double-byte character: 256 bytes, the last character
  // does not fit and must not be cut in half.
  const Bytes bytes = WriteSettingsRecord(AppSettings(), std::string(254, 'a') + "\xE4\xB8\x80", doubleByte);
  EXPECT_EQ(bytes[28 + 253], 'a');
  EXPECT_EQ(bytes[28 + 254], ' ');
  EXPECT_EQ(bytes[283], 0);  // the next field is untouched
}

}  // namespace
}  // namespace vek
