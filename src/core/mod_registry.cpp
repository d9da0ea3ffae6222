#include "core/mod_registry.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "platform/log.h"
#include "text/text.h"

namespace vek {

namespace {

constexpr size_t kMaxTextUnits = 1024;   // the read buffer of 1024 characters
constexpr size_t kMaxBinaryBytes = 1024;

// UTF-8 to UTF-16 little-endian bytes; a malformed sequence becomes U+FFFD.
std::vector<uint8_t> ToUtf16Bytes(const std::string& text) {
  std::vector<uint8_t> out;
  out.reserve(text.size() * 2);
  auto unit = [&](uint32_t u) {
    out.push_back(static_cast<uint8_t>(u));
    out.push_back(static_cast<uint8_t>(u >> 8));
  };
  size_t i = 0;
  while (i < text.size()) {
    const uint8_t b = static_cast<uint8_t>(text[i]);
    uint32_t cp = 0xFFFD;
    size_t len = 1;
    if (b < 0x80) {
      cp = b;
    } else if ((b >> 5) == 0x6 || (b >> 4) == 0xE || (b >> 3) == 0x1E) {
      len = (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : 4;
      uint32_t v = b & (len == 2 ? 0x1F : len == 3 ? 0x0F : 0x07);
      bool good = i + len <= text.size();
      for (size_t k = 1; good && k < len; ++k) {
        const uint8_t c = static_cast<uint8_t>(text[i + k]);
        if ((c >> 6) != 0x2) good = false;
        v = (v << 6) | (c & 0x3F);
      }
      static const uint32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
      if (good && v >= kMin[len] && v <= 0x10FFFF && (v < 0xD800 || v > 0xDFFF)) {
        cp = v;
      } else {
        len = 1;
      }
    }
    i += len;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      unit(0xD800 + (cp >> 10));
      unit(0xDC00 + (cp & 0x3FF));
    } else {
      unit(cp);
    }
  }
  return out;
}


// The leading number of a text, as the classic Val function reads it.
double LeadingNumber(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  const size_t start = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  const size_t digits = i;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
  }
  if (i == digits || (i == digits + 1 && text[digits] == '.')) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) {
      while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) ++j;
      i = j;
    }
  }
  return std::strtod(text.substr(start, i - start).c_str(), nullptr);
}

}  // namespace

std::string RegValue::AsText() const {
  switch (type) {
    case Type::kText:
      return text;
    case Type::kNumber:
      return std::to_string(number);
    default:
      return {};
  }
}

std::optional<RegRoot> SplitRegPath(const std::string& path, std::string& subKey,
                                    std::string& lastName) {
  const size_t first = path.find('\\');
  const size_t last = path.rfind('\\');
  subKey = first == std::string::npos ? std::string() : path.substr(first + 1);
  lastName = last == std::string::npos ? path : path.substr(last + 1);
  const std::string root = ToUpperAscii(first == std::string::npos ? path : path.substr(0, first));
  if (root == "HKEY_CLASSES_ROOT") return RegRoot::kClassesRoot;
  if (root == "HKEY_CURRENT_USER") return RegRoot::kCurrentUser;
  if (root == "HKEY_LOCAL_MACHINE") return RegRoot::kLocalMachine;
  if (root == "HKEY_USERS") return RegRoot::kUsers;
  if (root == "HKEY_PERFORMANCE_DATA") return RegRoot::kPerformanceData;
  if (root == "HKEY_CURRENT_CONFIG") return RegRoot::kCurrentConfig;
  if (root == "HKEY_DYN_DATA") return RegRoot::kDynData;
  return std::nullopt;
}

RegValue ReadRegValue(Registry& registry, const std::string& keyPath, const std::string& valueName) {
  RegValue value;
  std::string subKey, lastName;
  const std::optional<RegRoot> root = SplitRegPath(keyPath, subKey, lastName);
  if (!root) return value;
  uint32_t type = reg_type::kNone;
  std::vector<uint8_t> data;
  if (!registry.QueryValue(*root, subKey, valueName, type, data).ok()) return value;
  switch (type) {
    case reg_type::kSz:
    case reg_type::kExpandSz:
    case reg_type::kMultiSz: {
      const size_t units = data.size() / 2;
      if (units == 0 || units > kMaxTextUnits) return value;
      value.type = RegValue::Type::kText;
      value.text = Utf16LeToUtf8(data.data(), units);
      return value;
    }
    case reg_type::kBinary: {
      if (data.empty() || data.size() > kMaxBinaryBytes) return value;
      value.type = RegValue::Type::kText;
      for (uint8_t b : data) AppendUtf8(value.text, b);
      return value;
    }
    case reg_type::kDword: {
      if (data.empty() || data.size() > 4) return value;
      uint32_t n = 0;
      for (size_t k = 0; k < data.size(); ++k) n |= static_cast<uint32_t>(data[k]) << (8 * k);
      value.type = RegValue::Type::kNumber;
      value.number = static_cast<int32_t>(n);
      return value;
    }
    default:
      return value;
  }
}

