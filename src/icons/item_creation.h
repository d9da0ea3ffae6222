// Turning a path into an item: what kind of thing the path is (drive, special folder,
// folder, shell or Internet shortcut, program or installer package, other file), the
// item's title, picture and stored paths, and where it goes (a ring position or a group).
// Also the matching removals, and the icon repair that makes a fresh picture for an item.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/model.h"
#include "core/paths.h"
#include "icons/associations.h"
#include "icons/item_pictures.h"
#include "icons/version_resource.h"
#include "launch/shortcut_files.h"
#include "launch/slow_calls.h"
#include "platform/ansi_codec.h"
#include "platform/drives.h"
#include "platform/prompt.h"
#include "platform/short_paths.h"

namespace vek {

// The questions and the refusal message item creation shows.
constexpr char kReplaceShortcutQuestion[] = "Are you sure to replace the selected shortcut?";
constexpr char kReplaceShortcutTitle[] = "Replace shortcut";
constexpr char kDeleteGroupQuestion[] = "Are you sure to delete the selected group?";
constexpr char kDeleteGroupTitle[] = "Delete Shortcut Group";
constexpr char kDeleteAllProgramsTitle[] = "Delete All Programs Group";
// The title of a new group whose name was left blank.
constexpr char kNewGroupName[] = "New Group";
// Followed by CR LF, CR LF and the path.
constexpr char kPathNotStorable[] =
    "This path cannot be added: the configuration file can only keep paths of at most 255 "
    "characters written in the system's code page, and this one does not fit.";
// Followed by CR LF, CR LF and the path.
constexpr char kPathNoAnswer[] =
    "This path cannot be added now: its drive or network place does not answer. Try again "
    "once it can be reached.";
// Followed by CR LF, CR LF and the paths, one a line.
constexpr char kPathsNoAnswer[] =
    "These paths were not added: their drive or network place does not answer. Try again "
    "once they can be reached.";
// Followed by CR LF, CR LF and the paths, one a line.
constexpr char kPathsNotStorable[] =
    "These paths were not added: the configuration file can only keep paths of at most 255 "
    "characters written in the system's code page, and they do not fit.";

// Icon extraction modes of ExtractItemIcon.
namespace extract_mode {
constexpr int kFromDetails = 3;  // the resolved shortcut details' icon file, else target
constexpr int kModuleIcon = 4;   // icon `item` (an icon index) of the module `file`
constexpr int kShellIcon = 5;    // the shell's icon of `file` into pool item `item`
}  // namespace extract_mode

enum class AddOutcome {
  kAdded,
  kMissing,       // the path does not exist
  kNotStorable,   // a path the configuration file cannot keep; the user was told
  kNoAnswer,      // the path's drive or network place did not answer in time; the user was told
  kDeclined,      // the user kept the shortcut that would have been replaced
  kDuplicate,     // the group already has a member with this path
  kFull,          // the group or the pool has no room left
  kNotPlaceable,  // the target is neither a ring shortcut, an empty position nor a group
};

struct AddResult {
  AddOutcome outcome = AddOutcome::kNotPlaceable;
  int index = 0;  // the new item's pool index when added
  bool added() const { return outcome == AddOutcome::kAdded; }
};

// What item creation works with. All of it lives as long as the ItemCreation; what `slow`
// runs off the UI thread (the file system and shortcut questions about a path) uses
// `paths`, `shortcuts`, `versions` and `shortPaths`, which must live as long as the program.
struct ItemServices {
  Model& model;
  PathTools& paths;
  ShortcutFiles& shortcuts;
  Associations& associations;
  ItemPictures& pictures;
  Drives& drives;
  VersionResourceSource& versions;
  ShortPaths& shortPaths;
  UserPrompt& prompt;
  AnsiCodec& codec;
  BoundedCalls& slow;
};

class ItemCreation {
 public:
  // `windowsUserName` titles the item of the user's profile folder.
  ItemCreation(const ItemServices& services, std::string windowsUserName);

  // Makes an item from `path` and places it by the kind of pool item `target`: a ring
  // shortcut is replaced after the user agrees, an empty ring position is filled, a
  // user group gets a new member unless it has one with this path already or
  // is full. Paths that do not exist add nothing, silently; a path whose drive or network
  // place does not answer in time adds nothing and the user is told. A path the
  // configuration file cannot keep (characters outside the system's code page, or longer
  // than 255) is stored by its short (8.3) name, titled by its long one; where no short
  // name fits either, it adds nothing and the user is told. A shortcut whose target or
  // arguments cannot be kept is added with its own path as Target and no arguments. On
  // success the item is complete: fields, picture file and loaded images.
  AddResult AddItemFromPath(const std::string& path, int target);
  // Gives the existing item `index` a new path in place: the record is freed and built
  // again as a ring shortcut (1..36) or a member (above 36). A path stored by its short
  // name as AddItemFromPath says. False, with the item unchanged and the user told, when
  // the configuration file cannot keep the path or its place does not answer.
  bool SetItemPath(const std::string& path, int index);
  // True when no member of `group` has a trimmed Link equal to the trimmed path (exact
  // text comparison); the members' Links are written back trimmed.
  bool IsNewToGroup(int group, const std::string& path);
  // Deletes by kind: a ring shortcut becomes a blank position; a group (after the
  // question unless `quiet`) loses its members and becomes a blank position; a member
  // leaves its group; the All Programs group (after its question unless `quiet`) is
  // emptied and stays. True when something was deleted.
  bool DeleteItem(int index, bool quiet);
  // Frees the member `index` of the first group 3..36 that lists it and closes the gap.
  // False when no group lists it.
  bool RemoveGroupMember(int index);
  // Turns ring position `slot` (a shortcut or an empty position) into a new, empty group
  // titled `title` ("New Group" when blank), with the shared group picture: the former
  // record and its pictures are freed first, so no link or picture of it is left behind.
  void MakeGroup(int slot, const std::string& title);

