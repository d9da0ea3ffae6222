// The settings record of "VEKCfg.cfg": 562 bytes, little-endian, no header. The codec
// converts between the bytes and a plain structure; what the values mean and how they
// are checked when read belongs to the configuration file operations.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "core/fixed_text.h"
#include "platform/ansi_codec.h"
#include "platform/file_system.h"

namespace vek {

constexpr size_t kSettingsRecordSize = 562;
constexpr size_t kUserIconFileWidth = 255;
constexpr size_t kReservedTextWidth = 255;

// Byte offsets of the fields.
namespace settings_offset {
constexpr size_t kNormalIconSize = 0;
constexpr size_t kMaxIconSize = 4;
constexpr size_t kMagnifiedIconSize = 8;
constexpr size_t kCircleRadius = 12;
constexpr size_t kIconQuantityCode = 16;
constexpr size_t kBackdropColour = 20;
constexpr size_t kReservedFlag = 24;
constexpr size_t kAutoRun = 26;
constexpr size_t kUserIconFile = 28;
constexpr size_t kReservedText = 283;
constexpr size_t kReservedNumber = 538;
constexpr size_t kSearchBoxLeft = 542;
constexpr size_t kSearchBoxTop = 546;
constexpr size_t kSearchEngine = 550;
constexpr size_t kIconsLocked = 554;
constexpr size_t kGettingStarted = 556;
constexpr size_t kDesktopIconsHidden = 558;
constexpr size_t kAutoHide = 559;
constexpr size_t kHideLetters = 560;
constexpr size_t kMinimizedPosition = 561;
}  // namespace settings_offset

// The record's fields as stored, before any check.
struct SettingsRecord {
  int32_t NormalIconSize = 0;
  int32_t MaxIconSize = 0;
  int32_t MagnifiedIconSize = 0;
  int32_t CircleRadius = 0;
  int32_t IconQuantityCode = 0;  // (IconQuantity - 8) / 4
  uint8_t BackdropColour[4] = {0, 0, 0, 0};  // blue, green, red, alpha
  int16_t ReservedFlag = 0;
  int16_t AutoRun = 0;  // 16-bit boolean
  FixedText UserIconFile;
  // The reserved text field's bytes exactly as stored, not converted: nothing reads it,
  // and it must go back to the file unchanged. Empty means all NUL.
  std::string ReservedText;
  int32_t ReservedNumber = 0;
  int32_t SearchBoxLeft = 0;  // twips
  int32_t SearchBoxTop = 0;
  int32_t SearchEngine = 0;
  int16_t IconsLocked = 0;  // 16-bit boolean
  int16_t GettingStarted = 0;
  uint8_t DesktopIconsHidden = 0;
  uint8_t AutoHide = 0;
  uint8_t HideLetters = 0;
  uint8_t MinimizedPosition = 0;
};

// The 562 bytes of the record.
Bytes EncodeSettingsRecord(const SettingsRecord& record, AnsiCodec& codec);
// The record from the first 562 bytes; nothing when fewer bytes are given. Longer input
// is accepted and the rest ignored, as the record is read from the start of the file.
std::optional<SettingsRecord> DecodeSettingsRecord(const uint8_t* data, size_t size,
                                                   AnsiCodec& codec);

}  // namespace vek
