// A drag source for the end-to-end tests: offers the files named on its command line as
// the shell's file list (CF_HDROP) through DoDragDrop, from where the pointer is. The
// test moves the pointer with xdotool; the files are dropped where the pointer is once
// the file named by --drop-when exists (or the left button is released), and the drag
// is cancelled once the file named by --cancel-when exists. Prints the effect the
// target reported ("none", "copy", "move", "link") and its own result.
//
//   dragfiles --drop-when FILE --cancel-when FILE PATH...
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

#include "file_list_data.h"

namespace {

std::wstring dropWhen, cancelWhen;

bool Exists(const std::wstring& path) { return !path.empty() && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class Source : public IDropSource {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == IID_IDropSource) {
      *out = static_cast<IDropSource*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
    if (escape || Exists(cancelWhen)) return DRAGDROP_S_CANCEL;
    if (Exists(dropWhen)) return DRAGDROP_S_DROP;
    (void)keys;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override {
    lastEffect = effect;
    return DRAGDROP_S_USEDEFAULTCURSORS;
  }
  DWORD lastEffect = 0;
};

const char* EffectName(DWORD effect) {
  if (effect & DROPEFFECT_MOVE) return "move";
  if (effect & DROPEFFECT_LINK) return "link";
  if (effect & DROPEFFECT_COPY) return "copy";
  return "none";
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::wstring> paths;
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    if (arg == L"--drop-when" && i + 1 < argc)
      dropWhen = argv[++i];
    else if (arg == L"--cancel-when" && i + 1 < argc)
      cancelWhen = argv[++i];
    else
      paths.push_back(arg);
  }
  if (paths.empty()) return 2;
  if (FAILED(OleInitialize(nullptr))) return 3;
  Source source;
  vek::test::FileListData data(paths);
  DWORD effect = DROPEFFECT_NONE;
  // Every effect is offered, a move too: the target must never choose it.
  const HRESULT hr = DoDragDrop(&data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
  std::printf("%s %s\n", hr == DRAGDROP_S_DROP ? "dropped" : hr == DRAGDROP_S_CANCEL ? "cancelled" : "failed",
              EffectName(hr == DRAGDROP_S_DROP ? effect : source.lastEffect));
  std::fflush(stdout);
  OleUninitialize();
  return hr == DRAGDROP_S_DROP ? 0 : 1;
}