int32_t WriteRegValue(Registry& registry, const std::string& keyPath, const std::string& valueName,
                      const std::string& text, uint32_t type) {
  std::string subKey, lastName;
  const std::optional<RegRoot> root = SplitRegPath(keyPath, subKey, lastName);
  if (!root) return 0;
  std::vector<uint8_t> data;
  if (type == reg_type::kSz || type == reg_type::kExpandSz) {
    data = ToUtf16Bytes(text);
    data.insert(data.end(), {0, 0});
  } else if (type == reg_type::kDword) {
    const double rounded = std::nearbyint(LeadingNumber(text));  // halves to even
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) return 0;
    const uint32_t n = static_cast<uint32_t>(static_cast<int32_t>(rounded));
    data = {static_cast<uint8_t>(n), static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n >> 16),
            static_cast<uint8_t>(n >> 24)};
  } else {
    return 0;
  }
  const RegStatus status = registry.SetValue(*root, subKey, valueName, type, data);
  return status.keyOpened ? status.error : 0;
}

int32_t DeleteRegValue(Registry& registry, const std::string& keyPath, const std::string& valueName) {
  std::string subKey, lastName;
  const std::optional<RegRoot> root = SplitRegPath(keyPath, subKey, lastName);
  if (!root) return 0;
  const RegStatus status = registry.DeleteValue(*root, subKey, valueName);
  return status.keyOpened ? status.error : 0;
}

bool IsFirstRun(Registry& registry, const std::string& programKey) {
  if (TrimFixed(ReadRegValue(registry, programKey, "FirstRun").AsText()) != "0") return false;
  // The request counts only once it is known to be used up: one that stays (a key this
  // user may read but not write) would clear the user's files again at every start.
  WriteRegValue(registry, programKey, "FirstRun", "1", reg_type::kSz);
  if (TrimFixed(ReadRegValue(registry, programKey, "FirstRun").AsText()) == "1") return true;
  WriteLog("the clean-start request could not be used up; the files are left as they are");
  return false;
}

bool RememberMissingHotkeys(Registry& registry, const std::string& missing, const std::string& programKey) {
  const std::string told = TrimFixed(ReadRegValue(registry, programKey, kToldMissingHotkeysValue).AsText());
  if (missing == told) return false;
  if (missing.empty()) {
    DeleteRegValue(registry, programKey, kToldMissingHotkeysValue);
  } else {
    WriteRegValue(registry, programKey, kToldMissingHotkeysValue, missing, reg_type::kSz);
  }
  return !missing.empty();
}

bool RecordInstallation(Registry& registry, const std::string& programPath,
                        const ProgramVersion& version, const std::string& programKey) {
  const std::string revision = std::to_string(version.revision);
  const std::string text = std::to_string(version.major) + "." + std::to_string(version.minor) +
                           "." + revision;
  if (WriteRegValue(registry, programKey, "APP_PATH", programPath, reg_type::kSz) != 0) return false;
  if (WriteRegValue(registry, programKey, "APP_VER", text, reg_type::kSz) != 0) return false;
  return WriteRegValue(registry, programKey, "APP_BUILD", revision, reg_type::kSz) == 0;
}

bool AutoRunTurnedOffInWindows(Registry& registry, const std::string& approvedKey) {
  std::string subKey, lastName;
  const std::optional<RegRoot> root = SplitRegPath(approvedKey, subKey, lastName);
  uint32_t type = reg_type::kNone;
  std::vector<uint8_t> data;
  return root && registry.QueryValue(*root, subKey, kRunValueName, type, data).ok() &&
         type == reg_type::kBinary && !data.empty() && (data[0] & 1) != 0;
}

int SetAutoRun(Registry& registry, bool enable, const std::string& programPath, const std::string& runKey,
               const std::string& approvedKey) {
  auto current = [&] { return TrimFixed(ReadRegValue(registry, runKey, kRunValueName).AsText()); };
  const bool ours = current() == programPath;
  const bool turnedOff = AutoRunTurnedOffInWindows(registry, approvedKey);
  if (ours && enable && !turnedOff) return 1;
  if (!ours && !enable) return 0;
  if (enable) {
    if (!ours) WriteRegValue(registry, runKey, kRunValueName, programPath, reg_type::kSz);
    if (turnedOff) DeleteRegValue(registry, approvedKey, kRunValueName);
  } else {
    DeleteRegValue(registry, runKey, kRunValueName);
  }
  return current() == programPath && !AutoRunTurnedOffInWindows(registry, approvedKey) ? 1 : 0;
}

}  // namespace vek
