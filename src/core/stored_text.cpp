#include "core/stored_text.h"

namespace vek {

std::optional<std::string> UnstorableTextMessage(const std::string& typed, AnsiCodec& codec) {
  std::string ansi;
  if (codec.ToAnsi(typed, ansi)) return std::nullopt;
  return std::string(kTextNotStorable) + "\r\n\r\n" + typed;
}

}  // namespace vek
