#include "core/stored_text.h"

namespace vek {

std::optional<std::string> UnstorableTextMessage(const std::string& typed, AnsiCodec& codec) {
  std::string ansi;
  if (codec.ToAnsi(typed, ansi)) return std::nullopt;
  return std::string(kTextNotStorable) + "\r\n\r\n" + typed;
}

std::string StoredPrefix(const std::string& text, size_t bytes, AnsiCodec& codec) {
  std::string ansi;
  codec.ToAnsi(text, ansi);
  if (ansi.size() <= bytes) return text;
  return codec.FromAnsi(std::string_view(ansi).substr(0, codec.FitPrefix(ansi, bytes)));
}

}  // namespace vek
