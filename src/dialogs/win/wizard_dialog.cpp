#include "dialogs/win/wizard_dialog.h"

#include <objidl.h>  // before GDI+, which needs it and the lean Windows headers omit it
#include <gdiplus.h>
#include <shellapi.h>

#include <array>

#include "dialogs/win/wizard_ids.h"
#include "icons/win/icon_extraction.h"
#include "platform/scoped_flag.h"
#include "platform/win/text_win.h"

namespace vek {

namespace {

// A folder's answer from the reader; wParam is the reading's number.
constexpr UINT kFolderRead = WM_APP + 0x31;
// The file list is read again this long after the last key typed into the pattern.
constexpr UINT_PTR kPatternTimer = 1;
constexpr UINT kPatternDelay = 400;
constexpr int kPictureSide = 32;

// The control of each wizard button.
constexpr std::array<int, wizard_button::kCount> kButtonIds{
    IDC_WIZ_ADD,        IDC_WIZ_ADD_GROUP,  IDC_WIZ_REPLACE,        IDC_WIZ_SELECT_FILES, IDC_WIZ_UNSELECT_FILES,
    IDC_WIZ_REMOVE,     IDC_WIZ_PROPERTIES, IDC_WIZ_MOVE_UP,        IDC_WIZ_MOVE_DOWN,    IDC_WIZ_MOVE_TOP,
    IDC_WIZ_MOVE_BOTTOM, IDC_WIZ_SELECT_ITEMS, IDC_WIZ_UNSELECT_ITEMS};

int ButtonOf(int id) {
  for (int i = 0; i < wizard_button::kCount; ++i)
    if (kButtonIds[i] == id) return i;
  return -1;
}

// The folder as the tree shows it: without the trailing backslash, except on a root.
std::string Caption(const std::string& path) {
  std::string caption = path;
  while (caption.size() > 3 && caption.back() == '\\') caption.pop_back();
  return caption;
}

}  // namespace

void WizardDialog::Show(ShowProperties showProperties) {
  if (IsOpen()) return;
  showProperties_ = std::move(showProperties);
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TREEVIEW_CLASSES | ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);
  modal_.Run(*this, IDD_WIZARD, owner_ ? owner_() : nullptr);
}

void WizardDialog::SetStatus(const std::string& text) { SetText(IDC_WIZ_STATUS, text); }

BOOL WizardDialog::OnInit() {
  SetWindowTextW(hwnd(), win::Wide(kWizardCaption).c_str());
  wchar_t tabCaption[] = L"Add && Manage Shortcuts";
  TCITEMW tab{};
  tab.mask = TCIF_TEXT;
  tab.pszText = tabCaption;
  SendMessageW(Item(IDC_WIZ_TAB), TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&tab));
  reader_.Attach(hwnd(), kFolderRead);
  SetText(IDC_WIZ_PATTERN, "*.*");

  sources_ = SourceFolders(parts_.folders, parts_.drives);
  const HWND source = Item(IDC_WIZ_SOURCE);
  for (const SourceFolder& s : sources_)
    SendMessageW(source, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Wide(s.caption).c_str()));
  SendMessageW(source, CB_SETCURSEL, 0, 0);
  ChooseSource(0);
  FillChoices(kRingChoice);
  FillEntries({});
  UpdateButtons();
  return TRUE;
}

void WizardDialog::OnClosing() {
  KillTimer(hwnd(), kPatternTimer);
  reader_.Detach();
  readings_.clear();
  nodes_.clear();
  // The next opening starts with an empty list and names no folder it does not show.
  files_.clear();
  folder_.clear();
  filesReading_ = 0;
  SendMessageW(Item(IDC_WIZ_FILE_ICON), STM_SETICON, 0, 0);
  fileIcon_.reset();
  SetEntryPicture(Item(IDC_WIZ_ITEM_PICTURE), win::UniqueBitmap());
}

// --- The adding half: sources, folder tree, file list ---------------------------------------

