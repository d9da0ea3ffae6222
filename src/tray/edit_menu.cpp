#include "tray/edit_menu.h"

#include <algorithm>
#include <utility>

namespace vek {

namespace {

bool ValidItem(const Model& model, int index) { return index >= 0 && index < static_cast<int>(model.Items.size()); }

// The last ring slot shown, never beyond the ring.
int LastRingSlot(const Model& model) { return std::clamp<int>(model.Settings.IconQuantity, 0, pool::kRingLast); }

bool IsMove(int entry) { return entry >= edit_entry::kMoveUp && entry <= edit_entry::kMoveBottom; }

// What may be said of a move from place `p` among `first`..`last`.
void LimitMoves(EditEntries& e, int p, int first, int last) {
  if (p < first || p > last || first == last) {
    for (int m = edit_entry::kMoveUp; m <= edit_entry::kMoveBottom; ++m) e[m] = false;
    return;
  }
  if (p == first) e[edit_entry::kMoveUp] = e[edit_entry::kMoveTop] = false;
  if (p == last) e[edit_entry::kMoveDown] = e[edit_entry::kMoveBottom] = false;
}

// Where a move of place `p` lands among `first`..`last`, or −1 when it is not offered.
int Destination(int entry, int p, int first, int last) {
  if (p < first || p > last) return -1;
  switch (entry) {
    case edit_entry::kMoveUp: return p > first ? p - 1 : -1;
    case edit_entry::kMoveDown: return p < last ? p + 1 : -1;
    case edit_entry::kMoveTop: return p > first ? first : -1;
    case edit_entry::kMoveBottom: return p < last ? last : -1;
    default: return -1;
  }
}

// Ring slots a and b trade places: records, member lists and cached pictures. A record
// keeps a fallback picture it showed; only its own picture index follows the slot.
void SwapRingSlots(Model& model, int a, int b, ItemImageSwap& images) {
  std::swap(model.Items[a], model.Items[b]);
  std::swap(model.Groups[a], model.Groups[b]);
  for (const auto& [to, from] : {std::pair{a, b}, std::pair{b, a}}) {
    ShortcutItem& item = model.Items[to];
    if (item.ImageIndex == from) item.ImageIndex = to;
    model.Groups[to].ShownItem = to;
  }
  images.SwapItemImages(a, b);
}

}  // namespace

bool TargetStillShown(const Model& model, const EditTarget& t) {
  if (!ValidItem(model, t.item)) return false;
  if (!t.member()) return t.item >= pool::kRingFirst && t.item <= pool::kRingLast;
  if (t.groupSlot >= static_cast<int>(model.Groups.size())) return false;
  const ShortcutGroup& g = model.Groups[t.groupSlot];
  return t.position >= 1 && t.position <= g.MemberCount() && g.Members[t.position - 1] == t.item;
}

EditEntries EditMenuEnabling(const Model& model, const EditTarget& t, bool propertiesWindow) {
  EditEntries e{};
  if (!TargetStillShown(model, t)) return e;
  for (int i : {edit_entry::kAdd, edit_entry::kDelete, edit_entry::kMoveUp, edit_entry::kMoveDown,
                edit_entry::kMoveTop, edit_entry::kMoveBottom, edit_entry::kProperties})
    e[i] = true;

  const ItemKind k = model.Items[t.item].Kind;
  switch (k) {
    case ItemKind::kShortcut:
    case ItemKind::kMember: e[edit_entry::kAdd] = false; break;
    case ItemKind::kFree:
    case ItemKind::kEmptyPosition: e[edit_entry::kDelete] = false; break;
    case ItemKind::kGroup: e[edit_entry::kAdd] = model.MemberCount(t.item) < pool::kGroupCapacity; break;
    case ItemKind::kAllPrograms:
      e[edit_entry::kAdd] = model.MemberCount(t.item) < pool::kAllProgramsCapacity;
      LimitMoves(e, 0, 1, 0);
      break;
    default:
      // Built-in items only show their properties.
      if (IsBuiltInKind(k)) {
        e.fill(false);
        e[edit_entry::kProperties] = true;
      }
      break;
  }

  if (t.member())
    LimitMoves(e, t.position, 1, model.MemberCount(t.groupSlot));
  else
    LimitMoves(e, t.item, pool::kFirstMovableSlot, LastRingSlot(model));

  if (!propertiesWindow) e[edit_entry::kAdd] = e[edit_entry::kProperties] = false;
  return e;
}

bool MoveRingItem(Model& model, int slot, int entry, ItemImageSwap& images) {
  const int to = Destination(entry, slot, pool::kFirstMovableSlot, LastRingSlot(model));
  if (to < 0) return false;
  // One neighbour at a time: the slots between move one place on.
  const int step = to < slot ? -1 : 1;
  for (int s = slot; s != to; s += step) SwapRingSlots(model, s, s + step, images);
  return true;
}

bool MoveGroupMember(Model& model, const EditTarget& t, int entry) {
  if (!t.member() || !TargetStillShown(model, t)) return false;
  const int to = Destination(entry, t.position, 1, model.MemberCount(t.groupSlot));
  // The menu counts its rows from 1, the group its members from 0.
  return to >= 0 && model.MoveMember(t.groupSlot, t.position - 1, to - 1);
}

void ChooseEditEntry(int entry, const EditTarget& t, Model& model, EditMenuHost& host, UserPrompt& prompt,
                     ItemImageSwap& images, bool propertiesWindow) {
  if (entry < 0 || entry >= edit_entry::kCount) return;
  if (!EditMenuEnabling(model, t, propertiesWindow)[entry]) return;
  const auto leaveMenus = [&] {
    host.CloseGroupMenu();
    if (host.KeyMode()) host.LeaveKeyMode();
  };
  if (entry == edit_entry::kAdd || entry == edit_entry::kProperties) {
    leaveMenus();
    host.ShowProperties(t.item, entry == edit_entry::kAdd);
  } else if (entry == edit_entry::kDelete) {
    leaveMenus();
    const ItemKind k = model.Items[t.item].Kind;
    if (k == ItemKind::kShortcut || k == ItemKind::kMember) {
      PromptRequest question{kDeleteShortcutQuestion, kDeleteShortcutTitle, PromptIcon::kQuestion,
                             PromptButtons::kYesNo, true, true};
      if (prompt.Ask(question) != PromptAnswer::kYes) return;
    }
    // The question let other messages run: delete only what is still where it was shown.
    if (!TargetStillShown(model, t)) return;
    host.DeleteItem(t.item);
    host.RefreshRing();
    host.SaveMenu();
  } else if (IsMove(entry)) {
    if (t.member()) {
      if (!MoveGroupMember(model, t, entry)) return;
      host.RefreshGroupMenu();
    } else {
      if (!MoveRingItem(model, t.item, entry, images)) return;
      host.RefreshRing();
    }
    host.SaveMenu();
  }
  if (host.DockInForeground()) host.LeaveKeyMode();
}

}  // namespace vek
