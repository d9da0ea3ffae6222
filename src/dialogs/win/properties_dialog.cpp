#include "dialogs/win/properties_dialog.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "dialogs/win/properties_ids.h"
#include "icons/win/icon_extraction.h"
#include "platform/scoped_flag.h"
#include "platform/win/text_win.h"
#include "platform/win/window.h"

namespace vek {

namespace {
constexpr int kPictureBox = 130;  // the picture's 128 pixels and a frame
constexpr int kPictureSide = 128;
}  // namespace

void PropertiesDialog::Show(int item, bool addMode) {
  if (IsOpen() || item < 0 || item >= static_cast<int>(services_.model.Items.size())) return;
  props_.emplace(services_, item, addMode);
  modal_.Run(*this, IDD_PROPERTIES, Owner());
  props_.reset();
}

HWND PropertiesDialog::Owner() const {
  // Opened from another of the program's windows (the wizard, disabled while its button's
  // action runs), that window owns it and stays disabled under it; else the dock does.
  if (const HWND front = win::OwnDialogInFront()) return front;
  const HWND active = GetActiveWindow();
  if (active && IsWindowVisible(active) && IsWindowEnabled(active)) return active;
  return dock_ ? dock_() : nullptr;
}

BOOL PropertiesDialog::OnInit() {
  RECT r{};
  GetWindowRect(Item(IDC_PROP_PICTURE), &r);
  MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&r), 2);
  SetWindowPos(Item(IDC_PROP_PICTURE), nullptr, r.left, r.top, kPictureBox, kPictureBox, SWP_NOZORDER);
  SendDlgItemMessageW(hwnd(), IDC_PROP_TITLE, EM_LIMITTEXT, width::kTitle, 0);
  SendDlgItemMessageW(hwnd(), IDC_PROP_TARGET, EM_LIMITTEXT, width::kTarget, 0);
  SendDlgItemMessageW(hwnd(), IDC_PROP_ARGUMENTS, EM_LIMITTEXT, width::kArguments, 0);
  for (const char* name : kRunModeNames)
    SendDlgItemMessageW(hwnd(), IDC_PROP_RUN, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Wide(name).c_str()));
  Reload();
  SetForegroundWindow(hwnd());
  // The focus starts on the title (or OK), never on an option button: one that takes the
  // focus unchecked tells its parent it was clicked.
  SetFocus(Item(IsWindowEnabled(Item(IDC_PROP_TITLE)) ? IDC_PROP_TITLE : IDOK));
  return FALSE;
}

void PropertiesDialog::Reload() {
  if (!props_) return;
  reloading_ = true;
  SetWindowTextW(hwnd(), win::Wide(props_->caption()).c_str());
  const PropertiesFields f = props_->Fields();
  SetText(IDC_PROP_TITLE, f.title);
  SetText(IDC_PROP_TARGET, f.target);
  SetText(IDC_PROP_ARGUMENTS, f.arguments);
  SendDlgItemMessageW(hwnd(), IDC_PROP_RUN, CB_SETCURSEL, static_cast<WPARAM>(f.runMode), 0);
  const HWND link = Item(IDC_PROP_LINK);
  SendMessageW(link, CB_RESETCONTENT, 0, 0);
  for (const std::string& entry : props_->LinkEntries())
    SendMessageW(link, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Wide(entry).c_str()));
  if (SendMessageW(link, CB_GETCOUNT, 0, 0) > 0)
    SendMessageW(link, CB_SETCURSEL, 0, 0);
  else
    SetText(IDC_PROP_LINK, "");

  const PropertiesView v = props_->View();
  // BM_SETCHECK sends no click: the option handlers run only for the user's clicks.
  CheckRadioButton(hwnd(), IDC_PROP_SHORTCUT, IDC_PROP_SYSTEM, IDC_PROP_SHORTCUT + v.type);
  Enable(IDC_PROP_SHORTCUT, v.shortcutOption);
  Enable(IDC_PROP_GROUP, v.groupOption);
  Enable(IDC_PROP_SYSTEM, v.systemOption);
  Enable(IDC_PROP_LINK, v.link);
  Enable(IDC_PROP_BROWSE, v.browse);
  Enable(IDC_PROP_CHANGE_ICON, v.icon);
  Enable(IDC_PROP_RESET_ICON, v.icon);
  Enable(IDC_PROP_TITLE, v.title);
  Enable(IDC_PROP_TARGET, v.target);
  Enable(IDC_PROP_ARGUMENTS, v.arguments);
  Enable(IDC_PROP_RUN, v.runMode);
  DrawVekIcon();
  reloading_ = false;
}

// A declined type or link change shows the old choice again and leaves what the user has
// typed in the other fields as it is.
void PropertiesDialog::ShowDeclinedChoice() {
  reloading_ = true;
  const int checked = IDC_PROP_SHORTCUT + props_->View().type;
  CheckRadioButton(hwnd(), IDC_PROP_SHORTCUT, IDC_PROP_SYSTEM, checked);
  // The focus leaves the option just declined: one that got it back (the window activated
  // again, Space) would check itself and ask again.
  const int focused = GetDlgCtrlID(GetFocus());
  if (focused >= IDC_PROP_SHORTCUT && focused <= IDC_PROP_SYSTEM && focused != checked)
    SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(hwnd(), checked)), TRUE);
  if (SendDlgItemMessageW(hwnd(), IDC_PROP_LINK, CB_GETCOUNT, 0, 0) > 0)
    SendDlgItemMessageW(hwnd(), IDC_PROP_LINK, CB_SETCURSEL, 0, 0);
  reloading_ = false;
}

