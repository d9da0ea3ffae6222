// Files dropped on the dock: the feedback picture over the slot under the pointer, the
// effect reported to the drag source, and what a drop does by the slot's kind (a new
// shortcut, a replaced shortcut, new members, a new group, the Recycle Bin). The drop
// itself only copies the path list and returns, so that the source program is never
// held by a question; the rest runs from a message posted to the dock.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/model.h"
#include "dock/dock_controller.h"
#include "dock/geometry.h"
#include "icons/item_creation.h"
#include "icons/item_pictures.h"
#include "platform/modal_state.h"
#include "platform/prompt.h"
#include "platform/text_prompt.h"

namespace vek {

// Drop effects as OLE names them.
namespace drop_effect {
constexpr uint32_t kNone = 0;
constexpr uint32_t kCopy = 1;
constexpr uint32_t kMove = 2;
constexpr uint32_t kLink = 4;
}  // namespace drop_effect

enum class DropFeedback { kNone, kAdd, kReplace, kNoDrop };

// Texts of the drop's questions and messages.
constexpr char kAddShortcutTitle[] = "Add Shortcut";
constexpr char kGroupFullText[] = "This group is full. Please choose another group or create a new group!";
constexpr char kRecycleQuestion[] = "Are you sure you want to move the selected files and folders to the Recycle Bin?";
constexpr char kRecycleTitle[] = "Delete File";
constexpr char kDesktopFullText[] =
    "Desktop Group is full. The selected shortcut will be added to All programs Group";
constexpr char kNewGroupPrompt[] =
    "VEK Desktop will create a new shortcut group for you. Please enter the new group name.";
constexpr char kNewGroupTitle[] = "Add Shortcut Group";
// Followed by CR LF, CR LF and the paths, one a line.
constexpr char kRecycleFailedText[] = "These files and folders were not moved to the Recycle Bin:";
constexpr char kNotAddedText[] = "These files were not added:";
// Every entry that can hold a group's member is taken (the pool has fewer than the All
// Programs group could hold). A drop and the wizard follow it with CR LF, CR LF and the
// files not added.
constexpr char kNoRoomText[] =
    "VEK Desktop cannot hold more shortcuts in groups. Please delete some shortcuts, then try again!";

// `heading`, then the first paths a line each and how many more there were.
std::string PathList(const char* heading, const std::vector<std::string>& paths);
// Why files found no room in a group: kNoRoomText when no member entry is left anywhere
// (another group would not help either), else kGroupFullText.
const char* NoRoomReason(const Model& model);
// The box naming files that found no room: `why` (kGroupFullText or kNoRoomText), then
// kNotAddedText and the files.
PromptRequest NotAddedPrompt(const char* why, const std::vector<std::string>& paths);

// Whether the shell may be handed `path` to recycle: an absolute path (drive letter or
// network share) to something below a drive root or a share, with no wildcard.
bool IsRecyclablePath(const std::string& path);

// The effect to report over a slot that accepts a drop: a link, or a copy when the
// source offers no link; never a move (a source that sees a move may delete its files).
uint32_t AcceptedEffect(uint32_t allowed);

// What the drop asks of the dock window beyond its painting.
class DropHost {
 public:
  virtual ~DropHost() = default;
  // The plain ring with `picture` (a skin index) centred on the window point, pushed.
  virtual void ShowDropPicture(int skinIndex, int x, int y) = 0;
  // Calls RunPendingDrop once the drop has returned to the source.
  virtual void RunDropLater() = 0;
  // Moves one absolute path to the Recycle Bin; false when the shell did not.
  virtual bool RecyclePath(const std::string& path) = 0;
  virtual void SaveMenu() = 0;
};

struct DropServices {
  Model& model;
  const DockGeometry& geometry;
  const SlotContents& slots;
  DockInteraction& interaction;  // read; a plain ring drawn by a drag forgets the magnified slot
  DockDisplay& window;
  DropHost& host;
  ItemCreation& items;
  ItemPictures& pictures;
  UserPrompt& prompt;
  TextPrompt& input;
  ModalState& modal;
};

class DropController {
 public:
  explicit DropController(const DropServices& services) : s_(services) {}

  // The drag moved to the window point (x, y); `hasFiles` when the data carries a file
  // list. Shows the feedback and returns the effect for the source.
  uint32_t DragOver(int x, int y, bool hasFiles, uint32_t allowed);
  // The drag left the dock or was cancelled: the plain ring, back under the windows.
  void DragLeave();
  // The drop at (x, y): the paths are kept and handled later; returns the effect.
  uint32_t Drop(int x, int y, bool hasFiles, std::vector<std::string> paths, uint32_t allowed);
  // Handles the drop kept by Drop (questions, the group name, the new items).
  void RunPendingDrop();

  // The feedback last shown, and the slot it was over (−1 none).
  DropFeedback feedback() const { return feedback_; }
  int dragSlot() const { return dragSlot_; }
  bool pending() const { return pending_.has_value(); }

 private:
  struct PendingDrop {
    int slot = -1;
    std::vector<std::string> paths;
  };
  // The feedback and whether a drop there is taken (a full group takes it to say so), for
  // slot `slot`.
  DropFeedback FeedbackFor(int slot, bool hasFiles, bool& accepts) const;
  bool Refused() const;
  void ToBottom();
  void Finish();
  void DrawPlainRing();
  void RecycleDropped(const std::vector<std::string>& paths);
  // Turns ring position `slot` (a shortcut or an empty position) into a new group named
  // by the user; the paths go in after the former shortcut's link. False when the user
  // kept a built-in command there, cancelled the name, or no member entry is left (the
  // files are then named in kNoRoomText and the slot stays as it was).
  bool MakeGroup(int slot, const std::vector<std::string>& paths);
  // Adds the paths to group `slot` until it is full; the rest are kept in notAdded_ for
  // one message after the save.
  void AddToGroup(int slot, const std::vector<std::string>& paths, size_t first);

  DropServices s_;
  int dragSlot_ = -1;
  DropFeedback feedback_ = DropFeedback::kNone;
  std::optional<PendingDrop> pending_;
  std::vector<std::string> notAdded_;
};

}  // namespace vek
