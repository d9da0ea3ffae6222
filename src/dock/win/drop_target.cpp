#include "dock/win/drop_target.h"

#include <shellapi.h>

#include "platform/log.h"
#include "platform/win/text_win.h"

namespace vek::win {

namespace {
FORMATETC FileListFormat() { return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }
}  // namespace

bool HasFileList(IDataObject* data) {
  if (!data) return false;
  FORMATETC format = FileListFormat();
  return data->QueryGetData(&format) == S_OK;
}

std::vector<std::string> ReadFileList(IDataObject* data, size_t most) {
  std::vector<std::string> paths;
  if (!data) return paths;
  FORMATETC format = FileListFormat();
  STGMEDIUM medium{};
  if (FAILED(data->GetData(&format, &medium))) return paths;
  if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
    if (auto drop = static_cast<HDROP>(GlobalLock(medium.hGlobal))) {
      const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
      for (UINT i = 0; i < count && paths.size() < most; ++i) {
        // Each path is sized first: no fixed buffer cuts a long one.
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        if (length == 0) continue;
        std::wstring path(length + 1, L'\0');
        const UINT got = DragQueryFileW(drop, i, path.data(), length + 1);
        path.resize(got);
        if (!path.empty()) paths.push_back(Utf8(path));
      }
      GlobalUnlock(medium.hGlobal);
    }
  }
  ReleaseStgMedium(&medium);
  return paths;
}

bool RecycleOnePath(HWND owner, const std::string& path) {
  if (!IsRecyclablePath(path)) return false;
  // The source list ends with two NULs.
  std::wstring from = Wide(path);
  from.push_back(L'\0');
  SHFILEOPSTRUCTW op{};
  op.hwnd = owner;
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  // Recycled without the shell's own "are you sure" (the dock has asked), but with its
  // warning when the item cannot be recycled and would be deleted for good; failures
  // are reported by the dock in one message.
  op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING | FOF_NOERRORUI;
  const int result = SHFileOperationW(&op);
  return result == 0 && !op.fAnyOperationsAborted;
}

HRESULT DockDropTarget::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IDropTarget) {
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

HRESULT DockDropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) {
  hasFiles_ = HasFileList(data);
  allowed_ = effect ? *effect : DROPEFFECT_NONE;
  return DragOver(keys, at, effect);
}

HRESULT DockDropTarget::DragOver(DWORD, POINTL at, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  allowed_ = *effect;
  const POINT p = WindowPoint(at);
  try {
    *effect = controller_.DragOver(p.x, p.y, hasFiles_, allowed_);
  } catch (...) {
    LogCaughtFailure("a drag over the dock");
    *effect = DROPEFFECT_NONE;
  }
  return S_OK;
}

HRESULT DockDropTarget::DragLeave() {
  try {
    controller_.DragLeave();
  } catch (...) {
    LogCaughtFailure("a drag leaving the dock");
  }
  return S_OK;
}

HRESULT DockDropTarget::Drop(IDataObject* data, DWORD, POINTL at, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  const POINT p = WindowPoint(at);
  try {
    const bool hasFiles = HasFileList(data);
    // The paths are copied now: the data object belongs to the source and goes with it.
    *effect = controller_.Drop(p.x, p.y, hasFiles, hasFiles ? ReadFileList(data, 1024) : std::vector<std::string>{},
                               *effect);
  } catch (...) {
    LogCaughtFailure("a drop on the dock");
    *effect = DROPEFFECT_NONE;
  }
  return S_OK;
}

}  // namespace vek::win