  // Writes a picture by mode (see extract_mode); true when one was written. Any other
  // mode writes nothing and is true.
  bool ExtractItemIcon(int mode, const std::string& file = std::string(), int item = -1);
  // The picture of the shortcut file `link`, just resolved, into the picture file of pool
  // item `index`; false when it has none.
  bool WriteShortcutPicture(const std::string& link, int index);
  // The picture of the program or installer package `program` into the picture file of
  // pool item `index`: its own icon, else the shell's icon of the file; false when
  // neither can be had.
  bool WriteProgramPicture(const std::string& program, int index);
  // Makes a fresh picture for pool item `index` from its Link, into its IconFile (a new
  // file of the icon folder when it names none there). A Link that does not exist gets
  // the "Problem.png" picture; one whose place does not answer is left as it is.
  void RebuildItemIcon(int index);

  // An item kept by its short name is titled by its long name, which the configuration
  // file keeps with "?" for each character its code page lacks. After a load, such a
  // title (one that is the stored form of the display name of its link's long path)
  // becomes that name again. Asks the file system, within the usual time limit, only for
  // links with a short name and titles with a "?". True when a title changed.
  bool RestoreLongTitles();

  // Between these calls (which nest), refused paths and paths that did not answer are
  // collected and reported in one message each at the outermost end instead of one
  // message a path: the folder scans of a first start may meet many of them.
  void BeginRefusalBatch();
  void EndRefusalBatch();
  // A path that did not answer is reported (or collected in a batch).
  void ReportNoAnswer(const std::string& path);

  // The form of the existing `path` the configuration file keeps as a link: the path
  // itself, else its short (8.3) form. Empty when neither fits: the path is then reported
  // (or collected in a batch).
  std::string StorableForm(const std::string& path);
  // FileExists (path normalised when asked) off the UI thread, within the time limit;
  // false also when the path's place did not answer.
  bool ExistsWithinLimit(std::string& path, bool normalise);
  // Runs file-system questions off the UI thread, within the time limit, while the
  // window messages keep running.
  BoundedCalls& slowCalls() { return slow_; }

  ShortcutDetails& details() { return details_; }
  // Frees pool item `index` (images, picture files, record), as the removals do.
  void FreeSlot(int index) { Free(index); }
  // The " (Empty)" / " (Full)" suffix of the group at ring position `group`, as its count
  // and the stored caption's room in the code page have it.
  void UpdateGroupTitle(int group);
  int currentItem() const { return current_; }

 private:
  // RebuildItemIcon, but for the picture file it replaces.
  void RebuildPicture(int index);
  struct Effective {
    std::string upper;      // the path the item is built like, upper case
    std::string extension;  // its extension from the last "." of its name, upper case
    bool viaShortcut = false;
  };
  // What the file system and the shell say about a path. Any of it may wait on a slow
  // drive or a network place that does not answer, so it is asked off the UI thread.
  struct PathFacts {
    bool exists = false;
    bool unreachable = false;  // not found because its drive or network place did not answer
    ShortcutDetails details;   // a shortcut's resolution
    Effective eff;            // which path the item is built like
    uint32_t attributes = attr::kInvalid;  // of that path, when it is not a shortcut or program
    std::string description;  // a program's file description
  };
  // Asked on a worker thread: touches nothing but its arguments.
  static PathFacts Probe(PathTools& paths, ShortcutFiles& shortcuts, VersionResourceSource& versions,
                         const std::string& path);
  // The facts through the bounded calls; empty, and logged, when the limit passed first.
  std::optional<PathFacts> AskAbout(const std::string& path);
  // True when the text survives the configuration file: its code page and `width`.
  bool Fits(const std::string& text, int width);
  // Builds item `n` from the facts, which become the details; `stored` is the form of
  // `path` its Link keeps.
  void Build(int n, const std::string& path, const std::string& stored, const PathFacts& facts);
  void BuildFolder(ShortcutItem& item, const std::string& path, const Effective& eff);
  // The drive, special-folder or plain-folder title and picture of `folder` (upper case,
  // ending in a backslash) reached by `path`.
  void TitleAndPictureOfFolder(ShortcutItem& item, const std::string& path, const std::string& folder);
  // A new picture file name in the icon folder that no file and no item has.
  std::string NewPictureName();
  // FreeItem, and the names it may have freed become candidates again.
  void Free(int index);
  std::string SysIcon(const char* name) const;
  bool Exists(const std::string& path);
  void MakeBlankPosition(int index);
  bool AskDelete(const char* title);

  Model& model_;
  PathTools& paths_;
  ShortcutFiles& shortcuts_;
  Associations& associations_;
  ItemPictures& pictures_;
  Drives& drives_;
  VersionResourceSource& versions_;
  ShortPaths& shortPaths_;
  UserPrompt& prompt_;
  AnsiCodec& codec_;
  BoundedCalls& slow_;
  std::string windowsUserName_;

  ShortcutDetails details_;
  int current_ = -1;
  unsigned long nextPicture_ = 0;
  int batchDepth_ = 0;
  std::vector<std::string> refused_;
  std::vector<std::string> unanswered_;
};

}  // namespace vek
