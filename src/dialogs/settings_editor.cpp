#include "dialogs/settings_editor.h"

#include <algorithm>

#include "core/mod_registry.h"

namespace vek {

namespace settings_ui {
const std::array<const char*, kIconCountChoices> kIconCountTexts = {
    "8 icons", "12 icons", "16 icons", "20 icons", "24 icons", "28 icons", "32 icons", "36 icons"};
const std::array<const char*, kMinimizedChoices> kMinimizedTexts = {
    "Center", "Top", "Bottom", "Left", "Right", "Top-Left", "Top-Right", "Bottom-Left", "Bottom-Right"};
}  // namespace settings_ui

namespace {
using namespace settings_ui;
constexpr int kOpacityMax = 255;
}  // namespace

SliderView SettingsEditor::Slider(SettingsSlider which) const {
  const AppSettings& s = settings_;
  switch (which) {
    case SettingsSlider::kNormal:
      return {kMinIconSize, kMaxIconSize, kIconSizePage, s.NormalIconSize,
              "Normal Icon Size:  " + std::to_string(s.NormalIconSize) + "  Pixels"};
    case SettingsSlider::kMagnified: {
      // Never below the normal size: a smaller value would be replaced at the next start.
      const int min = std::clamp(s.NormalIconSize, kMinIconSize, kMaxIconSize);
      return {min, kMaxIconSize, kIconSizePage, s.MagnifiedIconSize,
              "Magnified Icon Size:  " + std::to_string(s.MagnifiedIconSize) + "  Pixels"};
    }
    case SettingsSlider::kRadius: {
      // What the ring shows: a radius chosen on a larger screen stays chosen until moved.
      const int32_t shown = ShownRadius(s);
      return {s.MinRadius, std::max(s.MinRadius, s.MaxRadius), kRadiusPage, shown,
              "Circle Diameter:  " + std::to_string(2 * shown) + "  Pixels"};
    }
    case SettingsSlider::kOpacity:
      return {0, kOpacityMax, kOpacityPage, s.BackdropOpacity, "Opacity:  " + std::to_string(s.BackdropOpacity)};
  }
  return {};
}

int SettingsEditor::IconCountIndex() const {
  return std::clamp((settings_.IconQuantity - 8) / 4, 0, kIconCountChoices - 1);
}

std::string SettingsEditor::IconCountLabel() const {
  return "Icon Quantity:  " + std::to_string(settings_.IconQuantity) + "  Icons";
}

int SettingsEditor::MinimizedIndex() const {
  return std::clamp(static_cast<int>(settings_.MinimizedPosition), 0, kMinimizedChoices - 1);
}

std::string SettingsEditor::MinimizedLabel() const {
  return std::string("Current Minimized Position: ") + kMinimizedTexts[static_cast<size_t>(MinimizedIndex())];
}

void SettingsEditor::Begin(SettingsSlider which) {
  if (changing_ == which) return;
  EndChange();
  changing_ = which;
  savedMagnified_ = settings_.MagnifiedIconSize;
  // The backdrop shows while the opacity changes, so that its effect is seen.
  if (which == SettingsSlider::kOpacity) ring_.SetBackdrop(true);
}

void SettingsEditor::SliderMoved(SettingsSlider which, int value) {
  const SliderView range = Slider(which);
  value = std::clamp(value, range.min, range.max);
  Begin(which);
  AppSettings& s = settings_;
  switch (which) {
    case SettingsSlider::kNormal:
      s.NormalIconSize = value;
      // Pushed up by a larger normal size, back to what it was when it shrinks again.
      s.MagnifiedIconSize = std::max(savedMagnified_, value);
      ring_.Relayout(AfterRelayout::QuickResize);
      break;
    case SettingsSlider::kMagnified:
      // Only seen on hover: nothing to repaint until the change ends.
      s.MagnifiedIconSize = value;
      break;
    case SettingsSlider::kRadius:
      s.CircleRadius = value;
      ring_.Relayout(AfterRelayout::PaintRing);
      break;
    case SettingsSlider::kOpacity:
      s.BackdropOpacity = static_cast<uint8_t>(value);
      ring_.RepaintPlain();
      break;
  }
}

void SettingsEditor::SliderReleased(SettingsSlider which) {
  if (changing_ == which) EndChange();
}

void SettingsEditor::EndChange() {
  if (!changing_) return;
  const SettingsSlider which = *changing_;
  changing_.reset();
  switch (which) {
    case SettingsSlider::kNormal:
      ring_.RebuildSizeCache(1);
      if (settings_.MagnifiedIconSize != savedMagnified_) ring_.Relayout(AfterRelayout::RebuildMagnified);
      break;
    case SettingsSlider::kMagnified:
      if (settings_.MagnifiedIconSize != savedMagnified_) ring_.Relayout(AfterRelayout::RebuildMagnified);
      break;
    case SettingsSlider::kOpacity:
      // The backdrop stays on the screen until the dock is next repainted.
      ring_.SetBackdrop(false);
      break;
    case SettingsSlider::kRadius: break;
  }
}

void SettingsEditor::ChooseIconCount(int index) {
  EndChange();
  settings_.IconQuantity = 8 + 4 * std::clamp(index, 0, kIconCountChoices - 1);
  ring_.Relayout(AfterRelayout::PaintRing);
}

void SettingsEditor::ChooseMinimizedPosition(int index) {
  EndChange();
  settings_.MinimizedPosition = static_cast<MinimizedPosition>(std::clamp(index, 0, kMinimizedChoices - 1));
  // A dock minimised now stays where it is until it is next minimised.
  ring_.PlaceMinimized(settings_.MinimizedPosition);
}

bool SettingsEditor::SetAutoRun(bool on) {
  settings_.AutoRun = vek::SetAutoRun(registry_, on, programPath_) == 1;
  return settings_.AutoRun;
}

bool SettingsEditor::ShowAutoRun(bool wasTicked) {
  // Turned off in Windows meanwhile: shown off, not turned on again behind the user's back.
  if (settings_.AutoRun && AutoRunTurnedOffInWindows(registry_)) settings_.AutoRun = false;
  if (!settings_.AutoRun && !wasTicked) return false;
  return SetAutoRun(settings_.AutoRun);
}

}  // namespace vek
