#include "dialogs/item_properties.h"

#include <algorithm>
#include <utility>

#include "core/group_title.h"
#include "core/icon_files.h"
#include "core/paths.h"
#include "core/pool_ops.h"
#include "core/stored_text.h"
#include "dock/drop_controller.h"
#include "text/text.h"

namespace vek {

namespace {

constexpr char kBrowseTitle[] = "VEK Desktop - Properties";
constexpr char kBrowseFilter[] = "*.lnk;*.exe;*.*|*.lnk;*.exe;*.*";
constexpr char kChangeIconTitle[] = "VEK Desktop - Change Icon";
constexpr char kChangeIconFilter[] = "*.ico;*.png|*.ico;*.png";

// Default rows of the link list's replacements: the web shortcuts after the item's own
// link for shortcuts, the default groups for groups.
constexpr int kFirstWebRow = 7;
constexpr int kFirstGroupRow = 4;

constexpr const char* kWebNames[] = {"'Internet' Shortcut", "'Check Email' Shortcut", "'Search Internet' Shortcut"};
constexpr const char* kGroupNames[] = {"'System Folders & Drives Group'", "'Accessories Group'",
                                       "'Microsoft Office Suite Group'"};

}  // namespace

bool operator==(const PropertiesView& a, const PropertiesView& b) {
  return a.type == b.type && a.shortcutOption == b.shortcutOption && a.groupOption == b.groupOption &&
         a.systemOption == b.systemOption && a.link == b.link && a.browse == b.browse && a.icon == b.icon &&
         a.title == b.title && a.target == b.target && a.arguments == b.arguments && a.runMode == b.runMode;
}

EditedItem EditedItemOf(ItemKind k, bool addMode) {
  if (addMode && IsUserGroupKind(k)) return EditedItem{ItemKind::kFree, true};
  return EditedItem{k, false};
}

namespace {
// The All Programs group and the built-in items keep their kind in the dialog: only their
// picture can change.
bool KeepsItsKind(ItemKind editType) { return editType > ItemKind::kMember; }
}  // namespace

PropertiesView PropertiesEnabling(const EditedItem& edited, int slot) {
  const ItemKind editType = edited.kind;
  PropertiesView v;
  if (editType == ItemKind::kGroup)
    v.type = item_type::kGroup;
  else if (KeepsItsKind(editType))
    v.type = item_type::kSystem;
  v.browse = v.type == item_type::kShortcut;
  if (KeepsItsKind(editType)) {
    // Built-in items keep what they are; only their picture can change.
    v.systemOption = true;
    v.icon = true;
    return v;
  }
  const bool isNew = edited.newMember;
  // A new member has nothing to edit until a path is chosen.
  v.link = v.title = v.icon = !isNew;
  v.target = v.arguments = v.runMode = !isNew && editType != ItemKind::kGroup;
  // A ring group may go back to being a shortcut; its question says what that deletes.
  v.shortcutOption = true;
  // Members of groups and new members cannot become groups.
  v.groupOption = slot >= pool::kRingFirst && slot <= pool::kRingLast && !isNew;
  return v;
}

std::vector<std::string> LinkListEntries(const EditedItem& edited, const std::string& link, int memberCount) {
  std::vector<std::string> entries;
  if (edited.newMember) return entries;
  entries.push_back(TrimFixed(link));
  const auto add = [&](const char* prefix, const char* const(&names)[3]) {
    for (const char* name : names) entries.push_back(std::string(prefix) + name);
  };
  switch (edited.kind) {
    case ItemKind::kFree:
    case ItemKind::kEmptyPosition: add("Add New ", kWebNames); break;
    case ItemKind::kShortcut:
    case ItemKind::kMember: add("Replace by  New ", kWebNames); break;
    case ItemKind::kGroup: add(memberCount > 0 ? "Replace by  New " : "Add New ", kGroupNames); break;
    default: break;
  }
  return entries;
}

ItemProperties::ItemProperties(const PropertiesServices& s, int slot, bool addMode)
    : model_(s.model),
      items_(s.items),
      defaults_(s.defaults),
      pictures_(s.pictures),
      paths_(s.paths),
      folders_(s.folders),
      prompt_(s.prompt),
      codec_(s.codec),
      host_(s.host),
      slot_(std::clamp(slot, 0, static_cast<int>(s.model.Items.size()) - 1)),
      edited_(EditedItemOf(s.model.Items[slot_].Kind, addMode)),
      caption_(addMode ? kAddShortcutCaption : kPropertiesCaption) {}

std::vector<std::string> ItemProperties::LinkEntries() const {
  return LinkListEntries(edited_, model_.Items[slot_].Link, model_.MemberCount(slot_));
}

PropertiesFields ItemProperties::Fields() {
  PropertiesFields f;
  if (edited_.newMember) return f;
  ShortcutItem& it = item();
  f.title = it.Title;
  f.link = it.Link;
  f.target = it.Target;
  f.arguments = it.Arguments;
  // A stored mode outside the three opens a normal window, and shows so.
  f.runMode = it.RunMode >= 0 && it.RunMode <= 2 ? it.RunMode : 0;
  return f;
}

std::string ItemProperties::PictureFile() {
  if (edited_.newMember) return {};
  std::string custom = item().CustomIconFile;
  if (paths_.FileExists(custom, false)) return custom;
  std::string icon = item().IconFile;
  return paths_.FileExists(icon, false) ? icon : std::string();
}

std::string ItemProperties::ShellIconLink() { return edited_.newMember ? std::string() : item().Link; }

bool ItemProperties::Ask(const char* text, const char* title, bool defaultNo) {
  PromptRequest q{text, title, PromptIcon::kQuestion, PromptButtons::kYesNo, defaultNo, !defaultNo};
  return prompt_.Ask(q) == PromptAnswer::kYes;
}

void ItemProperties::Changed() {
  host_.RefreshRing();
  host_.SaveMenu();
}

void ItemProperties::MakeEmptyGroup() {
  // Frees what the position still held (a blank position's own picture and fields).
  items_.MakeGroup(slot_, kNewEmptyGroupTitle);
  edited_.kind = ItemKind::kGroup;
}

bool ItemProperties::ChooseType(int type) {
  // A new member has no type to change until its path is chosen.
  if (edited_.newMember) return false;
  if (type == item_type::kGroup) {
    if (!View().groupOption || edited_.kind == ItemKind::kGroup) return false;
    if (edited_.kind == ItemKind::kShortcut || edited_.kind == ItemKind::kMember) {
      if (!Ask(kShortcutToGroupQuestion, "VEK Desktop", false)) return false;
    }
    items_.DeleteItem(slot_, true);
    MakeEmptyGroup();
  } else if (type == item_type::kShortcut) {
    if (edited_.kind != ItemKind::kGroup) return false;
    if (model_.MemberCount(slot_) > 0 && !Ask(kGroupToShortcutQuestion, "VEK Desktop", false)) return false;
    items_.DeleteItem(slot_, true);
    edited_ = EditedItem{item().Kind, false};
  } else {
    return false;
  }
  // The change is kept at once: what the type change deleted is gone from the files too.
  Changed();
  return true;
}

bool ItemProperties::ChooseLinkEntry(int entry) {
  if (!ReplaceByListEntry(entry)) return false;
  Changed();
  return true;
}

bool ItemProperties::ReplaceByListEntry(int entry) {
  const int entries = static_cast<int>(LinkEntries().size());
  if (entry <= 0 || entry >= entries) return false;
  const bool replaces = edited_.kind == ItemKind::kShortcut || edited_.kind == ItemKind::kMember ||
                        (edited_.kind == ItemKind::kGroup && model_.MemberCount(slot_) > 0);
  if (replaces && !Ask(kReplaceQuestion, kPropertiesCaption, true)) return false;
  // The default row frees what the slot held (with a group's members) before it fills it.
  if (edited_.kind == ItemKind::kGroup)
    defaults_.BuildDefaultGroup(kFirstGroupRow + entry - 1, slot_);
  else
    defaults_.BuildDefaultGroup(kFirstWebRow + entry - 1, slot_);
  pictures_.LoadItemIcon(slot_);
  edited_ = EditedItem{item().Kind, false};
  return true;
}

bool ItemProperties::RoomForNewMember() {
  if (!model_.GroupFull(slot_) && model_.FindFreeSlot(false) != 0) return true;
  prompt_.Ask(PromptRequest{NoRoomReason(model_), kAddShortcutTitle, PromptIcon::kInformation});
  return false;
}

FileDialogRequest ItemProperties::BrowseRequest() {
  FileDialogRequest r;
  r.title = kBrowseTitle;
  r.filter = kBrowseFilter;
  r.initialFolder = folders_.ProgramFilesDir;
  if (edited_.newMember) return r;
  std::string start = item().Link;
  if (!paths_.FileExists(start, false)) start = item().Target;
  if (paths_.FileExists(start, false)) {
    r.initialFile = start;
    r.initialFolder = FolderPart(start);
  }
  return r;
}

bool ItemProperties::Browse(const std::string& path) {
  if (TrimFixed(path).empty()) return false;
  if (edited_.newMember) {
    if (!RoomForNewMember()) return false;
    const int member = model_.FindFreeSlot(false);
    // The member is made before it joins the group, so a refused path leaves no
    // empty member behind.
    if (!items_.SetItemPath(path, member)) return false;
    if (!model_.AddMember(slot_, member)) {
      items_.FreeSlot(member);
      return false;
    }
    UpdateGroupTitle(model_, slot_, codec_);
    slot_ = member;
  } else if (!items_.SetItemPath(path, slot_)) {
    return false;
  }
  edited_ = EditedItem{item().Kind, false};
  Changed();
  return true;
}

FileDialogRequest ItemProperties::ChangeIconRequest() const {
  FileDialogRequest r;
  r.title = kChangeIconTitle;
  r.filter = kChangeIconFilter;
  return r;
}

bool ItemProperties::ChangeIcon(const std::string& file) {
  if (TrimFixed(file).empty() || edited_.newMember) return false;
  FileSystem& fs = paths_.fs();
  RemakeUserFolders(fs, folders_);  // cleaned away while the program runs
  // The new picture first, under a name of its own: the old one stays until it exists.
  // A name no item names either: one whose picture went missing keeps its claim.
  const std::string made = NewIconFileName(fs, folders_.IconDir, [this](const std::string& name) {
    const std::string upper = ToUpperAscii(name);
    return std::any_of(model_.Items.begin(), model_.Items.end(), [&upper](const ShortcutItem& i) {
      return ToUpperAscii(i.IconFile) == upper || ToUpperAscii(i.CustomIconFile) == upper;
    });
  });
  if (!pictures_.ConvertIconFile(file, made)) {
    fs.Delete(made);
    prompt_.Warn(kChangeIconFailed);
    return false;
  }
  ResetCustomIcon(model_, slot_, pictures_, fs, folders_);
  item().CustomIconFile = made;
  item().ImageIndex = slot_;
  pictures_.LoadItemIcon(slot_);
  Changed();
  return true;
}

void ItemProperties::ResetIcon() {
  if (edited_.newMember) return;
  ResetCustomIcon(model_, slot_, pictures_, paths_.fs(), folders_);
  // Shared pictures stay, except the one for a broken link: the item's own picture may
  // not have been made when it was added (its drive was away), and can be now.
  const std::string iconFile = item().IconFile;
  if (!StartsWith(iconFile, folders_.SysIconDir) || iconFile == folders_.SysIconDir + "Problem.png")
    items_.RebuildItemIcon(slot_);
  item().ImageIndex = slot_;
  pictures_.LoadItemIcon(slot_);
  Changed();
}

namespace {
// A shortcut (also one that runs a command, such as "Search Internet") or a blank position
// is made anew from a new link, as Browse makes it; a group, the All Programs group and
// the built-in items keep what they are and only store it.
bool IsRebuiltFromItsLink(const ShortcutItem& item) {
  return item.Kind == ItemKind::kShortcut || item.Kind == ItemKind::kMember || item.Kind == ItemKind::kEmptyPosition;
}
}  // namespace

PropertiesAccepted ItemProperties::Accept(const PropertiesFields& typed) {
  if (edited_.newMember) return PropertiesAccepted::kStored;
  ShortcutItem& it = item();
  // A text left as the dialog showed it stays as it is: the program may have given it
  // characters the code page lacks (a long file name or the user's name, which the file
  // keeps with "?" and the program gives back). A changed text the file would keep with
  // "?" is refused before anything changes, so the user can type it again in the window
  // still open. A title longer than its field is cut where the field ends, so that the
  // ring shows what the next start will read; a target or arguments cut short would open
  // something else, and are refused too.
  struct TypedText {
    const std::string& typed;
    const std::string& shown;
    int bytes;
    std::string kept;
  };
  TypedText texts[] = {{typed.title, it.Title, width::kTitle, {}},
                       {typed.target, it.Target, width::kTarget, {}},
                       {typed.arguments, it.Arguments, width::kArguments, {}}};
  bool edited[3] = {};
  for (size_t n = 0; n < std::size(texts); ++n) {
    TypedText& text = texts[n];
    text.kept = TrimFixed(text.typed);
    if (text.kept == TrimFixed(text.shown)) continue;
    // A target is what a click opens first: pasted with quotes or typed with variables,
    // it is cleaned as the link is, or the click would pass it over for the link.
    if (n == 1 && !text.kept.empty()) text.kept = TrimFixed(paths_.NormalizePath(text.kept, false));
    if (const auto message = UnstorableTextMessage(text.kept, codec_)) {
      prompt_.Warn(*message);
      return PropertiesAccepted::kTextRefused;
    }
    const std::string stored = TrimFixed(StoredPrefix(text.kept, static_cast<size_t>(text.bytes), codec_));
    if (n != 0 && stored != text.kept) {
      prompt_.Warn(std::string(kTextTooLong) + "\r\n\r\n" + text.kept);
      return PropertiesAccepted::kTextRefused;
    }
    text.kept = stored;
    edited[n] = true;
  }
  // An item made anew (from a new link or a list entry) keeps the texts the user typed
  // over and the run mode chosen.
  auto keepTyped = [&] {
    ShortcutItem& made = item();
    if (edited[0]) made.Title = texts[0].kept;
    if (edited[1]) made.Target = texts[1].kept;
    if (edited[2]) made.Arguments = texts[2].kept;
    made.RunMode = std::clamp(typed.runMode, 0, 2);
    Changed();
    return PropertiesAccepted::kStored;
  };
  const std::string typedLink = TrimFixed(typed.link);
  // An entry of the list, looked up with the arrow keys on the closed box, is chosen with
  // OK as with a click on it, its question asked; it names no file.
  const std::vector<std::string> entries = LinkEntries();
  for (size_t entry = 1; entry < entries.size(); ++entry)
    if (typedLink == entries[entry])
      return ReplaceByListEntry(static_cast<int>(entry)) ? keepTyped() : PropertiesAccepted::kLinkRefused;
  // A typed link counts only when it names something that exists; one pasted with quotes
  // ("Copy as path") or typed with variables is cleaned as any path is. A link that names
  // nothing is told and the window stays open for the user to mend it.
  if (typedLink != TrimFixed(it.Link)) {
    const std::string link = paths_.NormalizePath(typedLink, false);
    std::string found = link;
    if (!paths_.FileExists(found, false)) {
      prompt_.Warn(kLinkNotFound + typedLink);
      return PropertiesAccepted::kLinkNotFound;
    }
    if (IsRebuiltFromItsLink(it)) {
      // A shortcut opens its target: it is made anew from the new link, as Browse makes
      // it, and keeps only the texts the user typed over and the picture the user chose
      // (held aside, so that making it anew does not delete it).
      const std::string chosenPicture = std::exchange(it.CustomIconFile, std::string());
      const bool rebuilt = items_.SetItemPath(link, slot_);
      item().CustomIconFile = chosenPicture;
      if (!rebuilt) return PropertiesAccepted::kLinkRefused;
      if (!chosenPicture.empty()) pictures_.LoadItemIcon(slot_);
      edited_ = EditedItem{item().Kind, false};
      return keepTyped();
    }
    // It is stored as item creation stores a path (by its short name where the long one
    // does not fit); one the files cannot keep at all is refused, and the item keeps its link.
    const std::string stored = items_.StorableForm(link);
    if (stored.empty()) return PropertiesAccepted::kLinkRefused;
    it.Link = stored;
  }
  it.Title = texts[0].kept;
  it.RunMode = std::clamp(typed.runMode, 0, 2);
  it.Target = texts[1].kept;
  it.Arguments = texts[2].kept;
  host_.SaveMenu();
  host_.RefreshRing();
  return PropertiesAccepted::kStored;
}

}  // namespace vek