void WizardDialog::ChooseSource(int index) {
  if (index < 0 || index >= static_cast<int>(sources_.size())) return;
  const HWND tree = Item(IDC_WIZ_TREE);
  {
    ScopedFlag rebuilding(rebuilding_);
    SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  }
  nodes_.clear();
  readings_.clear();
  filesReading_ = 0;
  const std::string path = sources_[index].path;
  const HTREEITEM root = AddNode(TVI_ROOT, Caption(path), path);
  if (Node* n = NodeOf(root)) n->expand = true;
  // Selecting the root reads it, for the tree and the file list.
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(root));
}

HTREEITEM WizardDialog::AddNode(HTREEITEM parent, const std::string& caption, const std::string& path) {
  nodes_.push_back(Node{path});
  std::wstring text = win::Wide(caption);
  TVINSERTSTRUCTW insert{};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
  insert.item.pszText = text.data();
  insert.item.lParam = static_cast<LPARAM>(nodes_.size() - 1);
  // Every folder may have sub-folders until it has been read.
  insert.item.cChildren = 1;
  return reinterpret_cast<HTREEITEM>(
      SendMessageW(Item(IDC_WIZ_TREE), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

WizardDialog::Node* WizardDialog::NodeOf(HTREEITEM item) {
  if (!item) return nullptr;
  TVITEMW tv{};
  tv.mask = TVIF_PARAM;
  tv.hItem = item;
  if (!SendMessageW(Item(IDC_WIZ_TREE), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv))) return nullptr;
  const size_t index = static_cast<size_t>(tv.lParam);
  return index < nodes_.size() ? &nodes_[index] : nullptr;
}

void WizardDialog::ApplyFileTypes() {
  KillTimer(hwnd(), kPatternTimer);
  ReadFolder(reinterpret_cast<HTREEITEM>(SendMessageW(Item(IDC_WIZ_TREE), TVM_GETNEXTITEM, TVGN_CARET, 0)), true);
}

void WizardDialog::ReadFolder(HTREEITEM item, bool forFiles) {
  const Node* node = NodeOf(item);
  if (!node) return;
  const std::string path = node->path;
  // The file list keeps what it shows, and what its entries name, until the folder has
  // answered: one that cannot be read leaves it as it was.
  if (forFiles) filesReading_ = 0;
  const uint64_t id = reader_.Read(path, Text(IDC_WIZ_PATTERN));
  if (id == 0) {
    if (forFiles) SetStatus("Too many folders are still being read. Please try again in a moment.");
    return;
  }
  readings_[id] = item;
  if (forFiles) {
    filesReading_ = id;
    readingFolder_ = path;
    SetStatus("Reading " + Caption(path) + "...");
  }
}

void WizardDialog::FolderRead(uint64_t id) {
  const std::optional<FolderListing> listing = reader_.Take(id);
  const auto reading = readings_.find(id);
  if (!listing || reading == readings_.end()) return;
  const HTREEITEM item = reading->second;
  readings_.erase(reading);
  // A folder that cannot be read now is read again when next chosen.
  if (Node* node = NodeOf(item); node && !node->listed && listing->readable) {
    node->listed = true;
    const std::string path = node->path;
    const bool expand = node->expand;
    for (const std::string& name : listing->folders) AddNode(item, name, JoinPath(path, name));
    if (listing->folders.empty()) {
      TVITEMW tv{};
      tv.mask = TVIF_CHILDREN;
      tv.hItem = item;
      tv.cChildren = 0;
      SendMessageW(Item(IDC_WIZ_TREE), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
    } else if (expand) {
      SendMessageW(Item(IDC_WIZ_TREE), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    }
  }
  if (id == filesReading_) {
    filesReading_ = 0;
    if (listing->readable)
      ShowFiles(*listing, readingFolder_);
    else
      SetStatus(Caption(readingFolder_) + " cannot be read." +
                (folder_.empty() ? std::string() : " The list shows " + Caption(folder_) + "."));
  }
}

void WizardDialog::ShowFiles(const FolderListing& listing, const std::string& folder) {
  const HWND list = Item(IDC_WIZ_FILES);
  folder_ = folder;
  files_ = listing.readable ? listing.entries : std::vector<std::string>{};
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& name : files_)
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Wide(name).c_str()));
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  SetStatus(files_.empty() && !folder.empty() ? "No files here." : "");
  ShowFileIcon();
  UpdateButtons();
}

void WizardDialog::ShowFileIcon() {
  const HWND list = Item(IDC_WIZ_FILES);
  const LRESULT caret = SendMessageW(list, LB_GETCARETINDEX, 0, 0);
  // Asked within a limit: a file in a place that stalls shows no icon rather than
  // freezing the window.
  win::UniqueIcon icon;
  if (caret >= 0 && caret < static_cast<LRESULT>(files_.size()) && SendMessageW(list, LB_GETSEL, caret, 0) > 0)
    icon = win::FileShellIcon(parts_.fs, JoinPath(folder_, files_[static_cast<size_t>(caret)]));
  SendMessageW(Item(IDC_WIZ_FILE_ICON), STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
  fileIcon_ = std::move(icon);
}

std::vector<std::string> WizardDialog::SelectedFiles() const {
  const HWND list = Item(IDC_WIZ_FILES);
  const LRESULT count = SendMessageW(list, LB_GETSELCOUNT, 0, 0);
  if (count <= 0) return {};
  std::vector<int> indexes(static_cast<size_t>(count));
  const LRESULT got = SendMessageW(list, LB_GETSELITEMS, count, reinterpret_cast<LPARAM>(indexes.data()));
  std::vector<std::string> paths;
  for (LRESULT i = 0; i < got; ++i)
    if (indexes[i] >= 0 && indexes[i] < static_cast<int>(files_.size()))
      paths.push_back(JoinPath(folder_, files_[static_cast<size_t>(indexes[i])]));
  return paths;
}

// --- The managing half: the ring or a group ----------------------------------------------

void WizardDialog::FillChoices(int keepSlot) {
  choices_ = ManageChoices(parts_.model);
  const HWND combo = Item(IDC_WIZ_TARGET);
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  int chosen = 0;
  for (size_t i = 0; i < choices_.size(); ++i) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Wide(choices_[i].title).c_str()));
    if (choices_[i].slot == keepSlot) chosen = static_cast<int>(i);
  }
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
}

