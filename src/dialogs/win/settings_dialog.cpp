#include "dialogs/win/settings_dialog.h"

#include <commctrl.h>

#include "dialogs/backup_commands.h"
#include "dialogs/win/settings_ids.h"
#include "platform/win/text_win.h"

namespace vek {

namespace {

struct SliderControl {
  int id;
  int labelId;
  SettingsSlider which;
};

constexpr SliderControl kSliders[] = {
    {IDC_SET_NORMAL, IDC_SET_NORMAL_LABEL, SettingsSlider::kNormal},
    {IDC_SET_MAGNIFIED, IDC_SET_MAGNIFIED_LABEL, SettingsSlider::kMagnified},
    {IDC_SET_RADIUS, IDC_SET_RADIUS_LABEL, SettingsSlider::kRadius},
    {IDC_SET_OPACITY, IDC_SET_OPACITY_LABEL, SettingsSlider::kOpacity},
};

const SliderControl* SliderOf(int id) {
  for (const SliderControl& s : kSliders)
    if (s.id == id) return &s;
  return nullptr;
}

// The tabs' captions carry two spaces on each side.
constexpr const wchar_t* kTabCaptions[] = {L"  General  ", L"  Appearance  "};

void FillList(HWND combo, const char* const* texts, size_t count) {
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (size_t i = 0; i < count; ++i)
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Wide(texts[i]).c_str()));
}

}  // namespace

void SettingsDialog::Show() {
  if (modal_.state().Refuse()) return;
  // The tab strip and the sliders are common controls of their own classes.
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  modal_.Run(*this, IDD_SETTINGS, parts_.owner ? parts_.owner() : nullptr);
}

BOOL SettingsDialog::OnInit() {
  const HWND tabs = Item(IDC_SET_TABS);
  for (int i = 0; i < 2; ++i) {
    TCITEMW tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<wchar_t*>(kTabCaptions[i]);
    SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tab));
  }
  FillList(Item(IDC_SET_COUNT), settings_ui::kIconCountTexts.data(), settings_ui::kIconCountTexts.size());
  FillList(Item(IDC_SET_MINIMIZED), settings_ui::kMinimizedTexts.data(), settings_ui::kMinimizedTexts.size());
  for (int i = 0; i < backup_command::kCount; ++i) {
    // "&&" in a caption shows one "&".
    SetText(IDC_SET_BACKUP_FIRST + i, kBackupCommandCaptions[i]);
  }
  SetText(IDC_SET_RESET_SETTINGS, kResetSettingsCaption);
  SetText(IDC_SET_RESET_SHORTCUTS, kResetShortcutsCaption);
  FillControls();
  ShowTab(0);
  // The tab strip lies beneath the pages' controls; it takes the first focus.
  SetFocus(tabs);
  return FALSE;
}

void SettingsDialog::ShowSliders() {
  for (const SliderControl& s : kSliders) {
    const SliderView view = editor_.Slider(s.which);
    const HWND bar = Item(s.id);
    SendMessageW(bar, TBM_SETRANGEMIN, FALSE, view.min);
    SendMessageW(bar, TBM_SETRANGEMAX, FALSE, view.max);
    SendMessageW(bar, TBM_SETPAGESIZE, 0, view.page);
    SendMessageW(bar, TBM_SETLINESIZE, 0, 1);
    SendMessageW(bar, TBM_SETPOS, TRUE, view.value);
    SetText(s.labelId, view.label);
  }
}

