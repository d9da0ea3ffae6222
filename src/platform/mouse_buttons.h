// The mouse buttons as the windows hand them to the dock's and the menu's logic.
#pragma once

namespace vek::mouse {
constexpr int kLeft = 1;
constexpr int kRight = 2;
constexpr int kMiddle = 4;
}  // namespace vek::mouse
