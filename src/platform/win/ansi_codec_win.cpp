#include "platform/win/ansi_codec_win.h"

#include "platform/win/text_win.h"

namespace vek::win {

namespace {
bool IsUtf8Lead(unsigned char c) { return (c & 0xC0) != 0x80; }
}  // namespace

Win32AnsiCodec::Win32AnsiCodec(UINT codePage)
    : codePage_(codePage == CP_ACP ? GetACP() : codePage) {
  CPINFO info{};
  if (GetCPInfo(codePage_, &info)) maxCharSize_ = info.MaxCharSize;
}

bool Win32AnsiCodec::ToAnsi(std::string_view utf8, std::string& ansi) {
  ansi.clear();
  if (utf8.empty()) return true;
  // Malformed UTF-8 becomes U+FFFD here, which no ANSI code page holds.
  const std::wstring wide = Wide(utf8);
  const int n = static_cast<int>(wide.size());
  if (codePage_ == CP_UTF8) {
    ansi = Utf8(wide);
    return ansi == utf8;
  }
  // No best-fit mapping: a character the code page lacks must show up as the default
  // character, never as a look-alike that names another file.
  BOOL usedDefault = FALSE;
  int size = WideCharToMultiByte(codePage_, WC_NO_BEST_FIT_CHARS, wide.data(), n, nullptr, 0,
                                 nullptr, &usedDefault);
  if (size > 0) {
    ansi.resize(static_cast<size_t>(size));
    WideCharToMultiByte(codePage_, WC_NO_BEST_FIT_CHARS, wide.data(), n, ansi.data(), size,
                        nullptr, &usedDefault);
    return !usedDefault && FromAnsi(ansi) == Utf8(wide);
  }
  // Code pages that take no flags: convert plainly and compare the way back.
  size = WideCharToMultiByte(codePage_, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
  if (size <= 0) {
    ansi.assign(wide.size(), '?');
    return false;
  }
  ansi.resize(static_cast<size_t>(size));
  WideCharToMultiByte(codePage_, 0, wide.data(), n, ansi.data(), size, nullptr, nullptr);
  return FromAnsi(ansi) == Utf8(wide);
}

std::string Win32AnsiCodec::FromAnsi(std::string_view ansi) {
  if (ansi.empty()) return {};
  const int n = static_cast<int>(ansi.size());
  const int size = MultiByteToWideChar(codePage_, 0, ansi.data(), n, nullptr, 0);
  if (size <= 0) return std::string(ansi.size(), '?');
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(codePage_, 0, ansi.data(), n, wide.data(), size);
  return Utf8(wide);
}

size_t Win32AnsiCodec::FitPrefix(std::string_view ansi, size_t maxBytes) {
  if (ansi.size() <= maxBytes) return ansi.size();
  if (codePage_ == CP_UTF8) {
    size_t end = maxBytes;
    while (end > 0 && !IsUtf8Lead(static_cast<unsigned char>(ansi[end]))) --end;
    return end;
  }
  if (maxCharSize_ <= 1) return maxBytes;
  size_t i = 0;
  while (i < ansi.size()) {
    const size_t step = IsDBCSLeadByteEx(codePage_, static_cast<BYTE>(ansi[i])) ? 2 : 1;
    if (i + step > maxBytes) break;
    i += step;
  }
  return i;
}

}  // namespace vek::win