void SettingsDialog::FillControls() {
  ShowSliders();
  SendMessageW(Item(IDC_SET_COUNT), CB_SETCURSEL, static_cast<WPARAM>(editor_.IconCountIndex()), 0);
  SetText(IDC_SET_COUNT_LABEL, editor_.IconCountLabel());
  SendMessageW(Item(IDC_SET_MINIMIZED), CB_SETCURSEL, static_cast<WPARAM>(editor_.MinimizedIndex()), 0);
  SetText(IDC_SET_MINIMIZED_LABEL, editor_.MinimizedLabel());
  const AppSettings& s = parts_.model.Settings;
  const bool autoRun = editor_.ShowAutoRun(Checked(IDC_SET_AUTORUN));
  CheckDlgButton(hwnd(), IDC_SET_AUTORUN, autoRun ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(hwnd(), IDC_SET_AUTOHIDE, s.AutoHide ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(hwnd(), IDC_SET_HIDE_LETTERS, s.HideLetters ? BST_CHECKED : BST_UNCHECKED);
}

void SettingsDialog::ShowTab(int tab) {
  for (int id = IDC_SET_FIRST_GENERAL; id <= IDC_SET_LAST_APPEARANCE; ++id) {
    const HWND control = Item(id);
    if (!control) continue;
    const bool general = id <= IDC_SET_LAST_GENERAL;
    ShowWindow(control, general == (tab == 0) ? SW_SHOW : SW_HIDE);
  }
  // The tab strip clips its siblings out when it paints: the page is redrawn whole, so
  // that nothing of the hidden tab's controls stays on it.
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool SettingsDialog::OnCommand(int id, int code) {
  switch (id) {
    case IDC_SET_AUTORUN:
      if (code != BN_CLICKED) return false;
      // The box shows what the registry now says.
      CheckDlgButton(hwnd(), id, editor_.SetAutoRun(Checked(id)) ? BST_CHECKED : BST_UNCHECKED);
      return true;
    case IDC_SET_AUTOHIDE:
      if (code == BN_CLICKED) editor_.SetAutoHide(Checked(id));
      return code == BN_CLICKED;
    case IDC_SET_HIDE_LETTERS:
      if (code == BN_CLICKED) editor_.SetHideLetters(Checked(id));
      return code == BN_CLICKED;
    case IDC_SET_COUNT:
    case IDC_SET_MINIMIZED: {
      if (code != CBN_SELCHANGE) return false;
      const int index = static_cast<int>(SendMessageW(Item(id), CB_GETCURSEL, 0, 0));
      if (index < 0) return true;
      if (id == IDC_SET_COUNT) {
        editor_.ChooseIconCount(index);
        SetText(IDC_SET_COUNT_LABEL, editor_.IconCountLabel());
      } else {
        editor_.ChooseMinimizedPosition(index);
        SetText(IDC_SET_MINIMIZED_LABEL, editor_.MinimizedLabel());
      }
      return true;
    }
    case IDC_SET_ABOUT:
      // About is owned by the dock: this dialog waits for it like for a message.
      EnableWindow(hwnd(), FALSE);
      if (parts_.showAbout) parts_.showAbout();
      EndCommand();
      return true;
    case IDOK:
      Close(IDOK);
      return true;
    default: break;
  }
  if (id >= IDC_SET_BACKUP_FIRST && id < IDC_SET_BACKUP_FIRST + backup_command::kCount) {
    RunBackupCommand(id - IDC_SET_BACKUP_FIRST);
    return true;
  }
  if (id == IDC_SET_RESET_SETTINGS || id == IDC_SET_RESET_SHORTCUTS) {
    RunResetCommand(id - IDC_SET_RESET_FIRST);
    return true;
  }
  return false;
}

INT_PTR SettingsDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_HSCROLL && lParam != 0) {
    const SliderControl* slider = SliderOf(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)));
    if (!slider) return FALSE;
    // The end of every change, by the mouse, a key, the wheel or a click on the track.
    if (LOWORD(wParam) == TB_ENDTRACK) {
      editor_.SliderReleased(slider->which);
    } else {
      editor_.SliderMoved(slider->which,
                          static_cast<int>(SendMessageW(reinterpret_cast<HWND>(lParam), TBM_GETPOS, 0, 0)));
    }
    ShowSliders();
    return TRUE;
  }
  if (message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom == IDC_SET_TABS && header->code == TCN_SELCHANGE) {
      ShowTab(static_cast<int>(SendMessageW(header->hwndFrom, TCM_GETCURSEL, 0, 0)));
      return TRUE;
    }
  }
  return FALSE;
}

void SettingsDialog::SetBusy(bool busy) { SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW)); }

void SettingsDialog::EndCommand() {
  EnableWindow(hwnd(), TRUE);
  SetForegroundWindow(hwnd());
}

void SettingsDialog::RunBackupCommand(int index) {
  editor_.EndChange();
  BackupCommandUi ui;
  ui.chooseFile = [this](const FileDialogRequest& request) {
    std::string path = modal_.ShowFileDialog(hwnd(), request);
    // The file dialog enables its owner again when it closes.
    EnableWindow(hwnd(), FALSE);
    return path;
  };
  ui.setBusyPointer = &SettingsDialog::SetBusy;
  ui.refreshControls = [this] { FillControls(); };
  ui.resetAndReload = [this](bool settings, bool items, bool icons) {
    parts_.defaults.ResetAndReload(settings, items, icons);
  };
  vek::RunBackupCommand(index, parts_.model, parts_.io, ui);
  EndCommand();
}

void SettingsDialog::RunResetCommand(int index) {
  editor_.EndChange();
  EnableWindow(hwnd(), FALSE);
  parts_.defaults.RunResetCommand(index, ResetCommandUi{&SettingsDialog::SetBusy, [this] { FillControls(); }});
  EndCommand();
}

void SettingsDialog::OnClosing() {
  editor_.EndChange();
  SaveSettings(parts_.model, parts_.io);
  // The dialog and its common controls took memory that is not needed any more.
  SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

}  // namespace vek
