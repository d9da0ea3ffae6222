// Key mode's dimmed backdrop: one colour over the whole work area, shown by a window of
// its own just beneath the ring's window. Any change of that window costs what a change
// of a screen-sized window costs, so it changes only when what it shows changes (a new
// opacity, the dock's fade), never when the ring beneath the pointer is repainted.
#pragma once

#include <cstdint>

namespace vek {

// What the backdrop shows: a colour (ARGB, not premultiplied; its alpha is the opacity
// setting) under the window-wide alpha the dock is pushed with (255, or a step of a fade).
struct BackdropLook {
  uint32_t argb = 0;
  uint8_t windowAlpha = 255;

  // How much of the colour covers the screen: the colour's alpha times the window's,
  // rounded; 0 shows nothing.
  uint8_t Opacity() const;
  uint32_t Rgb() const { return argb & 0x00FFFFFFu; }
  friend bool operator==(const BackdropLook& a, const BackdropLook& b) {
    return a.argb == b.argb && a.windowAlpha == b.windowAlpha;
  }
};

enum class BackdropStep : uint8_t {
  kNothing,  // the window already shows it, or stays hidden
  kShow,     // fill the hidden window, then show it
  kRefill,   // the shown window takes another colour or opacity
  kHide,
};

// What the backdrop window must do to go from `shown` (nothing when `visible` is false)
// to `wanted`. A look that covers nothing hides the window: a window with nothing to
// show would still take the clicks meant for the windows beneath.
BackdropStep NextBackdropStep(bool visible, const BackdropLook& shown, const BackdropLook& wanted);

}  // namespace vek
