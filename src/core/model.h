// The item pool, the member lists and the settings: everything the program shows and
// launches. One Model object lives from start-up to exit and is passed by reference.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/fixed_text.h"

namespace vek {

// Item kinds.
// Whether the dock is on the screen: shown, minimised to its small icon, or hidden.
enum class DockState { Shown, Minimised, Hidden };

namespace kind {
constexpr int32_t kFree = 0;
constexpr int32_t kShortcut = 1;        // ring slots
constexpr int32_t kEmptyPosition = 2;   // ring slot drawn as "Blank Shortcut"
constexpr int32_t kGroup = 4;           // user or default group on the ring
constexpr int32_t kMember = 5;          // shortcut inside a group
constexpr int32_t kAllPrograms = 6;     // the "All Programs" group
constexpr int32_t kRecycleBin = 9;
constexpr int32_t kBuiltIn = 10;        // built-in item with a built-in group; templates
constexpr int32_t kCommand = 11;        // member of a built-in group
constexpr int32_t kCentre = 12;
}  // namespace kind

// What an item's Link denotes, for the fallback picture.
namespace path_kind {
constexpr uint8_t kShortcutFile = 0;  // drives and folders too
constexpr uint8_t kProgram = 1;
constexpr uint8_t kOtherFile = 2;
}  // namespace path_kind

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

// Text widths of the stored records, in characters.
namespace width {
constexpr int kLink = 255;
constexpr int kTitle = 128;
constexpr int kCustomIconFile = 255;
constexpr int kIconFile = 255;
constexpr int kTarget = 255;
constexpr int kArguments = 128;
}  // namespace width

// 16-bit booleans of records and files.
constexpr int16_t kTrue16 = -1;
constexpr int16_t kFalse16 = 0;

struct ShortcutItem {
  int32_t Kind = kind::kFree;
  uint8_t PathKind = 0;
  int16_t IsSystem = kFalse16;
  int32_t CommandId = 0;
  int16_t Reserved = 0;
  int32_t ImageIndex = 0;
  FixedText Link;
  FixedText Title;
  FixedText CustomIconFile;
  FixedText IconFile;
  FixedText Target;
  FixedText Arguments;
  int32_t RunMode = 0;  // 0 normal window, 1 minimised, 2 maximised

  bool system() const { return IsSystem != kFalse16; }
  friend bool operator==(const ShortcutItem& a, const ShortcutItem& b);
};

struct ShortcutGroup {
  // Element 0 is the pool index of the item shown at the owning ring position; elements
  // 1..Count are the members in display order.
  std::vector<int32_t> Members;
  int32_t Count = 0;
};

// Window positions are in twips; the rest in pixels unless said otherwise.
struct AppSettings {
  int32_t NormalIconSize = 48;
  int32_t MagnifiedIconSize = 64;
  int32_t MaxIconSize = 128;
  int32_t CircleRadius = 300;
  int32_t MinRadius = 200;
  int32_t MaxRadius = 300;
  int32_t IconQuantity = 24;
  // Blue, green, red, alpha; only alpha (the "Opacity" setting) is ever changed.
  uint8_t BackdropColour[4] = {0, 0, 0, 192};
  bool AutoRun = true;
  int32_t SearchBoxLeft = 0;
  int32_t SearchBoxTop = 0;
  int32_t SearchEngine = 0;
  bool IconsLocked = false;
  int16_t GettingStarted = 0;  // -1: not shown at start; 0..5: the page
  uint8_t DesktopIconsHidden = 0;
  uint8_t AutoHide = 0;
  uint8_t HideLetters = 0;
  uint8_t MinimizedPosition = 0;
  // Record fields that are kept as read and written back unchanged.
  int16_t ReservedFlag = 0;
  std::string ReservedText;
  int32_t ReservedNumber = 0;
};

class Model {
 public:
  Model() { Size(); }

  // Items 0..1024 and member lists 0..36 (0..1024 for position 3), all empty.
  void Size();

  // Member mode: the first free pool index from 129 on, or 0 when every member slot is
  // taken (the pool never grows). Ring mode: the first ring position from 4 to
  // IconQuantity that is free or empty; else 3 (the All Programs group) unless that
  // group is full; else 0.
  int FindFreeSlot(bool ringMode) const;
  // Appends a member; false (nothing changes) when the group is full or the index is
  // not a pool index.
  bool AddMember(int group, int index);
  // Capacity of a member list: 36, or 1024 for the All Programs position.
  static int Capacity(int group);

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
