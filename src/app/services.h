// The program's working parts, built once the folders are known and the windows exist
// as objects: shortcut reading, launching, the built-in commands, item creation, the
// default contents, and the adapters that join them to the windows.
#pragma once

#include <memory>

#include "app/app_context.h"
#include "contents/defaults.h"
#include "dock/dock_controller.h"
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

namespace vek {

class FrmMain;

// What the dock and the group menu ask of the rest of the program, through the services.
class AppDockActions : public DockActions, public MenuActions {
 public:
  explicit AppDockActions(AppContext& app) : app_(app) {}
  void LaunchItem(int index) override;
  void RunSystemCommand(int code) override;
  void OpenGroupMenu(int slot) override;
  void CloseGroupMenu(bool noDockFocus) override;
  bool GroupMenuOpen() override;
  void ClearGroupMenuFocus() override;
  bool GroupMenuBusy() override;
  void ShowEditMenu() override;
  int DeleteItem(int index) override;
  void SaveMenu() override;
  void ShowGettingStarted() override;
  bool IsRecycleBinFull() override;
  // The group menu's requests.
  void RefreshRing() override;
  void FocusDock() override;
  void ShowMemberEditMenu() override;
  void KeepDockAwake() override;

 private:
  AppContext& app_;
};

class Services;

// The image side of item creation: pictures written with the icon extraction, loaded
// into the dock's image store.
class AppItemPictures : public ItemPictures {
 public:
  AppItemPictures(AppContext& app, FrmMain& dock) : app_(app), dock_(dock) {}
  bool WriteModuleIcon(const std::string& file, int32_t iconIndex, const std::string& dest) override;
  bool WriteShellIcon(const std::string& file, const std::string& dest) override;
  bool ConvertIconFile(const std::string& source, const std::string& dest) override;
  void LoadItemIcon(int index) override;
  void ReleaseItemImages(int index) override;

 private:
  AppContext& app_;
  FrmMain& dock_;
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

// The window steps of the start-up and reset sequences.
class AppDefaultsHost : public DefaultsHost {
 public:
  AppDefaultsHost(AppContext& app, FrmMain& dock) : app_(app), dock_(dock) {}
  void ResetInteraction() override;
  SettingsScreen MeasureScreen() override;
  void SetMenuRowsPerPage() override;
  void BuildIconSizeTable() override;
  void BuildRingSlotTables() override;
  CatalogueFacts ReadCatalogueFacts() override;
  void ReleaseImages() override;
  void ReloadImagesAndShow() override;
  void LetMessagesRun() override;

 private:
  AppContext& app_;
  FrmMain& dock_;
};

class Services {
 public:
  Services(AppContext& app, FrmMain& dock);

  win::Win32ShortcutReader shortcutReader;
  win::Win32ShellRunner shell;
  win::Win32RecycleBin recycleBin;
  win::Win32DesktopShell desktop;
  win::Win32Drives drives;
  win::Win32VersionResources versions;
  // What may wait on a slow disk, drive or network place runs off the UI thread: a
  // launch's existence tests and shortcut reads, and the Recycle Bin's state.
  BoundedCalls slowCalls;
  PolledAnswer recycleBinFull;
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
