// The fakes the configuration, registry and backup tests share: an in-memory disk with
// the program's folders, a Windows-1252 code page, a recording prompt and a registry.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "core/config_files.h"
#include "core/model.h"
#include "core/paths.h"
#include "support/fake_codec.h"
#include "support/recorders.h"
#include "support/fake_registry.h"
#include "support/fakes.h"

namespace vek::test {

constexpr char kAppDir[] = "C:\\Program Files\\VEK Desktop\\";
constexpr char kProgramPath[] = "C:\\Program Files\\VEK Desktop\\VekDesktop.exe";
// A 1920 x 1080 screen.
constexpr SettingsScreen kScreen{1920, 1080};

// FakeFileSystem whose folder listing also sees the files written or added through it.
// (FakeFileSystem::List drops the trailing backslash of the folder before comparing, so
// it finds no files; this keeps its own record until that is mended.)
class ListingFakeFileSystem : public FakeFileSystem {
 public:
  void AddFile(const std::string& path, Bytes data = {}, uint32_t attributes = attr::kArchive) {
    FakeFileSystem::AddFile(path, std::move(data), attributes);
    known_.insert(ToUpperAscii(path));
  }
  void AddFile(const std::string& path, const std::string& text,
               uint32_t attributes = attr::kArchive) {
    AddFile(path, Bytes(text.begin(), text.end()), attributes);
  }
  bool WriteAll(const std::string& path, const Bytes& data) override {
    const bool ok = FakeFileSystem::WriteAll(path, data);
    if (ok) known_.insert(ToUpperAscii(path));
    return ok;
  }
  bool Copy(const std::string& from, const std::string& to) override {
    const bool ok = FakeFileSystem::Copy(from, to);
    if (ok) known_.insert(ToUpperAscii(to));
    return ok;
  }
  bool Move(const std::string& from, const std::string& to) override {
    const bool ok = FakeFileSystem::Move(from, to);
    if (ok) known_.insert(ToUpperAscii(to));
    return ok;
  }
  std::vector<DirEntry> List(const std::string& folder, const std::string& pattern) override {
    std::vector<DirEntry> out = FakeFileSystem::List(folder, pattern);
    const std::string prefix = ToUpperAscii(WithTrailingBackslash(folder));
    for (const std::string& key : known_) {
      if (!StartsWith(key, prefix) || !HasFile(key)) continue;
      const std::string rest = key.substr(prefix.size());
      if (rest.empty() || Contains(rest, "\\") || !WildcardMatch(pattern, rest)) continue;
      bool listed = false;
      for (const DirEntry& e : out) listed |= ToUpperAscii(e.name) == rest;
      if (!listed) out.push_back({NamePart(key), Attributes(key)});
    }
    return out;
  }

 private:
  std::set<std::string> known_;
};

struct FakeConfigEnv {
  explicit FakeConfigEnv(const std::string& appDir = kAppDir)
      : folders(InitPaths(appDir, shell, fs)), io{fs, codec, prompt, folders} {
    fs.AddFolder(folders.UserDir);
    fs.AddFolder(folders.IconDir);
    fs.AddFolder(folders.SysIconDir);
  }
  FakeConfigEnv(const FakeConfigEnv&) = delete;
  FakeConfigEnv& operator=(const FakeConfigEnv&) = delete;

  std::string Icon(const std::string& name) const { return folders.IconDir + name; }
  std::string SysIcon(const std::string& name) const { return folders.SysIconDir + name; }

  ListingFakeFileSystem fs;
  FakeShellFolders shell;
  FakeAnsiCodec codec;
  RecordingPrompt prompt;
  FakeRegistry registry;
  Folders folders;
  ConfigIo io;
};

// A model as a user might have it: ring items, a group with members, members of the All
// Programs group, non-ASCII texts, a custom icon on a catalogue entry, picture files in
// the icon folder and in the system icon folder. The picture files are put on the disk.
inline Model SampleModel(FakeConfigEnv& env) {
  Model m;
  for (int g = 0; g < pool::kGroupCount; ++g) m.Groups[g].ShownItem = g;
  auto item = [&](int i, ItemKind kind, const std::string& title) -> ShortcutItem& {
    ShortcutItem& it = m.Items[i];
    it.Kind = kind;
    it.ImageIndex = i;
    it.Title = title;
    return it;
  };
  item(0, ItemKind::kCentre, "tester");
  item(1, ItemKind::kBuiltIn, "System");
  item(2, ItemKind::kRecycleBin, "Recycle Bin").IconFile = env.SysIcon("Recycle Bin.png");
  item(3, ItemKind::kAllPrograms, "All Programs Group").IconFile = env.SysIcon("All Programs Group.png");
  ShortcutItem& notepad = item(4, ItemKind::kShortcut, "Notepad");
  notepad.Link = "C:\\Windows\\notepad.exe";
  notepad.PathKind = PathKind::kProgram;
  notepad.IconFile = env.Icon("0.png");
  notepad.RunMode = 2;
  item(5, ItemKind::kGroup, "Games").IconFile = env.SysIcon("Group.png");
  ShortcutItem& cafe = item(6, ItemKind::kShortcut, "Caf\xC3\xA9 \xE2\x82\xACuro");
  cafe.Link = "D:\\B\xC3\xBC" "cher\\Liste.txt";
  cafe.Target = "D:\\B\xC3\xBC" "cher\\Liste.txt";
  cafe.Arguments = "/x";
  cafe.PathKind = PathKind::kOtherFile;
  cafe.IconFile = env.Icon("1.png");
  cafe.CustomIconFile = env.Icon("2.png");
  for (int i = 7; i <= pool::kRingLast; ++i) item(i, ItemKind::kEmptyPosition, "");
  m.Items[pool::kCatalogueFirst + 5].CustomIconFile = env.Icon("3.png");
  ShortcutItem& solitaire = item(129, ItemKind::kMember, "Solitaire");
  solitaire.Link = "C:\\Games\\sol.exe";
  solitaire.IconFile = env.Icon("4.png");
  item(130, ItemKind::kMember, "Mines").IconFile = env.SysIcon("File.png");
  item(131, ItemKind::kMember, "Readme").Link = "C:\\readme.txt";
  item(132, ItemKind::kMember, "Site").Link = "http://example.com/";
  m.AddMember(5, 129);
  m.AddMember(5, 130);
  m.AddMember(3, 131);
  m.AddMember(3, 132);

  for (const char* name : {"0.png", "1.png", "2.png", "3.png", "4.png"})
    env.fs.AddFile(env.Icon(name), std::string("picture ") + name);
  for (const char* name : {"Recycle Bin.png", "All Programs Group.png", "Group.png", "File.png"})
    env.fs.AddFile(env.SysIcon(name), std::string("shared ") + name);
  return m;
}

}  // namespace vek::test
