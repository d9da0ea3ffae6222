// The program's working parts, built once the folders are known and the windows exist
// as objects: shortcut reading, launching, the built-in commands, item creation, the
// default contents, and the adapters that join them to the windows. Each adapter is given
// the parts it reaches in its constructor.
#pragma once

#include <memory>

#include "app/app_context.h"
#include "contents/defaults.h"
#include "dock/dock_controller.h"
#include "dock/geometry.h"
#include "icons/associations.h"
#include "icons/discovery.h"
#include "icons/item_creation.h"
#include "icons/win/system_sources_win.h"
#include "launch/launcher.h"
#include "launch/shortcut_files.h"
#include "launch/slow_calls.h"
#include "launch/system_commands.h"
#include "launch/win/shortcut_reader_win.h"
#include "launch/win/system_services_win.h"
#include "menu/menu_controller.h"
#include "platform/scoped_flag.h"

namespace vek {

class DockWindow;
class GroupMenuWindow;
class TrayOwner;
class SearchBoxWindow;
class Services;
class SmallWindows;

// What the dock and the group menu ask of the rest of the program, through the services.
// The windows are given this object when they are built, so it may hold references to
// parts built after it; it is asked nothing before the windows exist.
class AppDockActions : public DockActions, public MenuActions {
 public:
  struct Parts {
    Model& model;
    ConfigIo& io;
    Services& services;
    DockWindow& dock;
    GroupMenuWindow& menu;
    TrayOwner& tray;
    SmallWindows& windows;
    const ModalState& modal;
  };
  explicit AppDockActions(const Parts& parts) : p_(parts) {}
  void LaunchItem(int index) override;
  void RunSystemCommand(int code) override;
  void OpenGroupMenu(int slot) override;
  void CloseGroupMenu(bool noDockFocus) override;
  bool GroupMenuOpen() override;
  void ClearGroupMenuFocus() override;
  bool GroupMenuBusy() override;
  bool ModalWindowOpen() override;
  void ShowEditMenu() override;
  int DeleteItem(int index) override;
  void SaveMenu() override;
  void ShowGettingStarted() override;
  std::optional<bool> IsRecycleBinFull() override;
  // The group menu's requests.
  void RefreshRing() override;
  void FocusDock() override;
  void ShowMemberEditMenu() override;
  void KeepDockAwake() override;

 private:
  Parts p_;
};

// The image side of item creation: pictures written with the icon extraction, loaded
// into the dock's image store.
class AppItemPictures : public ItemPictures {
 public:
  AppItemPictures(AppContext& app, DockWindow& dock) : app_(app), dock_(dock) {}
  bool WriteModuleIcon(const std::string& file, int32_t iconIndex, const std::string& dest) override;
  bool WriteShellIcon(const std::string& file, const std::string& dest) override;
  bool ConvertIconFile(const std::string& source, const std::string& dest) override;
  void LoadItemIcon(int index) override;
  void ReleaseItemImages(int index) override;
  // While the flag given back lives, new group members get no picture decoded: their menu
  // page decodes it when it first shows (the default groups' fill adds hundreds of them).
  ScopedFlag LeaveMemberPicturesToMenus() { return ScopedFlag(membersOnDemand_); }

 private:
  AppContext& app_;
  DockWindow& dock_;
  bool membersOnDemand_ = false;
};

// The model operations of the built-in commands.
class AppCommandItems : public CommandItemOps {
 public:
  AppCommandItems(AppContext& app, ItemPictures& pictures) : app_(app), pictures_(pictures) {}
  void FreeItem(int index) override;
  void LoadItemIcon(int index) override { pictures_.LoadItemIcon(index); }
  void SaveMenu() override;
  void SaveSettings() override;

 private:
  AppContext& app_;
  ItemPictures& pictures_;
};

// The window steps of the reset sequences.
class AppDefaultsHost : public DefaultsHost {
 public:
  AppDefaultsHost(const Model& model, DockWindow& dock, GroupMenuWindow& menu, SystemCommands& commands,
                  const PolledAnswer& recycleBinFull)
      : model_(model), dock_(dock), menu_(menu), commands_(commands), recycleBinFull_(recycleBinFull) {}
  void ResetInteraction() override;
  SettingsScreen MeasureScreen() override;
  CatalogueFacts ReadCatalogueFacts() override;
  void ReleaseImages() override;
  void ReloadImagesAndShow() override;
  void LetMessagesRun() override;
  void FillGoesOn() override;
  void GroupsFilled() override;

 private:
  const Model& model_;
  DockWindow& dock_;
  GroupMenuWindow& menu_;
  SystemCommands& commands_;
  const PolledAnswer& recycleBinFull_;
  ULONGLONG lastPump_ = 0;
};

// What the built-in catalogue needs from the system now: the user's name and the Recycle
// Bin's state as last polled (the dock's timer corrects the picture once the first answer
// is in).
CatalogueFacts ReadCatalogueFacts(const PolledAnswer& recycleBinFull);

class Services {
 public:
  // The windows the built-in commands open (`windows`, `search`) may be built after the
  // services: they are reached only once a command runs.
  Services(AppContext& app, ProgramControl& program, DockWindow& dock, GroupMenuWindow& menu, SmallWindows& windows,
           SearchBoxWindow& search);

  win::Win32ShortcutReader shortcutReader;
  win::Win32ShellRunner shell;
  win::Win32DesktopShell desktop;
  win::Win32Drives drives;
  win::Win32VersionResources versions;
  win::Win32ShortPaths shortPaths;
  // What may wait on a slow disk, drive or network place runs off the UI thread: a
  // launch's existence tests and shortcut reads, and the Recycle Bin's state and emptying.
  BoundedCalls slowCalls;
  PolledAnswer recycleBinFull;
  RecycleBinOffThread recycleBinOffThread;
  ShortcutFiles shortcuts;
  Associations associations;
  AppItemPictures pictures;
  ItemCreation items;
  Discovery discovery;
  Launcher launcher;
  win::Win32SystemActions actions;
  AppCommandItems commandItems;
  SystemCommands commands;
  AppDefaultsHost defaultsHost;
  Defaults defaults;
};

}  // namespace vek
