#include "search/search_box.h"

#include <algorithm>
#include <cstring>

#include "core/search_engines.h"
#include "text/text.h"

namespace vek {

namespace {
constexpr int kKeyEnter = 13;
constexpr int kKeyEscape = 27;
constexpr int kKeyF1 = 112;

bool Unreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
         c == '.' || c == '~';
}

int32_t ValidEngine(int32_t engine) { return engine >= 0 && engine < kSearchEngineCount ? engine : 0; }
}  // namespace

std::string PercentEncode(std::string_view utf8) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(utf8.size() * 3);
  for (const char ch : utf8) {
    const auto c = static_cast<unsigned char>(ch);
    if (Unreserved(c)) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0x0F];
    }
  }
  return out;
}

std::string SearchAddress(int32_t engine, std::string_view queryUtf8) {
  std::string address = kSearchEngines[ValidEngine(engine)].queryPrefix;
  const std::string query = TrimBlanks(queryUtf8);
  // A query whose address would outgrow the limit is cut after its last whole character
  // that fits, never inside one.
  for (size_t i = 0; i < query.size();) {
    size_t length = 1;
    while (i + length < query.size() && (static_cast<unsigned char>(query[i + length]) & 0xC0) == 0x80) ++length;
    const std::string encoded = PercentEncode(std::string_view(query).substr(i, length));
    if (address.size() + encoded.size() >= kSearchAddressLimit) break;
    address += encoded;
    i += length;
  }
  return address;
}

std::string EngineMenuCaption(int32_t engine) {
  const std::string_view name = kSearchEngines[ValidEngine(engine)].name;
  const char first = name.empty() ? '\0' : name.front();
  if ((first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z')) return "&" + std::string(name);
  return TrimBlanks(name.substr(0, name.find('(')));
}

size_t SearchQueryMaxLength() {
  size_t longest = 0;
  for (const auto& e : kSearchEngines) longest = std::max(longest, std::strlen(e.queryPrefix));
  return kSearchAddressLimit - 1 - longest;
}

SearchBoxController::Outcome SearchBoxController::Key(int virtualKey, const std::string& queryUtf8) {
  if (virtualKey == kKeyEscape) return Outcome::kClose;
  if (virtualKey == kKeyEnter) return Search(-1, queryUtf8);
  if (virtualKey >= kKeyF1 && virtualKey < kKeyF1 + kSearchEngineCount) return Search(virtualKey - kKeyF1, queryUtf8);
  return Outcome::kNone;
}

SearchBoxController::Outcome SearchBoxController::Search(int32_t engine, const std::string& queryUtf8) {
  const std::string address = SearchAddress(engine < 0 ? ChosenEngine() : engine, queryUtf8);
  std::string reason;
  if (opener_.OpenAddress(address, reason)) return Outcome::kClose;
  prompt_.Warn("VEK Desktop could not open the web search:\n" + address + (reason.empty() ? "" : "\n\n" + reason));
  return Outcome::kKeepOpen;
}

void SearchBoxController::ChooseEngine(int32_t engine) { settings_.SearchEngine = ValidEngine(engine); }

int32_t SearchBoxController::ChosenEngine() const { return ValidEngine(settings_.SearchEngine); }

}  // namespace vek
