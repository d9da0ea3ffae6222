// The item pool, the member lists and the settings: everything the program shows and
// launches. One Model object lives from start-up to exit and is passed by reference.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vek {

// Whether the dock is on the screen: shown, minimised to its small icon, or hidden.
enum class DockState { Shown, Minimised, Hidden };

// What a pool item is. The enumerator values are the numbers the menu file stores; an item
// read from a file may hold a number that names none of them, and keeps it.
enum class ItemKind : int32_t {
  kFree = 0,
  kShortcut = 1,        // a shortcut at a ring position
  kEmptyPosition = 2,   // a ring position drawn as "Blank Shortcut"
  kGroup = 4,           // a user or default group at a ring position
  kMember = 5,          // a shortcut inside a group
  kAllPrograms = 6,     // the "All Programs" group
  kRecycleBin = 9,
  kBuiltIn = 10,        // a built-in item with a built-in group; the templates
  kCommand = 11,        // a member of a built-in group
  kCentre = 12,
};

// The kinds the user makes and edits (shortcuts, positions, groups, members and the All
// Programs group); every kind after them is built in and offers only its properties.
constexpr bool IsUserKind(ItemKind k) { return k <= ItemKind::kAllPrograms; }
constexpr bool IsBuiltInKind(ItemKind k) { return !IsUserKind(k); }
// A group the user fills: an ordinary group or the All Programs group.
constexpr bool IsUserGroupKind(ItemKind k) { return k == ItemKind::kGroup || k == ItemKind::kAllPrograms; }
// The kinds from the group on own a menu: the groups, the built-in items and the centre.
constexpr bool OwnsMenuKind(ItemKind k) { return k >= ItemKind::kGroup; }

// What an item's Link denotes, for the fallback picture. The values are the stored ones;
// a file may hold one that names none of them.
enum class PathKind : uint8_t {
  kShortcutFile = 0,  // drives and folders too
  kProgram = 1,
  kOtherFile = 2,
};

// Pool index ranges and capacities.
namespace pool {
constexpr int kCentre = 0;
constexpr int kRingFirst = 1;
constexpr int kRingLast = 36;
constexpr int kTemplateFirst = 37;
constexpr int kTemplateLast = 64;
constexpr int kCatalogueFirst = 65;
constexpr int kCatalogueLast = 128;
constexpr int kMemberFirst = 129;
constexpr int kLast = 1024;
constexpr int kSize = kLast + 1;
constexpr int kGroupCount = 37;           // member lists 0..36, one per ring position
constexpr int kAllProgramsSlot = 3;
constexpr int kGroupCapacity = 36;        // members of an ordinary group
constexpr int kAllProgramsCapacity = 1024;
constexpr int kFirstMovableSlot = 4;
// Fallback pictures (template entries) by PathKind.
constexpr int kFileImage = 39;
constexpr int kBlankImage = 40;
constexpr int kApplicationImage = 41;
constexpr int kGroupImage = 42;
}  // namespace pool

// The template entry whose picture stands in for an item's own: by what its Link denotes.
constexpr int FallbackImage(PathKind pathKind) {
  return pathKind == PathKind::kProgram     ? pool::kApplicationImage
         : pathKind == PathKind::kOtherFile ? pool::kFileImage
                                            : pool::kBlankImage;
}

// Text widths of the stored records, in characters.
namespace width {
constexpr int kLink = 255;
constexpr int kTitle = 128;
constexpr int kCustomIconFile = 255;
constexpr int kIconFile = 255;
constexpr int kTarget = 255;
constexpr int kArguments = 128;
}  // namespace width

// What an item's stored record holds beyond the item's fields (a field nothing uses, how
// each text was padded), so that an item read and left alone goes back to the file byte
// for byte. The menu file codec (core/menu_record.*) makes it when it reads a record and
// follows it when it writes one; nothing else looks inside. An item the program makes
// has none.
struct KeptItemRecord;
bool operator==(const KeptItemRecord& a, const KeptItemRecord& b);

struct ShortcutItem {
  ItemKind Kind = ItemKind::kFree;
  vek::PathKind PathKind = vek::PathKind::kShortcutFile;
  bool IsSystem = false;  // a system item: a click runs its CommandId
  int32_t CommandId = 0;
  int32_t ImageIndex = 0;
  // The texts, without spaces around them; empty when the item has none.
  std::string Link;
  std::string Title;
  std::string CustomIconFile;
  std::string IconFile;
  std::string Target;
  std::string Arguments;
  int32_t RunMode = 0;  // 0 normal window, 1 minimised, 2 maximised
  std::shared_ptr<const KeptItemRecord> KeptRecord;

