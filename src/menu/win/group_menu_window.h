// The group menu window: a per-pixel-alpha layered window, hidden between menus. Its
// frames use the work area's coordinates like the dock's, but the window covers only
// the open menu (the whole work area only while a member is dragged beyond it). It turns window
// messages into the menu's interaction logic and draws its frames with the dock's kind
// of surface, from the dock's image store. Row pictures not decoded yet are decoded
// after the page is shown, a few at a time, and fill in as they arrive.
#pragma once

#include <set>
#include <vector>

#include <functional>

#include "core/model.h"
#include "platform/modal_state.h"
#include "dock/geometry.h"
#include "dock/win/dock_surface.h"
#include "icons/win/image_store.h"
#include "menu/menu_controller.h"
#include "platform/win/window.h"

namespace vek {

class GroupMenuWindow : public win::Window, private MenuDisplay {
 public:
  static constexpr const wchar_t* kClassName = L"VEKDesktopMenu";
  // Posted to itself: decode the next few row pictures asked for.
  static constexpr UINT kDecodePicturesMessage = WM_APP + 0x31;
  // Posted to itself once loaded: make the pictures every menu draws while idle.
  static constexpr UINT kPreparePartsMessage = WM_APP + 0x32;

  // The menu places itself with the dock's `geometry` and draws from its `images`;
  // `actions` reaches launching, deleting and the dock. All three outlive the menu.
  // `loadItemPicture` decodes one item's picture into `images`.
  GroupMenuWindow(Model& model, ModalState& modal, const DockGeometry& geometry, win::ImageStore& images,
             std::function<void(int item)> loadItemPicture, MenuActions& actions)
      : modal_(modal),
        images_(images),
        loadItemPicture_(std::move(loadItemPicture)),
        source_(model),
        controller_(source_, geometry, *this, actions) {}
  ~GroupMenuWindow() override;

  // Creates the hidden window over the work area and its drawing surface.
  [[nodiscard]] bool Load();
  // Stops the timers, releases the drawing surface and destroys the window.
  void Unload();

  // Opens (isGetFocus) the menu of ring slot `iconIndex`, or closes the open one.
  void MenuFocus(bool isGetFocus, int iconIndex) { controller_.MenuFocus(isGetFocus, iconIndex); }
  // Closes the menu if one is open; unless noFormMainFocus, the dock takes the focus.
  void CloseMenu(bool noFormMainFocus) { controller_.CloseMenu(noFormMainFocus); }
  bool SubMenuShown() const { return controller_.SubMenuShown(); }
  // No band highlighted.
  void ClearFocus() { controller_.ClearFocus(); }
  // A row has the focus or a member is being dragged out of the menu.
  bool Busy() const { return controller_.Busy(); }
  void SetRowsPerPage(int screenHeight) { controller_.SetRowsPerPage(screenHeight); }
  // The screen changed: an open menu closes (its rows stand where the ring was), and the
  // window covers the new work area and pages by its height.
  void FollowScreen(const ScreenMetrics& screen);
  int itemsPerPage() const { return controller_.rowsPerPage(); }

  // What the menu shows and acts on: the ring slot of its group, and the member the
  // edit menu acts on (pool index and 1-based position in the group).
  int GroupSlot() const { return controller_.state().groupSlot; }
  int MenuSlot() const { return controller_.state().menuSlot; }
  int MenuPosition() const { return controller_.state().menuPosition; }

  MenuController& controller() { return controller_; }
  win::DockSurface& surface() { return surface_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // MenuDisplay
  void Present(const DockFrame& frame, int alpha) override;
  void ShowOnTop() override;
  void HideToBottom() override;
  void EnableTimer(int timer, bool on) override;
  void Wait(int milliseconds) override { Sleep(static_cast<DWORD>(milliseconds)); }
  void PumpMessages() override { win::PumpPendingMessages(); }
  bool InForeground() override { return hwnd() && GetForegroundWindow() == hwnd(); }
  void CursorPosition(int& x, int& y) override;
  bool PictureReady(int32_t image) override;
  void RequestPictures(const std::vector<int32_t>& items) override;
  void DecodeSomePictures();

  ModalState& modal_;
  win::ImageStore& images_;
  std::function<void(int item)> loadItemPicture_;
  ModelMenuSource source_;
  win::DockSurface surface_;
  PixelRect workArea_;
  PixelRect menuArea_;  // what the open menu covers, from its first frame
  std::vector<int32_t> pending_;  // items whose pictures are to be decoded
  std::set<int32_t> attempted_;   // asked for once already
  bool decodePosted_ = false;
  win::MouseCapture capture_;
  MenuController controller_;
};

}  // namespace vek
