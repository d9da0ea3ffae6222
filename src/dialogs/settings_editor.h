// What the settings dialog does, apart from its window: the range, value and caption of
// every slider, the two lists and the check boxes, each writing straight into the
// settings and showing its effect on the ring at once.
//
// A slider's change runs from its first new value until the slider reports the end of
// the change (TB_ENDTRACK), which follows a drag, a key, the wheel and a click on the
// track alike: the magnified size remembered at the start of a change of the normal
// size is what it returns to, and the size caches are rebuilt at its end.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/model.h"
#include "dock/geometry.h"
#include "platform/registry.h"

namespace vek {

namespace settings_ui {
constexpr int kMinIconSize = 16;
constexpr int kMaxIconSize = 128;
constexpr int kIconSizePage = 8;
constexpr int kRadiusPage = 5;
constexpr int kOpacityPage = 8;
constexpr int kIconCountChoices = 8;
constexpr int kMinimizedChoices = kMinimizedPositionCount;
// "8 icons" .. "36 icons"; IconQuantity = 8 + 4 × index.
extern const std::array<const char*, kIconCountChoices> kIconCountTexts;
// "Center", "Top", ... "Bottom-Right"; MinimizedPosition = index.
extern const std::array<const char*, kMinimizedChoices> kMinimizedTexts;
}  // namespace settings_ui

// What the dialog changes on the ring behind it. The dock implements it.
class RingPreview {
 public:
  virtual ~RingPreview() = default;
  // Sizes and slot table anew from the settings, then a plain repaint, the quick repaint
  // with pictures scaled on the fly, or the magnified size's pictures re-made.
  virtual void Relayout(AfterRelayout after) = 0;
  // Re-makes the pictures of size variant 1 (normal) or 2 (magnified).
  virtual void RebuildSizeCache(int variant) = 0;
  virtual void PlaceMinimized(MinimizedPosition position) = 0;
  // The dimmed backdrop drawn (or not) from the next repaint on, without the dock
  // taking the focus from the dialog.
  virtual void SetBackdrop(bool on) = 0;
  virtual void RepaintPlain() = 0;
};

enum class SettingsSlider { kNormal, kMagnified, kRadius, kOpacity };

struct SliderView {
  int min = 0;
  int max = 0;
  int page = 1;
  int value = 0;
  std::string label;
};

class SettingsEditor {
 public:
  // `programPath`: the running program, for the autostart value.
  SettingsEditor(AppSettings& settings, RingPreview& ring, Registry& registry, std::string programPath)
      : settings_(settings), ring_(ring), registry_(registry), programPath_(std::move(programPath)) {}

  // What a slider shows: its range (the magnified size never below the normal one),
  // step, value and caption.
  SliderView Slider(SettingsSlider which) const;
  int IconCountIndex() const;
  std::string IconCountLabel() const;
  int MinimizedIndex() const;
  std::string MinimizedLabel() const;

  // A slider shows `value`: the setting follows and the ring shows it. A change of
  // another slider still running ends first.
  void SliderMoved(SettingsSlider which, int value);
  // The slider's change ended: the size caches are re-made for the sizes it changed.
  void SliderReleased(SettingsSlider which);
  // Ends a change still running (the dialog closes, another control is used).
  void EndChange();

  void ChooseIconCount(int index);
  void ChooseMinimizedPosition(int index);
  void SetAutoHide(bool on) { settings_.AutoHide = on; }
  // Letters show only in key mode, which the dialog never leaves the dock in.
  void SetHideLetters(bool on) { settings_.HideLetters = on; }
  // Asks the registry; the setting (returned) is on only when the autostart value now
  // names this program.
  bool SetAutoRun(bool on);
  // Shows the autostart setting in its box, which was ticked (`wasTicked`) or not: as the
  // box's click does, the autostart value is made to match the setting when the setting is
  // on or the box changes (a first start or a reset turns it on before any value is
  // written). Returns whether the box is ticked.
  bool ShowAutoRun(bool wasTicked);

 private:
  void Begin(SettingsSlider which);

  AppSettings& settings_;
  RingPreview& ring_;
  Registry& registry_;
  std::string programPath_;
  std::optional<SettingsSlider> changing_;
  int32_t savedMagnified_ = 0;
};

}  // namespace vek
