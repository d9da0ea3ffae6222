#include <gtest/gtest.h>

#include "support/item_world.h"

namespace vek {
namespace {

using test::ItemWorld;
constexpr RegRoot HKCR = RegRoot::kClassesRoot;

class DiscoveryTest : public ::testing::Test {
 protected:
  void SetUp() override { w.MakeGroup(4, "Group"); }
  ItemWorld w;
};

TEST_F(DiscoveryTest, FolderEntriesSkipHiddenOnesAndAddSubFoldersAsFolders) {
  const std::string desk = w.folders.DesktopDir;
  w.fs.AddFile(desk + "readme.txt");
  w.fs.AddFile(desk + "desktop.ini", "", attr::kArchive | attr::kHidden);
  w.fs.AddFolder(desk + "Projects");
  w.fs.AddFolder(desk + "Secret", attr::kDirectory | attr::kHidden);
  w.fs.AddFile(desk + "Projects\\inside.txt");
  EXPECT_EQ(w.discovery.AddFolderEntries(4, desk, "*.*", scan_mode::kAllVisible), 2);
  EXPECT_EQ(w.MemberTitles(4), (std::vector<std::string>{"readme.txt", "Projects"}));
  EXPECT_EQ(w.item(w.Members(4)[1]).IconFile, w.SysIcon("Folder.png"));
  // A second scan finds only what is already there.
  EXPECT_EQ(w.discovery.AddFolderEntries(4, desk, "*.*", scan_mode::kAllVisible), 0);
  EXPECT_EQ(w.Members(4).size(), 2u);
  // The shell's lone backslash for a folder it lacks names the current drive's root.
  w.fs.AddFile("\\stray.txt");
  EXPECT_EQ(w.discovery.AddFolderEntries(4, "\\", "*.*", scan_mode::kAllVisible), 0);
  // A full group ends the scan: the rest is not read only to be refused.
  w.fs.AddFolder(desk + "Many");
  for (int i = 0; i < 40; ++i) w.fs.AddFile(desk + "Many\\f" + std::to_string(i) + ".txt");
  int asked = 0;
  const auto count = [&] { return ++asked > 0; };
  EXPECT_EQ(w.discovery.AddFolderEntries(4, desk + "Many\\", "*.*", scan_mode::kAllVisible, count), 34);
  EXPECT_EQ(asked, 35);
}

TEST_F(DiscoveryTest, SystemGroupOrderDependsOnTheWindowsVersion) {
  w.fs.AddFile(w.folders.WindowsDir + "explorer.exe");
  int pumps = 0;
  w.discovery.AddSystemFoldersAndDrives(4, 5, [&] { ++pumps; });
  EXPECT_EQ(w.MemberTitles(4).front(), "My Documents");
  w.MakeGroup(5, "Other");
  w.discovery.AddSystemFoldersAndDrives(5, 6, [&] { ++pumps; });
  EXPECT_EQ(w.MemberTitles(5),
            (std::vector<std::string>{"Explorer", "My Documents", "My Pictures", "My Music", "My Videos",
                                      "My Favorites", "Program Files Directory", "Windows Directory",
                                      "System Directory", "Local Disk (C:)"}));
  EXPECT_EQ(pumps, 2);  // once after each drive
}

TEST_F(DiscoveryTest, ADriveWithoutADiscIsSkipped) {
  w.drives.Add("E:\\", drive_type::kCdRom);
  w.drives.Add("F:\\", drive_type::kCdRom);
  w.fs.AddFolder("F:\\");
  int pumps = 0;
  w.discovery.AddSystemFoldersAndDrives(4, 6, [&] { ++pumps; });
  const std::vector<std::string> titles = w.MemberTitles(4);
  EXPECT_EQ(std::count(titles.begin(), titles.end(), "DVD/CD - Drive (E:)"), 0);
  EXPECT_EQ(std::count(titles.begin(), titles.end(), "DVD/CD - Drive (F:)"), 1);
  EXPECT_EQ(pumps, 3);
}

TEST_F(DiscoveryTest, OfficeServersOfEitherViewAreCutAfterTheirProgramAndMissingOnesSkipped) {
  const std::string office = "C:\\Program Files\\Microsoft Office\\Office12\\";
  w.fs.AddFile(office + "WINWORD.EXE");
  w.fs.AddFile(office + "EXCEL.EXE");
  w.registry.PutText(HKCR, "Word.Application\\CLSID", "", "{000209FF}");
  w.registry.PutText(HKCR, "CLSID\\{000209FF}\\LocalServer32", "", office + "WINWORD.EXE /automation");
  w.registry.PutText(HKCR, "Excel.Application\\CLSID", "", "{00024500}");
  w.registry.PutText(HKCR, "CLSID\\{00024500}\\LocalServer32", "", "\"" + office + "EXCEL.EXE\" /automation");
  w.registry.PutText(HKCR, "Access.Application\\CLSID", "", "{73A4C9C1}");
  w.registry.PutText(HKCR, "PowerPoint.Application\\CLSID", "", "{91493441}");
  w.registry.PutText(HKCR, "CLSID\\{91493441}\\LocalServer32", "", office + "POWERPNT.EXE /automation");
  // A 32-bit Office on 64-bit Windows: its server is in the 32-bit view only.
  const std::string office32 = "C:\\Program Files (x86)\\Microsoft Office\\Office16\\";
  w.fs.AddFile(office32 + "MSACCESS.EXE");
  w.registry.PutText(HKCR, "Wow6432Node\\CLSID\\{73A4C9C1}\\LocalServer32", "", office32 + "MSACCESS.EXE /automation");
  EXPECT_EQ(w.discovery.AddOfficeApplications(4), 3);
  std::vector<std::string> links;
  for (int m : w.Members(4)) links.push_back(w.item(m).Link);
  EXPECT_EQ(links, (std::vector<std::string>{office + "WINWORD.EXE", office + "EXCEL.EXE", office32 + "MSACCESS.EXE"}));
}

}  // namespace
}  // namespace vek
