// Texts the user types that the configuration file keeps. It holds them in the system's
// code page, so a character the code page lacks would come back as "?" at the next start;
// such a text is refused where it is typed, with a word to the user, instead.
#pragma once

#include <optional>
#include <string>

#include "platform/ansi_codec.h"

namespace vek {

// Followed by CR LF, CR LF and the text.
constexpr char kTextNotStorable[] =
    "This text cannot be kept: the configuration file can only keep text written in the "
    "system's code page, and some of its characters are not. Please type it without them.";

// Followed by CR LF, CR LF and the text: a path or arguments cut short would open another.
constexpr char kTextTooLong[] =
    "This text is too long to be kept whole, and cut short it would open something else. "
    "Please shorten it.";

// The message that refuses `typed`, naming it, or nothing when the file keeps it as typed.
std::optional<std::string> UnstorableTextMessage(const std::string& typed, AnsiCodec& codec);

// True when `read` is what the file gives back for `whole`, a text the code page cannot
// hold whole (its missing characters come back as "?"): the program may put `whole` back.
bool IsStoredFormOf(const std::string& read, const std::string& whole, AnsiCodec& codec);

// The longest beginning of `text`, a text the code page holds, that a field of `bytes`
// bytes keeps whole. In a double-byte code page a character may take two bytes, so a text
// of as many characters as the field has bytes can still be too long for it.
std::string StoredPrefix(const std::string& text, size_t bytes, AnsiCodec& codec);

}  // namespace vek
