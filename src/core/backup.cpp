#include "core/backup.h"

#include <algorithm>
#include <limits>
#include <set>
#include <utility>

#include "core/pool_ops.h"
#include "core/record_io.h"
#include "text/text.h"
#include "core/icon_files.h"
#include "core/settings_record.h"

namespace vek {

namespace {

constexpr int kFirstBackedUpIcon = pool::kFirstMovableSlot;  // items 4..1024

std::string& IconField(ShortcutItem& item, bool custom) {
  return custom ? item.CustomIconFile : item.IconFile;
}

bool IsFile(FileSystem& fs, const std::string& path) {
  const uint32_t a = fs.Attributes(path);
  return a != attr::kInvalid && !(a & attr::kDirectory);
}

}  // namespace

int64_t ReadWholeFile(FileSystem& fs, const std::string& path, Bytes& buffer) {
  buffer.clear();
  if (path.empty()) return 0;
  if (!fs.ReadAll(path, buffer)) {
    buffer.clear();
    return -1;
  }
  return static_cast<int64_t>(buffer.size());
}

int WriteWholeFile(FileSystem& fs, const std::string& path, const Bytes& buffer) {
  return fs.WriteAll(path, buffer) ? 1 : 0;
}

BackupParseResult ParseBackup(const uint8_t* data, size_t size, AnsiCodec& codec,
                              const std::string& sysIconDir, BackupContents& out) {
  BackupParseResult result;
  out.blocks.clear();
  const MenuDecodeResult menu = DecodeMenu(data, size, codec, out.menu);
  if (!menu.ok) {
    result.error = menu.error;
    return result;
  }
  size_t pos = menu.size;
  for (int k = kFirstBackedUpIcon; k <= pool::kLast; ++k) {
    for (bool custom : {false, true}) {
      const std::string path = IconField(out.menu.Items[k], custom);
      if (path.empty() || IsSharedPicturePath(path, sysIconDir)) continue;
      if (size - pos < 4) {
        result.error = "the icon of item " + std::to_string(k) + " is missing";
        return result;
      }
      const int32_t length = record::GetI32(data + pos);
      if (length < 0 || static_cast<size_t>(length) > size - pos - 4) {
        result.error = "the icon of item " + std::to_string(k) + " claims " +
                       std::to_string(length) + " bytes, more than the file holds";
        return result;
      }
      out.blocks.push_back({k, custom, pos + 4, static_cast<size_t>(length)});
      pos += 4 + static_cast<size_t>(length);
    }
    if (pos == size) break;
  }
  result.ok = true;
  return result;
}

int BackupAll(Model& model, const std::string& path, ConfigIo& io) {
  const int last = std::min<int>(pool::kLast, static_cast<int>(model.Items.size()) - 1);
  // Records must not name a picture that has no block. Shared pictures have none; one
  // named in another program folder stays, for the restoring program to find in its own.
  for (int k = kFirstBackedUpIcon; k <= last; ++k) {
    for (bool custom : {false, true}) {
      std::string& field = IconField(model.Items[k], custom);
      const std::string p = field;
      const bool elsewhere = IsSharedPicturePath(p, io.folders.SysIconDir) &&
                             !PathIsInFolder(p, io.folders.SysIconDir);
      if (!p.empty() && !elsewhere && !IsFile(io.fs, p)) field = "";
    }
  }
  Bytes out;
  EncodeMenu(model.Groups, model.Items, io.codec, out);
  Bytes picture;
  for (int k = kFirstBackedUpIcon; k <= last; ++k) {
    for (bool custom : {false, true}) {
      const std::string p = IconField(model.Items[k], custom);
      if (p.empty() || IsSharedPicturePath(p, io.folders.SysIconDir)) continue;
      const int64_t length = ReadWholeFile(io.fs, p, picture);
      if (length < 0 || length > std::numeric_limits<int32_t>::max()) {
        io.prompt.Warn(kBackupFailed);
        return 0;
      }
      const size_t at = out.size();
      out.resize(at + 4);
      record::PutI32(out.data() + at, static_cast<int32_t>(length));
      out.insert(out.end(), picture.begin(), picture.end());
    }
  }
  out.insert(out.end(), std::begin(kBackupTrailer), std::end(kBackupTrailer));
  if (!ReplaceFileContent(io.fs, path, out)) {
    io.prompt.Warn(kBackupFailed);
    return 0;
  }
  return 1;
}

bool RestoreAll(Model& model, const std::string& path, ConfigIo& io) {
  if (RefusedWhileFilesKept(io)) return false;
  Bytes data;
  BackupContents backup;
  // The menu image at the start tells a backup from any other file before the whole file
  // (a large one chosen by mistake) is read.
  Bytes lists;
  std::vector<ShortcutGroup> listed;
  if (path.empty() || !IsFile(io.fs, path) || !io.fs.ReadRange(path, 0, kMenuFileSize, lists) ||
      !DecodeMenuLists(lists.data(), lists.size(), listed).ok || !io.fs.ReadAll(path, data) ||
      !ParseBackup(data.data(), data.size(), io.codec, io.folders.SysIconDir, backup).ok) {
    io.prompt.Warn(kRestoreFailed);
    return false;
  }
  std::vector<ShortcutItem>& items = backup.menu.Items;
  // Shared pictures named in another program folder are this program's own.
  for (ShortcutItem& item : items) {
    for (bool custom : {false, true}) {
      std::string& field = IconField(item, custom);
      const std::string p = field;
      const std::string here = SharedPictureHere(io.fs, p, io.folders.SysIconDir);
      if (here != p) field = here;
    }
  }

  // Pictures go only into the icon folder: a block aimed anywhere else gets a fresh name
  // there, avoiding the names other blocks will take.
  std::set<std::string> targets;
  for (const IconBlock& b : backup.blocks) {
    const std::string p = IconField(items[b.item], b.custom);
    if (IsOwnPicturePath(p, io.folders.IconDir)) targets.insert(ToUpperAscii(p));
  }
  const auto taken = [&](const std::string& name) { return targets.count(ToUpperAscii(name)) != 0; };
  // A backup from another profile or machine names none of its pictures here: each of
  // up to two thousand gets the next free number.
  unsigned long nextName = 0;
  for (const IconBlock& b : backup.blocks) {
    std::string& field = IconField(items[b.item], b.custom);
    if (IsOwnPicturePath(field, io.folders.IconDir)) continue;
    const std::string fresh = NewIconFileName(io.fs, io.folders.IconDir, taken, nextName);
    targets.insert(ToUpperAscii(fresh));
    field = fresh;
  }

  // The new lists and items become the configuration; if it cannot be written, the model
  // and the files stay as they were.
  std::vector<ShortcutGroup> oldGroups = model.Groups;
  std::vector<ShortcutItem> oldItems = model.Items;
  if (static_cast<int>(model.Groups.size()) < pool::kGroupCount) model.Groups.resize(pool::kGroupCount);
  for (int g = kFirstStoredGroup; g <= kLastStoredGroup; ++g) model.Groups[g] = backup.menu.Groups[g];
  model.Items.assign(items.begin(), items.end());
  if (!SaveMenu(model, io)) {
    // Back in place: code that lets messages run meanwhile (the first start's fill) holds
    // references into the pool, which must not move.
    model.Groups.assign(oldGroups.begin(), oldGroups.end());
    model.Items.assign(oldItems.begin(), oldItems.end());
    return false;
  }

  // A backup carries pictures from item 4 on, and a file that ends after its records (a
  // copy of the menu file) carries none. A picture a restored item names without a block
  // (the All Programs group's own icon, or any picture of such a file) stays where it is,
  // unless a block takes its place: it may be a custom picture nothing could make again.
  std::set<std::pair<int, bool>> carried;
  for (const IconBlock& b : backup.blocks) carried.insert({b.item, b.custom});
  std::set<std::string> spare;
  for (int k = 0; k < static_cast<int>(model.Items.size()); ++k) {
    for (bool custom : {false, true}) {
      if (carried.count({k, custom})) continue;
      const std::string p = IconField(model.Items[k], custom);
      if (PathIsInFolder(p, io.folders.IconDir) && !taken(p)) spare.insert(ToUpperAscii(p));
    }
  }
  DeleteIconPictures(io.fs, io.folders, spare);
  int failed = 0;
  for (const IconBlock& b : backup.blocks) {
    const Bytes picture(data.begin() + static_cast<std::ptrdiff_t>(b.offset),
                        data.begin() + static_cast<std::ptrdiff_t>(b.offset + b.length));
    if (WriteWholeFile(io.fs, IconField(model.Items[b.item], b.custom), picture) != 1) ++failed;
  }
  if (failed > 0) {
    io.prompt.Warn("The shortcuts were restored, but " + std::to_string(failed) +
                   " icon picture(s) could not be written to \"" + io.folders.IconDir +
                   "\"; those icons will be made again from their shortcuts.");
  }
  return true;
}

bool BackupConfiguration(const Model& model, const std::string& path, ConfigIo& io) {
  if (RefusedWhileFilesKept(io)) return false;
  // The backup always equals the live settings.
  if (!SaveSettings(model, io)) return false;
  Bytes data;
  if (!io.fs.ReadAll(io.folders.SettingsFile, data)) {
    io.prompt.Warn(std::string(kConfigBackupFailed) + "\"" + io.folders.SettingsFile + "\" cannot be read.");
    return false;
  }
  if (!ReplaceFileContent(io.fs, path, data)) {
    io.prompt.Warn(std::string(kConfigBackupFailed) + "\"" + path + "\" cannot be written.");
    return false;
  }
  return true;
}

bool RestoreConfiguration(const std::string& path, ConfigIo& io) {
  if (RefusedWhileFilesKept(io)) return false;
  Bytes data;
  std::string why;
  // The size first: a large file chosen by mistake is not read whole on the way.
  if (path.empty() || !IsFile(io.fs, path)) {
    why = "the file cannot be read";
  } else if (why = SettingsFileSizeFault(static_cast<uint64_t>(std::max<int64_t>(io.fs.Length(path), 0)));
             why.empty()) {
    why = io.fs.ReadAll(path, data) ? CheckSettingsRecord(data) : "the file cannot be read";
  }
  if (why.empty()) {
    if (ReplaceFileContent(io.fs, io.folders.SettingsFile, data)) {
      // The twin stands in for a missing file later: it must not hold the old settings.
      const std::string twin = io.folders.SettingsFile + ".bak";
      if (!ReplaceFileContent(io.fs, twin, data)) io.fs.Delete(twin);
      return true;
    }
    why = "\"" + io.folders.SettingsFile + "\" cannot be written";
  }
  io.prompt.Warn(std::string(kConfigRestoreFailed) + "\"" + path + "\" is not used: " + why +
                 ". The settings have not been changed.");
  return false;
}

}  // namespace vek
