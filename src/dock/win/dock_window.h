// The dock: one borderless, per-pixel-alpha layered window, transparent wherever nothing
// is drawn. Its geometry and frames use the coordinates of the whole desktop work area,
// but the window covers only the ring (with room for a magnified slot and the captions)
// while it is shown, only the icon while minimised, and the whole work area only while
// something is drawn beyond the ring (an icon dragged away): the system's cost of a push
// grows with the window's area. Key mode's dimmed screen is a window of its own beneath
// (BackdropWindow), which repainting the ring never touches. The dock owns the ring
// geometry, the image store and the drawing surface, and paints the
// ring plain, with one slot magnified, or quickly while the sizes change.
#pragma once

#include <functional>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/model.h"
#include "core/paths.h"
#include "platform/file_system.h"
#include "platform/modal_state.h"
#include "dock/dock_controller.h"
#include "dock/dock_scene.h"
#include "dock/drop_controller.h"
#include "dock/win/backdrop_window.h"
#include "dock/win/drop_target.h"
#include "dock/geometry.h"
#include "dock/win/dock_surface.h"
#include "icons/win/image_store.h"
#include "icons/win/item_images.h"
#include "platform/win/window.h"

namespace vek {

class DockWindow : public win::Window, private DockDisplay, private DropHost {
 public:
  static constexpr const wchar_t* kClassName = L"VEKDesktopDock";

  // What the dock works with; all of it outlives the dock.
  struct Parts {
    Model& model;
    ModalState& modal;
    FileSystem& fs;
    const Folders& folders;  // where pictures are read from, once known
    std::function<void()> saveMenu;  // writes the menu file
  };
  // `actions` reaches launching, commands and menus; it outlives the dock.
  DockWindow(Parts parts, DockActions& actions)
      : parts_(std::move(parts)), controller_(parts_.model, geometry_, slots_, *this, actions) {}
  // A dock that only draws (tests, benchmarks).
  explicit DockWindow(Parts parts) : DockWindow(std::move(parts), noActions_) {}
  ~DockWindow() override;

  // Places and sizes the window over the work area, creates it and the backdrop's window
  // hidden and builds its drawing surface and slot table.
  [[nodiscard]] bool Load();
  // Releases the drawing surface and every image, then destroys the windows.
  void Unload();
  void Show();

  // Fills the image store with what the ring shows: skins, the centre, the fallback
  // pictures and the ring items (the rest decode when first drawn). Until
  // the built-in catalogue exists, free ring positions first become blank shortcuts.
  // The skin comes from `resources` (the program itself when null).
  void LoadAllImages(HMODULE resources = nullptr);
  // Start-up's share of LoadAllImages: what the first frame shows. Once the ring is
  // painted, LoadRestLater decodes the rest, one posted message a picture, so that the
  // window answers the user in between.
  void LoadShownImages();
  void LoadRestLater();
  // Releases every picture of the image store.
  void ReleaseImages() { images_.ReleaseImages(); }
  // Loads one item's picture into the image store; nothing before the window exists
  // (start-up loads every picture once the dock is there).
  void LoadItemIcon(int index);

  // Refreshes the slot arrays and, with isGetFocus, paints the plain ring.
  void Activate(bool paintRing);
  // Refills what each ring slot shows from the model.
  void RefreshSlots() override;
  // Recomputes sizes and the slot table from the settings, then redraws as `after` says.
  void Relayout(AfterRelayout after);
  void CalcMinimizedPos(MinimizedPosition position);
  // The screen as it is now (before the window exists too); the geometry keeps it, and
  // key mode's dimmed screen and the captions' width follow it.
  ScreenMetrics MeasureScreen();
  // The screen's size or work area changed (a new resolution, the taskbar moved): the
  // ring is laid out on the new one, the largest radius following it, and shown as the
  // dock is. `followed` is told of the new screen first.
  void FollowScreen();
  // What another thread calls to have the slot of the Recycle Bin show its state at once
  // rather than at the next tick.
  std::function<void()> RecycleBinChangeNotice() const;
  void WhenScreenChanges(std::function<void(const ScreenMetrics&)> followed) { screenChanged_ = std::move(followed); }

  // The three ways the ring is painted (nothing while minimised or hidden).
  void DockNormal(bool noUpdate);
  void DockAction(bool isMouseDown);
  void DockSizeChange();
  void RebuildSizeCache(int variant);

  // Shows the frame built last, with the window-wide alpha `alpha`: its background (key
  // mode's backdrop colour) on the backdrop's window, the rest on the dock's.
  void PushFrame(BYTE alpha = 255);

  // The delete effect at a window point: the five frames of the "DELICON" strip over the
  // ring, 25 ms apart.
  void DockDelEffect(int x, int y);

  // Key mode: the screen dimmed with the backdrop colour and the slot letters shown.
  void SetKeyMode(bool on);
  bool keyMode() const { return controller_.state().KeyMode; }

