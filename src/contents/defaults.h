// Bringing the model into a defined state: the constant tables, the default settings, the
// configuration files, the built-in catalogue and, when no menu file can be read, the
// seven default ring items. The same sequence serves the first start, every later
// start, the two reset commands of the settings dialog and the restore commands.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/config_files.h"
#include "core/model.h"
#include "icons/associations.h"
#include "icons/discovery.h"
#include "icons/item_creation.h"
#include "platform/registry.h"

namespace vek {

// What the built-in catalogue needs from the system.
struct CatalogueFacts {
  std::string userName;  // the centre item's caption
  bool recycleBinFull = false;
};

// The steps of the reset sequences that belong to the windows (dock geometry, menu
// layout, image store, message loop). Start-up needs none of them: the windows are built
// from the finished model. The Windows side implements it; tests record the calls.
class DefaultsHost {
 public:
  virtual ~DefaultsHost() = default;
  // No ring slot selected, no menu band focused, fading off.
  virtual void ResetInteraction() = 0;
  // Screen metrics, work area and centre.
  virtual SettingsScreen MeasureScreen() = 0;
  virtual CatalogueFacts ReadCatalogueFacts() = 0;
  // Releases every skin and item image of the image store.
  virtual void ReleaseImages() = 0;
  // Lays the ring and the group menu out from the model, loads every skin and item
  // image, trims the working set, lets pending window messages run and gives the dock
  // the focus (which repaints it).
  virtual void ReloadImagesAndShow() = 0;
  // Lets pending window messages run (during the drive scan).
  virtual void LetMessagesRun() = 0;
  // Called before each path the default groups' fill adds, after the first paint: lets
  // the window messages run now and then (a path that answers at once waits for nothing,
  // so the scans alone would never let them run).
  virtual void FillGoesOn() = 0;
  // The default groups made at start have their members and titles: the ring shows
  // them (only what changed is drawn again).
  virtual void GroupsFilled() = 0;
};

// Everything the sequence works with; all of it outlives the Defaults object.
struct DefaultsServices {
  Model& model;
  ConfigIo& io;
  Registry& registry;
  ItemCreation& items;
  Discovery& discovery;
  Associations& associations;
  DefaultsHost& host;
};

// The reset commands of the settings dialog, by the index of their button.
constexpr int kResetSettingsCommand = 0;
constexpr int kResetShortcutsCommand = 1;
constexpr char kResetSettingsCaption[] = "Reset all default program settings";
constexpr char kResetShortcutsCaption[] = "Reset all default shortcuts && icons";
constexpr char kResetSettingsQuestion[] =
    "WARNING: This procedure will reset all program settings to their default values but all "
    "currently used shortcuts and icons will be maintained intact. It is recommended to backup "
    "the configuration (Settings --> General tab --> Backup section) before proceeding.\r\n\r\n"
    "Proceed anyway with resetting all default program settings?";
constexpr char kResetShortcutsQuestion[] =
    "WARNING: This procedure will reset all default shortcuts and icons to their default values "
    "but all currently used program settings will be maintained intact. It is recommended to "
    "backup all shortcuts and icons (Settings --> General tab --> Backup section) before "
    "proceeding.\r\n\r\nProceed anyway with resetting all default shortcuts and icons?";
constexpr char kResetSettingsDone[] = "Reset all default program settings successfully!";
constexpr char kResetShortcutsDone[] = "Reset all default shortcuts & icons successfully!";

// What the settings dialog lends a reset command.
struct ResetCommandUi {
  std::function<void(bool busy)> setBusyPointer;  // hourglass on / normal pointer
  std::function<void()> refreshControls;          // the dialog's controls from the settings
};

class Defaults {
 public:
  // `programPath`: the running program, for the autostart value; `windowsMajor`: the
  // system's major version (Explorer joins the system group from 6 on).
  Defaults(const DefaultsServices& services, std::string programPath, uint32_t windowsMajor);

