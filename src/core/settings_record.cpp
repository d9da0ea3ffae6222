#include "core/settings_record.h"

#include <algorithm>
#include <cstring>

#include "core/record_io.h"

namespace vek {

using namespace record;
namespace off = settings_offset;

Bytes EncodeSettingsRecord(const SettingsRecord& r, AnsiCodec& codec) {
  Bytes out(kSettingsRecordSize, 0);
  uint8_t* p = out.data();
  PutI32(p + off::kNormalIconSize, r.NormalIconSize);
  PutI32(p + off::kMaxIconSize, r.MaxIconSize);
  PutI32(p + off::kMagnifiedIconSize, r.MagnifiedIconSize);
  PutI32(p + off::kCircleRadius, r.CircleRadius);
  PutI32(p + off::kIconQuantityCode, r.IconQuantityCode);
  std::memcpy(p + off::kBackdropColour, r.BackdropColour, 4);
  PutI16(p + off::kReservedFlag, r.ReservedFlag);
  PutI16(p + off::kAutoRun, r.AutoRun);
  PutText(p + off::kUserIconFile, kUserIconFileWidth, r.UserIconFile, codec);
  std::memcpy(p + off::kReservedText, r.ReservedText.data(),
              std::min(r.ReservedText.size(), kReservedTextWidth));
  PutI32(p + off::kReservedNumber, r.ReservedNumber);
  PutI32(p + off::kSearchBoxLeft, r.SearchBoxLeft);
  PutI32(p + off::kSearchBoxTop, r.SearchBoxTop);
  PutI32(p + off::kSearchEngine, r.SearchEngine);
  PutI16(p + off::kIconsLocked, r.IconsLocked);
  PutI16(p + off::kGettingStarted, r.GettingStarted);
  p[off::kDesktopIconsHidden] = r.DesktopIconsHidden;
  p[off::kAutoHide] = r.AutoHide;
  p[off::kHideLetters] = r.HideLetters;
  p[off::kMinimizedPosition] = r.MinimizedPosition;
  return out;
}

std::optional<SettingsRecord> DecodeSettingsRecord(const uint8_t* p, size_t size,
                                                   AnsiCodec& codec) {
  if (p == nullptr || size < kSettingsRecordSize) return std::nullopt;
  SettingsRecord r;
  r.NormalIconSize = GetI32(p + off::kNormalIconSize);
  r.MaxIconSize = GetI32(p + off::kMaxIconSize);
  r.MagnifiedIconSize = GetI32(p + off::kMagnifiedIconSize);
  r.CircleRadius = GetI32(p + off::kCircleRadius);
  r.IconQuantityCode = GetI32(p + off::kIconQuantityCode);
  std::memcpy(r.BackdropColour, p + off::kBackdropColour, 4);
  r.ReservedFlag = GetI16(p + off::kReservedFlag);
  r.AutoRun = GetI16(p + off::kAutoRun);
  r.UserIconFile = GetText(p + off::kUserIconFile, kUserIconFileWidth, codec);
  const char* reserved = reinterpret_cast<const char*>(p + off::kReservedText);
  if (std::any_of(reserved, reserved + kReservedTextWidth, [](char c) { return c != 0; }))
    r.ReservedText.assign(reserved, kReservedTextWidth);
  r.ReservedNumber = GetI32(p + off::kReservedNumber);
  r.SearchBoxLeft = GetI32(p + off::kSearchBoxLeft);
  r.SearchBoxTop = GetI32(p + off::kSearchBoxTop);
  r.SearchEngine = GetI32(p + off::kSearchEngine);
  r.IconsLocked = GetI16(p + off::kIconsLocked);
  r.GettingStarted = GetI16(p + off::kGettingStarted);
  r.DesktopIconsHidden = p[off::kDesktopIconsHidden];
  r.AutoHide = p[off::kAutoHide];
  r.HideLetters = p[off::kHideLetters];
  r.MinimizedPosition = p[off::kMinimizedPosition];
  return r;
}

}  // namespace vek
