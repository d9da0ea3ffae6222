// Fuzzes the settings record: decoding any bytes, the load checks, the restore's check,
// and writing back.
// Whatever the input, a decoded record must write back to the same 562 bytes, and the
// checked settings must lie in their ranges.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "../unit/support/fake_codec.h"
#include "core/backup.h"
#include "core/config_files.h"
#include "core/settings_record.h"

using namespace vek;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  test::FakeAnsiCodec codec;
  // A configuration restore checks any bytes before it uses them.
  const std::string why = CheckSettingsBackup(Bytes(data, data + size), codec);
  if (why.empty() && size != kSettingsRecordSize) abort();
  const std::optional<SettingsRecord> record = DecodeSettingsRecord(data, size, codec);
  if (!record) {
    if (size >= kSettingsRecordSize) abort();
    return 0;
  }
  const Bytes again = EncodeSettingsRecord(*record, codec);
  if (again.size() != kSettingsRecordSize || std::memcmp(again.data(), data, kSettingsRecordSize) != 0)
    abort();

  // The screen size comes from the tail of the input when there is one.
  ScreenTwips screen{28800, 16200};
  if (size >= kSettingsRecordSize + 8) {
    std::memcpy(&screen.width, data + kSettingsRecordSize, 4);
    std::memcpy(&screen.height, data + kSettingsRecordSize + 4, 4);
    screen.width = 6240 + (screen.width & 0xFFFFF);
    screen.height = 1035 + (screen.height & 0xFFFFF);
  }
  AppSettings s;
  s.MaxRadius = 460;
  ApplySettingsRecord(*record, s, screen);
  if (s.NormalIconSize < 16 || s.NormalIconSize > s.MaxIconSize) abort();
  if (s.MagnifiedIconSize < s.NormalIconSize || s.MagnifiedIconSize > s.MaxIconSize) abort();
  if (s.CircleRadius < s.MinRadius || s.CircleRadius > s.MaxRadius) abort();
  if (s.IconQuantity < 8 || s.IconQuantity > 36 || s.IconQuantity % 4 != 0) abort();
  if (s.SearchEngine < 0 || s.SearchEngine > 8) abort();
  if (s.SearchBoxLeft < 0 || s.SearchBoxLeft > screen.width - 6240) abort();
  if (s.SearchBoxTop < 0 || s.SearchBoxTop > screen.height - 1035) abort();
  // (0, 0) means "never placed" and is replaced by the centred bottom position, which is
  // (0, 0) itself only on a screen hardly larger than the box.
  const bool tiny = screen.height == 1035 && screen.width - 6240 <= 1;
  if (s.SearchBoxLeft == 0 && s.SearchBoxTop == 0 && !tiny) abort();

  // What the checked settings write must load again to the same settings.
  Model m;
  m.Settings = s;
  const Bytes saved = EncodeSettingsRecord(MakeSettingsRecord(m), codec);
  const std::optional<SettingsRecord> reread = DecodeSettingsRecord(saved.data(), saved.size(), codec);
  if (!reread) abort();
  AppSettings t;
  t.MaxRadius = 460;
  ApplySettingsRecord(*reread, t, screen);
  if (t.NormalIconSize != s.NormalIconSize || t.MagnifiedIconSize != s.MagnifiedIconSize ||
      t.IconQuantity != s.IconQuantity || t.SearchBoxLeft != s.SearchBoxLeft ||
      t.SearchBoxTop != s.SearchBoxTop || t.BackdropColour[3] != s.BackdropColour[3])
    abort();
  return 0;
}