int WizardDialog::Choice() const {
  const LRESULT i = SendMessageW(Item(IDC_WIZ_TARGET), CB_GETCURSEL, 0, 0);
  return i >= 0 && i < static_cast<LRESULT>(choices_.size()) ? choices_[static_cast<size_t>(i)].slot : kRingChoice;
}

void WizardDialog::FillEntries(const std::vector<int>& select) {
  entries_ = ManageEntries(parts_.model, Choice());
  const HWND list = Item(IDC_WIZ_ITEMS);
  const LRESULT top = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const ManageEntry& e : entries_)
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Wide(e.title).c_str()));
  for (int i : select) SendMessageW(list, LB_SETSEL, TRUE, i);
  // The list stays where it was scrolled, unless that hides the entry just moved.
  if (top > 0) SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
  if (!select.empty()) SendMessageW(list, LB_SETCARETINDEX, static_cast<WPARAM>(select.front()), FALSE);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  DropBuiltInSelection();
  ShowEntryPicture();
}

std::vector<int> WizardDialog::SelectedEntries() const {
  const HWND list = Item(IDC_WIZ_ITEMS);
  const LRESULT count = SendMessageW(list, LB_GETSELCOUNT, 0, 0);
  if (count <= 0) return {};
  std::vector<int> indexes(static_cast<size_t>(count));
  const LRESULT got = SendMessageW(list, LB_GETSELITEMS, count, reinterpret_cast<LPARAM>(indexes.data()));
  indexes.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return indexes;
}

void WizardDialog::DropBuiltInSelection() {
  const int choice = Choice();
  for (int i : SelectedEntries())
    if (i >= 0 && i < static_cast<int>(entries_.size()) && !EntrySelectable(choice, entries_[static_cast<size_t>(i)]))
      SendMessageW(Item(IDC_WIZ_ITEMS), LB_SETSEL, FALSE, i);
}

