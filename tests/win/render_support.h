// What the dock's and the group menu's rendering tests and the hover benchmark share:
// reading a drawing surface's pixels, a menu whose actions do nothing, and an All
// Programs group full of members with pictures.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "dock/win/dock_window.h"
#include "dock/win/dock_surface.h"
#include "menu/menu_controller.h"

namespace vek::test {

// The dock's collaborators taken from a program context (the menu file is not written).
inline DockWindow::Parts DockParts(AppContext& app) { return {app.model, app.modal, app.fs, app.folders, {}}; }

struct Pixel {
  int a, r, g, b;
};

// The pixel at (x, y) in work-area coordinates; the bitmap covers only s.area(), and the
// window shows nothing beyond it.
inline Pixel At(const win::DockSurface& s, int x, int y) {
  const PixelRect& in = s.area();
  if (x < in.left || x >= in.right || y < in.top || y >= in.bottom) return Pixel{0, 0, 0, 0};
  const uint32_t v = s.bits()[static_cast<size_t>(y - in.top) * s.width() + (x - in.left)];
  return Pixel{static_cast<int>(v >> 24), static_cast<int>((v >> 16) & 0xFF), static_cast<int>((v >> 8) & 0xFF),
               static_cast<int>(v & 0xFF)};
}

// Number of pixels of a region that pass a test.
template <typename Test>
int CountIn(const win::DockSurface& s, const PixelRect& r, Test test) {
  int n = 0;
  const PixelRect in = r.Intersection(s.area());
  for (int y = in.top; y < in.bottom; ++y)
    for (int x = in.left; x < in.right; ++x) n += test(At(s, x, y));
  return n;
}

// How two surfaces of one size differ: the pixels with a channel more than `tolerance`
// apart, and the largest difference of one channel.
struct Difference {
  int pixels = 0;
  int largest = 0;
};
inline Difference Compare(const win::DockSurface& a, const win::DockSurface& b, int tolerance = 0) {
  Difference d;
  const size_t count = static_cast<size_t>(a.width()) * a.height();
  for (size_t i = 0; i < count; ++i) {
    const uint32_t p = a.bits()[i], q = b.bits()[i];
    if (p == q) continue;
    int most = 0;
    for (int shift = 0; shift < 32; shift += 8)
      most = std::max(most, std::abs(static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((q >> shift) & 0xFF)));
    d.pixels += most > tolerance;
    d.largest = std::max(d.largest, most);
  }
  return d;
}

class QuietMenuActions : public MenuActions {
 public:
  void LaunchItem(int) override {}
  void RunSystemCommand(int) override {}
  int DeleteItem(int) override { return 0; }
  void SaveMenu() override {}
  void RefreshRing() override {}
  void FocusDock() override {}
  void ShowMemberEditMenu() override {}
  void KeepDockAwake() override {}
};

// Ring position 3 becomes All Programs with `count` members titled prefix + n + suffix,
// whose pictures take turns through `pictures` (files of the system icon folder).
inline void FillAllPrograms(AppContext& app, int count, const std::vector<std::string>& pictures,
                            const std::string& prefix, const std::string& suffix = "") {
  Model& model = app.model;
  model.Items[3].Kind = ItemKind::kAllPrograms;
  ShortcutGroup& group = model.Groups[3];
  for (int n = 1; n <= count; ++n) {
    const int m = pool::kMemberFirst + n - 1;
    ShortcutItem& item = model.Items[m];
    item.Kind = ItemKind::kMember;
    item.Title = prefix + std::to_string(n) + suffix;
    item.IconFile = app.folders.SysIconDir + pictures[static_cast<size_t>(n) % pictures.size()];
    item.ImageIndex = m;
    group.Members.push_back(m);
  }
}

}  // namespace vek::test
