// Owners for the COM value types BSTR and VARIANT.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <utility>

namespace vek::win {

class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(const std::wstring& text) : b_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  ~Bstr() { SysFreeString(b_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  Bstr(Bstr&& other) noexcept : b_(std::exchange(other.b_, nullptr)) {}

  BSTR get() const { return b_; }
  BSTR* put() {
    SysFreeString(b_);
    b_ = nullptr;
    return &b_;
  }
  std::wstring str() const { return b_ ? std::wstring(b_, SysStringLen(b_)) : std::wstring(); }

 private:
  BSTR b_ = nullptr;
};

class Variant {
 public:
  Variant() { VariantInit(&v_); }
  explicit Variant(const std::wstring& text) {
    VariantInit(&v_);
    v_.vt = VT_BSTR;
    v_.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  }
  ~Variant() { VariantClear(&v_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;

  VARIANT* get() { return &v_; }
  const VARIANT& value() const { return v_; }
  // The value as text (converted when it is not text); empty when it cannot be.
  std::wstring Text() const {
    VARIANT converted;
    VariantInit(&converted);
    std::wstring out;
    if (SUCCEEDED(VariantChangeType(&converted, const_cast<VARIANT*>(&v_), 0, VT_BSTR)) && converted.bstrVal)
      out.assign(converted.bstrVal, SysStringLen(converted.bstrVal));
    VariantClear(&converted);
    return out;
  }
  long Number() const {
    VARIANT converted;
    VariantInit(&converted);
    long out = 0;
    if (SUCCEEDED(VariantChangeType(&converted, const_cast<VARIANT*>(&v_), 0, VT_I4))) out = converted.lVal;
    VariantClear(&converted);
    return out;
  }

 private:
  VARIANT v_;
};

}  // namespace vek::win
