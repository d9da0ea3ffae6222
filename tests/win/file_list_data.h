// The shell's file list (CF_HDROP, wide paths) as a drag source's data object offers it;
// used by the drop target's tests and by the end-to-end tests' drag helper. Lives on
// the stack: reference counting does nothing.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

namespace vek::test {

class FileListData : public IDataObject {
 public:
  explicit FileListData(const std::vector<std::wstring>& paths) {
    std::wstring list;
    for (const std::wstring& p : paths) list += p + L'\0';
    list += L'\0';
    bytes_.resize(sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    auto* header = reinterpret_cast<DROPFILES*>(bytes_.data());
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(bytes_.data() + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
  }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == IID_IDataObject) {
      *out = static_cast<IDataObject*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes_.size());
    if (!memory) return E_OUTOFMEMORY;
    std::memcpy(GlobalLock(memory), bytes_.data(), bytes_.size());
    GlobalUnlock(memory);
    *medium = STGMEDIUM{};
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = memory;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    return withFiles && format && format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL) ? S_OK
                                                                                                   : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    if (out) out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
    if (direction != DATADIR_GET) return E_NOTIMPL;
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return SHCreateStdEnumFmtEtc(1, &format, out);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

  bool withFiles = true;  // false: offers nothing at all

 private:
  std::vector<unsigned char> bytes_;
};

}  // namespace vek::test
