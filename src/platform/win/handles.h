// Move-only owners for Windows handles: each closes its handle exactly once, on every
// path. Copying is deleted.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <ole2.h>

#include <utility>

namespace vek::win {

template <typename T, typename Traits>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(T handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  T get() const { return handle_; }
  explicit operator bool() const { return Traits::Valid(handle_); }
  T release() { return std::exchange(handle_, Traits::Invalid()); }
  void reset(T handle = Traits::Invalid()) {
    if (Traits::Valid(handle_)) Traits::Close(handle_);
    handle_ = handle;
  }
  // For out-parameters of API calls: releases what is held and hands out the slot.
  T* put() {
    reset();
    return &handle_;
  }

 private:
  T handle_ = Traits::Invalid();
};

struct KernelHandleTraits {
  static HANDLE Invalid() { return nullptr; }
  static bool Valid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { CloseHandle(h); }
};
struct FindHandleTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static bool Valid(HANDLE h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
  static void Close(HANDLE h) { FindClose(h); }
};
struct HKeyTraits {
  static HKEY Invalid() { return nullptr; }
  static bool Valid(HKEY h) { return h != nullptr; }
  static void Close(HKEY h) { RegCloseKey(h); }
};
struct HModuleTraits {
  static HMODULE Invalid() { return nullptr; }
  static bool Valid(HMODULE h) { return h != nullptr; }
  static void Close(HMODULE h) { FreeLibrary(h); }
};
struct HIconTraits {
  static HICON Invalid() { return nullptr; }
  static bool Valid(HICON h) { return h != nullptr; }
  static void Close(HICON h) { DestroyIcon(h); }
};
template <typename T>
struct GdiObjectTraits {
  static T Invalid() { return nullptr; }
  static bool Valid(T h) { return h != nullptr; }
  static void Close(T h) { DeleteObject(h); }
};
struct HMenuTraits {
  static HMENU Invalid() { return nullptr; }
  static bool Valid(HMENU h) { return h != nullptr; }
  static void Close(HMENU h) { DestroyMenu(h); }
};
struct HookTraits {
  static HHOOK Invalid() { return nullptr; }
  static bool Valid(HHOOK h) { return h != nullptr; }
  static void Close(HHOOK h) { UnhookWindowsHookEx(h); }
};
struct MemoryDcTraits {
  static HDC Invalid() { return nullptr; }
  static bool Valid(HDC h) { return h != nullptr; }
  static void Close(HDC h) { DeleteDC(h); }
};

using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;
using UniqueFindHandle = UniqueHandle<HANDLE, FindHandleTraits>;
using UniqueHKey = UniqueHandle<HKEY, HKeyTraits>;
using UniqueModule = UniqueHandle<HMODULE, HModuleTraits>;
using UniqueIcon = UniqueHandle<HICON, HIconTraits>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectTraits<HBITMAP>>;
using UniqueFont = UniqueHandle<HFONT, GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectTraits<HBRUSH>>;
using UniqueRegion = UniqueHandle<HRGN, GdiObjectTraits<HRGN>>;
using UniqueMenu = UniqueHandle<HMENU, HMenuTraits>;
using UniqueMemoryDc = UniqueHandle<HDC, MemoryDcTraits>;
using UniqueHook = UniqueHandle<HHOOK, HookTraits>;

// A DC obtained with GetDC, released with ReleaseDC for the same window.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// Owner of one COM interface pointer.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      reset();
      p_ = std::exchange(other.p_, nullptr);
    }
    return *this;
  }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  T** put() {
    reset();
    return &p_;
  }
  void** put_void() { return reinterpret_cast<void**>(put()); }
  void reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }
  template <typename U>
  HRESULT As(ComPtr<U>& out) const {
    return p_ ? p_->QueryInterface(__uuidof(U), out.put_void()) : E_POINTER;
  }

 private:
  T* p_ = nullptr;
};

// OLE, and with it COM in a single-threaded apartment, initialised for the current thread
// for the lifetime of the object. Shell links, the shell's automation objects and drag
// and drop all need it on the thread that uses them.
class OleScope {
 public:
  OleScope() : hr_(OleInitialize(nullptr)) {}
  ~OleScope() {
    if (SUCCEEDED(hr_)) OleUninitialize();
  }
  OleScope(const OleScope&) = delete;
  OleScope& operator=(const OleScope&) = delete;
  bool ok() const { return SUCCEEDED(hr_); }

 private:
  HRESULT hr_;
};

}  // namespace vek::win
