#include "dock/drop_controller.h"

#include <algorithm>
#include <utility>

#include "text/text.h"
#include "core/group_title.h"
#include "dock/dock_scene.h"

namespace vek {

namespace {
constexpr size_t kMostPaths = 1024;
// A message names at most this many paths, then how many more there were.
constexpr size_t kListedPaths = 15;

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
// The built-in items, their commands and the centre take no drop.
bool RefusesDrops(ItemKind k) { return k >= ItemKind::kBuiltIn; }
}  // namespace

std::string PathList(const char* heading, const std::vector<std::string>& paths) {
  std::string text = std::string(heading) + "\r\n";
  for (size_t i = 0; i < paths.size() && i < kListedPaths; ++i) text += "\r\n" + paths[i];
  if (paths.size() > kListedPaths) text += "\r\n... and " + std::to_string(paths.size() - kListedPaths) + " more";
  return text;
}

const char* NoRoomReason(const Model& model) {
  return model.FindFreeSlot(false) == 0 ? kNoRoomText : kGroupFullText;
}

PromptRequest NotAddedPrompt(const char* why, const std::vector<std::string>& paths) {
  return PromptRequest{std::string(why) + "\r\n\r\n" + PathList(kNotAddedText, paths), kAddShortcutTitle,
                       PromptIcon::kInformation};
}

bool IsRecyclablePath(const std::string& path) {
  if (path.find_first_of("*?/\"<>|") != std::string::npos) return false;
  size_t rest = 0;  // where the part below the root begins
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
    // \\server\share\ and at least one name below it.
    const size_t server = path.find('\\', 2);
    if (server == std::string::npos || server == 2) return false;
    const size_t share = path.find('\\', server + 1);
    if (share == std::string::npos || share == server + 1) return false;
    rest = share + 1;
  } else if (path.size() >= 3 && IsLetter(path[0]) && path[1] == ':' && path[2] == '\\') {
    rest = 3;
  } else {
    return false;  // relative, or relative to a drive's current folder
  }
  // Every name below the root is a real one: no empty, "." or ".." part.
  bool any = false;
  size_t start = rest;
  while (start <= path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    const std::string name = path.substr(start, end - start);
    if (name.empty()) {
      if (end != path.size()) return false;  // "\\" inside the path
    } else {
      if (name == "." || name == "..") return false;
      any = true;
    }
    start = end + 1;
  }
  return any;
}

uint32_t AcceptedEffect(uint32_t allowed) {
  if (allowed & drop_effect::kLink) return drop_effect::kLink;
  if (allowed & drop_effect::kCopy) return drop_effect::kCopy;
  return drop_effect::kNone;
}

DropFeedback DropController::FeedbackFor(int slot, bool hasFiles, bool& accepts) const {
  accepts = false;
  if (s_.model.Settings.IconsLocked || !hasFiles) return DropFeedback::kNoDrop;
  if (slot == 0) {
    // The centre shows nothing, though a drop there goes to the first free position.
    accepts = s_.model.FindFreeSlot(true) != 0;
    return DropFeedback::kNone;
  }
  const ItemKind k = s_.slots.SlotType[static_cast<size_t>(slot)];
  switch (k) {
    case ItemKind::kShortcut:
      accepts = true;
      return DropFeedback::kReplace;
    case ItemKind::kEmptyPosition:
    case ItemKind::kRecycleBin:
      accepts = true;
      return DropFeedback::kAdd;
    case ItemKind::kGroup:
    case ItemKind::kAllPrograms:
      // A full group still takes the drop, only to tell the user that it is full.
      accepts = true;
      return s_.model.GroupFull(slot) ? DropFeedback::kNoDrop : DropFeedback::kAdd;
    default:
      return RefusesDrops(k) ? DropFeedback::kNoDrop : DropFeedback::kNone;
  }
}

bool DropController::Refused() const {
  // A minimised or hidden dock takes nothing; nor does it while a modal window is open
  // or the last drop is still being handled.
  return s_.interaction.Visibility != DockState::Shown || s_.modal.open() || pending_.has_value();
}

