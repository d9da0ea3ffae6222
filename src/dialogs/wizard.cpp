#include "dialogs/wizard.h"

#include <algorithm>
#include <set>

#include "dock/drop_controller.h"
#include "text/text.h"

namespace vek {

namespace {

int LastRingSlot(const Model& model) { return std::clamp<int>(model.Settings.IconQuantity, 0, pool::kRingLast); }

bool OwnsGroup(ItemKind k) {
  return IsUserGroupKind(k) || k == ItemKind::kRecycleBin || k == ItemKind::kBuiltIn ||
         k == ItemKind::kCentre;
}

bool LessNoCase(const std::string& a, const std::string& b) { return ToUpperAscii(a) < ToUpperAscii(b); }

// The name patterns of a ";"-separated list; a blank list is "*.*". A pattern with a folder
// part ("..\\*", "Sub\\*.lnk", "D:*") would list another folder's files as if they lay
// in this one, so it matches nothing.
std::vector<std::string> SplitPatterns(const std::string& pattern) {
  std::vector<std::string> out;
  bool any = false;
  size_t start = 0;
  while (start <= pattern.size()) {
    const size_t end = std::min(pattern.find(';', start), pattern.size());
    const std::string one = TrimBlanks(pattern.substr(start, end - start));
    any |= !one.empty();
    if (!one.empty() && one.find_first_of("\\/:") == std::string::npos) out.push_back(one);
    start = end + 1;
  }
  if (!any) out.push_back("*.*");
  return out;
}

bool Listable(const DirEntry& e) {
  return e.name != "." && e.name != ".." && !e.name.empty() && (e.attributes & attr::kHidden) == 0;
}

}  // namespace

std::vector<SourceFolder> SourceFolders(const Folders& folders, Drives& drives) {
  std::vector<SourceFolder> out;
  // A folder the shell does not name on this system is not offered: it would show as a
  // bare backslash with nothing in it.
  for (const SourceFolder& named : {SourceFolder{"User Desktop Shortcuts", folders.DesktopDir},
                                    SourceFolder{"Public Desktop Shortcuts", folders.CommonDesktopDir},
                                    SourceFolder{"Program Files Folder", folders.ProgramFilesDir},
                                    SourceFolder{"User Start Menu Folder", folders.ProgramsDir},
                                    SourceFolder{"Public Start Menu Folder", folders.CommonProgramsDir}})
    if (!TrimBlanks(named.path).empty()) out.push_back(named);
  for (const std::string& root : drives.LogicalDriveRoots())
    if (drives.DriveType(root) == drive_type::kFixed) out.push_back({root, WithTrailingBackslash(root)});
  return out;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  return WithTrailingBackslash(folder) + name;
}

FolderListing ListFolder(FileSystem& fs, const std::string& folder, const std::string& pattern,
                         const NameOrder& before) {
  FolderListing out;
  if (TrimBlanks(folder).empty()) return out;
  const std::string dir = WithTrailingBackslash(folder);
  const uint32_t attributes = fs.Attributes(dir);
  if (attributes == attr::kInvalid || (attributes & attr::kDirectory) == 0) return out;
  const std::optional<std::vector<DirEntry>> all = fs.TryList(dir, "*");
  if (!all) return out;
  for (const DirEntry& e : *all)
    if (Listable(e) && (e.attributes & attr::kDirectory)) out.folders.push_back(e.name);
  std::vector<std::string> files;
  std::set<std::string> seen;
  for (const std::string& one : SplitPatterns(pattern)) {
    const std::optional<std::vector<DirEntry>> matching = fs.TryList(dir, one);
    if (!matching) return FolderListing{};
    for (const DirEntry& e : *matching)
      if (Listable(e) && (e.attributes & attr::kDirectory) == 0 && seen.insert(ToUpperAscii(e.name)).second)
        files.push_back(e.name);
  }
  out.readable = true;
  const NameOrder order = before ? before : NameOrder(LessNoCase);
  std::stable_sort(out.folders.begin(), out.folders.end(), order);
  std::stable_sort(files.begin(), files.end(), order);
  out.entries = out.folders;
  out.entries.insert(out.entries.end(), files.begin(), files.end());
  return out;
}

std::vector<ManageChoice> ManageChoices(const Model& model) {
  std::vector<ManageChoice> out{{kRingChoice, kRingChoiceTitle}};
  for (int slot = 0; slot <= LastRingSlot(model); ++slot)
    if (OwnsGroup(model.Items[slot].Kind)) out.push_back({slot, model.Items[slot].Title});
  return out;
}

std::vector<ManageEntry> ManageEntries(const Model& model, int choice) {
  std::vector<ManageEntry> out;
  if (choice == kRingChoice) {
    for (int slot = pool::kRingFirst; slot <= LastRingSlot(model); ++slot)
      out.push_back({slot, slot, model.Items[slot].Title});
    return out;
  }
  if (choice < 0 || choice >= static_cast<int>(model.Groups.size())) return out;
  const std::vector<int32_t>& members = model.Groups[choice].Members;
  for (size_t m = 0; m < members.size(); ++m) {
    const int item = members[m];
    if (item < 0 || item >= static_cast<int>(model.Items.size())) continue;
    out.push_back({item, static_cast<int>(m) + 1, model.Items[item].Title});
  }
  return out;
}

bool EntrySelectable(int choice, const ManageEntry& entry) {
  return choice != kRingChoice || entry.place >= pool::kAllProgramsSlot;
}

EditTarget EntryTarget(int choice, const ManageEntry& entry) {
  return choice == kRingChoice ? EditTarget::Ring(entry.place) : EditTarget::Member(choice, entry.place, entry.item);
}

int MoveEntryOf(int button) {
  switch (button) {
    case wizard_button::kMoveUp: return edit_entry::kMoveUp;
    case wizard_button::kMoveDown: return edit_entry::kMoveDown;
    case wizard_button::kMoveTop: return edit_entry::kMoveTop;
    case wizard_button::kMoveBottom: return edit_entry::kMoveBottom;
    default: return -1;
  }
}

WizardButtons WizardEnabling(const Model& model, const WizardSelection& s, bool propertiesWindow) {
  namespace b = wizard_button;
  WizardButtons on{};
  const bool ring = s.choice == kRingChoice;
  const bool validChoice = ring || (s.choice >= 0 && s.choice <= LastRingSlot(model));
  if (!validChoice) return on;
  on[b::kSelectAllFiles] = on[b::kUnselectFiles] = s.files > 0;
  on[b::kAddShortcut] = s.chosenFiles > 0 && (ring || IsUserGroupKind(model.Items[s.choice].Kind));
  on[b::kAddGroup] = ring && s.files > 0;

  const std::vector<ManageEntry> entries = ManageEntries(model, s.choice);
  on[b::kSelectAllEntries] = on[b::kUnselectEntries] = !entries.empty();
  std::vector<ManageEntry> chosen;
  for (int i : s.entries)
    if (i >= 0 && i < static_cast<int>(entries.size()) && EntrySelectable(s.choice, entries[i]))
      chosen.push_back(entries[i]);
  for (const ManageEntry& e : chosen)
    if (EditMenuEnabling(model, EntryTarget(s.choice, e), propertiesWindow)[edit_entry::kDelete]) on[b::kRemove] = true;
  if (chosen.size() != 1) return on;

  const ManageEntry& one = chosen.front();
  const EditEntries edit = EditMenuEnabling(model, EntryTarget(s.choice, one), propertiesWindow);
  on[b::kProperties] = edit[edit_entry::kProperties];
  for (int button : {b::kMoveUp, b::kMoveDown, b::kMoveTop, b::kMoveBottom}) on[button] = edit[MoveEntryOf(button)];
  if (ring && s.chosenFiles == 1) {
    const ItemKind k = model.Items[one.place].Kind;
    const bool roomy = !model.GroupFull(one.place);
    on[b::kReplace] = k == ItemKind::kShortcut || k == ItemKind::kEmptyPosition || (IsUserGroupKind(k) && roomy);
  }
  return on;
}

// --- Actions ------------------------------------------------------------------------------

void WizardActions::Changed() {
  host_.RefreshRing();
  host_.RefreshGroupMenu();
  host_.SaveMenu();
}

bool WizardActions::AddToGroup(int slot, const std::vector<std::string>& paths) {
  bool changed = false;
  std::vector<std::string> notAdded;
  for (const std::string& path : paths) {
    const AddResult r = model_.GroupFull(slot) ? AddResult{AddOutcome::kFull} : items_.AddItemFromPath(path, slot);
    changed = changed || r.added();
    if (r.outcome == AddOutcome::kFull) notAdded.push_back(path);
  }
  TellNotAdded(NoRoomReason(model_), notAdded);
  return changed;
}

void WizardActions::TellNotAdded(const char* why, const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  prompt_.Ask(NotAddedPrompt(why, paths));
}

bool WizardActions::AddShortcuts(int choice, const std::vector<std::string>& paths) {
  bool changed = false;
  items_.BeginRefusalBatch();
  if (choice == kRingChoice) {
    bool told = false;
    for (size_t i = 0; i < paths.size(); ++i) {
      const int slot = model_.FindFreeSlot(true);
      if (slot == 0) {
        prompt_.Warn(kRingFullText);
        break;
      }
      // No member entry left (the All Programs group has room the pool does not): this
      // file and the rest are named, not passed over in silence.
      if (slot == pool::kAllProgramsSlot && model_.FindFreeSlot(false) == 0) {
        const std::vector<std::string> rest(paths.begin() + static_cast<std::ptrdiff_t>(i), paths.end());
        TellNotAdded(kNoRoomText, rest);
        break;
      }
      if (slot == pool::kAllProgramsSlot && !told) {
        prompt_.Ask(PromptRequest{kDesktopFullText, "VEK Desktop", PromptIcon::kNone});
        told = true;
      }
      changed = items_.AddItemFromPath(paths[i], slot).added() || changed;
    }
  } else if (choice >= 0 && choice <= LastRingSlot(model_) && IsUserGroupKind(model_.Items[choice].Kind)) {
    changed = AddToGroup(choice, paths);
  }
  items_.EndRefusalBatch();
  if (changed) Changed();
  return changed;
}

bool WizardActions::AddGroup(const std::vector<std::string>& paths) {
  const int slot = model_.FindFreeSlot(true);
  // Only a free ring position becomes a group: never the centre (the answer when nothing
  // is free at all) nor the All Programs group (the answer when the ring is full).
  if (slot < pool::kFirstMovableSlot) {
    prompt_.Warn(kRingFullText);
    return false;
  }
  // With no member entry left the group would stay empty: the files are named instead.
  if (!paths.empty() && model_.FindFreeSlot(false) == 0) {
    TellNotAdded(kNoRoomText, paths);
    return false;
  }
  // Cancel in the name box adds nothing.
  const std::optional<std::string> name = input_.InputText(kWizardGroupPrompt, kNewGroupTitle, kNewGroupName);
  if (!name) return false;
  items_.MakeGroup(slot, *name);
  items_.BeginRefusalBatch();
  AddToGroup(slot, paths);
  items_.EndRefusalBatch();
  Changed();
  return true;
}

bool WizardActions::Replace(const std::string& path, int slot) {
  if (slot < pool::kRingFirst || slot > LastRingSlot(model_)) return false;
  const ItemKind k = model_.Items[slot].Kind;
  if (IsUserGroupKind(k)) {
    if (model_.GroupFull(slot)) {
      prompt_.Ask(PromptRequest{kGroupFullText, kAddShortcutTitle, PromptIcon::kInformation});
      return false;
    }
    // All Programs takes the file without a word, as a drop on it does.
    if (k == ItemKind::kGroup) prompt_.Ask(PromptRequest{kAddedToGroupText, "VEK Desktop", PromptIcon::kInformation});
  }
  items_.BeginRefusalBatch();
  const AddResult r = items_.AddItemFromPath(path, slot);
  items_.EndRefusalBatch();
  if (r.outcome == AddOutcome::kFull) TellNotAdded(kNoRoomText, {path});
  if (r.added()) Changed();
  return r.added();
}

bool WizardActions::Remove(int choice, const std::vector<ManageEntry>& entries) {
  std::vector<ManageEntry> doomed;
  bool shortcuts = false;
  for (const ManageEntry& e : entries) {
    if (!EntrySelectable(choice, e) || !EditMenuEnabling(model_, EntryTarget(choice, e), true)[edit_entry::kDelete])
      continue;
    doomed.push_back(e);
    const ItemKind k = model_.Items[e.item].Kind;
    shortcuts = shortcuts || k == ItemKind::kShortcut || k == ItemKind::kMember;
  }
  if (doomed.empty()) return false;
  if (shortcuts) {
    PromptRequest question{kDeleteShortcutQuestion, kDeleteShortcutTitle, PromptIcon::kQuestion,
                           PromptButtons::kYesNo, true, true};
    if (prompt_.Ask(question) != PromptAnswer::kYes) return false;
  }
  bool changed = false;
  for (const ManageEntry& e : doomed) {
    // Earlier deletions close gaps in a group: a member is found by its pool index.
    const bool present = choice == kRingChoice || model_.Groups[choice].Lists(e.item);
    if (present) changed = items_.DeleteItem(e.item, false) || changed;
  }
  if (changed) Changed();
  return changed;
}

int WizardActions::Move(int choice, const ManageEntry& entry, int editEntry) {
  const EditTarget target = EntryTarget(choice, entry);
  if (editEntry < edit_entry::kMoveUp || editEntry > edit_entry::kMoveBottom) return -1;
  if (!EditMenuEnabling(model_, target, true)[editEntry]) return -1;
  const bool ring = choice == kRingChoice;
  const int first = ring ? pool::kFirstMovableSlot : 1;
  const int last = ring ? LastRingSlot(model_) : model_.MemberCount(choice);
  const bool moved = ring ? MoveRingItem(model_, entry.place, editEntry, images_) : MoveGroupMember(model_, target, editEntry);
  if (!moved) return -1;
  Changed();
  const int to = editEntry == edit_entry::kMoveUp     ? entry.place - 1
                 : editEntry == edit_entry::kMoveDown ? entry.place + 1
                 : editEntry == edit_entry::kMoveTop  ? first
                                                      : last;
  // Ring entries list slots from 1, group entries positions from 1.
  return to - 1;
}

}  // namespace vek
