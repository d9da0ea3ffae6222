// A whole fake machine for item creation, the folder scans and the default ring: an
// in-memory disk whose folder listings work, drives, a registry, shortcut files, version
// resources and a picture writer, wired to the real ItemCreation, Discovery and
// Defaults. The benchmarks use it too.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <functional>
#include <utility>
#include <vector>

#include "core/config_files.h"
#include "contents/defaults.h"
#include "core/model.h"
#include "core/paths.h"
#include "text/text.h"
#include "icons/associations.h"
#include "icons/discovery.h"
#include "icons/item_creation.h"
#include "icons/item_pictures.h"
#include "icons/version_resource.h"
#include "launch/network_places.h"
#include "launch/shortcut_files.h"
#include "launch/slow_calls.h"
#include "platform/drives.h"
#include "platform/file_system.h"
#include "platform/prompt.h"
#include "platform/registry.h"
#include "platform/system_info.h"
#include "support/fake_codec.h"
#include "support/fake_registry.h"
#include "support/fakes.h"
#include "support/recorders.h"
#include "support/silent_server_fs.h"
#include "support/table_drives.h"
#include "support/version_bytes.h"

namespace vek::test {

// An in-memory disk with Windows path rules: names compare without regard to ASCII
// letter case, folders list their files and sub-folders in the order they were made,
// and a drive root exists only when something was put on that drive. Places listed as
// stalled stand for a slow drive or a dead server.
class ScanFileSystem : public FileSystem, public StallGate {
 public:
  void AddFolder(const std::string& path, uint32_t attributes = attr::kDirectory) {
    AddParents(path);
    Put(path, attributes, nullptr);
  }
  void AddFile(const std::string& path, const std::string& text = "",
               uint32_t attributes = attr::kArchive) {
    AddParents(path);
    Bytes data(text.begin(), text.end());
    Put(path, attributes, &data);
  }
  bool Has(const std::string& path) const { return entries_.count(Key(path)) != 0; }
  std::string Text(const std::string& path) const {
    auto it = entries_.find(Key(path));
    return it == entries_.end() ? std::string() : std::string(it->second.data.begin(), it->second.data.end());
  }
  size_t writes() const { return writes_; }
  bool FailWrites = false;  // a full disk: every write fails
  // The folder and everything in it are gone (cleaned away by the user or a tool).
  void RemoveTree(const std::string& folder) {
    const std::string key = Key(folder);
    for (auto it = entries_.begin(); it != entries_.end();)
      it = it->first == key || StartsWith(it->first, key + "\\") ? entries_.erase(it) : std::next(it);
  }

  uint32_t Attributes(const std::string& path) override {
    Ask(path);
    auto it = entries_.find(Key(path));
    const uint32_t a = it == entries_.end() ? attr::kInvalid : it->second.attributes;
    ++answered;
    return a;
  }
  bool ReadAll(const std::string& path, Bytes& out) override {
    const Entry* e = FileEntry(path);
    if (!e) return false;
    out = e->data;
    return true;
  }
  bool ReadRange(const std::string& path, uint64_t offset, size_t count, Bytes& out) override {
    const Entry* e = FileEntry(path);
    if (!e || offset > e->data.size() || count > e->data.size() - offset) return false;
    out.assign(e->data.begin() + static_cast<long>(offset), e->data.begin() + static_cast<long>(offset + count));
    return true;
  }
  bool WriteAll(const std::string& path, const Bytes& data) override {
    if (FailWrites || Attributes(FolderPart(path)) == attr::kInvalid) return false;
    ++writes_;
    Put(path, attr::kArchive, &data);
    return true;
  }
  bool Delete(const std::string& path) override {
    auto it = entries_.find(Key(path));
    if (it == entries_.end() || !it->second.isFile) return false;
    entries_.erase(it);
    return true;
  }
  bool Copy(const std::string& from, const std::string& to) override {
    const Entry* e = FileEntry(from);
    if (!e) return false;
    const Bytes data = e->data;
    return WriteAll(to, data);
  }
  bool Move(const std::string& from, const std::string& to) override {
    return Copy(from, to) && Delete(from);
  }
  bool CreateFolder(const std::string& path) override {
    if (Attributes(FolderPart(Key(path))) == attr::kInvalid && Key(path).size() > 3) return false;
    if (Attributes(path) == attr::kInvalid) Put(path, attr::kDirectory, nullptr);
    return true;
  }
  std::vector<DirEntry> List(const std::string& folder, const std::string& pattern) override {
    Ask(folder);
    std::vector<DirEntry> out = ListNow(folder, pattern);
    ++answered;
    return out;
  }
  std::vector<DirEntry> ListNow(const std::string& folder, const std::string& pattern) {
    std::vector<DirEntry> out;
    const std::string dir = Key(folder);
    if (Attributes(dir) == attr::kInvalid) return out;
    out.push_back({".", attr::kDirectory});
    out.push_back({"..", attr::kDirectory});
    for (const std::string& key : order_) {
      auto it = entries_.find(key);
      if (it == entries_.end() || Key(FolderPart(key)) != dir || key == dir) continue;
      const std::string name = NamePart(it->second.path);
      if (Matches(pattern, name)) out.push_back({name, it->second.attributes});
    }
    return out;
  }
  std::optional<std::vector<DirEntry>> TryList(const std::string& folder, const std::string& pattern) override {
    if (unreadable.count(Key(folder))) return std::nullopt;
    return List(folder, pattern);
  }
  std::set<std::string> unreadable;  // folders whose listing fails, as one denied
  int64_t Length(const std::string& path) override {
    const Entry* e = FileEntry(path);
    return e ? static_cast<int64_t>(e->data.size()) : -1;
  }

