// Drives and version resources of the real system.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/paths.h"
#include "icons/win/system_sources_win.h"
#include "platform/win/file_system_win.h"
#include "platform/win/system_info_win.h"

namespace vek::win {
namespace {

TEST(SystemSourcesTest, TheSystemDriveIsAFixedRoot) {
  Win32Drives drives;
  const std::vector<std::string> roots = drives.LogicalDriveRoots();
  ASSERT_NE(std::find(roots.begin(), roots.end(), "C:\\"), roots.end());
  EXPECT_EQ(drives.DriveType("C:\\"), drive_type::kFixed);
}

TEST(SystemSourcesTest, TheProgramDescribesItself) {
  // VekDesktop.exe of the same build carries a full version record.
  const std::string program = ProgramFolder() + "..\\..\\src\\app\\VekDesktop.exe";
  Win32VersionResources versions;
  Bytes resource;
  ASSERT_TRUE(versions.ReadVersionResource(program, resource));
  EXPECT_EQ(GetVersionString(resource, version_field::kFileDescription), "VEK Desktop");
  EXPECT_EQ(GetVersionString(resource, version_field::kCompanyName), "Kestrovan");
  EXPECT_EQ(GetVersionString(resource, version_field::kOriginalFilename), "VekDesktop.exe");
  EXPECT_EQ(GetVersionString(resource, version_field::kComments), "");
  EXPECT_FALSE(versions.ReadVersionResource(ProgramFolder() + "no-such-program.exe", resource));
  EXPECT_TRUE(resource.empty());
}

}  // namespace
}  // namespace vek::win
