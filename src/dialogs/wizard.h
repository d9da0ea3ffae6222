// The add-and-manage wizard as logic: the folders it browses, what its managing half
// lists (the ring or one group), which of its buttons can act for the current choice
// and selection, and what each button does to the model. The window under win/ shows it.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/model.h"
#include "core/paths.h"
#include "icons/item_creation.h"
#include "platform/drives.h"
#include "platform/file_system.h"
#include "platform/prompt.h"
#include "platform/text_prompt.h"
#include "tray/edit_menu.h"

namespace vek {

// Texts of the wizard's messages and questions.
constexpr char kWizardCaption[] = "VEK Desktop - Add & Manage Shortcuts";
constexpr char kRingChoiceTitle[] = "VEK Desktop";
constexpr char kRingFullText[] =
    "Desktop Group is full. Please remove a shortcut or reset appearance icon count. Then try again.";
constexpr char kAddedToGroupText[] = "The selected shortcut will be added to this group";
constexpr char kWizardGroupPrompt[] = "A new shortcut group will be created";

// One entry of the source list: a caption and the folder it opens (with a backslash).
struct SourceFolder {
  std::string caption;
  std::string path;
};

// The five fixed sources (the user's and the common desktop, Program Files, the user's
// and the common Start-menu programs), then the root of every fixed drive.
std::vector<SourceFolder> SourceFolders(const Folders& folders, Drives& drives);

// What one folder holds, for the folder tree and the file list.
struct FolderListing {
  bool readable = false;             // false: the folder is missing or cannot be read
  std::vector<std::string> folders;  // sub-folders, for the tree
  std::vector<std::string> entries;  // sub-folders, then the files matching the pattern
};

// True when name `a` is listed before name `b`.
using NameOrder = std::function<bool(const std::string& a, const std::string& b)>;

// Lists `folder`: hidden entries, "." and ".." are left out; sub-folders and files are
// each sorted by `before` (without one, without regard to the letter case of A-Z).
// `pattern` holds one or more wildcards separated by ";" ("*.*" when blank) and selects
// the files; every sub-folder is listed (a folder can be added as a shortcut too).
FolderListing ListFolder(FileSystem& fs, const std::string& folder, const std::string& pattern,
                         const NameOrder& before = {});

// `folder` + `name` with one backslash between them.
std::string JoinPath(const std::string& folder, const std::string& name);

// The choice of the managing half: the ring itself, or the group of one slot. The ring
// has a value of its own, apart from the centre's slot 0.
constexpr int kRingChoice = -1;

struct ManageChoice {
  int slot = kRingChoice;
  std::string title;
};

// "VEK Desktop" (the ring) first, then every slot 0..IconQuantity whose item owns a
// group (a user group, All Programs, or a built-in item), by title, in slot order.
std::vector<ManageChoice> ManageChoices(const Model& model);

// One entry of the managing list: a ring slot, or member `place` of the chosen group.
struct ManageEntry {
  int item = 0;   // pool index
  int place = 0;  // the ring slot, or the member's position (1-based)
  std::string title;
};

// The ring's slots 1..IconQuantity, or the members of the group of `choice`.
std::vector<ManageEntry> ManageEntries(const Model& model, int choice);

// Whether entry `entry` of the list may stay selected: the ring's two built-in slots
// (My Computer and the Recycle Bin) may not.
bool EntrySelectable(int choice, const ManageEntry& entry);

// The edit-menu target that stands for an entry of the list.
EditTarget EntryTarget(int choice, const ManageEntry& entry);

namespace wizard_button {
constexpr int kAddShortcut = 0;
constexpr int kAddGroup = 1;
constexpr int kReplace = 2;
constexpr int kSelectAllFiles = 3;
constexpr int kUnselectFiles = 4;
constexpr int kRemove = 5;
constexpr int kProperties = 6;
constexpr int kMoveUp = 7;
constexpr int kMoveDown = 8;
constexpr int kMoveTop = 9;
constexpr int kMoveBottom = 10;
constexpr int kSelectAllEntries = 11;
constexpr int kUnselectEntries = 12;
constexpr int kCount = 13;
}  // namespace wizard_button

using WizardButtons = std::array<bool, wizard_button::kCount>;

// The state of both halves that the buttons depend on.
struct WizardSelection {
  int choice = kRingChoice;  // the managing half's choice
  int files = 0;             // entries of the file list
  int chosenFiles = 0;       // of them selected
  std::vector<int> entries;  // selected indexes of ManageEntries(model, choice)
};

// Which buttons can act. The managing buttons follow the item edit menu's rules for the
// selected entry (moves stay within 4..IconQuantity on the ring and within the group's members;
// Remove as Delete); moves and Properties need exactly one selected entry. Add Group and
// Replace act only on the ring; Replace needs one file and one ring entry that takes a
// shortcut (a shortcut, an empty position or a group). Properties needs the properties
// window (`propertiesWindow`).
WizardButtons WizardEnabling(const Model& model, const WizardSelection& selection, bool propertiesWindow);

// The edit menu's move entry for a move button, or −1.
int MoveEntryOf(int button);

// What the wizard's buttons do. Every change is shown on the ring (and in an open group
// menu) and saved at once through `host`.
class WizardActions {
 public:
  WizardActions(Model& model, ItemCreation& items, UserPrompt& prompt, TextPrompt& input, EditMenuHost& host,
                ItemImageSwap& images)
      : model_(model), items_(items), prompt_(prompt), input_(input), host_(host), images_(images) {}

  // Adds each path: on the ring to the next free slot (to the All Programs group, after
  // one notice, once the ring is full; nothing more, with a message, once that is full
  // too), or to the chosen group until it is full. True when the model changed.
  bool AddShortcuts(int choice, const std::vector<std::string>& paths);
  // Makes a new group on the next free ring slot, named by the user, holding the paths.
  // Refused with a message when no ring slot is free (the group never takes the centre
  // nor the All Programs group's place), or when paths were chosen and no member entry
  // is left.
  bool AddGroup(const std::vector<std::string>& paths);
  // Puts `path` on ring slot `slot`: a shortcut there is replaced after its question, an
  // empty position is filled, a group gets a new member after a notice.
  bool Replace(const std::string& path, int slot);
  // Deletes the entries: shortcuts and members after one question (as the edit menu's
  // Delete asks), groups after their own. Entries no longer where they were listed are
  // left alone. True when something was deleted.
  bool Remove(int choice, const std::vector<ManageEntry>& entries);
  // Moves one entry as the edit menu's move `entry` does; the entry's new index in the
  // list, or −1 when the move is not offered.
  int Move(int choice, const ManageEntry& entry, int editEntry);

 private:
  bool AddToGroup(int slot, const std::vector<std::string>& paths);
  // One message naming the files that found no room: `why` is kGroupFullText or
  // kNoRoomText.
  void TellNotAdded(const char* why, const std::vector<std::string>& paths);
  void Changed();

  Model& model_;
  ItemCreation& items_;
  UserPrompt& prompt_;
  TextPrompt& input_;
  EditMenuHost& host_;
  ItemImageSwap& images_;
};

}  // namespace vek
