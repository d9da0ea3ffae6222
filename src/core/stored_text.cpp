#include "core/stored_text.h"

#include "text/text.h"

namespace vek {

std::optional<std::string> UnstorableTextMessage(const std::string& typed, AnsiCodec& codec) {
  std::string ansi;
  if (codec.ToAnsi(typed, ansi)) return std::nullopt;
  return std::string(kTextNotStorable) + "\r\n\r\n" + typed;
}

bool IsStoredFormOf(const std::string& read, const std::string& whole, AnsiCodec& codec) {
  if (read == whole) return false;
  std::string ansi;
  codec.ToAnsi(whole, ansi);
  return TrimFixed(codec.FromAnsi(ansi)) == read;
}

std::string StoredPrefix(const std::string& text, size_t bytes, AnsiCodec& codec) {
  std::string ansi;
  codec.ToAnsi(text, ansi);
  if (ansi.size() <= bytes) return text;
  return codec.FromAnsi(std::string_view(ansi).substr(0, codec.FitPrefix(ansi, bytes)));
}

}  // namespace vek
