#include "launch/system_catalogue.h"

namespace vek {

namespace {

struct CatalogueEntry {
  int code;
  const char* title;
  const char* picture;
};

// The captions of 65, 72 and 75 depend on state and are written separately.
constexpr CatalogueEntry kEntries[] = {
    {command::kUserDocuments, "", "UserDoc.png"},
    {command::kChangeUserIdentity, "Modify User Name & User Icon", "UserIcon.png"},
    {command::kSettings, "Settings", "Setting.png"},
    {command::kAbout, "About VEK Desktop", "About.png"},
    {command::kMinimize, "Minimize", "Minimize.png"},
    {command::kHide, "Hide VEK Desktop", "HideVEK.png"},
    {command::kExit, "Exit", "Exit.png"},
    {command::kDesktopIcons, "", "Desktop.png"},
    {command::kSwitchDesktop, "Switch Desktop", "Switch.png"},
    {command::kManageShortcuts, "Add & Manage Shortcuts", "Manage Shortcut.png"},
    {command::kLockDragging, "", ""},
    {command::kShutDown, "Shut Down", "Shutdown.png"},
    {command::kRestart, "Restart", "Restart.png"},
    {command::kLogOff, "Log Off", "LogOff.png"},
    {command::kLock, "Lock This Computer", "LockWorkstation.png"},
    {command::kMonitorOff, "Monitor Off", "MonitorOff.png"},
    {command::kMyComputer, "My Computer", "My Computer.png"},
    {command::kProperties, "Properties", "Properties.png"},
    {command::kPersonalize, "Personalize", "Personal.png"},
    {command::kScreenResolution, "Screen Resolution", "Display.png"},
    {command::kUninstall, "Uninstall a Program", "Uninstall.png"},
    {command::kNetwork, "Network", "Network.png"},
    {command::kInternetOptions, "IE Properties", "IEProperty.png"},
    {command::kControlPanel, "Control Panel", "CPanel.png"},
    {command::kWorkgroup, "Workgroup", "Workgroup.png"},
    {command::kPrinters, "Printers and Faxes", "Printer.png"},
    {command::kDeviceManager, "Device Manager", "DeviceManager.png"},
    {command::kSearch, "Search", "Search.png"},
    {command::kRun, "Run", "Run.png"},
    {command::kNetworkConnections, "Network Connections", "Network Connection.png"},
    {command::kEmptyRecycleBin, "Empty Recycle Bin", "TrashEmpty.png"},
    {command::kOpenRecycleBin, "Open Recycle Bin", "TrashFull.png"},
    {command::kRecycleBinStatus, "Recycle Bin Status", "TrashCheck.png"},
};

ShortcutItem Template(const std::string& title, ItemKind k, const std::string& iconFile) {
  ShortcutItem item;
  item.Kind = k;
  item.Title = title;
  item.IconFile = iconFile;
  return item;
}

void SetMembers(ShortcutGroup& group, int first, int last) {
  group.Members.clear();
  for (int code = first; code <= last; ++code) group.Members.push_back(code);
}

}  // namespace

void AddTemplateItems(Model& model, const Folders& folders) {
  const std::string& sys = folders.SysIconDir;
  ShortcutItem empty = Template("Recycle Bin (Empty)", ItemKind::kRecycleBin, sys + "RecycleEmpty.png");
  empty.IsSystem = true;
  empty.CommandId = command::kEmptyRecycleBin;
  ShortcutItem full = Template("Recycle Bin (Full)", ItemKind::kRecycleBin, sys + "RecycleFull.png");
  full.IsSystem = true;
  full.CommandId = command::kEmptyRecycleBin;
  model.Items[templ::kRecycleEmpty] = empty;
  model.Items[templ::kRecycleFull] = full;
  model.Items[templ::kFile] = Template("File", ItemKind::kBuiltIn, sys + "File.png");
  model.Items[templ::kBlank] = Template("Blank Shortcut", ItemKind::kBuiltIn, sys + "Shortcut.png");
  model.Items[templ::kApplication] = Template("Application", ItemKind::kBuiltIn, sys + "Application.png");
  model.Items[templ::kGroup] = Template("Group", ItemKind::kBuiltIn, sys + "Group.png");
}

void SetLockDraggingEntry(Model& model, const Folders& folders) {
  ShortcutItem& item = model.Items[command::kLockDragging];
  const bool locked = model.Settings.IconsLocked;
  item.Title = locked ? "Allow Dragging" : "Lock Dragging";
  item.IconFile = folders.SysIconDir + (locked ? "Allow Dragging.png" : "Lock Dragging.png");
}

void SetDesktopIconsEntry(Model& model, bool iconsHidden) {
  model.Items[command::kDesktopIcons].Title =
      iconsHidden ? "Always Show Desktop Icons" : "Always Hide Desktop Icons";
}

void BuildSystemCatalogue(Model& model, const Folders& folders, FileSystem& fs,
                          const std::string& userName, bool recycleBinFull) {
  AddTemplateItems(model, folders);
  for (size_t i = 1; i < model.Items.size(); ++i) model.Items[i].ImageIndex = static_cast<int32_t>(i);
  for (int g = 0; g < pool::kGroupCount; ++g) model.Groups[g].ShownItem = g;

  ShortcutItem& centre = model.Items[pool::kCentre];
  centre.Title = userName;
  centre.Kind = ItemKind::kCentre;
  const uint32_t a = fs.Attributes(folders.UserIconFile);
  centre.IconFile = (a != attr::kInvalid && a != 0) ? folders.UserIconFile : std::string();

  ShortcutItem computer = Template("My Computer", ItemKind::kBuiltIn, folders.SysIconDir + "My Computer.png");
  computer.IsSystem = true;
  computer.CommandId = command::kMyComputer;
  computer.ImageIndex = 1;
  model.Items[1] = computer;

  model.Items[2] = model.Items[recycleBinFull ? templ::kRecycleFull : templ::kRecycleEmpty];

  for (int i = 10; i <= pool::kRingLast; ++i) {
    ShortcutItem& blank = model.Items[i];
    blank.Title = "Blank Shortcut";
    blank.Kind = ItemKind::kEmptyPosition;
    blank.IconFile = folders.SysIconDir + "Shortcut.png";
  }

  for (const CatalogueEntry& e : kEntries) {
    ShortcutItem item;
    item.Kind = ItemKind::kCommand;
    item.IsSystem = true;
    item.CommandId = e.code;
    item.ImageIndex = e.code;
    item.Title = e.title;
    item.IconFile = folders.SysIconDir + e.picture;
    model.Items[e.code] = item;
  }
  model.Items[command::kUserDocuments].Title = "Open " + userName + "'s Documents";
  SetDesktopIconsEntry(model, model.Settings.DesktopIconsHidden);
  SetLockDraggingEntry(model, folders);

  SetMembers(model.Groups[0], command::kUserDocuments, command::kMonitorOff);
  SetMembers(model.Groups[1], command::kMyComputer, command::kNetworkConnections);
  SetMembers(model.Groups[2], command::kEmptyRecycleBin, command::kRecycleBinStatus);
}

}  // namespace vek
