// UTF-8 text to and from an ANSI code page (normally the system's, CP_ACP) through the
// wide-character conversions of Win32.
#pragma once

#include <windows.h>

#include "platform/ansi_codec.h"

namespace vek::win {

class Win32AnsiCodec : public AnsiCodec {
 public:
  explicit Win32AnsiCodec(UINT codePage = CP_ACP);

  bool ToAnsi(std::string_view utf8, std::string& ansi) override;
  std::string FromAnsi(std::string_view ansi) override;
  size_t FitPrefix(std::string_view ansi, size_t maxBytes) override;

  UINT codePage() const { return codePage_; }

 private:
  UINT codePage_;
  UINT maxCharSize_ = 1;
};

}  // namespace vek::win
