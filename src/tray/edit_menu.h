// The item edit popup menu as logic: which entries are offered for the item a right
// click named, how each ring slot or group member moves, and what each entry does. The
// popup itself is the tray owner window's; the windows it acts on are reached through
// EditMenuHost.
#pragma once

#include <array>

#include "core/model.h"
#include "platform/prompt.h"

namespace vek {

// Entries of the edit menu by their place in it (2 and 7 are separators).
namespace edit_entry {
constexpr int kAdd = 0;
constexpr int kDelete = 1;
constexpr int kMoveUp = 3;
constexpr int kMoveDown = 4;
constexpr int kMoveTop = 5;
constexpr int kMoveBottom = 6;
constexpr int kProperties = 8;
constexpr int kCount = 9;
}  // namespace edit_entry

// The item a right click named: a ring slot, or member `position` (1-based) of the group
// of ring slot `groupSlot` as the group menu showed it.
struct EditTarget {
  int item = -1;
  int groupSlot = -1;  // −1: the item is on the ring
  int position = 0;

  static EditTarget Ring(int slot) { return EditTarget{slot, -1, 0}; }
  static EditTarget Member(int groupSlot, int position, int item) { return EditTarget{item, groupSlot, position}; }
  bool member() const { return groupSlot >= 0; }
};

using EditEntries = std::array<bool, edit_entry::kCount>;

// Which entries are enabled for `target`. The separators are never enabled. Adding and
// the properties go through the properties window; without it (`propertiesWindow`
// false) both are disabled. A target that no longer stands where the menu showed it
// (see TargetStillShown) is offered nothing but the properties.
EditEntries EditMenuEnabling(const Model& model, const EditTarget& target, bool propertiesWindow);

// True when the target is still what the menu showed: a ring slot inside the ring, or
// the same pool index still at that position of that group.
bool TargetStillShown(const Model& model, const EditTarget& target);

// Swaps the pictures cached for two image indexes; the moves of ring slots carry their
// pictures with them.
class ItemImageSwap {
 public:
  virtual ~ItemImageSwap() = default;
  virtual void SwapItemImages(int a, int b) = 0;
};

// Moves ring slot `slot` (the record, its member list and its cached pictures travel
// together) up, down, to the top or to the bottom of the movable slots 4..IconQuantity.
// False, with nothing changed, when the move would leave that range.
bool MoveRingItem(Model& model, int slot, int entry, ItemImageSwap& images);

// Moves a group member inside its group's list. False, with nothing changed, when the
// member at the position is not the target's item or the move would leave the list.
bool MoveGroupMember(Model& model, const EditTarget& target, int entry);

// What the edit menu's entries ask of the windows and the rest of the program.
class EditMenuHost {
 public:
  virtual ~EditMenuHost() = default;
  // Closes the group menu when one is open; the dock takes the focus.
  virtual void CloseGroupMenu() = 0;
  virtual bool KeyMode() = 0;
  // Leaves key mode and puts the dock behind all windows.
  virtual void LeaveKeyMode() = 0;
  // The ring re-reads its slots and repaints.
  virtual void RefreshRing() = 0;
  // The open group menu shows its group's new order, plain, on the same page; a closed
  // menu stays closed.
  virtual void RefreshGroupMenu() = 0;
  // Deletes an item (asking first for a group); true when it was deleted.
  virtual bool DeleteItem(int item) = 0;
  virtual void SaveMenu() = 0;
  virtual bool DockInForeground() = 0;
  // Shows the properties window for `item`, or for a new item when `addMode`.
  virtual void ShowProperties(int item, bool addMode) = 0;
};

constexpr char kDeleteShortcutQuestion[] = "Are you sure to delete the selected shortcut?";
constexpr char kDeleteShortcutTitle[] = "Delete Shortcut";

// Carries out entry `entry` for `target`. An entry the enabling rules do not offer does
// nothing, so a stale target changes nothing.
void ChooseEditEntry(int entry, const EditTarget& target, Model& model, EditMenuHost& host, UserPrompt& prompt,
                     ItemImageSwap& images, bool propertiesWindow);

}  // namespace vek