  friend bool operator==(const ShortcutItem& a, const ShortcutItem& b);
};

// The group of one ring position: the item the position shows and the members its menu
// lists.
struct ShortcutGroup {
  // Pool index of the item shown at the owning ring position: normally the position
  // itself, though a menu file may name another item.
  int32_t ShownItem = 0;
  // Pool indexes of the members in display order; at most Model::Capacity(position).
  std::vector<int32_t> Members;

  int MemberCount() const { return static_cast<int>(Members.size()); }
  // True when pool index `index` is one of the members.
  bool Lists(int32_t index) const;

  friend bool operator==(const ShortcutGroup& a, const ShortcutGroup& b) {
    return a.ShownItem == b.ShownItem && a.Members == b.Members;
  }
};

// Where the minimised dock's small icon sits, in the order the settings dialog lists
// the places.
enum class MinimizedPosition : uint8_t {
  kCenter,
  kTop,
  kBottom,
  kLeft,
  kRight,
  kTopLeft,
  kTopRight,
  kBottomLeft,
  kBottomRight,
};
constexpr int kMinimizedPositionCount = 9;

// The getting-started window: whether it opens when the program starts, and the page it
// opens on.
struct GettingStartedState {
  bool AtStart = true;
  int Page = 0;
};

// The settings, in pixels and the program's own types. Each setting's default, stored
// form and check on reading is declared once, in the settings record's table
// (core/settings_record.cpp); a fresh object holds every default.
struct AppSettings {
  AppSettings();

  int32_t NormalIconSize;
  int32_t MagnifiedIconSize;
  int32_t CircleRadius;
  int32_t IconQuantity;
  uint8_t BackdropOpacity;  // the alpha of the black key-mode backdrop
  bool AutoRun;
  int32_t SearchBoxLeft;  // the search box's top-left corner on the screen
  int32_t SearchBoxTop;
  int32_t SearchEngine;
  bool IconsLocked;
  GettingStartedState GettingStarted;
  bool DesktopIconsHidden;
  bool AutoHide;
  bool HideLetters;
  vek::MinimizedPosition MinimizedPosition;

  // The bounds the sizes and the radius keep; the radius' upper one follows the screen.
  int32_t MaxIconSize;
  int32_t MinRadius;
  int32_t MaxRadius;

  // The settings record as last read, for the settings codec alone: what this program
  // does not use goes back to the file as it was read.
  std::vector<uint8_t> KeptRecord;
};

class Model {
 public:
  Model() { Size(); }

  // Items 0..1024 and the groups of positions 0..36, all empty.
  void Size();

  // Member mode: the first free pool index from 129 on, or 0 when every member slot is
  // taken (the pool never grows). Ring mode: the first ring position from 4 to
  // IconQuantity that is free or empty; else 3 (the All Programs group) unless that
  // group is full; else 0.
  int FindFreeSlot(bool ringMode) const;
  // Capacity of a member list: 36, or 1024 for the All Programs position.
  static int Capacity(int group);
  // Members of the group of position `group`; 0 for a position outside the model.
  int MemberCount(int group) const;
  // True when the group of position `group` holds its capacity (or is no group at all).
  bool GroupFull(int group) const;
  // Appends a member; false (nothing changes) when the group is full or the index is
  // not a pool index.
  bool AddMember(int group, int index);
  // Takes the first listing of pool index `index` out of the group, closing the gap;
  // false when the group does not list it.
  bool RemoveMember(int group, int index);
  // Moves the member at place `from` to place `to` (both from 0); the members between
  // move one place on. False, with nothing changed, when either place is not a member.
  bool MoveMember(int group, int from, int to);
  // Empties the group and lets the position show its own item again.
  void ResetGroup(int group);

  std::vector<ShortcutItem> Items;
  std::vector<ShortcutGroup> Groups;
  AppSettings Settings;
};

// The pool items whose pictures the ring can show: the ring positions 1..36, the items
// their member lists show there, the templates 37..64 (which a ring item can turn into),
// and the image index each of them draws; ascending, no repeats, never the centre. Only
// these (with the centre) are drawn before any menu opens.
std::vector<int> RingItems(const Model& model);


}  // namespace vek
