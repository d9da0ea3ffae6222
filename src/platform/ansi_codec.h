// Conversion between the core's UTF-8 text and the system ANSI code page, used only where
// a stored format holds ANSI bytes (the configuration and backup records). The Windows
// side converts through the system code page; the native tests use a Windows-1252 table.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vek {

class AnsiCodec {
 public:
  virtual ~AnsiCodec() = default;

  // Converts UTF-8 text to ANSI bytes. Characters the code page cannot hold exactly are
  // replaced by its default character and the result is false, so a caller can refuse
  // a path that would not survive being stored. NUL characters are kept.
  virtual bool ToAnsi(std::string_view utf8, std::string& ansi) = 0;
  // Converts ANSI bytes to UTF-8 text. NUL bytes are kept.
  virtual std::string FromAnsi(std::string_view ansi) = 0;
  // The length of the longest prefix of `ansi` that is at most `maxBytes` long and does
  // not end inside a multi-byte character.
  virtual size_t FitPrefix(std::string_view ansi, size_t maxBytes) = 0;
};

}  // namespace vek
