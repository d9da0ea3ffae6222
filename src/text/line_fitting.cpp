#include "text/line_fitting.h"

#include <algorithm>

#include "text/text.h"

namespace vek {

namespace {

constexpr char kEllipsis[] = "\xE2\x80\xA6";  // "…"

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The words of the text joined by single spaces.
std::string CollapseBlanks(std::string_view text) {
  std::string joined;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    const size_t start = i;
    while (i < text.size() && !IsBlank(text[i])) ++i;
    if (i == start) break;
    if (!joined.empty()) joined += ' ';
    joined.append(text.substr(start, i - start));
  }
  return joined;
}

// The byte lengths of the text's character prefixes, one per character (a character is
// one UTF-8 sequence; continuation bytes never start one).
std::vector<size_t> CharacterEnds(std::string_view text) {
  std::vector<size_t> ends;
  for (size_t i = 1; i <= text.size(); ++i)
    if (i == text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ends.push_back(i);
  return ends;
}

// The longest prefix of `text`, in whole characters, that `fits`; at least `least`
// characters even when those do not fit. A binary search: every prefix shorter than one
// that fits fits too.
size_t LongestFittingPrefix(std::string_view text, size_t least,
                            const std::function<bool(std::string_view)>& fits) {
  const std::vector<size_t> ends = CharacterEnds(text);
  size_t low = 0, high = ends.size();  // characters known to fit / the most to try
  while (low < high) {
    const size_t mid = (low + high + 1) / 2;
    if (fits(text.substr(0, ends[mid - 1])))
      low = mid;
    else
      high = mid - 1;
  }
  low = std::max(low, std::min(least, ends.size()));
  return low == 0 ? 0 : ends[low - 1];
}

}  // namespace

std::vector<std::string> FitTextLines(std::string_view text, float width, int maxLines, const LineMeasure& measure) {
  const std::string all = CollapseBlanks(text);
  const std::string_view s(all);
  const size_t most = static_cast<size_t>(std::max(maxLines, 1));
  auto fits = [&](std::string_view line) { return measure(line) <= width; };
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < s.size()) {
    const std::string_view rest = s.substr(pos);
    if (lines.size() + 1 == most) {
      if (fits(rest)) {
        lines.emplace_back(rest);
      } else {
        const size_t cut = LongestFittingPrefix(
            rest, 0, [&](std::string_view p) { return fits(TrimBlanks(p) + kEllipsis); });
        lines.push_back(TrimBlanks(rest.substr(0, cut)) + kEllipsis);
      }
      break;
    }
    size_t end = std::min(rest.find(' '), rest.size());
    if (!fits(rest.substr(0, end))) {
      // A word wider than a line goes on in the next one.
      end = LongestFittingPrefix(rest.substr(0, end), 1, fits);
      lines.emplace_back(rest.substr(0, end));
      pos += end;
      continue;
    }
    while (end < rest.size()) {
      const size_t next = std::min(rest.find(' ', end + 1), rest.size());
      if (!fits(rest.substr(0, next))) break;
      end = next;
    }
    lines.emplace_back(rest.substr(0, end));
    pos += end;
    if (pos < s.size() && s[pos] == ' ') ++pos;
  }
  return lines;
}

}  // namespace vek
