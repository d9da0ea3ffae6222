#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/line_fitting.h"

namespace vek {
namespace {

// A long title fitted into a menu row's lines, every character one unit wide.
TEST(LineFittingTest, BreaksAtBlanksAndEndsWithAnEllipsisWhenTheTextDoesNotFit) {
  const auto characters = [](std::string_view text) {
    float n = 0;
    for (unsigned char c : text) n += (c & 0xC0) != 0x80 ? 1.0f : 0.0f;
    return n;
  };
  struct Case {
    const char* text;
    float width;
    int lines;
    std::vector<std::string> want;
  };
  const Case cases[] = {
      {"", 10, 2, {}},
      {"  Notepad  ", 10, 2, {"Notepad"}},
      {"one  two\tthree", 7, 2, {"one two", "three"}},
      {"one two three four", 7, 2, {"one two", "three…"}},
      {"abcdefghij", 4, 3, {"abcd", "efgh", "ij"}},
      {"abcdefghij", 4, 2, {"abcd", "efg…"}},
      {"ab abcdefgh", 4, 3, {"ab", "abcd", "efgh"}},
      {"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", 3, 1, {"\xC3\xA9\xC3\xA9…"}},
      {"Tools", 0.5f, 2, {"T", "…"}},
      {"Tools and more", 20, 0, {"Tools and more"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FitTextLines(c.text, c.width, c.lines, characters), c.want) << c.text << " in " << c.width;
}

}  // namespace
}  // namespace vek
