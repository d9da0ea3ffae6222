#include <gtest/gtest.h>

#include "icons/version_resource.h"
#include "support/version_bytes.h"

namespace vek {
namespace {

using test::VersionBytes;

VersionBytes AllFields() {
  VersionBytes v;
  for (int field = 0; field < version_field::kCount; ++field)
    v.strings.push_back({VersionFieldKey(field), std::string("value of ") + VersionFieldKey(field)});
  return v;
}

// Keys of even length (Comments) have no padding before their value, keys of odd length
// (FileDescription) one character: both must read the whole value.
TEST(VersionResourceTest, EveryFieldOfTheTableReadsItsWholeValue) {
  const Bytes bytes = AllFields().Build();
  for (int field = 0; field < version_field::kCount; ++field)
    EXPECT_EQ(GetVersionString(bytes, field), std::string("value of ") + VersionFieldKey(field)) << field;
}

TEST(VersionResourceTest, UnknownFieldsMissingKeysAndEmptyValuesGiveEmptyText) {
  VersionBytes v;
  v.strings = {{"Comments", ""}, {"CompanyName", "Kestrovan"}};
  const Bytes bytes = v.Build();
  // An entry without a value (Comments) must not read into the next entry.
  for (int field : {-1, int{version_field::kCount}, int{version_field::kFileDescription}, int{version_field::kComments}})
    EXPECT_EQ(GetVersionString(bytes, field), "") << field;
  EXPECT_EQ(GetVersionString(bytes, version_field::kCompanyName), "Kestrovan");
  EXPECT_EQ(GetVersionString(nullptr, 0, 6), "");
  EXPECT_EQ(GetVersionString(Bytes{}, 6), "");
}

TEST(VersionResourceTest, KeysMatchWholeAndTextsComeBackAsUtf8) {
  VersionBytes v;
  const std::string wide = "\xE7\x99\xBE\xE5\xBA\xA6 B\xC3\xBC" "cher \xF0\x9F\x93\x9A";
  v.strings = {{"FileDescriptionShort", "wrong"}, {"FileDescription", wide}};
  EXPECT_EQ(GetVersionString(v.Build(), version_field::kFileDescription), wide);
  // Some tools count the value length in bytes: the text still ends at its NUL.
  v.valueLengthInBytes = true;
  EXPECT_EQ(GetVersionString(v.Build(), version_field::kFileDescription), wide);
}

// Cut anywhere, the resource gives the value, a part of it, or nothing: never more, and
// never a read past the end (the address sanitizer and the fuzzer check the latter).
TEST(VersionResourceTest, TruncatedResourcesGiveAPrefixOfTheValueOrNothing) {
  const Bytes whole = AllFields().Build();
  const std::string full = "value of FileDescription";
  for (size_t size = 0; size <= whole.size(); ++size) {
    const Bytes cut(whole.begin(), whole.begin() + static_cast<long>(size));
    const std::string got = GetVersionString(cut, version_field::kFileDescription);
    EXPECT_EQ(full.compare(0, got.size(), got), 0) << size;
  }
}

class OneFile : public VersionResourceSource {
 public:
  bool ReadVersionResource(const std::string& file, Bytes& out) override {
    if (file != "C:\\App.exe") return false;
    out = AllFields().Build();
    return true;
  }
};

TEST(VersionResourceTest, AFileWithoutAResourceGivesEmptyText) {
  OneFile source;
  EXPECT_EQ(GetVersionString(source, "C:\\App.exe", version_field::kProductName), "value of ProductName");
  EXPECT_EQ(GetVersionString(source, "C:\\Other.exe", version_field::kProductName), "");
}

}  // namespace
}  // namespace vek