  // Files dropped on the ring are taken from now on: the window exists and OLE runs on
  // this thread. `sysIconDir` holds the group picture.
  // Tells whether Alt+Space is the program's global hotkey: the hotkey then does what
  // the key does, and the key reaching the dock as well must not undo it.
  void SetAltSpaceIsHotkey(std::function<bool()> altSpaceIsHotkey) { altSpaceIsHotkey_ = std::move(altSpaceIsHotkey); }
  void AcceptDrops(ItemCreation& items, ItemPictures& pictures, UserPrompt& prompt, TextPrompt& input);
  DropController* drops() { return drops_.get(); }

  // Mouse, keys, timers, key mode and the shown/minimised/hidden states.
  DockController& controller() { return controller_; }
  // The pointer moved to (x, y) in window pixels with no button held.
  void SelectAt(int32_t x, int32_t y) { controller_.MouseMove(false, x, y); }
  int selIndex() const { return controller_.state().SelIndex; }
  DockState dockState() const { return controller_.state().Visibility; }
  const DockGeometry& geometry() const { return geometry_; }
  const SlotContents& slots() const { return slots_; }
  win::ImageStore& images() { return images_; }
  win::DockSurface& surface() { return surface_; }
  const win::BackdropWindow& backdrop() const { return backdrop_; }
  // Keeps the window over the whole work area whatever it draws, key mode's backdrop
  // drawn into it: the benchmarks' baseline of one screen-sized layered window.
  void set_whole_screen(bool on) { wholeScreen_ = on; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  DockView View() const;
  win::ImageLoader Loader(HMODULE resources);
  // The loaded pictures decide the centre's boxes (the ring image's size).
  void AfterImagesLoaded();
  void LoadNextLaterPicture();
  void Repaint();
  // A mouse message at (x, y) in work-area coordinates.
  void HandleMouse(UINT message, WPARAM wParam, int x, int y);
  // A mouse message the backdrop's window had, at (x, y) in work-area coordinates.
  void BackdropMouse(UINT message, WPARAM wParam, int x, int y);
  // Moves and sizes the window to what `frame` draws (see the class comment).
  void PlaceFor(const DockFrame& frame);

  // DockDisplay: what the interaction logic asks of the window.
  void PaintDraggedIcon(int slot, int x, int y) override;
  void PaintMinimized() override;
  void PushWithAlpha(int alpha) override { PushFrame(static_cast<BYTE>(alpha)); }
  void ClearAndPushInvisible() override;
  void DeleteEffect(int x, int y) override { DockDelEffect(x, y); }
  void ToBottom(bool quietly) override;
  void ToTopmost() override;
  void TakeFocus() override;
  void ReturnKeyboard() override;
  void EnableTimer(int timer, bool on) override;
  void Wait(int milliseconds) override { Sleep(static_cast<DWORD>(milliseconds)); }
  void PumpMessages() override;
  bool OwnWindowInForeground() override;
  void CursorPosition(int& x, int& y) override;
  // The modifier state of a key message as the key handlers take it (1 Shift, 2 Ctrl,
  // 4 Alt).
  static int ShiftState();

  // DropHost: the feedback picture, the posted rest of a drop, recycling, saving.
  void ShowDropPicture(int skinIndex, int x, int y) override;
  void RunDropLater() override;
  bool RecyclePath(const std::string& path) override { return win::RecycleOnePath(hwnd(), path); }
  void SaveMenu() override;
  // While a modal window is open the dock's own clicks and keys only bring it to the
  // front; true when this message is to be dropped.
  bool RefusedWhileModal(UINT message);

  static inline NoDockActions noActions_;
  Parts parts_;
  DockGeometry geometry_;
  SlotContents slots_;
  win::ImageStore images_;
  win::DockSurface surface_;
  win::BackdropWindow backdrop_;
  DockFrame frame_;  // the frame being built, shown by the next update
  win::MouseCapture capture_;
  bool ignoreLeftRelease_ = false;  // the left press did nothing (see swallowingRun_): its release too
  bool swallowingRun_ = false;      // the left presses go on a quick run that a menu click began
  win::PressRun leftPresses_;       // for double and triple clicks
  std::function<bool()> altSpaceIsHotkey_;
  std::function<void(const ScreenMetrics&)> screenChanged_;
  bool screenChangePosted_ = false;
  bool wholeScreen_ = false;
  HWND keyboardBefore_ = nullptr;  // the window the dock last took the keyboard from
  std::vector<int> laterPictures_;  // decoded after the first frame, last first
  // Start-up's decoded picture files, shared by the first frame and the pictures after
  // it; released with the last of them.
  std::unique_ptr<win::PassPictures> startPass_;

  DockController controller_;
  std::unique_ptr<DropController> drops_;
  std::unique_ptr<win::DockDropTarget> dropTarget_;
};

}  // namespace vek