 private:
  struct Entry {
    std::string path;
    uint32_t attributes = 0;
    bool isFile = false;
    Bytes data;
  };
  // Upper case, without a trailing backslash except on a drive root ("D:" is "D:\\").
  static std::string Key(const std::string& path) {
    std::string key = ToUpperAscii(path);
    while (key.size() > 3 && key.back() == '\\') key.pop_back();
    if (key.size() == 2 && key[1] == ':') key += '\\';
    return key;
  }
  static bool Matches(const std::string& pattern, const std::string& name) {
    if (pattern == "*.*" || pattern == "*") return true;
    const std::string p = ToUpperAscii(pattern), n = ToUpperAscii(name);
    if (StartsWith(p, "*")) return EndsWith(n, p.substr(1));
    return p == n;
  }
  const Entry* FileEntry(const std::string& path) const {
    auto it = entries_.find(Key(path));
    return it == entries_.end() || !it->second.isFile ? nullptr : &it->second;
  }
  void Put(const std::string& path, uint32_t attributes, const Bytes* data) {
    const std::string key = Key(path);
    auto [it, isNew] = entries_.try_emplace(key);
    if (isNew) order_.push_back(key);
    it->second.path = path.size() > 3 && EndsWith(path, "\\") ? path.substr(0, path.size() - 1) : path;
    it->second.attributes = attributes;
    it->second.isFile = data != nullptr;
    if (data) it->second.data = *data;
  }
  void AddParents(const std::string& path) {
    std::string folder = FolderPart(Key(path));
    std::vector<std::string> missing;
    while (!folder.empty() && Attributes(folder) == attr::kInvalid) {
      missing.push_back(folder);
      if (folder.size() <= 3) break;
      folder = FolderPart(folder.substr(0, folder.size() - 1));
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) Put(*it, attr::kDirectory, nullptr);
  }

  std::map<std::string, Entry> entries_;
  std::vector<std::string> order_;
  size_t writes_ = 0;
};

class TableVersions : public VersionResourceSource {
 public:
  bool ReadVersionResource(const std::string& file, Bytes& out) override {
    auto it = resources.find(ToUpperAscii(file));
    if (it == resources.end()) return false;
    out = it->second;
    return true;
  }
  std::map<std::string, Bytes> resources;
};

// Writes a small stand-in picture for every picture asked for and records the image calls.
// Modules give icons only when listed; the shell gives an icon for anything that exists.
class RecordingPictures : public ItemPictures {
 public:
  explicit RecordingPictures(FileSystem& fs) : fs_(fs) {}
  bool WriteModuleIcon(const std::string& file, int32_t iconIndex, const std::string& dest) override {
    if (!modules.count(ToUpperAscii(file))) return false;
    return Write(dest, "module " + file + "," + std::to_string(iconIndex));
  }
  bool WriteShellIcon(const std::string& file, const std::string& dest) override {
    return shellIcons && fs_.Attributes(file) != attr::kInvalid && Write(dest, "shell " + file);
  }
  bool ConvertIconFile(const std::string& source, const std::string& dest) override {
    return fs_.Attributes(source) != attr::kInvalid && !brokenIcons.count(ToUpperAscii(source)) &&
           Write(dest, "converted " + source);
  }
  void LoadItemIcon(int index) override { loaded.push_back(index); }
  void ReleaseItemImages(int index) override { released.push_back(index); }

  std::vector<int> loaded, released;
  std::set<std::string> modules;      // upper-case paths of files with icons
  std::set<std::string> brokenIcons;  // upper-case paths of .ico files that cannot be read
  bool shellIcons = true;