void DropController::ToBottom() {
  // Quietly: the keyboard stays with the program the files were dragged from.
  if (!s_.interaction.KeyMode) s_.window.ToBottom(true);
}

uint32_t DropController::DragOver(int x, int y, bool hasFiles, uint32_t allowed) {
  if (Refused()) {
    if (dragSlot_ != -1) DragLeave();
    return drop_effect::kNone;
  }
  // Above the window the drag came from, so that the feedback shows.
  if (!s_.interaction.KeyMode) s_.window.ToTopmost();
  const int slot = s_.geometry.HitSlot(x, y, s_.model.Settings.IconQuantity);
  if (slot < 0) {
    if (dragSlot_ != -1 || feedback_ != DropFeedback::kNone) DrawPlainRing();
    dragSlot_ = -1;
    feedback_ = DropFeedback::kNone;
    ToBottom();
    return drop_effect::kNone;
  }
  bool accepts = false;
  const DropFeedback feedback = FeedbackFor(slot, hasFiles, accepts);
  dragSlot_ = slot;
  feedback_ = feedback;
  static constexpr int kPicture[] = {-1, skin::kAddIcon, skin::kReplaceIcon, skin::kNoDrop};
  s_.host.ShowDropPicture(kPicture[static_cast<int>(feedback)], x, y);
  return accepts ? AcceptedEffect(allowed) : drop_effect::kNone;
}

void DropController::DragLeave() {
  if (dragSlot_ != -1 || feedback_ != DropFeedback::kNone) DrawPlainRing();
  dragSlot_ = -1;
  feedback_ = DropFeedback::kNone;
  ToBottom();
}

void DropController::Finish() {
  dragSlot_ = -1;
  feedback_ = DropFeedback::kNone;
  DrawPlainRing();
  ToBottom();
}

void DropController::DrawPlainRing() {
  // With the plain ring drawn no slot counts as magnified any more: the next move over
  // the slot under the pointer magnifies it again.
  s_.interaction.LastSelIndex = -1;
  s_.window.DockNormal(false);
}

uint32_t DropController::Drop(int x, int y, bool hasFiles, std::vector<std::string> paths, uint32_t allowed) {
  if (Refused()) {
    DragLeave();
    return drop_effect::kNone;
  }
  const int slot = s_.geometry.HitSlot(x, y, s_.model.Settings.IconQuantity);
  bool accepts = false;
  const DropFeedback feedback = slot >= 0 ? FeedbackFor(slot, hasFiles, accepts) : DropFeedback::kNone;
  if (!accepts || paths.empty()) {
    Finish();
    return drop_effect::kNone;
  }
  if (paths.size() > kMostPaths) paths.resize(kMostPaths);
  pending_ = PendingDrop{slot, std::move(paths)};
  Finish();
  s_.host.RunDropLater();
  // Nothing goes into a full group: the source is told so.
  return feedback == DropFeedback::kNoDrop ? drop_effect::kNone : AcceptedEffect(allowed);
}

void DropController::RunPendingDrop() {
  if (!pending_) return;
  const PendingDrop drop = std::move(*pending_);
  pending_.reset();
  // Until this drop is done, a second one, a click on the dock or an exit waits: the
  // questions below let window messages run.
  ModalState::Scope busy(s_.modal);
  int target = drop.slot;
  if (s_.model.Items[static_cast<size_t>(target)].Kind == ItemKind::kRecycleBin) {
    RecycleDropped(drop.paths);
    Finish();
    return;
  }
  if (target == 0) {
    target = s_.model.FindFreeSlot(true);
    if (target == 0) {
      Finish();
      return;
    }
    if (target == pool::kAllProgramsSlot)
      s_.prompt.Ask(PromptRequest{kDesktopFullText, "VEK Desktop", PromptIcon::kNone});
  }
  const ItemKind k = s_.model.Items[static_cast<size_t>(target)].Kind;
  if (IsUserGroupKind(k) && s_.model.GroupFull(target)) {
    s_.prompt.Ask(PromptRequest{kGroupFullText, kAddShortcutTitle, PromptIcon::kInformation});
    Finish();
    return;
  }
  s_.items.BeginRefusalBatch();
  bool changed = true;
  if (drop.paths.size() == 1 && !IsUserGroupKind(k)) {
    changed = s_.items.AddItemFromPath(drop.paths.front(), target).added();
  } else if (IsUserGroupKind(k)) {
    AddToGroup(target, drop.paths, 0);
  } else if (k == ItemKind::kShortcut || k == ItemKind::kEmptyPosition) {
    changed = MakeGroup(target, drop.paths);
  } else {
    changed = false;
  }
  if (changed) {
    s_.window.RefreshSlots();
    s_.host.SaveMenu();
  }
  Finish();
  // What was not added is told once the rest is saved and shown, so that an unanswered
  // message holds back nothing.
  s_.items.EndRefusalBatch();
  if (!notAdded_.empty()) {
    const PromptRequest told = NotAddedPrompt(NoRoomReason(s_.model), notAdded_);
    notAdded_.clear();
    s_.prompt.Ask(told);
  }
}

