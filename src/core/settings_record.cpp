#include "core/settings_record.h"

#include <iterator>
#include <limits>
#include <type_traits>

#include "core/record_io.h"
#include "core/rounding.h"
#include "core/search_engines.h"

namespace vek {

namespace {

using namespace record;

// Fields outside the table.
constexpr size_t kMaxIconSizeOffset = 4;
constexpr size_t kUserIconFileOffset = 28;
constexpr size_t kUserIconFileWidth = 255;
constexpr int32_t kStoredMaxIconSize = 128;
constexpr int32_t kTwipsPerPixel = 15;

constexpr int64_t kAny32Low = std::numeric_limits<int32_t>::min();
constexpr int64_t kAny32High = std::numeric_limits<int32_t>::max();

template <typename T, T AppSettings::*member>
int64_t Get(const AppSettings& s) {
  return static_cast<int64_t>(s.*member);
}
template <typename T, T AppSettings::*member>
void Set(AppSettings& s, int64_t v) {
  if constexpr (std::is_same_v<T, bool>) {
    s.*member = v != 0;
  } else {
    s.*member = static_cast<T>(v);
  }
}
#define VEK_MEMBER(type, name) &Get<type, &AppSettings::name>, &Set<type, &AppSettings::name>

// The getting-started state as its page, -1 when the window does not open at start.
int64_t GetGettingStarted(const AppSettings& s) { return s.GettingStarted.AtStart ? s.GettingStarted.Page : -1; }
void SetGettingStarted(AppSettings& s, int64_t v) {
  s.GettingStarted = v < 0 ? GettingStartedState{false, 0} : GettingStartedState{true, static_cast<int>(v)};
}

constexpr SettingNumber Fixed(int64_t v) { return {From::kFixed, v}; }
constexpr SettingNumber Bound(From from, int64_t add = 0) { return {from, add}; }

using O = OutOfRange;
using S = StoredAs;

// clang-format off
constexpr SettingEntry kTable[] = {
  // id, what, offset, stored as, member, default, reset, low, high, out of range, fallback, valid in a file
  {Setting::kNormalIconSize, "normal icon size", 0, S::kInt32, VEK_MEMBER(int32_t, NormalIconSize),
   Fixed(48), true, Fixed(16), Bound(From::kMaxIconSize), O::kKeep, {}, 16, 128},
  // Never below the normal size; out of bounds it is 16 more than the normal one.
  {Setting::kMagnifiedIconSize, "magnified icon size", 8, S::kInt32, VEK_MEMBER(int32_t, MagnifiedIconSize),
   Fixed(64), true, Bound(From::kNormalIconSize), Bound(From::kMaxIconSize), O::kFallback,
   Bound(From::kNormalIconSize, 16), 16, 128},
  {Setting::kCircleRadius, "circle radius", 12, S::kInt32, VEK_MEMBER(int32_t, CircleRadius),
   Fixed(300), true, Bound(From::kMinRadius), Bound(From::kMaxRadius), O::kKeep, {}, kAny32Low, kAny32High},
  {Setting::kIconQuantity, "icon quantity", 16, S::kIconQuantity, VEK_MEMBER(int32_t, IconQuantity),
   Fixed(24), true, Fixed(8), Fixed(36), O::kFallback, Fixed(20), 8, 36},
  // The alpha byte of the stored backdrop colour; its blue, green and red stay as read.
  {Setting::kBackdropOpacity, "opacity", 23, S::kByte, VEK_MEMBER(uint8_t, BackdropOpacity),
   Fixed(192), true, Fixed(0), Fixed(255), O::kKeep, {}, 0, 255},
  {Setting::kAutoRun, "load at start-up switch", 26, S::kFlag16, VEK_MEMBER(bool, AutoRun),
   Fixed(1), true, Fixed(0), Fixed(1), O::kKeep, {}, 0, 1},
  {Setting::kSearchBoxLeft, "search box position", 542, S::kTwips, VEK_MEMBER(int32_t, SearchBoxLeft),
   Bound(From::kBoxCentreLeft), true, Fixed(0), Bound(From::kBoxMaxLeft), O::kNearestBound, {},
   kAny32Low, kAny32High},
  {Setting::kSearchBoxTop, "search box position", 546, S::kTwips, VEK_MEMBER(int32_t, SearchBoxTop),
   Bound(From::kBoxMaxTop), true, Fixed(0), Bound(From::kBoxMaxTop), O::kNearestBound, {}, kAny32Low, kAny32High},
  {Setting::kSearchEngine, "search engine", 550, S::kInt32, VEK_MEMBER(int32_t, SearchEngine),
   Fixed(0), true, Fixed(0), Fixed(kSearchEngineCount - 1), O::kFallback, Fixed(0), 0, kSearchEngineCount - 1},
  {Setting::kIconsLocked, "icons locked switch", 554, S::kFlag16, VEK_MEMBER(bool, IconsLocked),
   Fixed(0), false, Fixed(0), Fixed(1), O::kKeep, {}, 0, 1},
  {Setting::kGettingStarted, "getting-started page", 556, S::kInt16, &GetGettingStarted, &SetGettingStarted,
   Fixed(0), false, Fixed(-1), Fixed(5), O::kKeep, {}, -1, 5},
  {Setting::kDesktopIconsHidden, "desktop icons switch", 558, S::kFlag8, VEK_MEMBER(bool, DesktopIconsHidden),
   Fixed(0), false, Fixed(0), Fixed(1), O::kKeep, {}, 0, 1},
  {Setting::kAutoHide, "auto-hide switch", 559, S::kFlag8, VEK_MEMBER(bool, AutoHide),
   Fixed(0), false, Fixed(0), Fixed(1), O::kKeep, {}, 0, 1},
  {Setting::kHideLetters, "shortcut letters switch", 560, S::kFlag8, VEK_MEMBER(bool, HideLetters),
   Fixed(0), false, Fixed(0), Fixed(1), O::kKeep, {}, 0, 1},
  {Setting::kMinimizedPosition, "minimized position", 561, S::kByte,
   VEK_MEMBER(vek::MinimizedPosition, MinimizedPosition),
   Fixed(0), false, Fixed(0), Fixed(kMinimizedPositionCount - 1), O::kKeep, {}, 0, kMinimizedPositionCount - 1},
};
// clang-format on
#undef VEK_MEMBER

static_assert(std::size(kTable) == kSettingCount, "one table entry per setting");

constexpr bool InTableOrder() {
  for (int i = 0; i < kSettingCount; ++i)
    if (static_cast<int>(kTable[i].id) != i) return false;
  return true;
}
static_assert(InTableOrder(), "the table lists the settings in their order");

int64_t Resolve(const SettingNumber& n, const AppSettings& s, const SettingsScreen& screen) {
  const int64_t boxMaxLeft = int64_t{screen.width} - kSearchBoxWidth;
  switch (n.from) {
    case From::kFixed: return n.add;
    case From::kMaxIconSize: return s.MaxIconSize + n.add;
    case From::kMinRadius: return s.MinRadius + n.add;
    case From::kMaxRadius: return s.MaxRadius + n.add;
    case From::kNormalIconSize: return s.NormalIconSize + n.add;
    case From::kBoxMaxLeft: return boxMaxLeft + n.add;
    case From::kBoxMaxTop: return int64_t{screen.height} - kSearchBoxHeight + n.add;
    case From::kBoxCentreLeft: return (boxMaxLeft >= 0 ? boxMaxLeft / 2 : (boxMaxLeft - 1) / 2) + n.add;
  }
  return n.add;
}

// The lower bound is tested first, so that with bounds that cross (a screen smaller
// than the ring) the upper one wins.
int64_t WithinBounds(int64_t v, int64_t low, int64_t high) {
  if (v < low) v = low;
  else if (v > high) v = high;
  return v;
}

void ApplyDefault(const SettingEntry& entry, AppSettings& s, const SettingsScreen& screen) {
  entry.set(s, WithinBounds(Resolve(entry.byDefault, s, screen), Resolve(entry.low, s, screen),
                           Resolve(entry.high, s, screen)));
}

// The stored number at the setting's place, before any conversion.
int64_t RawAt(const SettingEntry& entry, const uint8_t* p) {
  const uint8_t* at = p + entry.offset;
  switch (entry.storedAs) {
    case S::kInt16:
    case S::kFlag16: return GetI16(at);
    case S::kByte:
    case S::kFlag8: return *at;
    case S::kInt32:
    case S::kIconQuantity:
    case S::kTwips: return GetI32(at);
  }
  return 0;
}

// A stored number in the program's units.
int64_t FromStored(StoredAs storedAs, int64_t raw) {
  switch (storedAs) {
    case S::kFlag16:
    case S::kFlag8: return raw != 0 ? 1 : 0;
    case S::kIconQuantity: return 4 * raw + 8;
    // Truncated, as a window placed at a stored position always was.
    case S::kTwips: return raw / kTwipsPerPixel;
    default: return raw;
  }
}

void PutStored(const SettingEntry& entry, int64_t v, uint8_t* p) {
  uint8_t* at = p + entry.offset;
  switch (entry.storedAs) {
    case S::kInt16: PutI16(at, static_cast<int16_t>(v)); break;
    case S::kFlag16: PutI16(at, v != 0 ? kTrue16 : kFalse16); break;
    case S::kByte: *at = static_cast<uint8_t>(v); break;
    case S::kFlag8: *at = v != 0 ? 1 : 0; break;
    case S::kInt32: PutI32(at, static_cast<int32_t>(v)); break;
    case S::kIconQuantity: PutI32(at, RoundHalfEven((v - 8) / 4.0)); break;
    case S::kTwips: PutI32(at, static_cast<int32_t>(v * kTwipsPerPixel)); break;
  }
}

// Raw values a file this program wrote never holds in a switch.
bool ValidRaw(StoredAs storedAs, int64_t raw) {
  if (storedAs == S::kFlag16) return raw == kTrue16 || raw == kFalse16 || raw == 1;
  if (storedAs == S::kFlag8) return raw == 0 || raw == 1;
  return true;
}

}  // namespace

AppSettings::AppSettings() { ApplyDefaultSettings(*this, SettingsScreen{}, true); }

const SettingEntry& EntryOf(Setting id) { return kTable[static_cast<int>(id)]; }

int32_t ShownRadius(const AppSettings& s) { return std::min(s.CircleRadius, std::max(s.MinRadius, s.MaxRadius)); }

void ApplyDefaultSettings(AppSettings& s, const SettingsScreen& screen, bool everySetting) {
  s.MaxIconSize = kStoredMaxIconSize;
  s.MinRadius = 200;
  s.MaxRadius = screen.maxRadius;
  for (const SettingEntry& entry : kTable)
    if (entry.reset || everySetting) ApplyDefault(entry, s, screen);
}

bool ReadSettingsRecord(const uint8_t* p, size_t size, const SettingsScreen& screen, AppSettings& s) {
  if (p == nullptr || size < kSettingsRecordSize) return false;
  for (const SettingEntry& entry : kTable) {
    const int64_t v = FromStored(entry.storedAs, RawAt(entry, p));
    const int64_t low = Resolve(entry.low, s, screen), high = Resolve(entry.high, s, screen);
    if (v >= low && v <= high) {
      entry.set(s, v);
      continue;
    }
    switch (entry.outOfRange) {
      case O::kKeep: break;
      case O::kFallback: entry.set(s, WithinBounds(Resolve(entry.fallback, s, screen), low, high)); break;
      case O::kNearestBound: entry.set(s, WithinBounds(v, low, high)); break;
    }
  }
  // "Never placed" is a stored (0, 0) in twips once each coordinate is within its bounds
  // (a negative one is 0; one beyond the edge is the edge, which may be 0): a place a few
  // twips from the corner is a place, though it is the corner's pixel.
  const auto atCorner = [&](Setting id, int32_t px) {
    const SettingEntry& e = EntryOf(id);
    const int64_t raw = RawAt(e, p);
    return px == 0 && (raw <= 0 || FromStored(e.storedAs, raw) > Resolve(e.high, s, screen));
  };
  if (atCorner(Setting::kSearchBoxLeft, s.SearchBoxLeft) && atCorner(Setting::kSearchBoxTop, s.SearchBoxTop)) {
    ApplyDefault(EntryOf(Setting::kSearchBoxLeft), s, screen);
    ApplyDefault(EntryOf(Setting::kSearchBoxTop), s, screen);
  }
  s.KeptRecord.assign(p, p + kSettingsRecordSize);
  return true;
}

Bytes WriteSettingsRecord(const AppSettings& s, const std::string& userIconFile, AnsiCodec& codec) {
  const bool kept = s.KeptRecord.size() == kSettingsRecordSize;
  Bytes out = kept ? Bytes(s.KeptRecord.begin(), s.KeptRecord.end()) : Bytes(kSettingsRecordSize, 0);
  uint8_t* p = out.data();
  PutI32(p + kMaxIconSizeOffset, kStoredMaxIconSize);
  // The picture's path keeps the bytes it was read from while it is the same path. The
  // field is written at every save, so no path is all spaces, as every written text is
  // padded; NUL bytes mean a field never written.
  if (!kept || GetText(p + kUserIconFileOffset, kUserIconFileWidth, codec) != userIconFile) {
    if (userIconFile.empty())
      std::memset(p + kUserIconFileOffset, ' ', kUserIconFileWidth);
    else
      PutText(p + kUserIconFileOffset, kUserIconFileWidth, userIconFile, codec);
  }
  for (const SettingEntry& entry : kTable) {
    const int64_t v = entry.get(s);
    if (kept && FromStored(entry.storedAs, RawAt(entry, p)) == v) continue;
    PutStored(entry, v, p);
  }
  return out;
}

std::string SettingsFileSizeFault(uint64_t size) {
  if (size == kSettingsRecordSize) return {};
  return "it holds " + std::to_string(size) + " bytes, a settings file " + std::to_string(kSettingsRecordSize);
}

std::string CheckSettingsRecord(const Bytes& data) {
  if (std::string fault = SettingsFileSizeFault(data.size()); !fault.empty()) return fault;
  for (const SettingEntry& entry : kTable) {
    const int64_t raw = RawAt(entry, data.data());
    const int64_t v = FromStored(entry.storedAs, raw);
    if (!ValidRaw(entry.storedAs, raw) || v < entry.validLow || v > entry.validHigh)
      return std::string("its ") + entry.what + " is " + std::to_string(raw) + ", a value this program never stores";
  }
  return {};
}

}  // namespace vek