 private:
  bool Write(const std::string& dest, const std::string& what) {
    const std::string png = "\x89PNG " + what;
    return fs_.WriteAll(dest, Bytes(png.begin(), png.end()));
  }
  FileSystem& fs_;
};

// The windows' part of the reset sequences, recorded in order.
class RecordingHost : public DefaultsHost {
 public:
  void ResetInteraction() override { log.push_back("ResetInteraction"); }
  SettingsScreen MeasureScreen() override {
    log.push_back("MeasureScreen");
    return screen;
  }
  CatalogueFacts ReadCatalogueFacts() override {
    log.push_back("ReadCatalogueFacts");
    return facts;
  }
  void ReleaseImages() override { log.push_back("ReleaseImages"); }
  void ReloadImagesAndShow() override { log.push_back("ReloadImagesAndShow"); }
  void LetMessagesRun() override {
    log.push_back("LetMessagesRun");
    if (onLetMessagesRun) std::exchange(onLetMessagesRun, nullptr)();
  }
  void FillGoesOn() override { ++fillSteps; }
  void GroupsFilled() override { log.push_back("GroupsFilled"); }
  // A 1920 x 1080 screen whose work area ends above a 40-pixel taskbar (centre 520).
  SettingsScreen screen{1920, 1080, 520 - 80};
  CatalogueFacts facts{"tester", false};
  std::vector<std::string> log;
  int fillSteps = 0;
  std::function<void()> onLetMessagesRun;  // what the user does then, once
};

constexpr char kWorldAppDir[] = "C:\\Program Files\\VEK Desktop\\";
constexpr char kWorldProgram[] = "C:\\Program Files\\VEK Desktop\\VekDesktop.exe";

// How long the machine's questions may take: one to a network place, and one call of
// item creation's; the worker threads' set-up.
struct WorldLimits {
  std::chrono::milliseconds place{30000};
  std::chrono::milliseconds call{60000};
  ThreadSetup setup;
};

// The whole machine, with the program's folders made and the system icon folder filled.
// As in the program, the path tools ask the disk through the network places.
struct ItemWorld {
  explicit ItemWorld(WorldLimits l = {}) : limits(std::move(l)) {
    for (const auto& [id, path] : shell.all()) fs.AddFolder(path);
    for (const char* name : {"SystemRoot", "WINDIR"}) env.Set(name, "C:\\windows");
    fs.AddFolder(kWorldAppDir);
    folders = InitPaths(kWorldAppDir, shell, fs);
    fs.AddFolder(folders.SysIconDir);
    for (const char* name : {"Problem.png", "File.png", "Folder.png", "Shortcut.png"})
      fs.AddFile(folders.SysIconDir + name, "shared picture");
    drives.Add("C:\\", drive_type::kFixed);
  }
  ItemWorld(const ItemWorld&) = delete;
  ItemWorld& operator=(const ItemWorld&) = delete;

  std::string SysIcon(const std::string& name) const { return folders.SysIconDir + name; }
  std::string Icon(const std::string& name) const { return folders.IconDir + name; }
  ShortcutItem& item(int index) { return model.Items[index]; }
  // Every member's pool index of a group, in order.
  std::vector<int> Members(int group) const {
    const std::vector<int32_t>& members = model.Groups[group].Members;
    return std::vector<int>(members.begin(), members.end());
  }
  std::vector<std::string> MemberTitles(int group) const {
    std::vector<std::string> titles;
    for (int m : Members(group)) titles.push_back(model.Items[m].Title);
    return titles;
  }
  // Ring position `slot` as an (empty) group of `kind`.
  void MakeGroup(int slot, const std::string& title, ItemKind k = ItemKind::kGroup) {
    model.Items[slot].Kind = k;
    model.Items[slot].Title = title;
    model.Groups[slot].ShownItem = slot;
  }

  WorldLimits limits;
  ScanFileSystem fs;
  TableDrives drives;
  NetworkPlacesFileSystem places{fs, limits.place, std::chrono::seconds(60), &drives};
  FakeEnvironment env;
  FakeShellFolders shell;
  Folders folders;
  PathTools paths{places, env, folders};
  TableShortcutReader reader;
  ShortcutFiles shortcuts{paths, reader};
  FakeRegistry registry;
  Associations associations{registry, paths};
  RecordingPictures pictures{fs};
  TableVersions versions;
  TableShortPaths shortPaths;
  RecordingPrompt prompt;
  FakeAnsiCodec codec;
  Model model;
  // Questions about paths run on a worker; `pumped` counts the waits for one.
  int pumped = 0;
  std::function<void()> onPump;  // what the user does while the windows answer
  std::unique_ptr<BoundedCalls> slow =
      std::make_unique<BoundedCalls>(limits.call, [this] {
        ++pumped;
        if (onPump) std::exchange(onPump, nullptr)();
      }, limits.setup);
  ItemCreation items{ItemServices{model, paths, shortcuts, associations, pictures, drives, versions,
                                  shortPaths, prompt, codec, *slow},
                     "tester"};
  Discovery discovery{items, paths, registry, drives};
  ConfigIo io{fs, codec, prompt, folders};
  RecordingHost host;
  Defaults defaults{DefaultsServices{model, io, registry, items, discovery, associations, host},
                    kWorldProgram, 6};
  // Start-up on this machine (its screen and its catalogue facts), with the default
  // groups' fill that follows the first frame.
  void LoadAtStart() {
    defaults.LoadAtStart(host.screen, host.facts);
    defaults.FillDefaultGroups();
  }
};

}  // namespace vek::test