void WizardDialog::ShowEntryPicture() {
  const HWND box = Item(IDC_WIZ_ITEM_PICTURE);
  const std::vector<int> selected = SelectedEntries();
  const LRESULT caret = SendMessageW(Item(IDC_WIZ_ITEMS), LB_GETCARETINDEX, 0, 0);
  int shown = selected.empty() ? -1 : selected.front();
  for (int i : selected)
    if (i == caret) shown = i;
  // The item's picture file, else the shell's icon of its link, else nothing. Both are
  // read into memory: the picture file stays free to be replaced or deleted.
  win::BitmapPtr source;
  if (shown >= 0 && shown < static_cast<int>(entries_.size())) {
    const ShortcutItem& item = parts_.model.Items[static_cast<size_t>(entries_[static_cast<size_t>(shown)].item)];
    for (const std::string& candidate : {item.CustomIconFile, item.IconFile})
      if (!source && parts_.fs.Exists(candidate)) source = win::LoadPictureFile(candidate);
    if (!source) source = win::ItemShellIcon(parts_.fs, item.Link, item.Target);
  }
  win::UniqueBitmap picture;
  if (source) {
    const win::WindowDc screen(nullptr);
    picture.reset(CreateCompatibleBitmap(screen.get(), kPictureSide, kPictureSide));
    const win::UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    if (picture && dc) {
      const HGDIOBJ old = SelectObject(dc.get(), picture.get());
      RECT all{0, 0, kPictureSide, kPictureSide};
      FillRect(dc.get(), &all, GetSysColorBrush(COLOR_BTNFACE));
      {
        Gdiplus::Graphics g(dc.get());
        g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        g.DrawImage(source.get(), 0, 0, kPictureSide, kPictureSide);
      }
      SelectObject(dc.get(), old);
    } else {
      picture.reset();
    }
  }
  SetEntryPicture(box, std::move(picture));
}

void WizardDialog::SetEntryPicture(HWND box, win::UniqueBitmap picture) {
  // The control may show a copy of a 32-bit picture with alpha and hand the copy back
  // when it is replaced: the copy is the caller's to delete, the original is ours.
  const auto shown = reinterpret_cast<HBITMAP>(
      SendMessageW(box, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.get())));
  const win::UniqueBitmap handedBack(shown != entryPicture_.get() ? shown : nullptr);
  entryPicture_ = std::move(picture);
}

// --- Buttons ------------------------------------------------------------------------------

void WizardDialog::UpdateButtons() {
  const HWND files = Item(IDC_WIZ_FILES);
  const WizardSelection s{Choice(), static_cast<int>(SendMessageW(files, LB_GETCOUNT, 0, 0)),
                          static_cast<int>(SendMessageW(files, LB_GETSELCOUNT, 0, 0)), SelectedEntries()};
  const WizardButtons on = WizardEnabling(parts_.model, s, static_cast<bool>(showProperties_));
  for (int i = 0; i < wizard_button::kCount; ++i) Enable(kButtonIds[i], on[i]);
  // A button that greyed out under the keyboard (Remove, or a move to the list's end)
  // would leave the keyboard nowhere: it goes to the list the button worked on.
  const HWND focus = GetFocus();
  if (focus && GetParent(focus) == hwnd() && !IsWindowEnabled(focus)) SetFocus(Item(IDC_WIZ_ITEMS));
}

