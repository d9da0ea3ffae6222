// Fuzzes the settings record: reading any bytes with the checks, the restore's check,
// and writing back.
// Whatever the input, the settings read must lie in their ranges, what the program does
// not use must go back unchanged, and what is written must read back to the same settings.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "../unit/support/fake_codec.h"
#include "core/settings_record.h"

using namespace vek;

namespace {

bool SameSettings(const AppSettings& a, const AppSettings& b) {
  for (int i = 0; i < kSettingCount; ++i) {
    const SettingEntry& entry = EntryOf(static_cast<Setting>(i));
    if (entry.get(a) != entry.get(b)) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  test::FakeAnsiCodec codec;
  // A configuration restore checks any bytes before it uses them.
  const std::string why = CheckSettingsRecord(Bytes(data, data + size));
  if (why.empty() && size != kSettingsRecordSize) abort();

  // The screen size comes from the tail of the input when there is one.
  SettingsScreen screen{1920, 1080, 460};
  if (size >= kSettingsRecordSize + 8) {
    std::memcpy(&screen.width, data + kSettingsRecordSize, 4);
    std::memcpy(&screen.height, data + kSettingsRecordSize + 4, 4);
    screen.width = kSearchBoxWidth + (screen.width & 0xFFFF);
    screen.height = kSearchBoxHeight + (screen.height & 0xFFFF);
  }
  AppSettings s;
  ApplyDefaultSettings(s, screen, true);
  if (!ReadSettingsRecord(data, size, screen, s)) {
    if (size >= kSettingsRecordSize) abort();
    return 0;
  }
  if (size < kSettingsRecordSize) abort();
  if (s.NormalIconSize < 16 || s.NormalIconSize > s.MaxIconSize) abort();
  if (s.MagnifiedIconSize < s.NormalIconSize || s.MagnifiedIconSize > s.MaxIconSize) abort();
  if (s.CircleRadius < s.MinRadius || s.CircleRadius > s.MaxRadius) abort();
  if (s.IconQuantity < 8 || s.IconQuantity > 36 || s.IconQuantity % 4 != 0) abort();
  if (s.SearchEngine < 0 || s.SearchEngine > 8) abort();
  if (static_cast<int>(s.MinimizedPosition) >= kMinimizedPositionCount) abort();
  if (s.GettingStarted.Page < 0 || s.GettingStarted.Page > 5) abort();
  if (s.SearchBoxLeft < 0 || s.SearchBoxLeft > screen.width - kSearchBoxWidth) abort();
  if (s.SearchBoxTop < 0 || s.SearchBoxTop > screen.height - kSearchBoxHeight) abort();
  // A stored (0, 0) means "never placed" and is replaced by the centred bottom position,
  // which is (0, 0) itself only on a screen hardly larger than the box; a place a few
  // twips from the corner stays there.
  const bool tiny = screen.height == kSearchBoxHeight && screen.width - kSearchBoxWidth <= 1;
  int32_t storedLeft = 0, storedTop = 0;
  std::memcpy(&storedLeft, data + 542, 4);
  std::memcpy(&storedTop, data + 546, 4);
  const auto edge = [](int32_t twips, int32_t high) { return twips <= 0 || twips / 15 > high; };
  const bool placed = !edge(storedLeft, screen.width - kSearchBoxWidth) ||
                      !edge(storedTop, screen.height - kSearchBoxHeight);
  if (s.SearchBoxLeft == 0 && s.SearchBoxTop == 0 && !tiny && !placed) abort();

  // The colour's blue, green and red and the reserved fields go back as they were read.
  const Bytes saved = WriteSettingsRecord(s, std::string(), codec);
  if (saved.size() != kSettingsRecordSize) abort();
  for (const auto& [from, to] : {std::pair<size_t, size_t>{20, 23}, {24, 26}, {283, 542}})
    if (std::memcmp(saved.data() + from, data + from, to - from) != 0) abort();

  // What the checked settings write must read again to the same settings and bytes.
  AppSettings t;
  ApplyDefaultSettings(t, screen, true);
  if (!ReadSettingsRecord(saved.data(), saved.size(), screen, t) || !SameSettings(s, t)) abort();
  if (WriteSettingsRecord(t, std::string(), codec) != saved) abort();
  return 0;
}
