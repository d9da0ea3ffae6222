// The item properties dialog as logic: which type and which controls an item shows, the
// replacement entries of its link list, and what each control does to the model (type
// changes, default replacements, browsing for a new path, changing or resetting the
// icon, storing the typed fields). The window (PropertiesDialog) only shows and reads controls.
#pragma once

#include <string>
#include <vector>

#include "contents/defaults.h"
#include "core/model.h"
#include "core/paths.h"
#include "dialogs/dialog_host.h"
#include "dialogs/file_dialog_request.h"
#include "icons/item_creation.h"
#include "icons/item_pictures.h"
#include "platform/ansi_codec.h"
#include "platform/prompt.h"

namespace vek {

constexpr char kPropertiesCaption[] = "Properties";
constexpr char kAddShortcutCaption[] = "Add Shortcut";
constexpr char kReplaceQuestion[] = "Are you sure to replace?";
constexpr char kShortcutToGroupQuestion[] = "This operation will delete this shortcut, continue?";
constexpr char kGroupToShortcutQuestion[] = "This operation will delete all items of this group, continue?";
constexpr char kChangeIconFailed[] = "Change icon failed";
// Said when OK finds that a typed link names nothing; the link follows.
constexpr char kLinkNotFound[] = "The link names nothing that can be found, so it is not used:\r\n\r\n";
constexpr char kNewEmptyGroupTitle[] = "New Group  (Empty)";
constexpr char kRunModeNames[3][16] = {"Normal Window", "Minimized", "Maximized"};

// The type option buttons.
namespace item_type {
constexpr int kShortcut = 0;
constexpr int kGroup = 1;
constexpr int kSystem = 2;
}  // namespace item_type

// What the dialog edits: an existing item of `kind`, or, with `newMember`, a member about
// to be added to the user group at the dialog's slot; such a member has no kind (kFree)
// until its path is chosen.
struct EditedItem {
  ItemKind kind = ItemKind::kFree;
  bool newMember = false;
};

// The selected type option and which controls take input.
struct PropertiesView {
  int type = item_type::kShortcut;
  bool shortcutOption = false, groupOption = false, systemOption = false;
  bool link = false, browse = false, icon = false, title = false, target = false, arguments = false, runMode = false;
  friend bool operator==(const PropertiesView& a, const PropertiesView& b);
};

// What the dialog edits for an item of `kind`: the item itself, or a new member when
// add mode opens on a user group.
EditedItem EditedItemOf(ItemKind kind, bool addMode);
// The type and control states for `edited` at pool item `slot`. Only a ring position
// that edits an existing item may become a group; built-in items take no input.
PropertiesView PropertiesEnabling(const EditedItem& edited, int slot);
// The link list: the item's link, then the replacements it offers (web shortcuts for
// shortcuts and empty positions, default groups for groups); nothing for a new member.
std::vector<std::string> LinkListEntries(const EditedItem& edited, const std::string& link, int memberCount);

// The typed fields the dialog shows and OK stores.
struct PropertiesFields {
  std::string title, link, target, arguments;
  int runMode = 0;
};

// What the properties work with; all of it outlives the ItemProperties.
struct PropertiesServices {
  Model& model;
  ItemCreation& items;
  Defaults& defaults;
  ItemPictures& pictures;
  PathTools& paths;
  const Folders& folders;
  UserPrompt& prompt;
  AnsiCodec& codec;  // tells which typed texts the configuration file can keep
  DialogHost& host;
};

// What OK did with the typed fields.
enum class PropertiesAccepted {
  kStored,
  kLinkRefused,  // the typed link exists but the file cannot store it; the user was told
  kTextRefused,  // a typed title, target or arguments the file cannot keep; the user was told
  kLinkNotFound,  // the typed link names nothing; the user was told
};

class ItemProperties {
 public:
  // Edits pool item `slot`; with `addMode` on a group, adds a new member to it.
  ItemProperties(const PropertiesServices& services, int slot, bool addMode);

  const std::string& caption() const { return caption_; }
  int slot() const { return slot_; }
  ItemKind editType() const { return edited_.kind; }
  // True while add mode waits for the new member's path.
  bool addingMember() const { return edited_.newMember; }
  PropertiesView View() const { return PropertiesEnabling(edited_, slot_); }
  std::vector<std::string> LinkEntries() const;
  // The item's fields, trimmed (and written back trimmed); empty for a new member.
  PropertiesFields Fields();
  // The picture file the dialog shows: the custom icon when it exists, else the icon
  // file when it exists; empty when neither does (the link's shell icon is shown then).
  std::string PictureFile();
  // The item's link, whose shell icon is shown without a picture file; empty for a new
  // member. Whether it exists is asked with the icon (see ItemShellIcon).
  std::string ShellIconLink();

  // Each action below changes the model, refreshes the ring and saves at once; true when
  // something changed and the dialog must show the item again.
  bool ChooseType(int type);
  bool ChooseLinkEntry(int entry);
  // False (the user told) when a new member cannot be added: the group or the pool is full.
  bool RoomForNewMember();
  FileDialogRequest BrowseRequest();
  // The chosen path: a new member of the group in add mode (the dialog then edits it),
  // else the item's new path. False when nothing changed (refused or full).
  bool Browse(const std::string& path);
  FileDialogRequest ChangeIconRequest() const;
  // The picture is converted into a new file first; the old custom icon goes only once
  // the new one exists. False, with the message "Change icon failed", when it cannot be.
  bool ChangeIcon(const std::string& file);
  void ResetIcon();
  // OK: stores the typed fields and saves. A refusal changes nothing: the item keeps
  // every field, and the user was told which text cannot be kept.
  PropertiesAccepted Accept(const PropertiesFields& typed);

 private:
  ShortcutItem& item() { return model_.Items[slot_]; }
  void MakeEmptyGroup();
  // The item made anew from list entry `entry` after its question; nothing saved yet.
  bool ReplaceByListEntry(int entry);
  bool Ask(const char* text, const char* title, bool defaultNo);
  void Changed();

  Model& model_;
  ItemCreation& items_;
  Defaults& defaults_;
  ItemPictures& pictures_;
  PathTools& paths_;
  const Folders& folders_;
  UserPrompt& prompt_;
  AnsiCodec& codec_;
  DialogHost& host_;
  int slot_;
  EditedItem edited_;
  std::string caption_;
};

}  // namespace vek