void PropertiesDialog::DrawVekIcon() {
  picture_.reset();
  const std::string file = props_ ? props_->PictureFile() : std::string();
  if (!file.empty()) {
    picture_ = win::LoadPictureFile(file);
  } else if (props_) {
    const std::string link = props_->ShellIconLink();
    if (!link.empty())
      picture_ = win::ItemShellIcon(services_.paths.fs(), link, services_.model.Items[props_->slot()].Target);
  }
  InvalidateRect(Item(IDC_PROP_PICTURE), nullptr, TRUE);
}

void PropertiesDialog::PaintPicture(const DRAWITEMSTRUCT& d) {
  Gdiplus::Graphics g(d.hDC);
  const RECT& r = d.rcItem;
  const INT left = r.left, top = r.top, width = r.right - r.left, height = r.bottom - r.top;
  Gdiplus::SolidBrush white(Gdiplus::Color(255, 255, 255, 255));
  g.FillRectangle(&white, left, top, width, height);
  Gdiplus::Pen frame(Gdiplus::Color(255, 160, 160, 160));
  g.DrawRectangle(&frame, left, top, width - 1, height - 1);
  if (!picture_) return;
  // At most 128 pixels either way, in proportion, in the middle of the box.
  const int w = static_cast<int>(picture_->GetWidth()), h = static_cast<int>(picture_->GetHeight());
  if (w <= 0 || h <= 0) return;
  const double scale = std::min(1.0, static_cast<double>(kPictureSide) / std::max(w, h));
  const int dw = std::max(1, static_cast<int>(w * scale)), dh = std::max(1, static_cast<int>(h * scale));
  g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
  g.DrawImage(picture_.get(), left + (width - dw) / 2, top + (height - dh) / 2, dw, dh);
}

PropertiesFields PropertiesDialog::Typed() const {
  PropertiesFields f;
  f.title = Text(IDC_PROP_TITLE);
  f.link = Text(IDC_PROP_LINK);
  f.target = Text(IDC_PROP_TARGET);
  f.arguments = Text(IDC_PROP_ARGUMENTS);
  const LRESULT run = SendDlgItemMessageW(hwnd(), IDC_PROP_RUN, CB_GETCURSEL, 0, 0);
  f.runMode = run == CB_ERR ? 0 : static_cast<int>(run);
  return f;
}

bool PropertiesDialog::OnCommand(int id, int code) {
  if (!props_ || reloading_) return false;
  if (acting_) return true;
  ScopedFlag acting(acting_);
  return Act(id, code);
}

bool PropertiesDialog::Act(int id, int code) {
  switch (id) {
    case IDC_PROP_SHORTCUT:
    case IDC_PROP_GROUP:
    case IDC_PROP_SYSTEM:
      // Only a click checks the button; the notice of one that merely took the focus
      // changes nothing.
      if (code != BN_CLICKED || !Checked(id)) return false;
      if (id - IDC_PROP_SHORTCUT != props_->View().type && props_->ChooseType(id - IDC_PROP_SHORTCUT))
        Reload();
      else
        ShowDeclinedChoice();
      return true;
    case IDC_PROP_LINK: {
      // An entry counts once it is chosen from the open list, with a click or Enter: the
      // arrow keys on the closed box only look through the entries, each of which would
      // replace the item, until OK takes the one shown.
      if (code == CBN_SELENDOK || code == CBN_SELENDCANCEL) {
        linkChosen_ = code == CBN_SELENDOK && SendDlgItemMessageW(hwnd(), IDC_PROP_LINK, CB_GETDROPPEDSTATE, 0, 0) != 0;
        return true;
      }
      if (code != CBN_CLOSEUP || !std::exchange(linkChosen_, false)) return false;
      const LRESULT entry = SendDlgItemMessageW(hwnd(), IDC_PROP_LINK, CB_GETCURSEL, 0, 0);
      if (entry <= 0) return true;
      if (props_->ChooseLinkEntry(static_cast<int>(entry)))
        Reload();
      else
        ShowDeclinedChoice();
      return true;
    }
    case IDC_PROP_BROWSE: {
      if (code != BN_CLICKED) return false;
      if (props_->addingMember() && !props_->RoomForNewMember()) return true;
      const std::string path = modal_.ShowFileDialog(hwnd(), props_->BrowseRequest());
      if (!path.empty() && props_->Browse(path)) Reload();
      return true;
    }
    case IDC_PROP_CHANGE_ICON: {
      if (code != BN_CLICKED) return false;
      const std::string file = modal_.ShowFileDialog(hwnd(), props_->ChangeIconRequest());
      if (!file.empty() && props_->ChangeIcon(file)) DrawVekIcon();
      return true;
    }
    case IDC_PROP_RESET_ICON:
      if (code != BN_CLICKED) return false;
      props_->ResetIcon();
      DrawVekIcon();
      return true;
    case IDOK:
      switch (props_->Accept(Typed())) {
        case PropertiesAccepted::kStored:
          Close(IDOK);
          break;
        case PropertiesAccepted::kLinkRefused:
          SetText(IDC_PROP_LINK, props_->Fields().link);  // the refused link gives way to the kept one
          break;
        case PropertiesAccepted::kTextRefused:
        case PropertiesAccepted::kLinkNotFound:
          break;  // the typed texts stay for the user to mend
      }
      return true;
    default:
      return false;
  }
}

INT_PTR PropertiesDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  (void)wParam;
  if (message == WM_DRAWITEM) {
    const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (d && d->CtlID == IDC_PROP_PICTURE) {
      PaintPicture(*d);
      return TRUE;
    }
  }
  return FALSE;
}

}  // namespace vek
