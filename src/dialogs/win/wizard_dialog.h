// The add-and-manage wizard window: a source folder, its folder tree (read lazily, off
// the window's thread) and file list on the left, with Add Shortcut, Add Group and
// Replace; the ring or one group on the right, with Remove, Properties and the moves.
// Modal, owned by the dock. What the buttons may do and do is dialogs/wizard.*.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "dialogs/win/dialog.h"
#include "dialogs/win/folder_reader.h"
#include "dialogs/wizard.h"
#include "platform/file_system.h"
#include "platform/win/handles.h"

namespace vek {

class WizardDialog : public win::Dialog {
 public:
  // What the wizard works on; all of it outlives the wizard.
  struct Parts {
    Model& model;
    ItemCreation& items;
    UserPrompt& prompt;
    TextPrompt& input;
    EditMenuHost& host;  // repaints the ring and the group menu, saves the menu file
    ItemImageSwap& images;
    const Folders& folders;
    Drives& drives;
    // Asked whether the picture files and links of the preview exist; a network place
    // that does not answer holds it up at most its time limit.
    FileSystem& fs;
  };
  using ShowProperties = std::function<void(int item, bool addMode)>;

  WizardDialog(win::ModalWindows& modal, std::function<HWND()> owner, Parts parts)
      : modal_(modal), owner_(std::move(owner)), parts_(parts),
        actions_(parts.model, parts.items, parts.prompt, parts.input, parts.host, parts.images) {}

  // Shows the wizard modally (nothing when it is open). `showProperties` opens the
  // properties window for an item; without it "Properties" is greyed.
  void Show(ShowProperties showProperties);

 protected:
  BOOL OnInit() override;
  bool OnCommand(int id, int code) override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnClosing() override;

 private:
  // A folder of the tree: its path and whether its sub-folders are in the tree yet.
  struct Node {
    std::string path;
    bool listed = false;
    bool expand = false;  // expand it once its sub-folders are in
  };

  void ChooseSource(int index);
  HTREEITEM AddNode(HTREEITEM parent, const std::string& caption, const std::string& path);
  Node* NodeOf(HTREEITEM item);
  // Lists the chosen folder's files again with the typed file types.
  void ApplyFileTypes();
  // Reads the folder of `item`; for the file list too when `forFiles`.
  void ReadFolder(HTREEITEM item, bool forFiles);
  void FolderRead(uint64_t id);
  // The file list shows `listing`, the entries of readable `folder`.
  void ShowFiles(const FolderListing& listing, const std::string& folder);
  void ShowFileIcon();

  void FillChoices(int keepSlot);
  void FillEntries(const std::vector<int>& select);
  int Choice() const;
  std::vector<int> SelectedEntries() const;
  std::vector<std::string> SelectedFiles() const;
  void DropBuiltInSelection();
  void ShowEntryPicture();
  void SetEntryPicture(HWND box, win::UniqueBitmap picture);
  void UpdateButtons();
  void RunButton(int button);
  void SetStatus(const std::string& text);

  win::ModalWindows& modal_;
  std::function<HWND()> owner_;
  Parts parts_;
  WizardActions actions_;
  ShowProperties showProperties_;

  win::FolderReader reader_;
  std::vector<SourceFolder> sources_;
  std::vector<Node> nodes_;                          // TVITEM lParam is an index here
  std::map<uint64_t, HTREEITEM> readings_;          // readings still to come, by number
  uint64_t filesReading_ = 0;                        // the reading the file list waits for
  std::string readingFolder_;                        // the folder of that reading
  std::string folder_;                               // the folder the file list shows
  std::vector<std::string> files_;                   // its entries, as listed
  bool rebuilding_ = false;                          // the tree is being emptied
  std::vector<ManageChoice> choices_;
  std::vector<ManageEntry> entries_;
  bool busy_ = false;  // an action is running (its questions let messages in)
  win::UniqueIcon fileIcon_;
  win::UniqueBitmap entryPicture_;
};

}  // namespace vek
