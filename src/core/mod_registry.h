// Registry values addressed by one full key path whose first component names the root
// key ("HKEY_CURRENT_USER\SOFTWARE\VEK Desktop\System"), and the few values the program
// keeps: the first-run switch, the installation record and the autostart entry.
// Every operation swallows errors: reads give an empty value, writes a result code.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/registry.h"

namespace vek {

// The program's own key and the per-user autostart key.
constexpr char kProgramKey[] = "HKEY_CURRENT_USER\\SOFTWARE\\VEK Desktop\\System";
constexpr char kRunKey[] = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunValueName[] = "VEK Desktop";
// Where Windows (8 and later) keeps a program's start-up entry turned off by the user in
// Task Manager or Settings, under the same name as the autostart value.
constexpr char kStartupApprovedKey[] =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

// A value as read: empty, a text or a 32-bit number.
struct RegValue {
  enum class Type { kEmpty, kText, kNumber };
  Type type = Type::kEmpty;
  std::string text;
  int32_t number = 0;

  bool empty() const { return type == Type::kEmpty; }
  // The value as text: the text, the number in decimal, or "" when empty.
  std::string AsText() const;
};

// subKey := everything after the first "\" (empty when there is none); lastName :=
// everything after the last "\" (the whole path when there is none). The part before the
// first "\" (the whole path when none), compared upper-cased, names the root; nothing
// when it is not one of the seven root names.
std::optional<RegRoot> SplitRegPath(const std::string& path, std::string& subKey,
                                    std::string& lastName);

// Types 1, 2 and 7 give text (as stored, so a terminating NUL the registry counts stays in
// it; pass it through TrimFixed), type 3 gives text whose characters are the data bytes,
// type 4 a number. Empty for other types, missing keys and values, zero-length data, and
// values longer than 1024 characters (bytes for type 3).
RegValue ReadRegValue(Registry& registry, const std::string& keyPath, const std::string& valueName);

// Types 1 and 2 store the text and its terminating NUL, as the system stores a string
// handed over from a NUL-terminated buffer (so reading it back gives the text and a NUL,
// which TrimFixed removes); type 4 stores the text read as
// a number (leading blanks, sign, digits, decimal point, exponent; the rest ignored)
// rounded to the nearest 32-bit integer, halves to even. Returns 0 on success or the
// registry's error code; 0 also, with nothing written, for other types, an unknown root,
// a key that cannot be created, or a number outside the 32-bit range.
int32_t WriteRegValue(Registry& registry, const std::string& keyPath, const std::string& valueName,
                      const std::string& text, uint32_t type);

// The registry's result code; 0 when the root is unknown or the key cannot be opened.
int32_t DeleteRegValue(Registry& registry, const std::string& keyPath, const std::string& valueName);

// True only when "FirstRun" under the program key is exactly "0" after trimming; then it
// is set to "1" so that the clean first start happens once. Anything else (including a
// missing value) is false and writes nothing.
bool IsFirstRun(Registry& registry, const std::string& programKey = kProgramKey);

// The hotkeys another program held when the user was last told, as the message names
// them.
constexpr char kToldMissingHotkeysValue[] = "MissingHotkeys";

// Whether the user is to be told that the hotkeys `missing` (as the message names them;
// empty when every hotkey registered) are held by another program: only when they
// differ from those last told of, which are remembered under the program key. A hotkey
// the system itself keeps is told of once, not at every start; one lost again after it
// came back is told of again.
bool RememberMissingHotkeys(Registry& registry, const std::string& missing,
                            const std::string& programKey = kProgramKey);

struct ProgramVersion {
  int major = 0;
  int minor = 0;
  int revision = 0;
};

// Writes "APP_PATH" (programPath), "APP_VER" ("major.minor.revision") and "APP_BUILD"
// ("revision") under the program key, stopping at the first failed write; true when
// all three were written.
bool RecordInstallation(Registry& registry, const std::string& programPath,
                        const ProgramVersion& version, const std::string& programKey = kProgramKey);

// Makes the autostart value match the wish. programPath is the full path of the running
// program (its folder, base name and ".exe"). Returns 1 when the value now holds
// programPath, else 0. A value pointing to another copy is left alone when switching off
// and overwritten when switching on.
// Turning it on also turns back on a start-up entry the user had turned off in Windows;
// 1 only when the program will start.
int SetAutoRun(Registry& registry, bool enable, const std::string& programPath,
               const std::string& runKey = kRunKey, const std::string& approvedKey = kStartupApprovedKey);

// True when the user turned the program's start-up entry off in Windows itself (its
// approval record's first byte is odd): the autostart value then starts nothing.
bool AutoRunTurnedOffInWindows(Registry& registry, const std::string& approvedKey = kStartupApprovedKey);

}  // namespace vek