void DropController::RecycleDropped(const std::vector<std::string>& paths) {
  PromptRequest ask{kRecycleQuestion, kRecycleTitle, PromptIcon::kQuestion, PromptButtons::kYesNo, true};
  if (s_.prompt.Ask(ask) != PromptAnswer::kYes) return;
  std::vector<std::string> failed;
  for (const std::string& path : paths)
    if (!IsRecyclablePath(path) || !s_.host.RecyclePath(path)) failed.push_back(path);
  if (!failed.empty())
    s_.prompt.Ask(PromptRequest{PathList(kRecycleFailedText, failed), kRecycleTitle, PromptIcon::kExclamation});
}

bool DropController::MakeGroup(int slot, const std::vector<std::string>& paths) {
  // With no member entry left nothing could go into the group, and the slot's shortcut would
  // be lost for an empty group: the slot stays as it is and the files are named as not added.
  if (s_.model.FindFreeSlot(false) == 0) {
    s_.prompt.Ask(NotAddedPrompt(kNoRoomText, paths));
    return false;
  }
  const ShortcutItem former = s_.model.Items[static_cast<size_t>(slot)];
  const bool wasShortcut = former.Kind == ItemKind::kShortcut;
  // A built-in command has no link to keep as a member: it goes only if the user agrees.
  if (wasShortcut && former.IsSystem) {
    PromptRequest ask{kReplaceShortcutQuestion, kReplaceShortcutTitle, PromptIcon::kExclamation,
                      PromptButtons::kYesNo, true, true};
    if (s_.prompt.Ask(ask) != PromptAnswer::kYes) return false;
  }
  // Cancel in the name box leaves the slot as it was.
  const std::optional<std::string> name = s_.input.InputText(kNewGroupPrompt, kNewGroupTitle, kNewGroupName);
  if (!name) return false;
  // The shortcut becomes the group's first member as it stands: what it starts, its
  // title, arguments and pictures (the user's own too) go with it, even when the file its
  // link names has gone since. Its pictures are the member's now, so the clean group
  // record made next deletes none of them.
  const int carried = wasShortcut && !former.IsSystem ? s_.model.FindFreeSlot(false) : 0;
  if (carried > 0) {
    ShortcutItem& member = s_.model.Items[static_cast<size_t>(carried)];
    member = former;
    member.Kind = ItemKind::kMember;
    member.ImageIndex = carried;
    ShortcutItem& ring = s_.model.Items[static_cast<size_t>(slot)];
    ring.IconFile.clear();
    ring.CustomIconFile.clear();
  }
  // A clean group record: no link that a click would open instead of the menu.
  s_.items.MakeGroup(slot, *name);
  if (carried > 0) {
    s_.model.AddMember(slot, carried);
    s_.items.UpdateGroupTitle(slot);
    s_.pictures.LoadItemIcon(carried);
  }
  AddToGroup(slot, paths, 0);
  return true;
}

void DropController::AddToGroup(int slot, const std::vector<std::string>& paths, size_t first) {
  for (size_t i = first; i < paths.size(); ++i) {
    if (s_.model.GroupFull(slot) || s_.items.AddItemFromPath(paths[i], slot).outcome == AddOutcome::kFull)
      notAdded_.push_back(paths[i]);
  }
}

}  // namespace vek
