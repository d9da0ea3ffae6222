#include "dock/dock_controller.h"

#include <cstdlib>
#include <utility>

#include "launch/system_catalogue.h"
#include "platform/scoped_flag.h"

namespace vek {

int FadeAlpha(int k) { return RoundHalfEven(k * 7.96875); }

namespace {
bool Draggable(ItemKind k) { return k == ItemKind::kShortcut || IsUserGroupKind(k); }
}  // namespace

void DockController::RepaintSelection() {
  if (state_.SelIndex < 1)
    window_.DockNormal(false);
  else
    window_.DockAction(false);
}

void DockController::MouseDown(int button, int x, int y, bool secondOfDouble) {
  // A press acts on the slot under it even when no move came first: a pointer that comes
  // back from another window to the very pixel it left may bring no move with it.
  FollowPointer(x, y);
  window_.EnableTimer(dock_timer::kFocusWatch, true);
  state_.ButtonsHeld |= button;
  const int s = state_.SelIndex;
  if (button == mouse::kLeft) {
    state_.SecondOfDouble = secondOfDouble;
    state_.LeftPressSlot = s;
  }
  // Only a shown ring's icons can be dragged away: the minimised dock hides the slots
  // that still lie beneath its picture.
  if (button == mouse::kLeft && state_.Visibility == DockState::Shown && s > 0 && s < kSlotCount &&
      Draggable(slots_.SlotType[s])) {
    state_.DragArmed = true;
    state_.DragSlot = s;
    state_.DownX = x;
    state_.DownY = y;
  }
  // In key mode the dimmed screen takes no focus from an open group menu: the press that
  // ends key mode closes it too.
  if (s == -1 && state_.KeyMode) {
    if (actions_.GroupMenuOpen()) actions_.CloseGroupMenu(true);
    LeaveKeyMode();
  }
  if (state_.SelIndex != -1 && state_.Visibility != DockState::Minimised && button == mouse::kLeft) window_.DockAction(true);
}

void DockController::MouseMove(bool leftHeld, int x, int y) {
  state_.IdleTicks = 0;
  if (leftHeld && state_.DragArmed && !model_.Settings.IconsLocked) {
    // A press that moves at most one pixel on each axis is still a click.
    if (std::abs(x - state_.DownX) <= 1 && std::abs(y - state_.DownY) <= 1) {
      state_.IsDragging = false;
    } else {
      state_.IsDragging = true;
      window_.PaintDraggedIcon(state_.DragSlot, x, y);
    }
  }
  FollowPointer(x, y);
}

void DockController::FollowPointer(int x, int y) {
  // The minimised picture covers no slot: a pointer that passed over it would otherwise
  // count as hovering one for good, and auto-hide would never come.
  if (state_.Visibility != DockState::Shown) {
    state_.SelIndex = -1;
    return;
  }
  state_.SelIndex = geometry_.HitSlot(x, y, ShownSlots(model_.Settings));
  if (state_.SelIndex != -1 && state_.SelIndex != state_.LastSelIndex) {
    state_.LastSelIndex = state_.SelIndex;
    if (!state_.IsDragging && state_.Visibility != DockState::Minimised) window_.DockAction(false);
  }
}

void DockController::MouseUp(int button, int x, int y) {
  // A click is a press and a release on the dock. A release whose press went to another
  // window (one that acted on the press and closed, such as the search box's buttons) or
  // whose press lost the capture does nothing.
  const bool pressedHere = (state_.ButtonsHeld & button) != 0;
  state_.ButtonsHeld &= ~button;
  if (!pressedHere) return;
  // Another button's click while the left one holds an icon neither ends the drag nor
  // acts: the left release decides.
  if (button != mouse::kLeft && state_.DragArmed) return;
  const int lastClicked = std::exchange(state_.LastClickedSlot, -1);
  if (state_.DragArmed && state_.IsDragging && !model_.Settings.IconsLocked && state_.SelIndex == -1) {
    // A group's delete question would open under the dock in key mode (dimmed, topmost)
    // or brought back to the top: the dock goes behind the windows first. A shortcut
    // goes without a word, and key mode stays.
    if (IsUserGroupKind(model_.Items[static_cast<size_t>(state_.DragSlot)].Kind)) LeaveKeyMode();
    if (actions_.DeleteItem(state_.DragSlot) == 1) {
      // The dock may have been hidden while the delete question was open (Shift+Tab):
      // the effect is not drawn over a dock that shows nothing.
      if (state_.Visibility == DockState::Shown) window_.DeleteEffect(x, y);
      window_.RefreshSlots();
    }
    state_.DragSlot = -1;
    window_.DockNormal(false);
    state_.IsDragging = false;
    actions_.SaveMenu();
    state_.DragArmed = false;
    return;
  }
  state_.DragArmed = false;
  state_.DragSlot = -1;
  if (state_.Visibility == DockState::Minimised) {
    SetDockState(DockState::Shown);
    return;
  }
  state_.ClickedSlot = state_.SelIndex;
  const int s = state_.SelIndex;
  if (button == mouse::kLeft) {
    // A left click presses and releases one slot: a press that moved to another slot
    // without dragging (locked icons, a built-in, a blank position) only ends there.
    const bool releasedWherePressed = s == std::exchange(state_.LeftPressSlot, -1);
    if (s != 0) {
      window_.DockAction(false);
      const bool repeatsLastClick = state_.SecondOfDouble && s == lastClicked;
      if (!state_.IsDragging && !repeatsLastClick && releasedWherePressed) IconClick(click::kLeft, s);
      // A double click starts a program once. A group's menu is another matter: the
      // second press brings the ring to the front, which closes the menu, so the second
      // click opens it again.
      if (!state_.IsDragging && !actions_.GroupMenuOpen()) state_.LastClickedSlot = s;
    }
    if (s == 0 && releasedWherePressed && state_.Visibility == DockState::Shown) {
      SetDockState(DockState::Minimised);
    } else if (s == 0 && state_.IsDragging) {
      window_.DockAction(false);  // a drag let go over the centre: draw the ring without it
    }
  } else {
    window_.DockAction(false);
    if (s >= 0 && s < static_cast<int>(model_.Items.size())) {
      if (IsUserKind(model_.Items[s].Kind)) {
        state_.MenuSlot = s;
        ScopedFlag open(editMenuOpen_);
        actions_.ShowEditMenu();
      } else {
        IconClick(click::kRightOnBuiltIn, s);
      }
    }
  }
  state_.IsDragging = false;
  // Released on the backdrop, or the centre's click minimised the dock. Where it was
  // released counts, not where the pointer went meanwhile (onto the edit menu, whose loop
  // let the selection timer clear the slot).
  if ((s == -1 || state_.Visibility == DockState::Minimised) && model_.Settings.AutoHide)
    SetDockState(DockState::Hidden);
}

void DockController::CaptureLost() {
  const bool pressed = state_.ButtonsHeld != 0 || state_.DragArmed;
  state_.ButtonsHeld = 0;
  state_.DragArmed = false;
  state_.IsDragging = false;
  state_.DragSlot = -1;
  // The dragged icon goes back to its slot and a pressed slot loses its pressed look.
  if (pressed) RepaintSelection();
}

void DockController::IconClick(int how, int s) {
  if (s < 0 || s > pool::kRingLast) return;
  ShortcutItem& item = model_.Items[s];
  const ItemKind k = item.Kind;
  if (k == ItemKind::kFree || k == ItemKind::kEmptyPosition) return;
  const std::string link = item.Link;
  auto leftClick = [&] {
    if (k == ItemKind::kShortcut) {
      if (item.IsSystem)
        actions_.RunSystemCommand(item.CommandId);
      else
        actions_.LaunchItem(s);
    } else if (IsUserGroupKind(k) || k == ItemKind::kRecycleBin || k == ItemKind::kBuiltIn) {
      if (item.IsSystem)
        actions_.RunSystemCommand(item.CommandId);
      else if (!link.empty())
        actions_.LaunchItem(s);
      else
        OpenMenu(s);
    } else if (k == ItemKind::kCentre) {
      OpenMenu(s);
    }
  };
  switch (how) {
    case click::kLeft: leftClick(); break;
    case click::kRightOnBuiltIn:
      if (OwnsMenuKind(k)) OpenMenu(s);
      break;
    case click::kKey:
      // From the keyboard a group always opens its menu, even one with a link.
      if (k == ItemKind::kShortcut)
        leftClick();
      else if (OwnsMenuKind(k))
        OpenMenu(s);
      break;
    default: break;
  }
}

void DockController::KeyDown(int keyCode, int shift) {
  if (actions_.GroupMenuOpen()) actions_.CloseGroupMenu(false);
  if (keyCode == vkey::kEscape) {
    LeaveKeyMode();
    if (model_.Settings.AutoHide) SetDockState(DockState::Hidden);
    // The user goes on typing where they were before Alt+Space.
    window_.ReturnKeyboard();
  } else if (keyCode == vkey::kSpace && shift == vkey::kAltShift) {
    AltSpace();
  } else if (state_.KeyMode) {
    // A letter addresses its slot even above the shown count: the item stays in the
    // pool and acts. The ring goes on showing the slot under the pointer, magnified or
    // none, when key mode ends with the action.
    if (keyCode >= '0' && keyCode <= '9') {
      IconClick(click::kKey, keyCode - 47);
    } else if (keyCode >= 'A' && keyCode <= 'Z') {
      IconClick(click::kKey, keyCode - 54);
    } else if (keyCode == vkey::kOem3) {
      IconClick(click::kKey, 0);
    }
  }
}

void DockController::KeyUp(int keyCode) {
  if (keyCode != vkey::kF1) return;
  LeaveKeyMode();
  model_.Settings.GettingStarted = GettingStartedState{true, 0};
  actions_.ShowGettingStarted();
}

void DockController::AltSpace() {
  if (!state_.KeyMode) {
    state_.KeyMode = true;
    window_.EnableTimer(dock_timer::kFocusWatch, true);
    if (state_.Visibility != DockState::Shown)
      SetDockState(DockState::Shown);
    else
      RepaintSelection();
  }
  window_.TakeFocus();
  window_.ToTopmost();
}

void DockController::BringForward() {
  if (state_.Visibility != DockState::Shown) {
    SetDockState(DockState::Shown);
    return;
  }
  window_.EnableTimer(dock_timer::kFocusWatch, true);
  window_.TakeFocus();
  window_.ToTopmost();
}

void DockController::CloseRequested() { actions_.RunSystemCommand(command::kExit); }

void DockController::LeaveKeyMode() {
  // Behind all windows without taking the keyboard: key mode also ends because another
  // program came to the front, or on the way to hiding under the window in use.
  window_.ToBottom(true);
  if (state_.KeyMode) {
    state_.KeyMode = false;
    if (state_.Visibility == DockState::Shown) RepaintSelection();
  }
}

void DockController::SetDockState(DockState w) {
  if (w == state_.Visibility) return;
  state_.Visibility = w;
  if (w != DockState::Shown) {
    state_.KeyMode = false;
    // A press or drag under way ends with the shown ring (Esc with auto-hide, a hotkey):
    // its release acts on nothing, and nothing the user can no longer see is deleted.
    state_.ButtonsHeld = 0;
    state_.LeftPressSlot = -1;
    state_.DragArmed = state_.IsDragging = false;
    state_.DragSlot = -1;
  }
  if (w == DockState::Minimised) {
    state_.DockHidden = false;
    Activate(false);
    window_.PumpMessages();
    // A message run meanwhile (the auto-hide tick, a hotkey) may have changed the state.
    if (state_.Visibility != DockState::Minimised) return;
    window_.PaintMinimized();
    state_.SelIndex = -1;
    actions_.ClearGroupMenuFocus();
    window_.ToBottom(true);
    if (model_.Settings.AutoHide) window_.EnableTimer(dock_timer::kAutoHide, true);
    // The user goes on typing where they were before the dock took the keyboard. The
    // focus watch would take that for the user leaving and hide the minimised dock at
    // once; with auto-hide the idle count hides it.
    window_.EnableTimer(dock_timer::kFocusWatch, false);
    window_.ReturnKeyboard();
  } else if (w == DockState::Hidden) {
    if (state_.FadeEnabled) {
      // The painter draws nothing while hidden, so the last picture fades out.
      for (int i = 1; i <= 32; ++i) {
        window_.DockNormal(true);
        window_.PushWithAlpha(FadeAlpha(32 - i));
        window_.Wait(25);
      }
    }
    // The window's pixels go too, not only its alpha: should the last fade frame not
    // reach the screen, nothing of the ring stays there faintly.
    window_.ClearAndPushInvisible();
    window_.EnableTimer(dock_timer::kAutoHide, false);
    state_.IdleTicks = 0;
    state_.DockHidden = true;
    // The slot the pointer was over (the Hide command's own) is no longer under it: a dock
    // shown again by a hotkey or the tray counts as idle until the pointer comes back.
    state_.SelIndex = -1;
    // An invisible dock must not take the keyboard from the window below or the search box,
    // and gives back what it took.
    window_.ToBottom(true);
    window_.ReturnKeyboard();
  } else {
    state_.DockHidden = false;
    Activate(true);
    window_.TakeFocus();
    window_.ToTopmost();
  }
}

void DockController::Activate(bool paintRing) {
  window_.RefreshSlots();
  if (!paintRing) return;
  window_.DockNormal(false);
  state_.IdleTicks = 0;
  for (int t : {dock_timer::kSelection, dock_timer::kFocusWatch, dock_timer::kRecycleBin, dock_timer::kAutoHide})
    window_.EnableTimer(t, true);
}

void DockController::RefreshRing() {
  window_.RefreshSlots();
  RepaintSelection();
}

void DockController::TimerTick(int timer) {
  switch (timer) {
    case dock_timer::kSelection: SelectionTimer(); break;
    case dock_timer::kFocusWatch: FocusWatchTimer(); break;
    case dock_timer::kRecycleBin: RecycleBinTimer(); break;
    case dock_timer::kAutoHide: AutoHideTimer(); break;
    default: break;
  }
}

void DockController::SelectionTimer() {
  if (state_.Visibility != DockState::Shown) state_.LastSelIndex = -1;
  if (state_.LastSelIndex == -1 || state_.IsDragging) return;
  int x = 0, y = 0;
  window_.CursorPosition(x, y);
  if (geometry_.HitSlot(x, y, ShownSlots(model_.Settings)) != -1) return;
  window_.DockNormal(false);
  state_.LastSelIndex = -1;
  state_.SelIndex = -1;
}

void DockController::FocusWatchTimer() {
  if (window_.OwnWindowInForeground()) return;
  LeaveKeyMode();
  if (model_.Settings.AutoHide) SetDockState(DockState::Hidden);
  window_.EnableTimer(dock_timer::kFocusWatch, false);
}

void DockController::RecycleBinTimer() {
  // Until the bin has answered, the picture stays as the menu file kept it.
  const std::optional<bool> full = actions_.IsRecycleBinFull();
  if (!full) return;
  const int wanted = *full ? 38 : 37;
  if (model_.Items[2].ImageIndex == wanted) return;
  model_.Items[2] = model_.Items[wanted];
  window_.RefreshSlots();
  RepaintSelection();
}

void DockController::AutoHideTimer() {
  // A window or menu of the program's own that the user works in counts as activity: the
  // ring behind Settings shows each change as it is made.
  if (!model_.Settings.AutoHide || state_.SelIndex != -1 || actions_.GroupMenuBusy() || state_.IsDragging ||
      actions_.ModalWindowOpen() || editMenuOpen_)
    state_.IdleTicks = 0;
  else
    ++state_.IdleTicks;
  if (state_.IdleTicks <= 6) return;
  state_.IdleTicks = 0;
  actions_.CloseGroupMenu(true);
  const bool fade = state_.FadeEnabled;
  if (state_.Visibility != DockState::Minimised) state_.FadeEnabled = true;
  LeaveKeyMode();
  SetDockState(DockState::Hidden);
  state_.FadeEnabled = fade;
  window_.EnableTimer(dock_timer::kAutoHide, false);
}

}  // namespace vek
