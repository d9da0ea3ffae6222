// Prepares the program's configuration for an end-to-end test, through the program's
// own file writers:
//
//   vekseed PROGRAM_FOLDER [--autohide] [--locked] [--item SLOT|TITLE|LINK|ARGUMENTS|RUNMODE|PICTURE|TARGET]
//           [--command SLOT|CODE] [--group SLOT|TITLE|COUNT|LINK|ARGUMENTS] ...
//
// PROGRAM_FOLDER is the folder of VekDesktop.exe (its pictures are in SysIcons there).
// Writes VEKCfg.cfg (defaults, with the given switches) and VEKMenu.cfg in the user's
// icon folder. Ring slots 1..2 hold the built-in items, the given slots shortcuts or
// built-in commands (by command code, with the catalogue's title and picture), every
// other ring slot an empty position. An item's PICTURE (a file of SysIcons) is copied into
// the icon folder as its own picture; its TARGET is the LINK unless given. A group (slot
// 3: the All Programs group) gets COUNT members "TITLE 1".."TITLE n", each starting LINK
// with ARGUMENTS followed by its number, each with its own picture file in the icon folder.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "core/config_files.h"
#include "core/group_title.h"
#include "core/paths.h"
#include "launch/system_catalogue.h"
#include "platform/win/ansi_codec_win.h"
#include "platform/win/file_system_win.h"
#include "platform/win/system_info_win.h"
#include "platform/win/text_win.h"

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts(1);
  for (char c : text) {
    if (c == separator)
      parts.emplace_back();
    else
      parts.back().push_back(c);
  }
  return parts;
}

class SilentPrompt : public vek::UserPrompt {
 public:
  vek::PromptAnswer Ask(const vek::PromptRequest& request) override {
    std::fprintf(stderr, "vekseed: %s\n", request.text.c_str());
    return vek::PromptAnswer::kNo;
  }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  using namespace vek;
  win::Win32FileSystem fs;
  win::Win32ShellFolders shell;
  win::Win32AnsiCodec codec;
  SilentPrompt prompt;
  if (argc < 2) return 2;
  const Folders folders = InitPaths(win::Utf8(argv[1]), shell, fs);
  ConfigIo io{fs, codec, prompt, folders};
  Model model;
  BuildSystemCatalogue(model, folders, fs, win::WindowsUserName(), false);
  for (int i = 3; i <= 9; ++i) {
    model.Items[i].Kind = ItemKind::kEmptyPosition;
    model.Items[i].Title = "Blank Shortcut";
    model.Items[i].IconFile = folders.SysIconDir + "Shortcut.png";
  }
  for (int i = 2; i < argc; ++i) {
    const std::string arg = win::Utf8(argv[i]);
    if (arg == "--autohide") {
      model.Settings.AutoHide = true;
    } else if (arg == "--locked") {
      model.Settings.IconsLocked = true;
    } else if (arg == "--item" && i + 1 < argc) {
      const std::vector<std::string> f = Split(win::Utf8(argv[++i]), '|');
      if (f.size() < 3) return 2;
      const int slot = std::stoi(f[0]);
      ShortcutItem& item = model.Items[slot];
      item = ShortcutItem{};
      item.Kind = slot <= pool::kRingLast ? ItemKind::kShortcut : ItemKind::kMember;
      item.Title = f[1];
      item.Link = f[2];
      item.Target = f.size() > 6 && !f[6].empty() ? f[6] : f[2];
      if (f.size() > 3) item.Arguments = f[3];
      if (f.size() > 4) item.RunMode = std::stoi(f[4]);
      item.ImageIndex = slot;
      item.IconFile = folders.SysIconDir + "Application.png";
      // A picture of its own in the icon folder: a copy of the named shared one.
      if (f.size() > 5 && !f[5].empty()) {
        item.IconFile = folders.IconDir + std::to_string(slot) + ".png";
        if (!fs.Copy(folders.SysIconDir + f[5], item.IconFile)) return 1;
      }
      item.PathKind = PathKind::kProgram;
    } else if (arg == "--command" && i + 1 < argc) {
      const std::vector<std::string> f = Split(win::Utf8(argv[++i]), '|');
      if (f.size() < 2) return 2;
      const int slot = std::stoi(f[0]), code = std::stoi(f[1]);
      if (slot < 1 || slot > pool::kRingLast || code < pool::kCatalogueFirst || code > command::kSearchInternet) return 2;
      ShortcutItem& item = model.Items[slot];
      item = model.Items[code];
      // "Search Internet" is no catalogue entry: the default ring makes it as its own item.
      if (code == command::kSearchInternet) {
        item = ShortcutItem{};
        item.Title = "Search Internet";
        item.IsSystem = true;
        item.CommandId = command::kSearchInternet;
        item.IconFile = folders.SysIconDir + "SearchInternet.png";
      }
      item.Kind = ItemKind::kShortcut;
      item.ImageIndex = slot;
    } else if (arg == "--group" && i + 1 < argc) {
      const std::vector<std::string> f = Split(win::Utf8(argv[++i]), '|');
      if (f.size() < 3) return 2;
      const int slot = std::stoi(f[0]);
      const int count = std::stoi(f[2]);
      if (slot < pool::kAllProgramsSlot || slot > pool::kRingLast || count < 0 || count > Model::Capacity(slot))
        return 2;
      ShortcutItem& group = model.Items[slot];
      group = ShortcutItem{};
      group.Kind = slot == pool::kAllProgramsSlot ? ItemKind::kAllPrograms : ItemKind::kGroup;
      group.Title = f[1];
      group.ImageIndex = slot;
      group.IconFile = folders.SysIconDir + "WinGroup.png";
      for (int n = 1; n <= count; ++n) {
        const int m = model.FindFreeSlot(false);
        if (m == 0 || !model.AddMember(slot, m)) return 1;
        ShortcutItem& member = model.Items[m];
        member.Kind = ItemKind::kMember;
        member.Title = f[1] + " " + std::to_string(n);
        if (f.size() > 3) member.Link = member.Target = f[3];
        member.Arguments = (f.size() > 4 ? f[4] + " " : std::string()) + std::to_string(n);
        member.ImageIndex = m;
        member.PathKind = PathKind::kProgram;
        member.IconFile = folders.IconDir + std::to_string(m) + ".png";
        if (!fs.Copy(folders.SysIconDir + "Application.png", member.IconFile)) return 1;
      }
      UpdateGroupTitle(model, slot, codec);
    } else {
      std::fprintf(stderr, "vekseed: unknown argument %s\n", arg.c_str());
      return 2;
    }
  }
  model.Settings.GettingStarted = GettingStartedState{false, 0};
  if (!SaveSettings(model, io) || !SaveMenu(model, io)) return 1;
  return 0;
}
