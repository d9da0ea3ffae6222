// The program's windows under an open modal window: a press or a key only brings the
// modal window to the front, and a release ends a press that began before it opened
// without counting as a click. Hovering goes on as usual.
#pragma once

#include <windows.h>

#include "platform/modal_state.h"

namespace vek::win {

// True when `message` to `window` must not be handled because a modal window is open.
bool RefusedWhileModal(ModalState& modal, HWND window, UINT message);

}  // namespace vek::win
