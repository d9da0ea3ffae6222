// The search box: a small rounded window above all others with the chosen engine's
// picture (a click opens the engine menu), the query field, the search button and a row
// of the nine engines with their function keys, each named in a tooltip. What the pointer
// is over is framed. It opens where it was last dragged and keeps its place and engine in
// the settings when it closes.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/model.h"
#include "core/search_engines.h"
#include "icons/win/image_store.h"
#include "platform/prompt.h"
#include "platform/win/handles.h"
#include "platform/win/window.h"
#include "search/search_box.h"

namespace vek {

// Hands the address to the shell, which opens the user's browser.
class ShellAddressOpener : public AddressOpener {
 public:
  bool OpenAddress(const std::string& addressUtf8, std::string& reason) override;
};

class SearchBoxWindow : public win::Window {
 public:
  // `saveSettings` writes the settings file when the box closes.
  SearchBoxWindow(AppSettings& settings, UserPrompt& prompt, std::function<void()> saveSettings);
  ~SearchBoxWindow() override;

  // Shows the box on top with the query field focused (opening it when closed).
  void Show();
  // Closes the box, keeping its place and engine.
  void Close();
  // The screen or the work area changed: an open box comes whole onto it.
  void FollowScreen();
  // Closes the box and lets its pictures go, before GDI+ stops.
  void Unload();
  bool IsOpen() const { return hwnd() != nullptr; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  static LRESULT CALLBACK FieldProcedure(HWND field, UINT message, WPARAM wParam, LPARAM lParam);
  void LoadPictures();
  void Paint(HDC dc);
  void Act(SearchBoxController::Outcome outcome);
  void ShowEngineMenu();
  void Click(POINT p);
  // What lies under a point of the box: an engine of the row (0-8), the engine picture,
  // the search button, or kOverNothing.
  static int PartAt(POINT p);
  void Hover(int part);
  void AddTooltips();
  std::string Query() const;

  AppSettings& settings_;
  std::function<void()> saveSettings_;
  ShellAddressOpener opener_;
  SearchBoxController controller_;
  HWND field_ = nullptr;
  WNDPROC fieldProcedure_ = nullptr;
  win::UniqueFont font_;
  std::array<win::BitmapPtr, kSearchEngineCount> engineLarge_, engineSmall_;
  // The row's pictures as the engine menu's entries show them.
  std::array<win::UniqueBitmap, kSearchEngineCount> engineMenuPictures_;
  win::BitmapPtr searchPicture_;
  HWND tooltips_ = nullptr;
  std::optional<win::MessageOwnership> messageOwner_;  // while the window exists
  int hover_ = -1;  // the part framed, as PartAt tells
  bool trackingLeave_ = false;
};

}  // namespace vek
