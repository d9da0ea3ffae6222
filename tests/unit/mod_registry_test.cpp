#include <gtest/gtest.h>

#include "core/mod_registry.h"
#include "text/text.h"
#include "support/fake_registry.h"

namespace vek {
namespace {

using test::FakeRegistry;

constexpr char kSystemSub[] = "SOFTWARE\\VEK Desktop\\System";
constexpr char kRunSub[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kMe[] = "C:\\Program Files\\VEK Desktop\\VekDesktop.exe";

TEST(SplitRegPathTest, RootIsComparedUpperCasedAndSubKeyMayBeEmpty) {
  std::string sub, last;
  EXPECT_EQ(SplitRegPath("hkey_current_user\\Software\\A", sub, last), RegRoot::kCurrentUser);
  EXPECT_EQ(sub + "|" + last, "Software\\A|A");
  EXPECT_EQ(SplitRegPath("HKEY_LOCAL_MACHINE", sub, last), RegRoot::kLocalMachine);
  EXPECT_EQ(sub + "|" + last, "|HKEY_LOCAL_MACHINE");
  EXPECT_EQ(SplitRegPath("Hkey_Dyn_Data\\x", sub, last), RegRoot::kDynData);
  EXPECT_FALSE(SplitRegPath("HKCU\\Software", sub, last));
  EXPECT_FALSE(SplitRegPath("", sub, last));
  EXPECT_FALSE(SplitRegPath("\\Software", sub, last));
}

TEST(ReadRegValueTest, TypesAndLimits) {
  FakeRegistry reg;
  const std::string key = "HKEY_CURRENT_USER\\Software\\T";
  reg.PutString(RegRoot::kCurrentUser, "Software\\T", "plain", "abc");
  reg.PutString(RegRoot::kCurrentUser, "Software\\T", "counted", "abc", true);
  reg.PutString(RegRoot::kCurrentUser, "Software\\T", "long", std::string(2000, 'x'));
  reg.PutString(RegRoot::kCurrentUser, "Software\\T", "limit", std::string(1024, 'y'));
  reg.PutString(RegRoot::kCurrentUser, "Software\\T", "over", std::string(1025, 'z'));
  reg.PutString(RegRoot::kCurrentUser, "Software\\T", "empty", "");
  reg.PutRaw(RegRoot::kCurrentUser, "Software\\T", "dword", reg_type::kDword, {0xFE, 0xFF, 0xFF, 0xFF});
  reg.PutRaw(RegRoot::kCurrentUser, "Software\\T", "binary", reg_type::kBinary, {'h', 'i', 0xE9});
  reg.PutRaw(RegRoot::kCurrentUser, "Software\\T", "multi", reg_type::kMultiSz, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0});
  reg.PutRaw(RegRoot::kCurrentUser, "Software\\T", "qword", 11, {1, 0, 0, 0, 0, 0, 0, 0});
  reg.PutRaw(RegRoot::kCurrentUser, "Software\\T", "utf16", reg_type::kSz, {'C', 0, 0xE9, 0, 0x3D, 0xD8, 0x00, 0xDE});

  EXPECT_EQ(ReadRegValue(reg, key, "plain").text, "abc");
  // The terminating NUL the registry counts stays; callers trim it.
  EXPECT_EQ(ReadRegValue(reg, key, "counted").text, std::string("abc\0", 4));
  EXPECT_EQ(TrimFixed(ReadRegValue(reg, key, "counted").text), "abc");
  EXPECT_EQ(ReadRegValue(reg, key, "limit").text.size(), 1024u);
  // Over 1,024 characters, empty, of a type it does not read, or not there: nothing.
  for (const char* name : {"long", "over", "empty", "qword", "missing"})
    EXPECT_TRUE(ReadRegValue(reg, key, name).empty()) << name;
  const RegValue dword = ReadRegValue(reg, key, "dword");
  EXPECT_EQ(dword.type, RegValue::Type::kNumber);
  EXPECT_EQ(dword.number, -2);
  EXPECT_EQ(dword.AsText(), "-2");
  EXPECT_EQ(ReadRegValue(reg, key, "binary").text, "hi\xC3\xA9");
  EXPECT_EQ(ReadRegValue(reg, key, "multi").text, std::string("a\0b\0\0", 5));
  EXPECT_EQ(ReadRegValue(reg, key, "utf16").text, "C\xC3\xA9\xF0\x9F\x98\x80");
  EXPECT_TRUE(ReadRegValue(reg, "HKCU\\Software\\T", "plain").empty());
}

TEST(WriteRegValueTest, StringsWithoutNulNumbersRoundedAndOtherTypesRefused) {
  FakeRegistry reg;
  const std::string key = "HKEY_CURRENT_USER\\Software\\W";
  EXPECT_EQ(WriteRegValue(reg, key, "s", "Caf\xC3\xA9", reg_type::kSz), 0);
  uint32_t type = 0;
  std::vector<uint8_t> data;
  ASSERT_TRUE(reg.QueryValue(RegRoot::kCurrentUser, "Software\\W", "s", type, data).ok());
  EXPECT_EQ(type, reg_type::kSz);
  EXPECT_EQ(data, (std::vector<uint8_t>{'C', 0, 'a', 0, 'f', 0, 0xE9, 0, 0, 0}));

  const std::pair<const char*, int32_t> numbers[] = {
      {"12.5", 12}, {"13.5", 14}, {" -7", -7}, {"42abc", 42}, {"abc", 0}, {"", 0}, {"1e3", 1000}};
  for (auto [text, want] : numbers) {
    EXPECT_EQ(WriteRegValue(reg, key, "n", text, reg_type::kDword), 0) << text;
    EXPECT_EQ(ReadRegValue(reg, key, "n").number, want) << text;
  }
  const int before = reg.writes();
  EXPECT_EQ(WriteRegValue(reg, key, "n", "3000000000", reg_type::kDword), 0);
  EXPECT_EQ(WriteRegValue(reg, key, "b", "bytes", reg_type::kBinary), 0);
  EXPECT_EQ(WriteRegValue(reg, key, "m", "multi", reg_type::kMultiSz), 0);
  EXPECT_EQ(WriteRegValue(reg, "HKCU\\Software\\W", "s", "x", reg_type::kSz), 0);
  EXPECT_EQ(reg.writes(), before);

  reg.DenyKeyCreation(true);
  EXPECT_EQ(WriteRegValue(reg, key, "s", "x", reg_type::kSz), 0);
  reg.DenyKeyCreation(false);
  reg.FailWritesWith(reg_error::kAccessDenied);
  EXPECT_EQ(WriteRegValue(reg, key, "s", "x", reg_type::kSz), reg_error::kAccessDenied);
}

TEST(DeleteRegValueTest, ReportsTheRegistrysResult) {
  FakeRegistry reg;
  reg.PutString(RegRoot::kCurrentUser, "Software\\D", "v", "1");
  EXPECT_EQ(DeleteRegValue(reg, "HKEY_CURRENT_USER\\Software\\D", "v"), 0);
  EXPECT_FALSE(reg.HasValue(RegRoot::kCurrentUser, "Software\\D", "v"));
  EXPECT_EQ(DeleteRegValue(reg, "HKEY_CURRENT_USER\\Software\\D", "v"), reg_error::kFileNotFound);
  EXPECT_EQ(DeleteRegValue(reg, "HKEY_CURRENT_USER\\Software\\None", "v"), 0);
  EXPECT_EQ(DeleteRegValue(reg, "nowhere\\x", "v"), 0);
}

// Starts in a row, each with the hotkeys it could not register: the user is told only
// of news, and a hotkey lost again after it came back is news again.
TEST(MissingHotkeysTest, TheSameMissingHotkeysAreToldOnce) {
  FakeRegistry reg;
  const std::pair<const char*, bool> starts[] = {
      {"Win+S", true}, {"Win+S", false}, {"Alt+Space, Win+S", true}, {"", false}, {"Win+S", true}};
  for (const auto& [missing, told] : starts) EXPECT_EQ(RememberMissingHotkeys(reg, missing), told) << missing;
  EXPECT_EQ(reg.StringOf(RegRoot::kCurrentUser, kSystemSub, kToldMissingHotkeysValue), "Win+S");
}

TEST(IsFirstRunTest, OnlyTheTextZeroAsksForACleanStartAndOnlyOnce) {
  FakeRegistry reg;
  reg.PutString(RegRoot::kCurrentUser, kSystemSub, "FirstRun", "0");
  EXPECT_TRUE(IsFirstRun(reg));
  EXPECT_EQ(reg.StringOf(RegRoot::kCurrentUser, kSystemSub, "FirstRun"), "1");
  EXPECT_FALSE(IsFirstRun(reg));

  struct Case {
    const char* text;
    bool nul;
    bool want;
  };
  for (Case c : {Case{"1", false, false}, Case{"", false, false}, Case{" 0 ", false, true},
                 Case{"0", true, true}, Case{"00", false, false}, Case{"O", false, false}}) {
    FakeRegistry r;
    r.PutString(RegRoot::kCurrentUser, kSystemSub, "FirstRun", c.text, c.nul);
    EXPECT_EQ(IsFirstRun(r), c.want) << "'" << c.text << "'";
    EXPECT_EQ(r.writes(), c.want ? 1 : 0) << "'" << c.text << "'";
  }
  FakeRegistry missing;
  EXPECT_FALSE(IsFirstRun(missing));
  EXPECT_EQ(missing.writes(), 0);
  // A request this user cannot use up is no request: it would clear the files at every start.
  for (const bool keyLocked : {false, true}) {
    FakeRegistry locked;
    locked.PutString(RegRoot::kCurrentUser, kSystemSub, "FirstRun", "0");
    if (keyLocked) locked.DenyKeyCreation(true); else locked.FailWritesWith(reg_error::kAccessDenied);
    EXPECT_FALSE(IsFirstRun(locked)) << keyLocked;
  }
  // A number 0 reads as the text "0".
  FakeRegistry number;
  number.PutRaw(RegRoot::kCurrentUser, kSystemSub, "FirstRun", reg_type::kDword, {0, 0, 0, 0});
  EXPECT_TRUE(IsFirstRun(number));
}

TEST(RecordInstallationTest, WritesPathVersionAndBuildAndStopsAtTheFirstFailure) {
  FakeRegistry reg;
  EXPECT_TRUE(RecordInstallation(reg, kMe, ProgramVersion{1, 6, 68}));
  EXPECT_EQ(reg.StringOf(RegRoot::kCurrentUser, kSystemSub, "APP_PATH"), kMe);
  EXPECT_EQ(reg.StringOf(RegRoot::kCurrentUser, kSystemSub, "APP_VER"), "1.6.68");
  EXPECT_EQ(reg.StringOf(RegRoot::kCurrentUser, kSystemSub, "APP_BUILD"), "68");

  FakeRegistry failing;
  failing.FailWritesWith(reg_error::kAccessDenied);
  EXPECT_FALSE(RecordInstallation(failing, kMe, ProgramVersion{1, 6, 68}));
  EXPECT_FALSE(failing.HasValue(RegRoot::kCurrentUser, kSystemSub, "APP_VER"));
}

TEST(SetAutoRunTest, MatchesTheWishAndLeavesOtherCopiesAloneWhenSwitchingOff) {
  FakeRegistry reg;
  EXPECT_EQ(SetAutoRun(reg, false, kMe), 0);
  EXPECT_EQ(reg.writes(), 0);
  EXPECT_EQ(SetAutoRun(reg, true, kMe), 1);
  EXPECT_EQ(reg.StringOf(RegRoot::kCurrentUser, kRunSub, "VEK Desktop"), kMe);
  EXPECT_EQ(SetAutoRun(reg, true, kMe), 1);
  EXPECT_EQ(reg.writes(), 1);
  EXPECT_EQ(SetAutoRun(reg, false, kMe), 0);
  EXPECT_FALSE(reg.HasValue(RegRoot::kCurrentUser, kRunSub, "VEK Desktop"));

  const std::string other = "D:\\Old\\VekDesktop.exe";
  reg.PutString(RegRoot::kCurrentUser, kRunSub, "VEK Desktop", other);
  EXPECT_EQ(SetAutoRun(reg, false, kMe), 0);
  EXPECT_EQ(reg.StringOf(RegRoot::kCurrentUser, kRunSub, "VEK Desktop"), other);
  EXPECT_EQ(SetAutoRun(reg, true, kMe), 1);
  EXPECT_EQ(reg.StringOf(RegRoot::kCurrentUser, kRunSub, "VEK Desktop"), kMe);

  FakeRegistry locked;
  locked.FailWritesWith(reg_error::kAccessDenied);
  EXPECT_EQ(SetAutoRun(locked, true, kMe), 0);
}

// Turned off in Task Manager, the entry starts nothing; turning autostart on turns it back on.
TEST(SetAutoRunTest, AnEntryTurnedOffInWindowsCountsAsOffUntilTurnedOnAgain) {
  const std::string approved = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
  FakeRegistry reg;
  ASSERT_EQ(SetAutoRun(reg, true, kMe), 1);
  reg.PutRaw(RegRoot::kCurrentUser, approved, "VEK Desktop", reg_type::kBinary, {3, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4});
  EXPECT_TRUE(AutoRunTurnedOffInWindows(reg));
  EXPECT_EQ(SetAutoRun(reg, true, kMe), 1);
  EXPECT_FALSE(AutoRunTurnedOffInWindows(reg));
  reg.PutRaw(RegRoot::kCurrentUser, approved, "VEK Desktop", reg_type::kBinary, {2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_FALSE(AutoRunTurnedOffInWindows(reg));  // an entry turned on again
}

}  // namespace
}  // namespace vek
