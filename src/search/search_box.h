// What the search box does, apart from its window: the address a query becomes, the
// keys it answers to and which engine a search uses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/model.h"
#include "platform/prompt.h"

namespace vek {

// Percent-encodes UTF-8 text byte by byte, keeping only A-Z a-z 0-9 - _ . ~, so that no
// character of the query can end or add a parameter of the address.
std::string PercentEncode(std::string_view utf8);

// The engine's query prefix followed by the query, trimmed of leading and trailing
// blanks and percent-encoded; an empty query gives the bare prefix. An engine outside
// the table counts as the first.
std::string SearchAddress(int32_t engine, std::string_view queryUtf8);

// The engine menu's caption for `engine`: its name with the access key on its first
// letter, or, for a name that does not begin with a Latin letter, the name before its
// bracketed Latin gloss. An engine outside the table counts as the first.
std::string EngineMenuCaption(int32_t engine);

// Addresses stay below this length, which browsers and the shell all take.
constexpr size_t kSearchAddressLimit = 2000;
// The most characters (UTF-16 units) the query field takes: as many as the longest
// engine's address has room for when each stays one character. A query that encodes
// longer is cut where its address reaches the limit (SearchAddress).
size_t SearchQueryMaxLength();

// Opens an address in the user's browser; false with a reason when it cannot.
class AddressOpener {
 public:
  virtual ~AddressOpener() = default;
  virtual bool OpenAddress(const std::string& addressUtf8, std::string& reason) = 0;
};

class SearchBoxController {
 public:
  enum class Outcome {
    kNone,      // nothing happens (a key that names no engine)
    kClose,     // the box closes: Esc, or a search that opened the browser
    kKeepOpen,  // a search failed and was reported: the box and its text stay
  };

  SearchBoxController(AppSettings& settings, AddressOpener& opener, UserPrompt& prompt)
      : settings_(settings), opener_(opener), prompt_(prompt) {}

  // A key pressed in the box: Esc closes, Enter searches with the chosen engine, F1-F9
  // search once with engines 0-8 without changing the chosen one. F10-F12 and the
  // others do nothing.
  Outcome Key(int virtualKey, const std::string& queryUtf8);
  // Searches with `engine` (-1: the chosen one).
  Outcome Search(int32_t engine, const std::string& queryUtf8);
  // The engine menu: the engine of every later search, kept in the settings.
  void ChooseEngine(int32_t engine);
  int32_t ChosenEngine() const;

 private:
  AppSettings& settings_;
  AddressOpener& opener_;
  UserPrompt& prompt_;
};

}  // namespace vek
