#include "core/config_files.h"

#include <algorithm>
#include <functional>

#include "core/group_title.h"
#include "core/icon_files.h"
#include "core/menu_record.h"
#include "core/mod_registry.h"
#include "core/record_io.h"
#include "platform/log.h"
#include "text/text.h"

namespace vek {

namespace {

std::string TwinOf(const std::string& file) { return file + ".bak"; }

// The centre shows the user's picture when there is one, whatever a file names.
std::string CentrePicture(ConfigIo& io) {
  return io.fs.Exists(io.folders.UserIconFile) ? io.folders.UserIconFile : std::string();
}

// Writes a configuration file through its twin: the old twin goes, the new content is
// written to the twin, then a copy of it replaces the file in one rename.
bool WriteThroughTwin(FileSystem& fs, const std::string& file, const Bytes& bytes) {
  const std::string twin = TwinOf(file);
  if (fs.Exists(twin) && !fs.Delete(twin)) return false;
  if (!fs.WriteAll(twin, bytes)) {
    fs.Delete(twin);  // a partial twin must not stand in for the file later
    return false;
  }
  // The copy of the twin is made from the bytes in memory, which are the twin's content.
  return ReplaceFileContent(fs, file, bytes);
}

// Writes a configuration file in the icon folder. The folders may have been cleaned away
// since start-up while the model in memory is whole: they are made again and the write
// tried once more, so that nothing the user set up is lost.
bool WriteConfigFile(ConfigIo& io, const std::string& file, const Bytes& bytes) {
  if (WriteThroughTwin(io.fs, file, bytes)) return true;
  return RemakeUserFolders(io.fs, io.folders) && WriteThroughTwin(io.fs, file, bytes);
}

constexpr char kUnreadable[] = "the file cannot be opened or read";

// What reading a configuration file gave: nothing (neither it nor its twin exists), its
// bytes, or why it could not serve (`failure`). `path` is the file that was read.
struct ConfigRead {
  bool missing = false;
  std::string path;
  Bytes data;
  std::string failure;
};

// Reads a configuration file; `faultOf` says why given bytes cannot serve as it, or
// nothing when they can. When the file is missing its twin is copied into its place first
// (or read where it is when the copy fails). When the file cannot be read or does not
// serve, its twin is tried: every write makes the twin whole before it replaces the file,
// so a sound twin holds the shortcuts written last. The broken file is then kept aside
// and the twin's content takes its place. The last bytes `faultOf` passed are the ones read.
ConfigRead ReadConfigFile(FileSystem& fs, const std::string& file,
                          const std::function<std::string(const Bytes&)>& faultOf) {
  ConfigRead read;
  read.path = file;
  const std::string twin = TwinOf(file);
  if (!fs.Exists(file)) {
    read.missing = !fs.Exists(twin);
    if (read.missing) return read;
    if (!fs.Copy(twin, file)) read.path = twin;
  }
  read.failure = fs.ReadAll(read.path, read.data) ? faultOf(read.data) : kUnreadable;
  if (read.failure.empty() || read.path == twin || !fs.Exists(twin)) return read;
  Bytes held;
  if (!fs.ReadAll(twin, held) || !faultOf(held).empty()) return read;
  const std::string kept = PreserveUnreadableFile(fs, file);
  WriteLog("\"" + file + "\" could not be read (" + read.failure + "); its twin was read instead" +
           (kept.empty() ? std::string() : ", and the file was kept as \"" + kept + "\""));
  if (!kept.empty()) ReplaceFileContent(fs, file, held);
  read.data = std::move(held);
  read.failure.clear();
  return read;
}

void ReportUnreadable(ConfigIo& io, const std::string& what, const std::string& file,
                      const std::string& reason, const std::string& fallback) {
  const std::string kept = PreserveUnreadableFile(io.fs, file);
  std::string text = "The " + what + " \"" + file + "\" could not be read (" + reason + ").";
  if (kept.empty()) {
    text += " It could not be copied aside either. " + fallback + " are used.";
  } else {
    text += " It has been kept as \"" + kept + "\" so that nothing is lost. " + fallback +
            " are used.";
  }
  io.prompt.Warn(text);
}

}  // namespace

bool ReplaceFileContent(FileSystem& fs, const std::string& path, const Bytes& bytes) {
  const std::string temp = path + ".tmp";
  if (!fs.WriteAll(temp, bytes) || !fs.Move(temp, path)) {
    fs.Delete(temp);
    return false;
  }
  return true;
}

std::string PreserveUnreadableFile(FileSystem& fs, const std::string& file) {
  Bytes data;
  const bool readable = fs.ReadAll(file, data);
  constexpr int kMaxCopies = 99;
  for (int n = 1; n <= kMaxCopies; ++n) {
    const std::string copy = n == 1 ? file + ".bad" : file + "." + std::to_string(n) + ".bad";
    if (fs.Exists(copy)) {
      Bytes held;
      if (readable && fs.ReadAll(copy, held) && held == data) return copy;  // already kept
      continue;
    }
    // A copy keeps the file in place; when even that fails (a full disk) the file is
    // renamed, which needs no space, and a later start falls back on its twin.
    if (fs.Copy(file, copy) || fs.Move(file, copy)) return copy;
    fs.Delete(copy);
    return {};
  }
  return {};
}

bool RefusedWhileFilesKept(ConfigIo& io) {
  if (io.keepFiles) io.prompt.Warn(kUserFilesKept + io.folders.UserDir);
  return io.keepFiles;
}

bool SaveSettings(const Model& model, ConfigIo& io) {
  if (io.keepFiles) return false;
  const Bytes bytes = WriteSettingsRecord(
      model.Settings, model.Items.empty() ? std::string() : model.Items[pool::kCentre].IconFile, io.codec);
  if (WriteConfigFile(io, io.folders.SettingsFile, bytes)) return true;
  io.prompt.Warn(kSettingsWriteFailed);
  return false;
}

namespace {

// Reads the settings file into the model; false when there is none or it cannot be read
// (the settings stay as they were).
bool ReadSettingsFile(Model& model, ConfigIo& io, const SettingsScreen& screen) {
  // A folder found out of reach at start is not asked again: each read would wait on it.
  if (io.keepFiles) return false;
  AppSettings& s = model.Settings;
  const ConfigRead read = ReadConfigFile(io.fs, io.folders.SettingsFile, [](const Bytes& data) {
    return data.size() < kSettingsRecordSize ? record::ShortFileReason(data.size(), kSettingsRecordSize)
                                             : std::string();
  });
  if (read.missing) return false;
  if (!read.failure.empty() || !ReadSettingsRecord(read.data.data(), read.data.size(), screen, s)) {
    ReportUnreadable(io, "settings file", read.path, read.failure, "The default settings");
    return false;
  }
  if (!model.Items.empty()) model.Items[pool::kCentre].IconFile = CentrePicture(io);
  return true;
}

}  // namespace

bool LoadSettings(Model& model, ConfigIo& io, const SettingsScreen& screen, Registry& registry,
                  const std::string& programPath, bool atStart) {
  AppSettings& s = model.Settings;
  const bool read = ReadSettingsFile(model, io, screen);
  // Without a readable file (a first start) the program loads at system startup. A run
  // that leaves the user's files alone (their folder out of reach) is no first start: the
  // switch shows what Windows holds, and nothing is turned on.
  if (!read) s.AutoRun = !io.keepFiles;
  // The switch, the autostart value and the settings dialog agree from here on: the
  // value is written, and the switch turns itself off when it cannot be.
  // An entry the user turned off in Windows stays off: the switch shows it off. One the
  // user turned on again there (this program's Run value, no longer turned off) shows on.
  const bool turnedOff = AutoRunTurnedOffInWindows(registry);
  if (atStart && !s.AutoRun && !turnedOff &&
      TrimFixed(ReadRegValue(registry, kRunKey, kRunValueName).AsText()) == programPath)
    s.AutoRun = true;
  if (s.AutoRun) s.AutoRun = !turnedOff && SetAutoRun(registry, true, programPath) == 1;
  return read;
}

bool SaveMenu(const Model& model, ConfigIo& io) {
  if (io.keepFiles) return false;
  Bytes bytes;
  bytes.reserve(kMenuFileSize);
  EncodeMenu(model.Groups, model.Items, io.codec, bytes);
  if (WriteConfigFile(io, io.folders.MenuFile, bytes)) return true;
  io.prompt.Warn(kMenuWriteFailed);
  return false;
}

bool LoadMenu(Model& model, ConfigIo& io) {
  if (io.keepFiles) return false;  // the folder was out of reach at start
  // The lists are checked before anything of the model changes; the item records that
  // follow cannot be wrong in a way that hurts (their size is checked with the lists).
  // The check decodes the lists into `groups`; the last bytes it passed are the ones read.
  std::vector<ShortcutGroup> groups;
  const ConfigRead read = ReadConfigFile(io.fs, io.folders.MenuFile, [&groups](const Bytes& data) {
    const MenuDecodeResult decoded = DecodeMenuLists(data.data(), data.size(), groups);
    if (decoded.ok) return std::string();
    return decoded.error.empty() ? std::string("its lists are damaged") : decoded.error;
  });
  if (read.missing) return false;
  if (!read.failure.empty()) {
    ReportUnreadable(io, "shortcuts file", read.path, read.failure, "The default shortcuts");
    return false;
  }
  if (static_cast<int>(model.Items.size()) < pool::kSize) model.Items.resize(pool::kSize);
  if (static_cast<int>(model.Groups.size()) < pool::kGroupCount) model.Groups.resize(pool::kGroupCount);
  for (int g = kFirstStoredGroup; g <= kLastStoredGroup; ++g) {
    model.Groups[g] = std::move(groups[g]);
    // The captions are refreshed as each list is read; the item records read next carry
    // the captions as they were saved, and those are what the user sees.
    if (model.Groups[g].MemberCount() > 1) UpdateGroupTitle(model, g, io.codec);
  }
  const uint8_t* record = read.data.data() + MenuGroupPartSize();
  ShortcutItem scratch;
  for (int i = 0; i < pool::kSize; ++i, record += kItemRecordSize) {
    if (i >= pool::kCatalogueFirst && i <= pool::kCatalogueLast) {
      // The catalogue is rebuilt at every start; only the user's own icon survives.
      DecodeItemRecordInto(record, io.codec, scratch);
      model.Items[i].CustomIconFile = SharedPictureHere(io.fs, scratch.CustomIconFile, io.folders.SysIconDir);
      continue;
    }
    ShortcutItem& item = model.Items[i];
    DecodeItemRecordInto(record, io.codec, item);
    // A shared picture of the program folder the file was written in (the program was
    // moved or installed again elsewhere) is the same picture of this one.
    item.IconFile = SharedPictureHere(io.fs, item.IconFile, io.folders.SysIconDir);
    item.CustomIconFile = SharedPictureHere(io.fs, item.CustomIconFile, io.folders.SysIconDir);
    if (i <= pool::kRingLast && item.Kind == ItemKind::kFree) item.Kind = ItemKind::kEmptyPosition;
    if (item.ImageIndex < 0 || item.ImageIndex > pool::kLast) item.ImageIndex = i;
  }
  // A restored backup's centre record may name no picture, or another account's.
  model.Items[pool::kCentre].IconFile = CentrePicture(io);
  // A list that names a free record (a file from another copy, or one edited by hand)
  // holds nothing there, and the slot would be handed out again to another group: the
  // next start would then refuse the file the program saved itself. Such a name goes.
  for (int g = kFirstStoredGroup; g <= kLastStoredGroup; ++g) {
    std::vector<int32_t>& members = model.Groups[g].Members;
    const auto firstFree = std::remove_if(members.begin(), members.end(), [&model](int32_t m) {
      return model.Items[static_cast<size_t>(m)].Kind == ItemKind::kFree;
    });
    if (firstFree == members.end()) continue;
    WriteLog("group " + std::to_string(g) + " of \"" + read.path + "\" listed " +
             std::to_string(members.end() - firstFree) + " free records; they were left out");
    members.erase(firstFree, members.end());
    if (IsUserGroupKind(model.Items[static_cast<size_t>(g)].Kind)) UpdateGroupTitle(model, g, io.codec);
  }
  return true;
}

void DeleteConfigFiles(FileSystem& fs, const Folders& folders, bool includeSettings) {
  if (includeSettings) {
    fs.Delete(folders.SettingsFile);
    fs.Delete(TwinOf(folders.SettingsFile));
  }
  fs.Delete(folders.MenuFile);
  fs.Delete(TwinOf(folders.MenuFile));
  DeleteIconPictures(fs, folders);
}

void DeleteIconPictures(FileSystem& fs, const Folders& folders, const std::set<std::string>& spare) {
  if (folders.IconDir.empty()) return;
  for (const DirEntry& entry : fs.List(folders.IconDir, "*.png")) {
    if (entry.attributes != attr::kInvalid && (entry.attributes & attr::kDirectory)) continue;
    const std::string path = folders.IconDir + entry.name;
    if (spare.count(ToUpperAscii(path)) == 0) fs.Delete(path);
  }
}

}  // namespace vek
