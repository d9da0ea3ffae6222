// The scans that fill the default groups: the entries of a folder, the system folders
// and drives, and the installed Office programs. Each scan only finds paths; every path
// becomes a member through AddItemFromPath, which also drops duplicates and paths that
// do not exist. What may wait on a slow drive or a network place (listing a folder, asking
// about a path) runs off the UI thread through item creation's bounded calls.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/paths.h"
#include "icons/item_creation.h"
#include "platform/drives.h"
#include "platform/registry.h"

namespace vek {

// Asked before each path a scan adds; a scan stops at the first no. Empty: go on.
using KeepScanning = std::function<bool()>;

// Entry selection of AddFolderEntries.
namespace scan_mode {
constexpr int kAllVisible = 0;   // every entry without the hidden attribute
constexpr int kArchiveOnly = 1;  // only entries with the archive attribute
}  // namespace scan_mode

class Discovery {
 public:
  Discovery(ItemCreation& items, PathTools& paths, Registry& registry, Drives& drives)
      : items_(items), paths_(paths), registry_(registry), drives_(drives) {}

  // Adds the entries of `folder` (ending with a backslash; none when the shell gave no
  // folder) that match `pattern` to `group`, in the file system's order; hidden entries,
  // "." and ".." are skipped, sub-folders are added as folder items. Returns the number
  // of members added.
  int AddFolderEntries(int group, const std::string& folder, const std::string& pattern,
                       int mode, const KeepScanning& keepGoing = {});
  // Adds, in order: Explorer (Windows 6 and later), the Documents, Pictures, Music,
  // Videos and Favorites folders, the Program Files, Windows and System folders (those
  // the shell gave), then every drive root, calling `letMessagesRun` after each drive
  // (a drive without a disc can keep the system busy). Returns the number of members
  // added.
  int AddSystemFoldersAndDrives(int group, uint32_t windowsMajor,
                                const std::function<void()>& letMessagesRun,
                                const KeepScanning& keepGoing = {});
  // Adds the local servers of Word, Excel, Access, PowerPoint and FrontPage registered
  // for automation, cut after their ".EXE" so that switches are dropped. Returns the
  // number of members added.
  int AddOfficeApplications(int group, const KeepScanning& keepGoing = {});

 private:
  // False, with nothing added, once `keepGoing` says no.
  static bool GoOn(const KeepScanning& keepGoing) { return !keepGoing || keepGoing(); }
  bool Add(const std::string& path, int group) { return items_.AddItemFromPath(path, group).added(); }

  ItemCreation& items_;
  PathTools& paths_;
  Registry& registry_;
  Drives& drives_;
};

}  // namespace vek
