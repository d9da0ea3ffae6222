// The shortcuts-and-icons backup: the member lists and item records exactly as in
// "VEKMenu.cfg", then one icon block (32-bit length, bytes) for every IconFile and then
// CustomIconFile of items 4..1024 that names a file outside the shared pictures' folder
// ("...\SysIcons\"), then the trailer "/END" and a NUL byte. A backup restores under
// another program folder: shared pictures are found again in the restoring program's.
//
// The configuration backup is a byte-for-byte copy of "VEKCfg.cfg".
//
// Restoring never trusts the file: it is read and checked completely before anything
// of the live configuration changes, every block length is checked against what is
// left, and pictures are written only into the per-user icon folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/config_files.h"
#include "core/menu_record.h"
#include "core/model.h"

namespace vek {

constexpr char kBackupFailed[] = "Backup all shortcuts & icons failed! ";
constexpr char kRestoreFailed[] = "Restore all shortcuts & icons failed! ";
constexpr uint8_t kBackupTrailer[5] = {'/', 'E', 'N', 'D', 0};

// Reads the whole file into `buffer` and returns its length; 0 (nothing read) for an
// empty path, -1 when the file cannot be read.
int64_t ReadWholeFile(FileSystem& fs, const std::string& path, Bytes& buffer);
// Writes `buffer` to the path, replacing the file; 1 on success, 0 on failure.
int WriteWholeFile(FileSystem& fs, const std::string& path, const Bytes& buffer);

// An icon block of a parsed backup: the item and field it belongs to, and where its
// bytes lie in the backup.
struct IconBlock {
  int item = 0;
  bool custom = false;  // false: IconFile, true: CustomIconFile
  size_t offset = 0;
  size_t length = 0;
};

struct BackupContents {
  MenuContents menu;
  std::vector<IconBlock> blocks;  // in file order
};

struct BackupParseResult {
  bool ok = false;
  std::string error;
};

// Parses a backup: the menu image with all of LoadMenu's checks, then the icon blocks
// the records announce (the icon paths are trimmed in `out`). The walk stops after an
// item when the end of the data is reached; the trailer is not required.
BackupParseResult ParseBackup(const uint8_t* data, size_t size, AnsiCodec& codec,
                              const std::string& sysIconDir, BackupContents& out);

// Writes the backup of the model to `path` (replacing it only once the whole backup is
// written). Icon paths of items 4..1024 that name missing files are cleared in the model
// first, so every path in the records has its block. 1 on success; on failure shows
// kBackupFailed and returns 0.
int BackupAll(Model& model, const std::string& path, ConfigIo& io);

// Restores a backup: checks it completely; then replaces the member lists 3..36 and all
// items, writes "VEKMenu.cfg", deletes the icon folder's "*.png" pictures and writes the
// icon blocks. A block whose path lies outside the icon folder is written under a fresh
// name there and its record follows. On a missing or broken backup shows kRestoreFailed
// and returns false with nothing changed; when "VEKMenu.cfg" cannot be written the model
// goes back to what it was. The caller reloads the configuration after success.
bool RestoreAll(Model& model, const std::string& path, ConfigIo& io);

constexpr char kConfigBackupFailed[] = "Backup Configuration failed! ";
constexpr char kConfigRestoreFailed[] = "Restore Configuration failed! ";

// Writes the live settings to "VEKCfg.cfg", then copies that file to `path` (replacing
// it only once the copy is complete). On failure says why and returns false.
bool BackupConfiguration(const Model& model, const std::string& path, ConfigIo& io);

// Checks the chosen file completely before it becomes "VEKCfg.cfg" (and its twin); a
// missing or unfit file changes nothing and the message says why. The caller reads
// the settings again after success.
bool RestoreConfiguration(const std::string& path, ConfigIo& io);

}  // namespace vek