  // The start-up sequence on the model alone: the default settings from `screen`, the
  // settings file, the built-in catalogue, then the menu file or, failing that, the
  // default ring items. A first start (no configuration files) ends with the seven
  // default ring items, the four groups among them with their titles and pictures but no
  // members yet: no folder, drive or registry scan delays the first frame.
  // FillDefaultGroups fills them once the ring is painted.
  void LoadAtStart(const SettingsScreen& screen, const CatalogueFacts& facts);
  // True while default groups made at start wait for their members.
  bool groupsWaiting() const { return !waiting_.empty(); }
  // True while FillDefaultGroups runs: its scans let window messages run meanwhile.
  bool filling() const { return filling_; }
  // Fills the default groups start-up left empty, in the order of a full build (the
  // system folders and drives, the accessories, the Office programs, then All Programs).
  // A group the user deleted or replaced meanwhile is left alone, one moved is filled
  // where it went, and a reset that makes the items anew meanwhile ends the fill (it
  // builds its own groups). Then the group titles say whether a group is empty or full,
  // the host shows the ring and the menu file is written once, complete. False when
  // nothing waited or a reset ended the fill.
  bool FillDefaultGroups();
  // Fills pool item `slot` (0: slot = which) with default row `which` (3..9): the All
  // Programs group from the desktop folders, the system folders and drives, the
  // accessories, the Office programs, the web browser, the mail program and the web
  // search. What the slot held before (with its members) is freed first.
  void BuildDefaultGroup(int which, int slot = 0);
  // Re-runs the model part of the start-up: images released, the pool re-created when
  // items are reset or icons reloaded, the start-up sequence reading only what is kept,
  // the icon repair pass when reloadIcons, then the images reloaded and the dock shown.
  // When neither items nor icons are asked for, the ring and the groups in memory are
  // kept as they are instead of being read back from the menu file: a missing or
  // unreadable file at that moment must never turn them into the default groups; a
  // first start's fill of the default groups then goes on.
  void ResetAndReload(bool resetSettings, bool resetItems, bool reloadIcons);
  // The reset command `index` of the settings dialog: the question, then the reset, the
  // saving and the done message. False when the user said No or the index is unknown.
  bool RunResetCommand(int index, const ResetCommandUi& ui);

 private:
  // What a start-up takes from the files or from memory.
  struct StartSources {
    bool readSettings = true;          // the settings file replaces the defaults
    bool readMenu = true;              // the menu file gives the ring and the groups
    const Model* keptRing = nullptr;   // or the ring, groups and items come from here
    bool fillGroupsLater = false;      // default groups get their members from FillDefaultGroups
    bool atStart = false;              // the program's start, not a reload
  };
  // The start-up sequence. With a kept ring the built-in catalogue is still rebuilt,
  // keeping its custom icons.
  void Initialise(const StartSources& sources, const SettingsScreen& screen, const CatalogueFacts& facts);
  // Initialise between the window steps of a reset.
  void Reinitialise(const StartSources& sources);
  void FreeSlotContents(int slot);
  void RepairIcons();
  // The centre's title read back from the file is the user's name again where the file
  // could not hold it whole.
  void KeepUserNameWhole(const std::string& userName);
  // The record of default row `which` in pool item `slot`: title, kind, picture and, for
  // the web items, the link or command. What the slot held is freed first.
  void MakeDefaultItem(int which, int slot);
  // The members of default group row `which` (3..6) in group `slot`; the scans stop as
  // soon as `keepGoing` (when given) says no.
  void AddDefaultMembers(int which, int slot, const std::function<bool()>& keepGoing);

  // A default group made at start, waiting for its members: its slot (that of its default
  // row) and what its record looked like, to tell whether the user changed the slot since.
  struct WaitingGroup {
    int slot = 0;
    ItemKind kind = ItemKind::kFree;
    std::string iconFile;
  };
  // The ring position that holds a waiting group now (the user may have moved it), or
  // −1 when it was deleted or replaced.
  int WaitingGroupSlot(const WaitingGroup& group) const;

  Model& model_;
  ConfigIo& io_;
  Registry& registry_;
  ItemCreation& items_;
  Discovery& discovery_;
  Associations& associations_;
  DefaultsHost& host_;
  std::string programPath_;
  uint32_t windowsMajor_;
  std::vector<WaitingGroup> waiting_;
  bool filling_ = false;
  uint64_t resets_ = 0;  // a fill that sees this change was overtaken by a reset
};

}  // namespace vek