void WizardDialog::RunButton(int button) {
  namespace b = wizard_button;
  if (busy_) return;
  const HWND files = Item(IDC_WIZ_FILES), list = Item(IDC_WIZ_ITEMS);
  const int choice = Choice();
  const std::vector<int> selected = SelectedEntries();
  const WizardSelection s{choice, static_cast<int>(SendMessageW(files, LB_GETCOUNT, 0, 0)),
                          static_cast<int>(SendMessageW(files, LB_GETSELCOUNT, 0, 0)), selected};
  // A click that arrived after the state changed does only what is offered now.
  if (!WizardEnabling(parts_.model, s, static_cast<bool>(showProperties_))[button]) return;
  switch (button) {
    case b::kSelectAllFiles:
    case b::kUnselectFiles:
      SendMessageW(files, LB_SETSEL, button == b::kSelectAllFiles, -1);
      ShowFileIcon();
      UpdateButtons();
      return;
    case b::kSelectAllEntries:
    case b::kUnselectEntries:
      SendMessageW(list, LB_SETSEL, button == b::kSelectAllEntries, -1);
      DropBuiltInSelection();
      ShowEntryPicture();
      UpdateButtons();
      return;
    default: break;
  }

  std::vector<ManageEntry> chosen;
  for (int i : selected)
    if (i >= 0 && i < static_cast<int>(entries_.size())) chosen.push_back(entries_[static_cast<size_t>(i)]);
  std::vector<int> reselect;
  // The questions and the input box let messages in: the wizard takes no clicks until
  // the action is done.
  busy_ = true;
  EnableWindow(hwnd(), FALSE);
  try {
    switch (button) {
      case b::kAddShortcut: actions_.AddShortcuts(choice, SelectedFiles()); break;
      case b::kAddGroup: actions_.AddGroup(SelectedFiles()); break;
      case b::kReplace: {
        const std::vector<std::string> paths = SelectedFiles();
        if (!paths.empty()) actions_.Replace(paths.front(), chosen.front().place);
        break;
      }
      case b::kRemove: actions_.Remove(choice, chosen); break;
      case b::kProperties: {
        const ShowProperties show = showProperties_;
        show(chosen.front().item, false);
        reselect = selected;
        break;
      }
      default: {
        const int to = actions_.Move(choice, chosen.front(), MoveEntryOf(button));
        reselect = {to >= 0 ? to : selected.front()};
        break;
      }
    }
  } catch (...) {
    EnableWindow(hwnd(), TRUE);
    busy_ = false;
    throw;
  }
  EnableWindow(hwnd(), TRUE);
  SetForegroundWindow(hwnd());
  busy_ = false;
  // Groups may have come or gone; the chosen one stays chosen while it is there.
  FillChoices(choice);
  FillEntries(Choice() == choice ? reselect : std::vector<int>{});
  UpdateButtons();
}

// --- Messages -------------------------------------------------------------------------------

bool WizardDialog::OnCommand(int id, int code) {
  switch (id) {
    case IDC_WIZ_SOURCE:
      if (code == CBN_SELCHANGE)
        ChooseSource(static_cast<int>(SendMessageW(Item(IDC_WIZ_SOURCE), CB_GETCURSEL, 0, 0)));
      return true;
    case IDC_WIZ_PATTERN:
      // Only what the user types: the text set when the window opens reads nothing.
      if (code == EN_CHANGE && GetFocus() == Item(IDC_WIZ_PATTERN))
        SetTimer(hwnd(), kPatternTimer, kPatternDelay, nullptr);
      return true;
    case IDC_WIZ_FILES:
      if (code == LBN_SELCHANGE) {
        ShowFileIcon();
        UpdateButtons();
      }
      return true;
    case IDC_WIZ_TARGET:
      if (code == CBN_SELCHANGE) {
        FillEntries({});
        UpdateButtons();
      }
      return true;
    case IDC_WIZ_ITEMS:
      if (code == LBN_SELCHANGE) {
        DropBuiltInSelection();
        ShowEntryPicture();
        UpdateButtons();
      }
      return true;
    case IDOK:
      // Enter in the file types box applies the types at once instead of closing.
      if (GetFocus() == Item(IDC_WIZ_PATTERN)) {
        ApplyFileTypes();
      } else if (!busy_) {
        Close(IDOK);
      }
      return true;
    default: break;
  }
  const int button = ButtonOf(id);
  if (button < 0 || code != BN_CLICKED) return false;
  RunButton(button);
  return true;
}

INT_PTR WizardDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kFolderRead:
      FolderRead(static_cast<uint64_t>(wParam));
      return TRUE;
    case WM_TIMER:
      if (wParam != kPatternTimer) return FALSE;
      ApplyFileTypes();
      return TRUE;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom != IDC_WIZ_TREE || rebuilding_) return FALSE;
      const auto* tv = reinterpret_cast<const NMTREEVIEWW*>(lParam);
      if (header->code == TVN_SELCHANGEDW) {
        ReadFolder(tv->itemNew.hItem, true);
      } else if (header->code == TVN_ITEMEXPANDINGW && (tv->action & TVE_EXPAND)) {
        // A folder opened before it was read is read now and opens with its answer.
        Node* node = NodeOf(tv->itemNew.hItem);
        bool waiting = false;
        for (const auto& [id, item] : readings_) waiting = waiting || item == tv->itemNew.hItem;
        if (node && !node->listed) {
          node->expand = true;
          if (!waiting) ReadFolder(tv->itemNew.hItem, false);
        }
      }
      return FALSE;
    }
    default:
      return FALSE;
  }
}

}  // namespace vek
