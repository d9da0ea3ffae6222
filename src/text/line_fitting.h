// Fitting a text into a box of a few lines, the way a menu row shows a long title: broken
// at blanks into lines no wider than the box, and ended with "…" when it does not fit.
// The widths come from the caller (the Windows side measures with the row's font), so
// every graphics library shows the same lines.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vek {

// The width of one line of UTF-8 text as it would be drawn.
using LineMeasure = std::function<float(std::string_view)>;

// Breaks `text` into at most `maxLines` (at least 1) lines of at most `width`: at blanks,
// or inside a word that is wider than a line by itself. Blanks at the ends go and runs
// of blanks count as one. When the text does not fit, the last line holds as much of the
// rest as fits before a closing "…". An empty text gives no lines.
std::vector<std::string> FitTextLines(std::string_view text, float width, int maxLines, const LineMeasure& measure);

}  // namespace vek
