// The dock: one borderless, per-pixel-alpha layered window as large as the desktop
// work area, transparent wherever nothing is drawn. It owns the ring geometry, the
// image store and the drawing surface, and paints the ring plain, with one slot
// magnified, or quickly while the sizes change.
#pragma once

#include <cstdint>
#include <string>

#include "app/app_context.h"
#include "dock/dock_scene.h"
#include "dock/geometry.h"
#include "dock/win/dock_surface.h"
#include "icons/win/image_store.h"
#include "platform/win/window.h"

namespace vek {

class FrmMain : public win::Window {
 public:
  // Posted to the dock to switch key mode on (wParam 1) or off (0) from outside the
  // process, until the keyboard and hotkeys drive it.
  static constexpr UINT kSetKeyModeMessage = WM_APP + 0x2A;
  static constexpr const wchar_t* kClassName = L"VEKDesktopDock";

  explicit FrmMain(AppContext& app) : app_(app) {}
  ~FrmMain() override;

  // Places and sizes the window over the work area, creates it hidden and builds its
  // drawing surface and slot table.
  bool Load();
  // Releases the drawing surface and every image, then destroys the window.
  void Unload();
  void Show();

  // Fills the image store: skins, the centre, the fallback pictures, every item. Until
  // the built-in catalogue exists, free ring positions first become blank shortcuts.
  // The skin comes from `resources` (the program itself when null).
  void LoadAllImages(HMODULE resources = nullptr);
  // Releases every picture of the image store.
  void ReleaseImages() { images_.ReleaseImages(); }

  // Refreshes the slot arrays and, with isGetFocus, paints the plain ring.
  void DockFocus(bool isGetFocus);
  // Refills what each ring slot shows from the model.
  void IniIconParam();
  // Recomputes sizes and the slot table from the settings, then redraws: mode 0 the
  // plain ring, 1 the quick size-change repaint, 2 re-makes the magnified size's cache.
  void CalcDockParam(int mode);
  void CalcMinimizedPos(int position);

  // The three ways the ring is painted (nothing while minimised or hidden).
  void DockNormal(bool noUpdate);
  void DockAction(bool isMouseDown);
  void DockSizeChange();
  void RebuildSizeCache(int variant);

  // Drawing primitives over the frame being built; UpdateGDIPlus shows it.
  void UpdateGDIPlus() { ExUpdateGDIPlus(255); }
  void ExUpdateGDIPlus(BYTE shwAlpha);
  void RestoreGDIPlus() { ClearGraphics(0); }
  void ClearGraphics(uint32_t argb);
  void DrawIcon(int imageIndex, int variant, int x, int y, int w = 0, int h = 0);
  void DrawSkin(int skinIndex, int variant, int x, int y, int w = 0, int h = 0);
  void DrawText(const std::string& text, float x, float y);

  // Key mode: the screen dimmed with the backdrop colour and the slot letters shown.
  void SetKeyMode(bool on);
  bool keyMode() const { return keyMode_; }

  // Selection after the pointer moved to (x, y) in window pixels: the slot under it
  // becomes the selection, and a newly selected slot is drawn magnified.
  void SelectAt(int32_t x, int32_t y);

  int selIndex() const { return selIndex_; }
  int dockState() const { return dockState_; }
  const DockGeometry& geometry() const { return geometry_; }
  const SlotContents& slots() const { return slots_; }
  win::ImageStore& images() { return images_; }
  win::DockSurface& surface() { return surface_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  DockView View() const;
  void Repaint();

  AppContext& app_;
  DockGeometry geometry_;
  SlotContents slots_;
  win::ImageStore images_;
  win::DockSurface surface_;
  DockFrame frame_;  // the frame being built, shown by the next update

  int selIndex_ = -1;
  int lastSelIndex_ = -1;
  bool keyMode_ = false;
  bool isDragging_ = false;
  int dragSlot_ = -1;
  int dockState_ = dock_state::kShown;
};

}  // namespace vek
