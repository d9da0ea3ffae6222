// The item properties window: type, link, title, target, arguments, run mode and picture
// of one pool item, or a new member of a group in add mode. What the controls do is
// ItemProperties; this window shows it. Modal, owned by the program's active window (the
// wizard when it asks, else the dock).
#pragma once

#include <functional>
#include <optional>

#include "dialogs/item_properties.h"
#include "dialogs/win/dialog.h"
#include "icons/win/image_store.h"

namespace vek {

class PropertiesDialog : public win::Dialog {
 public:
  PropertiesDialog(win::ModalWindows& modal, const PropertiesServices& services, std::function<HWND()> dock)
      : modal_(modal), services_(services), dock_(std::move(dock)) {}

  // Edits pool item `item` (adds a member to the group `item` with `addMode`) and returns
  // once the window is closed: OK keeps the typed fields, the close box drops them.
  // Nothing happens while the window is open already.
  void Show(int item, bool addMode);

 protected:
  BOOL OnInit() override;
  bool OnCommand(int id, int code) override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnClosing() override { picture_.reset(); }

 private:
  // Shows the item as it now is. Setting the option buttons and the lists here runs none
  // of their handlers.
  void Reload();
  void ShowDeclinedChoice();
  void DrawVekIcon();
  void PaintPicture(const DRAWITEMSTRUCT& item);
  PropertiesFields Typed() const;
  HWND Owner() const;

  win::ModalWindows& modal_;
  PropertiesServices services_;
  std::function<HWND()> dock_;
  std::optional<ItemProperties> props_;
  win::BitmapPtr picture_;
  bool reloading_ = false;
  bool linkChosen_ = false;  // an entry was chosen from the open link list
  // An action is running: a path question on a slow place lets the window messages run,
  // and a second click must not start another action inside it.
  bool acting_ = false;
  // What a control's command does.
  bool Act(int id, int code);
};

}  // namespace vek
