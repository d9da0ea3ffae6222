// The ring behind the settings dialog: what the dialog's controls change, shown by the
// dock at once.
#pragma once

#include "dialogs/settings_editor.h"
#include "dock/win/dock_window.h"

namespace vek {

class DockPreview : public RingPreview {
 public:
  explicit DockPreview(DockWindow& dock) : dock_(dock) {}
  void Relayout(AfterRelayout after) override { dock_.Relayout(after); }
  void RebuildSizeCache(int variant) override { dock_.RebuildSizeCache(variant); }
  void PlaceMinimized(MinimizedPosition position) override { dock_.CalcMinimizedPos(position); }
  // Key mode's look without key mode's focus and z-order: the dialog keeps the keyboard.
  void SetBackdrop(bool on) override { dock_.controller().state().KeyMode = on; }
  void RepaintPlain() override { dock_.DockNormal(false); }

 private:
  DockWindow& dock_;
};

}  // namespace vek
