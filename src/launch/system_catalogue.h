// The built-in items: the centre item and its menu of program commands, "My Computer"
// with its system places, the Recycle Bin with its menu, the template entries and the
// blank ring positions. Rebuilt at every start, after the settings are read and before
// the menu file is.
#pragma once

#include <string>

#include "core/model.h"
#include "core/paths.h"
#include "platform/file_system.h"

namespace vek {

// Command codes (each catalogue item sits at the pool index equal to its code).
namespace command {
constexpr int kUserDocuments = 65;
constexpr int kChangeUserIdentity = 66;
constexpr int kSettings = 67;
constexpr int kAbout = 68;
constexpr int kMinimize = 69;
constexpr int kHide = 70;
constexpr int kExit = 71;
constexpr int kDesktopIcons = 72;
constexpr int kSwitchDesktop = 73;
constexpr int kManageShortcuts = 74;
constexpr int kLockDragging = 75;
constexpr int kShutDown = 76;
constexpr int kRestart = 77;
constexpr int kLogOff = 78;
constexpr int kLock = 79;
constexpr int kMonitorOff = 80;
constexpr int kMyComputer = 81;
constexpr int kProperties = 82;
constexpr int kPersonalize = 83;
constexpr int kScreenResolution = 84;
constexpr int kUninstall = 85;
constexpr int kNetwork = 86;
constexpr int kInternetOptions = 87;
constexpr int kControlPanel = 88;
constexpr int kWorkgroup = 89;
constexpr int kPrinters = 90;
constexpr int kDeviceManager = 91;
constexpr int kSearch = 92;
constexpr int kRun = 93;
constexpr int kNetworkConnections = 94;
constexpr int kEmptyRecycleBin = 101;
constexpr int kOpenRecycleBin = 102;
constexpr int kRecycleBinStatus = 103;
constexpr int kSearchInternet = 104;
}  // namespace command

// Template entries.
namespace templ {
constexpr int kRecycleEmpty = 37;
constexpr int kRecycleFull = 38;
constexpr int kFile = 39;
constexpr int kBlank = 40;
constexpr int kApplication = 41;
constexpr int kGroup = 42;
}  // namespace templ

// Writes the template entries 37..42.
void AddTemplateItems(Model& model, const Folders& folders);

// Writes templates, the fixed ring items 0, 1 and 2, the blank positions 10..36, the
// catalogue 65..103 and the built-in groups 0..2; every ImageIndex becomes its own pool
// index and every position shows its own item. The captions of 72 and 75
// follow DesktopIconsHidden and IconsLocked; item 2 copies the template for the
// Recycle Bin's current state.
void BuildSystemCatalogue(Model& model, const Folders& folders, FileSystem& fs,
                          const std::string& userName, bool recycleBinFull);

// The caption and picture of the drag lock (index 75) for the current lock state: it
// names the action the next click performs.
void SetLockDraggingEntry(Model& model, const Folders& folders);
// The caption of the desktop-icon command (index 72) for the current state.
void SetDesktopIconsEntry(Model& model, bool iconsHidden);

}  // namespace vek
