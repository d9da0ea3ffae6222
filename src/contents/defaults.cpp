#include "contents/defaults.h"

#include <algorithm>
#include <set>

#include "core/group_title.h"
#include "core/menu_record.h"
#include "core/stored_text.h"
#include "launch/system_catalogue.h"
#include "platform/scoped_flag.h"
#include "text/text.h"

namespace vek {

namespace {

constexpr int kRingSlotsFirstDefault = 3;
constexpr int kRingSlotsLastDefault = 9;

// The accessories group: programs of the system, Program Files and Windows folders that
// exist on one Windows version or another.
enum class Place { kSystem, kProgramFiles, kWindows };
struct Accessory {
  Place place;
  const char* file;
};
constexpr Accessory kAccessories[] = {
    {Place::kSystem, "notepad.exe"},
    {Place::kSystem, "mspaint.exe"},
    {Place::kSystem, "calc.exe"},
    {Place::kProgramFiles, "Windows NT\\Accessories\\wordpad.exe"},
    {Place::kProgramFiles, "Windows Media Player\\wmplayer.exe"},
    {Place::kSystem, "cmd.exe"},
    {Place::kSystem, "msconfig.exe"},
    {Place::kSystem, "SoundRecorder.exe"},
    {Place::kSystem, "sndrec32.exe"},
    {Place::kSystem, "SnippingTool.exe"},
    {Place::kSystem, "StikyNot.exe"},
    {Place::kSystem, "magnify.exe"},
    {Place::kSystem, "osk.exe"},
    {Place::kSystem, "mstsc.exe"},
    {Place::kSystem, "taskmgr.exe"},
    {Place::kWindows, "regedit.exe"},
    {Place::kSystem, "cleanmgr.exe"},
    {Place::kSystem, "dfrgui.exe"},
    {Place::kSystem, "dfrg.msc"},
    {Place::kSystem, "rstrui.exe"},
    {Place::kSystem, "ntbackup.exe"},
};


// Puts back what reading the menu file would: the stored member lists and every item
// but the built-in catalogue, of which only the user's own icons are kept.
void KeepRing(const Model& kept, Model& model) {
  const int groups = std::min(static_cast<int>(kept.Groups.size()), static_cast<int>(model.Groups.size()));
  for (int g = kFirstStoredGroup; g <= kLastStoredGroup && g < groups; ++g) model.Groups[g] = kept.Groups[g];
  const int items = std::min(static_cast<int>(kept.Items.size()), static_cast<int>(model.Items.size()));
  for (int i = 0; i < items; ++i) {
    if (i >= pool::kCatalogueFirst && i <= pool::kCatalogueLast) {
      model.Items[i].CustomIconFile = kept.Items[i].CustomIconFile;
    } else {
      model.Items[i] = kept.Items[i];
    }
  }
}

}  // namespace

Defaults::Defaults(const DefaultsServices& s, std::string programPath, uint32_t windowsMajor)
    : model_(s.model),
      io_(s.io),
      registry_(s.registry),
      items_(s.items),
      discovery_(s.discovery),
      associations_(s.associations),
      host_(s.host),
      programPath_(std::move(programPath)),
      windowsMajor_(windowsMajor) {}

void Defaults::LoadAtStart(const SettingsScreen& screen, const CatalogueFacts& facts) {
  waiting_.clear();
  StartSources sources;
  sources.fillGroupsLater = true;
  sources.atStart = true;
  Initialise(sources, screen, facts);
}

void Defaults::Reinitialise(const StartSources& sources) {
  host_.ResetInteraction();
  const SettingsScreen screen = host_.MeasureScreen();
  Initialise(sources, screen, host_.ReadCatalogueFacts());
}

void Defaults::Initialise(const StartSources& sources, const SettingsScreen& screen,
                          const CatalogueFacts& facts) {
  // The default settings follow from the screen; the file's then replace them.
  ApplyDefaultSettings(model_.Settings, screen);
  if (sources.readSettings) LoadSettings(model_, io_, screen, registry_, programPath_, sources.atStart);
  BuildSystemCatalogue(model_, io_.folders, io_.fs, facts.userName, facts.recycleBinFull);
  if (sources.keptRing) {
    KeepRing(*sources.keptRing, model_);
    return;
  }
  if (sources.readMenu && LoadMenu(model_, io_)) {
    KeepUserNameWhole(facts.userName);
    return;
  }
  // Without a menu file the default items are made. The All Programs group is filled
  // last: the pool's member entries are shared, and a crowded desktop must not take those
  // the other default groups need.
  auto make = [&](int which) {
    if (sources.fillGroupsLater)
      MakeDefaultItem(which, which);
    else
      BuildDefaultGroup(which);
  };
  items_.BeginRefusalBatch();
  for (int which = kRingSlotsFirstDefault + 1; which <= kRingSlotsLastDefault; ++which) make(which);
  make(kRingSlotsFirstDefault);
  items_.EndRefusalBatch();
  if (!sources.fillGroupsLater) return;
  // The groups in the order their members are found.
  for (int slot : {4, 5, 6, kRingSlotsFirstDefault}) {
    const ShortcutItem& item = model_.Items[slot];
    waiting_.push_back(WaitingGroup{slot, item.Kind, item.IconFile});
  }
}

void Defaults::KeepUserNameWhole(const std::string& userName) {
  // The file keeps the user's name with "?" where the code page lacks its characters: the
  // centre shows the whole name again, unless the user has named it otherwise since.
  std::string& title = model_.Items[pool::kCentre].Title;
  if (IsStoredFormOf(title, userName, io_.codec)) title = userName;
}

void Defaults::FreeSlotContents(int slot) {
  if (slot < static_cast<int>(model_.Groups.size())) {
    const ItemKind k = model_.Items[slot].Kind;
    if (IsUserGroupKind(k))
      for (const int member : model_.Groups[slot].Members) items_.FreeSlot(member);
    model_.ResetGroup(slot);
  }
  items_.FreeSlot(slot);
}

void Defaults::BuildDefaultGroup(int which, int slot) {
  if (slot == 0) slot = which;
  if (which < kRingSlotsFirstDefault || which > kRingSlotsLastDefault) return;
  if (slot < 1 || slot >= static_cast<int>(model_.Items.size())) return;
  const bool groupRow = which <= 6;
  if (groupRow && slot >= static_cast<int>(model_.Groups.size())) return;  // groups live on the ring

  items_.BeginRefusalBatch();
  MakeDefaultItem(which, slot);
  if (groupRow) {
    AddDefaultMembers(which, slot, {});
    // A group that found nothing says so.
    items_.UpdateGroupTitle(slot);
  }
  items_.EndRefusalBatch();
}

void Defaults::MakeDefaultItem(int which, int slot) {
  FreeSlotContents(slot);
  const std::string& sys = io_.folders.SysIconDir;
  auto set = [&](const char* title, ItemKind k, const char* picture) {
    ShortcutItem& item = model_.Items[slot];
    item.Title = title;
    item.Kind = k;
    item.IconFile = sys + picture;
    item.ImageIndex = slot;
  };
  const ItemKind shortcutKind = slot > pool::kRingLast ? ItemKind::kMember : ItemKind::kShortcut;
  // The default program is stored like any other path (by its short name where the long
  // one does not fit): one the configuration file cannot keep is told and left out, and
  // the item stays without a program.
  auto setHandler = [&](HandlerKind kind) {
    const std::string program = associations_.GetDefaultHandler(kind);
    if (program.empty()) return;
    const std::string stored = items_.StorableForm(program);
    if (!stored.empty()) model_.Items[slot].Link = stored;
  };
  switch (which) {
    case 3: set("All Programs Group (Empty)", ItemKind::kAllPrograms, "All Programs Group.png"); break;
    case 4: set("System Folders & Drives Group", ItemKind::kGroup, "Library.png"); break;
    case 5: set("Accessories Group", ItemKind::kGroup, "WinGroup.png"); break;
    case 6: set("Microsoft Office Suite Group", ItemKind::kGroup, "Microsoft Office Group.png"); break;
    case 7:
      set("Internet", shortcutKind, "Internet.png");
      setHandler(HandlerKind::kWebBrowser);
      break;
    case 8:
      set("Check Email", shortcutKind, "Mailbox.png");
      setHandler(HandlerKind::kMail);
      break;
    case 9:
      set("Search Internet", shortcutKind, "SearchInternet.png");
      model_.Items[slot].IsSystem = true;
      model_.Items[slot].CommandId = command::kSearchInternet;
      break;
  }
}

void Defaults::AddDefaultMembers(int which, int slot, const std::function<bool()>& keepGoing) {
  const Folders& f = io_.folders;
  switch (which) {
    case 3:
      discovery_.AddFolderEntries(slot, f.CommonDesktopDir, "*.*", scan_mode::kAllVisible, keepGoing);
      discovery_.AddFolderEntries(slot, f.DesktopDir, "*.*", scan_mode::kAllVisible, keepGoing);
      break;
    case 4:
      discovery_.AddSystemFoldersAndDrives(slot, windowsMajor_, [this] { host_.LetMessagesRun(); }, keepGoing);
      break;
    case 5:
      for (const Accessory& a : kAccessories) {
        if (keepGoing && !keepGoing()) break;
        const std::string& folder = a.place == Place::kSystem         ? f.SystemDir
                                    : a.place == Place::kProgramFiles ? f.ProgramFilesDir
                                                                      : f.WindowsDir;
        items_.AddItemFromPath(folder + a.file, slot);
      }
      break;
    case 6:
      discovery_.AddOfficeApplications(slot, keepGoing);
      break;
  }
}

int Defaults::WaitingGroupSlot(const WaitingGroup& group) const {
  const auto holds = [&](int slot) {
    if (slot >= static_cast<int>(model_.Items.size())) return false;
    const ShortcutItem& item = model_.Items[slot];
    return item.Kind == group.kind && item.IconFile == group.iconFile;
  };
  if (holds(group.slot)) return group.slot;
  // A move swaps whole records: the group stands where it was moved to.
  for (int slot = pool::kAllProgramsSlot; slot <= pool::kRingLast; ++slot)
    if (holds(slot)) return slot;
  return -1;
}

bool Defaults::FillDefaultGroups() {
  if (waiting_.empty() || filling_) return false;
  const std::vector<WaitingGroup> groups = std::move(waiting_);
  waiting_.clear();
  const uint64_t resets = resets_;
  items_.BeginRefusalBatch();
  {
    ScopedFlag during(filling_);
    // The scans let window messages run: the user may delete or replace a group
    // meanwhile, which leaves it alone, move it, which fills it where it went (what was
    // found already is not added twice), or reset, which ends the fill.
    for (const WaitingGroup& g : groups) {
      for (int slot; resets_ == resets && (slot = WaitingGroupSlot(g)) != -1;) {
        bool stayed = true;
        AddDefaultMembers(g.slot, slot, [&] {
          host_.FillGoesOn();
          stayed = resets_ == resets && WaitingGroupSlot(g) == slot;
          return stayed;
        });
        // Messages also ran after the last path (the last drive, the last probe).
        stayed = stayed && resets_ == resets && WaitingGroupSlot(g) == slot;
        if (!stayed) continue;
        // A group that found nothing says so.
        items_.UpdateGroupTitle(slot);
        break;
      }
    }
  }
  const bool complete = resets_ == resets;
  if (complete) {
    host_.GroupsFilled();
    SaveMenu(model_, io_);
  }
  // Paths that could not be added are told once, after the file is written.
  items_.EndRefusalBatch();
  return complete;
}

void Defaults::RepairIcons() {
  auto exists = [this](const std::string& path) {
    return !path.empty() && io_.fs.Attributes(path) != attr::kInvalid;
  };
  auto repair = [&](int slot) {
    ShortcutItem& item = model_.Items[slot];
    if (item.Kind == ItemKind::kFree) return;  // nothing to show
    const std::string customIcon = item.CustomIconFile;
    const std::string iconFile = item.IconFile;
    if (!exists(customIcon) && !exists(iconFile)) items_.RebuildItemIcon(slot);
  };
  for (int slot = pool::kFirstMovableSlot; slot <= pool::kRingLast; ++slot) repair(slot);
  for (int slot = pool::kMemberFirst; slot < static_cast<int>(model_.Items.size()); ++slot) repair(slot);
}

void Defaults::ResetAndReload(bool resetSettings, bool resetItems, bool reloadIcons) {
  // A reset that makes the items anew (or reads them back from a restored file) overtakes
  // a fill still waiting or running. One that keeps the ring, as a settings reset does,
  // lets the fill go on: otherwise the default groups would stay half-filled for good.
  if (resetItems || reloadIcons) {
    ++resets_;
    waiting_.clear();
  }
  host_.ReleaseImages();
  StartSources sources;
  sources.readSettings = !resetSettings;
  if (resetItems || reloadIcons) {
    model_.Size();
    sources.readMenu = !resetItems;
    Reinitialise(sources);
  } else {
    const Model kept = model_;
    sources.keptRing = &kept;
    Reinitialise(sources);
  }
  if (reloadIcons) {
    RepairIcons();
    // Items kept by their short names get back the titles the file could not hold.
    items_.RestoreLongTitles();
  }
  host_.ReloadImagesAndShow();
}

bool Defaults::RunResetCommand(int index, const ResetCommandUi& ui) {
  if (index != kResetSettingsCommand && index != kResetShortcutsCommand) return false;
  // The reset deletes pictures it could not replace while the saves leave the files alone.
  if (RefusedWhileFilesKept(io_)) return false;
  const bool settings = index == kResetSettingsCommand;
  PromptRequest question{settings ? kResetSettingsQuestion : kResetShortcutsQuestion, "VEK Desktop",
                         PromptIcon::kQuestion, PromptButtons::kYesNo, true, false};
  if (io_.prompt.Ask(question) != PromptAnswer::kYes) return false;
  if (ui.setBusyPointer) ui.setBusyPointer(true);
  // A file that could not be written has been told of: the next start would read the old
  // one, so the reset is not called done.
  bool saved = false;
  if (settings) {
    ResetAndReload(true, false, false);
    if (ui.refreshControls) ui.refreshControls();
    saved = SaveSettings(model_, io_);
  } else {
    SaveSettings(model_, io_);
    // The user's pictures go once the default shortcuts are saved: while the menu file
    // cannot be written, the next start reads the old one, which still needs them. The
    // defaults' new pictures take names no old one has.
    const auto pictures = [this] {
      std::set<std::string> names;
      for (const DirEntry& e : io_.fs.List(io_.folders.IconDir, "*.png"))
        names.insert(ToUpperAscii(io_.folders.IconDir + e.name));
      return names;
    };
    const std::set<std::string> before = pictures();
    ResetAndReload(false, true, false);
    saved = SaveMenu(model_, io_);
    if (saved) {
      std::set<std::string> made;
      for (const std::string& name : pictures())
        if (before.count(name) == 0) made.insert(name);
      DeleteIconPictures(io_.fs, io_.folders, made);
    }
  }
  if (ui.setBusyPointer) ui.setBusyPointer(false);
  if (!saved) return false;
  io_.prompt.Ask(PromptRequest{settings ? kResetSettingsDone : kResetShortcutsDone, "VEK Desktop",
                               PromptIcon::kInformation, PromptButtons::kOk});
  return true;
}

}  // namespace vek
