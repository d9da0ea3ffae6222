// The settings record of "VEKCfg.cfg" (562 bytes, little-endian, no header) and the one
// table of the settings: where and how each is stored, its default, and what a stored
// value outside its bounds becomes. The defaults, reading, writing and the check of a
// configuration backup all follow that table; nothing else knows the stored forms.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/model.h"
#include "platform/ansi_codec.h"
#include "platform/file_system.h"

namespace vek {

constexpr size_t kSettingsRecordSize = 562;

// What the defaults and the checks need from the screen, in pixels of the work area.
struct SettingsScreen {
  int32_t width = 0;
  int32_t height = 0;
  int32_t maxRadius = 300;  // the largest ring radius that fits
};

// The search box's size: its place keeps the whole box on the screen.
constexpr int32_t kSearchBoxWidth = 416;
constexpr int32_t kSearchBoxHeight = 69;

// The settings, in the order of the table (which is the order of the checks: a bound
// may name a setting checked before).
enum class Setting : uint8_t {
  kNormalIconSize,
  kMagnifiedIconSize,
  kCircleRadius,
  kIconQuantity,
  kBackdropOpacity,
  kAutoRun,
  kSearchBoxLeft,
  kSearchBoxTop,
  kSearchEngine,
  kIconsLocked,
  kGettingStarted,
  kDesktopIconsHidden,
  kAutoHide,
  kHideLetters,
  kMinimizedPosition,
  kCount
};
constexpr int kSettingCount = static_cast<int>(Setting::kCount);

// How a setting is stored.
enum class StoredAs : uint8_t {
  kInt32,
  kInt16,
  kByte,
  kFlag16,        // 2 bytes: -1 on, 0 off (1 is read as on too)
  kFlag8,         // 1 byte: 1 on, 0 off
  kIconQuantity,  // 4 bytes: the code (count - 8) / 4
  kTwips,         // 4 bytes: a screen position in twips, 15 to the pixel
};

// A number a rule names: a fixed one, or a bound that the screen or a setting checked
// earlier gives, plus `add`.
enum class From : uint8_t {
  kFixed,
  kMaxIconSize,
  kMinRadius,
  kMaxRadius,
  kNormalIconSize,
  kBoxMaxLeft,     // the screen's width less the search box's
  kBoxMaxTop,      // the screen's height less the search box's
  kBoxCentreLeft,  // half of kBoxMaxLeft, rounded down
};
struct SettingNumber {
  From from = From::kFixed;
  int64_t add = 0;
};

// What a value read from the file becomes when it lies outside its bounds.
enum class OutOfRange : uint8_t {
  kKeep,          // the setting keeps its value (the default at start-up)
  kFallback,      // the rule's fallback, itself kept within the bounds
  kNearestBound,
};

struct SettingEntry {
  Setting id;
  const char* what;  // for messages: "icon quantity"
  size_t offset;
  StoredAs storedAs;
  // The setting as a number in the program's units (pixels, counts, 0/1 for switches).
  int64_t (*get)(const AppSettings&);
  void (*set)(AppSettings&, int64_t);
  SettingNumber byDefault;
  bool reset;  // a settings reset restores the default; otherwise only a fresh start has it
  SettingNumber low, high;
  OutOfRange outOfRange;
  SettingNumber fallback;
  // The numbers a file this program wrote can hold, whatever the screen.
  int64_t validLow, validHigh;
};

// The table entry of a setting.
const SettingEntry& EntryOf(Setting id);

// The ring's radius as shown: the chosen one, no larger than the largest the screen allows.
// A radius chosen on a larger screen (the resolution lowered since, a projector) comes
// back once the screen is large enough again.
int32_t ShownRadius(const AppSettings& settings);

// Puts every setting a settings reset restores to its default for this screen, and the
// bounds the settings keep; `everySetting` also the ones a reset keeps (a fresh start).
void ApplyDefaultSettings(AppSettings& settings, const SettingsScreen& screen, bool everySetting = false);

// Reads the record from the first 562 bytes (more are ignored) into the settings, each
// value checked against its bounds as the table says, and keeps the bytes for writing.
// A search box at (0, 0) was never placed and goes to its default place. False, with
// nothing changed, when fewer bytes are given.
bool ReadSettingsRecord(const uint8_t* data, size_t size, const SettingsScreen& screen, AppSettings& settings);

// The record of the settings: every setting of the table and the user's picture path
// (where the bytes last read already say the same, they stay as they were; no path is
// spaces), the largest icon size as 128, and everything else as last read (zero when
// nothing was read).
Bytes WriteSettingsRecord(const AppSettings& settings, const std::string& userIconFile, AnsiCodec& codec);

// Why `data` cannot be a settings file this program wrote: its size, or the first setting
// holding a value no version of it stores; empty when it can.
std::string CheckSettingsRecord(const Bytes& data);
// Why a file of `size` bytes cannot be a settings file; empty when it can.
std::string SettingsFileSizeFault(uint64_t size);

}  // namespace vek
