#include <gtest/gtest.h>

#include "support/fakes.h"

namespace vek {
namespace {

TEST(FakeFileSystemTest, ListsTheDirectChildrenOfAFolder) {
  test::FakeFileSystem fs;
  fs.AddFile("C:\\Desk\\a.lnk");
  fs.AddFile("C:\\Desk\\Sub\\deep.txt");
  fs.AddFile("C:\\Desktop2\\other.txt");
  std::vector<std::string> names;
  for (const DirEntry& e : fs.List("C:\\Desk\\", "*.*")) names.push_back(e.name);
  EXPECT_EQ(names, (std::vector<std::string>{".", "..", "Sub", "a.lnk"}));
  EXPECT_EQ(fs.List("C:\\Desk", "*.lnk").size(), 3u);
}

}  // namespace
}  // namespace vek
