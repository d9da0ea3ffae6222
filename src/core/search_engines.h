// The web search engines the search box offers, in the order the settings' engine index
// counts them. Every engine is asked over its secure address; the query text follows
// the prefix as typed.
#pragma once

#include <cstdint>

namespace vek {

struct SearchEngine {
  const char* name;         // at most 32 characters
  const char* queryPrefix;  // at most 128 characters
};

constexpr SearchEngine kSearchEngines[] = {
    {"Google", "https://www.google.com/search?q="},
    {"Yahoo", "https://search.yahoo.com/search?p="},
    {"Bing", "https://www.bing.com/search?q="},
    {"Amazon", "https://www.amazon.com/s/ref=nb_sb_noss?url=search-alias%3Daps&field-keywords="},
    {"Answers.com", "https://www.answers.com/main/ntquery?s="},
    {"eBay", "https://shop.ebay.com/i.html?_nkw="},
    {"Wikipedia", "https://en.wikipedia.org/wiki/Special:Search?search="},
    {"\xE7\x99\xBE\xE5\xBA\xA6(Baidu)", "https://www.baidu.com/s?wd="},
    {"\xE6\xB7\x98\xE5\xAE\x9D(Taobao)", "https://s.taobao.com/search?q="},
};
constexpr int32_t kSearchEngineCount = sizeof(kSearchEngines) / sizeof(kSearchEngines[0]);

}  // namespace vek
