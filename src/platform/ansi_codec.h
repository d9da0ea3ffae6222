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

  // True when every single byte converts to text and back to itself, as in a single-byte
  // code page that defines all its bytes: then any stored text converts back to the bytes
  // it was read from, and readers need not check each one. A multi-byte code page, whose
  // lead bytes mean nothing alone, says no. Worked out once.
  bool GivesBackEveryByte() {
    if (everyByte_ < 0) {
      everyByte_ = 1;
      std::string back;
      for (int b = 1; b < 256 && everyByte_ == 1; ++b) {
        const std::string one(1, static_cast<char>(b));
        if (!ToAnsi(FromAnsi(one), back) || back != one) everyByte_ = 0;
      }
    }
    return everyByte_ == 1;
  }

 private:
  int everyByte_ = -1;  // not yet known
};

}  // namespace vek
