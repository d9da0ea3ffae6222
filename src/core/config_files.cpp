#include "core/config_files.h"


#include "core/group_title.h"
#include "core/menu_record.h"
#include "core/mod_registry.h"
#include "core/record_io.h"
#include "core/rounding.h"
#include "core/search_engines.h"

namespace vek {

namespace {

bool Exists(FileSystem& fs, const std::string& path) {
  return fs.Attributes(path) != attr::kInvalid;
}

std::string TwinOf(const std::string& file) { return file + ".bak"; }

// Rounds halves to the even neighbour, as the program always has.

// Writes a configuration file through its twin: the old twin goes, the new content is
// written to the twin, then a copy of it replaces the file in one rename.
bool WriteThroughTwin(FileSystem& fs, const std::string& file, const Bytes& bytes) {
  const std::string twin = TwinOf(file);
  if (Exists(fs, twin) && !fs.Delete(twin)) return false;
  if (!fs.WriteAll(twin, bytes)) {
    fs.Delete(twin);  // a partial twin must not stand in for the file later
    return false;
  }
  // The copy of the twin is made from the bytes in memory, which are the twin's content.
  return ReplaceFileContent(fs, file, bytes);
}

enum class ReadOutcome { kMissing, kUnreadable, kRead };

// Reads a configuration file; when it is missing its twin is copied into its place
// first (or read where it is when the copy fails). `readPath` is the file that was read.
ReadOutcome ReadConfigFile(FileSystem& fs, const std::string& file, Bytes& data,
                           std::string& readPath) {
  readPath = file;
  if (!Exists(fs, file)) {
    const std::string twin = TwinOf(file);
    if (!Exists(fs, twin)) return ReadOutcome::kMissing;
    if (!fs.Copy(twin, file)) readPath = twin;
  }
  return fs.ReadAll(readPath, data) ? ReadOutcome::kRead : ReadOutcome::kUnreadable;
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

constexpr char kUnreadable[] = "the file cannot be opened or read";

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
    if (Exists(fs, copy)) {
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

SettingsRecord MakeSettingsRecord(const Model& model) {
  const AppSettings& s = model.Settings;
  SettingsRecord r;
  r.NormalIconSize = s.NormalIconSize;
  r.MaxIconSize = s.MaxIconSize;
  r.MagnifiedIconSize = s.MagnifiedIconSize;
  r.CircleRadius = s.CircleRadius;
  r.IconQuantityCode = RoundHalfEven((s.IconQuantity - 8) / 4.0);
  for (int k = 0; k < 4; ++k) r.BackdropColour[k] = s.BackdropColour[k];
  r.ReservedFlag = s.ReservedFlag;
  r.AutoRun = s.AutoRun ? record::kTrue16 : record::kFalse16;
  if (!model.Items.empty()) r.UserIconFile = model.Items[pool::kCentre].IconFile;
  r.ReservedText = s.ReservedText;
  r.ReservedNumber = s.ReservedNumber;
  r.SearchBoxLeft = s.SearchBoxLeft;
  r.SearchBoxTop = s.SearchBoxTop;
  r.SearchEngine = s.SearchEngine;
  r.IconsLocked = s.IconsLocked ? record::kTrue16 : record::kFalse16;
  r.GettingStarted = s.GettingStarted;
  r.DesktopIconsHidden = s.DesktopIconsHidden;
  r.AutoHide = s.AutoHide;
  r.HideLetters = s.HideLetters;
  r.MinimizedPosition = s.MinimizedPosition;
  return r;
}

void ApplySettingsRecord(const SettingsRecord& r, AppSettings& s, const ScreenTwips& screen) {
  // A stored value outside its range keeps the default. Icon sizes: the normal one
  // within 16..maximum, the magnified one within normal..maximum (else 16 more than
  // the normal one); the stored maximum is ignored.
  if (r.NormalIconSize >= 16 && r.NormalIconSize <= s.MaxIconSize) s.NormalIconSize = r.NormalIconSize;
  const int32_t n = s.NormalIconSize;
  if (r.MagnifiedIconSize >= n && r.MagnifiedIconSize <= s.MaxIconSize) {
    s.MagnifiedIconSize = r.MagnifiedIconSize;
  } else {
    s.MagnifiedIconSize = n + 16 < s.MaxIconSize ? n + 16 : s.MaxIconSize;
  }
  if (r.CircleRadius >= s.MinRadius && r.CircleRadius <= s.MaxRadius) s.CircleRadius = r.CircleRadius;
  // The quantity code 0..7 stands for 8, 12, ..., 36 icons; anything else for 20.
  const int32_t q = r.IconQuantityCode < 0 || r.IconQuantityCode > 7 ? 3 : r.IconQuantityCode;
  s.IconQuantity = 4 * q + 8;
  // Only the opacity is taken from the stored colour.
  s.BackdropColour[3] = r.BackdropColour[3];
  // The stored switch; LoadSettings confirms it against the registry.
  s.AutoRun = r.AutoRun != 0;
  // The search box stays on the screen; (0, 0) means "never placed": centred at the
  // bottom.
  const int32_t maxLeft = screen.width - kSearchBoxWidthTwips;
  const int32_t maxTop = screen.height - kSearchBoxHeightTwips;
  int32_t left = r.SearchBoxLeft;
  int32_t top = r.SearchBoxTop;
  if (left < 0) {
    left = 0;
  } else if (left > maxLeft) {
    left = maxLeft;
  }
  if (top < 0) {
    top = 0;
  } else if (top > maxTop) {
    top = maxTop;
  }
  if (left == 0 && top == 0) {
    left = RoundHalfEven(maxLeft / 2.0);
    top = maxTop;
  }
  s.SearchBoxLeft = left;
  s.SearchBoxTop = top;
  s.SearchEngine = r.SearchEngine < 0 || r.SearchEngine >= kSearchEngineCount ? 0 : r.SearchEngine;
  s.IconsLocked = r.IconsLocked != 0;
  s.GettingStarted = r.GettingStarted;
  s.DesktopIconsHidden = r.DesktopIconsHidden;
  s.AutoHide = r.AutoHide;
  s.HideLetters = r.HideLetters;
  s.MinimizedPosition = r.MinimizedPosition;
  // Kept only to be written back.
  s.ReservedFlag = r.ReservedFlag;
  s.ReservedText = r.ReservedText;
  s.ReservedNumber = r.ReservedNumber;
}

bool SaveSettings(const Model& model, ConfigIo& io) {
  const Bytes bytes = EncodeSettingsRecord(MakeSettingsRecord(model), io.codec);
  if (WriteThroughTwin(io.fs, io.folders.SettingsFile, bytes)) return true;
  io.prompt.Warn(kSettingsWriteFailed);
  return false;
}

bool LoadSettings(Model& model, ConfigIo& io, const ScreenTwips& screen, Registry& registry,
                  const std::string& programPath) {
  AppSettings& s = model.Settings;
  Bytes data;
  std::string path;
  const ReadOutcome outcome = ReadConfigFile(io.fs, io.folders.SettingsFile, data, path);
  if (outcome == ReadOutcome::kMissing) {
    s.AutoRun = true;
    return false;
  }
  std::optional<SettingsRecord> record;
  if (outcome == ReadOutcome::kRead) record = DecodeSettingsRecord(data.data(), data.size(), io.codec);
  if (!record) {
    s.AutoRun = true;
    const std::string reason =
        outcome == ReadOutcome::kRead
            ? "the file is too short (" + std::to_string(data.size()) + " of " +
                  std::to_string(kSettingsRecordSize) + " bytes)"
            : std::string(kUnreadable);
    ReportUnreadable(io, "settings file", path, reason, "The default settings");
    return false;
  }
  ApplySettingsRecord(*record, s, screen);
  // The centre item shows the user's picture when there is one.
  if (!model.Items.empty()) {
    model.Items[pool::kCentre].IconFile =
        Exists(io.fs, io.folders.UserIconFile) ? io.folders.UserIconFile : std::string();
  }
  // A stored "load at start-up" is confirmed, and turns itself off when the autostart
  // value cannot be written.
  if (s.AutoRun) s.AutoRun = SetAutoRun(registry, true, programPath) == 1;
  return true;
}

bool SaveMenu(const Model& model, ConfigIo& io) {
  Bytes bytes;
  bytes.reserve(kMenuFileSize);
  EncodeMenu(model.Groups, model.Items, io.codec, bytes);
  if (WriteThroughTwin(io.fs, io.folders.MenuFile, bytes)) return true;
  io.prompt.Warn(kMenuWriteFailed);
  return false;
}

bool LoadMenu(Model& model, ConfigIo& io) {
  Bytes data;
  std::string path;
  const ReadOutcome outcome = ReadConfigFile(io.fs, io.folders.MenuFile, data, path);
  if (outcome == ReadOutcome::kMissing) return false;
  // The lists are checked before anything of the model changes; the item records that
  // follow cannot be wrong in a way that hurts (their size is checked with the lists).
  std::vector<ShortcutGroup> groups;
  MenuDecodeResult decoded;
  if (outcome == ReadOutcome::kRead) {
    decoded = DecodeMenuLists(data.data(), data.size(), groups);
  } else {
    decoded.error = kUnreadable;
  }
  if (!decoded.ok) {
    ReportUnreadable(io, "shortcuts file", path, decoded.error, "The default shortcuts");
    return false;
  }

  if (static_cast<int>(model.Items.size()) < pool::kSize) model.Items.resize(pool::kSize);
  if (static_cast<int>(model.Groups.size()) < pool::kGroupCount) model.Groups.resize(pool::kGroupCount);
  for (int g = kFirstStoredGroup; g <= kLastStoredGroup; ++g) {
    model.Groups[g] = std::move(groups[g]);
    // The captions are refreshed as each list is read; the item records read next carry
    // the captions as they were saved, and those are what the user sees.
    if (model.Groups[g].MemberCount() > 1) UpdateGroupTitle(model, g);
  }
  const uint8_t* record = data.data() + MenuGroupPartSize();
  ShortcutItem scratch;
  for (int i = 0; i < pool::kSize; ++i, record += kItemRecordSize) {
    if (i >= pool::kCatalogueFirst && i <= pool::kCatalogueLast) {
      // The catalogue is rebuilt at every start; only the user's own icon survives.
      DecodeItemRecordInto(record, io.codec, scratch);
      model.Items[i].CustomIconFile = std::move(scratch.CustomIconFile);
      continue;
    }
    ShortcutItem& item = model.Items[i];
    DecodeItemRecordInto(record, io.codec, item);
    if (i <= pool::kRingLast && item.Kind == ItemKind::kFree) item.Kind = ItemKind::kEmptyPosition;
    if (item.ImageIndex < 0 || item.ImageIndex > pool::kLast) item.ImageIndex = i;
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

void DeleteIconPictures(FileSystem& fs, const Folders& folders) {
  if (folders.IconDir.empty()) return;
  for (const DirEntry& entry : fs.List(folders.IconDir, "*.png")) {
    if (entry.attributes != attr::kInvalid && (entry.attributes & attr::kDirectory)) continue;
    fs.Delete(folders.IconDir + entry.name);
  }
}

}  // namespace vek
