#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "text/line_fitting.h"

namespace vek {
namespace {

// A long title fitted into a menu row's lines, every character one unit wide.
TEST(LineFittingTest, BreaksAtBlanksAndEndsWithAnEllipsisWhenTheTextDoesNotFit) {
  const auto characters = [](std::string_view text) {
    return static_cast<float>(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
  };
  const std::tuple<const char*, float, int, std::vector<std::string>> cases[] = {
      {"", 10, 2, {}},
      {"  one  two\tthree ", 7, 2, {"one two", "three"}},
      {"one two three four", 7, 2, {"one two", "three…"}},
      {"abcdefghij", 4, 3, {"abcd", "efgh", "ij"}},
      {"abcdefghij", 4, 2, {"abcd", "efg…"}},
      {"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", 3, 1, {"\xC3\xA9\xC3\xA9…"}},
      {"Tools", 0.5f, 2, {"T", "…"}},
      {"Tools and more", 20, 0, {"Tools and more"}},
  };
  for (const auto& [text, width, lines, want] : cases)
    EXPECT_EQ(FitTextLines(text, width, lines, characters), want) << text << " in " << width;
}

}  // namespace
}  // namespace vek
