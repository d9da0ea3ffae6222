#include "search/search_box.h"

#include <gtest/gtest.h>

#include "core/search_engines.h"
#include "support/recorders.h"

namespace vek {
namespace {

TEST(SearchAddress, EncodesTheTrimmedQueryAfterThePrefix) {
  struct Case {
    int32_t engine;
    const char* query;
    std::string address;
  } cases[] = {
      {0, "a b&c=d#\xC3\xBC", "https://www.google.com/search?q=a%20b%26c%3Dd%23%C3%BC"},
      {0, "", "https://www.google.com/search?q="},
      {0, " \t ", "https://www.google.com/search?q="},
      {2, "  C++ & friends ", "https://www.bing.com/search?q=C%2B%2B%20%26%20friends"},
      {6, "AZaz09-_.~", "https://en.wikipedia.org/wiki/Special:Search?search=AZaz09-_.~"},
      {7, "100%+?/", "https://www.baidu.com/s?wd=100%25%2B%3F%2F"},
      {8, "\xE6\xB7\x98", "https://s.taobao.com/search?q=%E6%B7%98"},
      {-1, "x", "https://www.google.com/search?q=x"},
      {99, "x", "https://www.google.com/search?q=x"},
  };
  for (const auto& c : cases) EXPECT_EQ(SearchAddress(c.engine, c.query), c.address) << c.query;
}

TEST(EngineMenuCaption, AccessKeyOnTheFirstLetterOrTheNameWithoutItsGloss) {
  const char* const captions[] = {"&Google", "&Yahoo", "&Bing", "&Amazon", "&Answers.com", "&eBay", "&Wikipedia",
                                  "\xE7\x99\xBE\xE5\xBA\xA6", "\xE6\xB7\x98\xE5\xAE\x9D"};
  for (int32_t e = 0; e <= kSearchEngineCount; ++e) EXPECT_EQ(EngineMenuCaption(e), captions[e % kSearchEngineCount]);
}

TEST(SearchAddress, ALongQueryIsKeptWholeUntilTheAddressIsFullThenCutBetweenCharacters) {
  std::string wide;
  for (size_t i = 0; i < SearchQueryMaxLength(); ++i) wide += "\xE6\xB7\x98";  // one UTF-16 unit each
  const std::string google = SearchAddress(0, "");
  for (int32_t e = 0; e < kSearchEngineCount; ++e) {
    const std::string address = SearchAddress(e, wide);
    EXPECT_LT(address.size(), kSearchAddressLimit);
    EXPECT_EQ((address.size() - SearchAddress(e, "").size()) % 9, 0u);  // whole characters only
  }
  // A pasted message of 300 letters stays whole.
  EXPECT_EQ(SearchAddress(0, std::string(300, 'a')), google + std::string(300, 'a'));
  EXPECT_GT(SearchQueryMaxLength(), 1500u);
}

class RecordingOpener : public AddressOpener {
 public:
  bool OpenAddress(const std::string& address, std::string& reason) override {
    opened.push_back(address);
    if (!works) reason = "No program is set to open web addresses.";
    return works;
  }
  std::vector<std::string> opened;
  bool works = true;
};

TEST(SearchBoxController, KeysSearchCloseOrDoNothing) {
  struct Case {
    int key;
    SearchBoxController::Outcome outcome;
    const char* opened;  // nullptr: nothing opened
  } cases[] = {
      {13, SearchBoxController::Outcome::kClose, "https://search.yahoo.com/search?p=cats"},  // the chosen engine
      {112, SearchBoxController::Outcome::kClose, "https://www.google.com/search?q=cats"},   // F1
      {114, SearchBoxController::Outcome::kClose, "https://www.bing.com/search?q=cats"},     // F3
      {120, SearchBoxController::Outcome::kClose, "https://s.taobao.com/search?q=cats"},     // F9
      {121, SearchBoxController::Outcome::kNone, nullptr},                                   // F10
      {123, SearchBoxController::Outcome::kNone, nullptr},                                   // F12
      {27, SearchBoxController::Outcome::kClose, nullptr},                                   // Esc
      {'A', SearchBoxController::Outcome::kNone, nullptr},
  };
  for (const auto& c : cases) {
    AppSettings settings;
    settings.SearchEngine = 1;
    RecordingOpener opener;
    test::RecordingPrompt prompt;
    SearchBoxController box(settings, opener, prompt);
    EXPECT_EQ(box.Key(c.key, "cats"), c.outcome) << c.key;
    if (c.opened) {
      ASSERT_EQ(opener.opened.size(), 1u) << c.key;
      EXPECT_EQ(opener.opened[0], c.opened);
    } else {
      EXPECT_TRUE(opener.opened.empty()) << c.key;
    }
    EXPECT_EQ(settings.SearchEngine, 1) << "a function key searches once without changing the engine";
    EXPECT_TRUE(prompt.asked.empty());
  }
}

TEST(SearchBoxController, AFailedSearchIsReportedAndKeepsTheBoxOpen) {
  AppSettings settings;
  RecordingOpener opener;
  opener.works = false;
  test::RecordingPrompt prompt;
  SearchBoxController box(settings, opener, prompt);
  EXPECT_EQ(box.Key(13, "cats"), SearchBoxController::Outcome::kKeepOpen);
  ASSERT_EQ(prompt.asked.size(), 1u);
  EXPECT_NE(prompt.asked[0].text.find("https://www.google.com/search?q=cats"), std::string::npos);
  EXPECT_NE(prompt.asked[0].text.find("No program is set"), std::string::npos);
}

TEST(SearchBoxController, TheMenuChoiceIsKeptAndAStoredEngineOutOfRangeFallsBack) {
  AppSettings settings;
  RecordingOpener opener;
  test::RecordingPrompt prompt;
  SearchBoxController box(settings, opener, prompt);
  box.ChooseEngine(6);
  EXPECT_EQ(settings.SearchEngine, 6);
  settings.SearchEngine = 40;
  EXPECT_EQ(box.ChosenEngine(), 0);
  box.Search(-1, "x");
  EXPECT_EQ(opener.opened.back(), "https://www.google.com/search?q=x");
}

}  // namespace
}  // namespace vek
