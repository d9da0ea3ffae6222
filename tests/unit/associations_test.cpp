#include <gtest/gtest.h>

#include "icons/associations.h"
#include "support/fake_registry.h"
#include "support/fakes.h"

namespace vek {
namespace {

constexpr RegRoot HKCR = RegRoot::kClassesRoot;
constexpr RegRoot HKLM = RegRoot::kLocalMachine;
constexpr RegRoot HKCU = RegRoot::kCurrentUser;

class AssociationsTest : public ::testing::Test, protected test::PathsMachine<> {
 protected:
  test::FakeRegistry reg;
  Associations assoc{reg, paths};
};

TEST_F(AssociationsTest, ClassIdentifierIconComesBeforeTheTypesOwn) {
  reg.PutString(HKCR, ".doc", "", "Word.Document");
  reg.PutString(HKCR, "Word.Document\\CLSID", "", "{1234}");
  reg.PutString(HKCR, "CLSID\\{1234}\\DefaultIcon", "", "C:\\Office\\word.exe,1");
  reg.PutString(HKCR, "Word.Document\\DefaultIcon", "", "C:\\Other\\doc.ico,0");
  DefaultIcon icon = assoc.GetDefaultIcon(".DOC");
  EXPECT_TRUE(icon.found);
  EXPECT_EQ(icon.file, "C:\\Office\\word.exe");
  EXPECT_EQ(icon.index, 1);
}

TEST_F(AssociationsTest, ExpandedShell32WithANegativeResourceIndex) {
  reg.PutString(HKCR, ".txt", "", "txtfile", true);
  reg.PutString(HKCR, "txtfile\\DefaultIcon", "", "%SystemRoot%\\system32\\shell32.dll,-152", false, 2);
  DefaultIcon icon = assoc.GetDefaultIcon(".TXT");
  EXPECT_EQ(icon.file, "C:\\windows\\system32\\shell32.dll");
  EXPECT_EQ(icon.index, -152);
}

TEST_F(AssociationsTest, OpenCommandWithQuotedProgramAndPercentOne) {
  reg.PutString(HKCR, ".abc", "", "abcfile");
  reg.PutString(HKCR, "abcfile\\shell\\open\\command", "", "\"C:\\Program Files\\Abc\\abc.exe\" \"%1\"");
  DefaultIcon icon = assoc.GetDefaultIcon(".ABC");
  EXPECT_TRUE(icon.found);
  EXPECT_EQ(icon.file, "C:\\Program Files\\Abc\\abc.exe");
  EXPECT_EQ(icon.index, 0);
}

TEST_F(AssociationsTest, IconValueWithoutCommaGivesNothingAndMachineClassesAreTheSecondPass) {
  reg.PutString(HKCR, ".xyz", "", "xyzfile");
  reg.PutString(HKCR, "xyzfile\\DefaultIcon", "", "C:\\x.ico");
  EXPECT_FALSE(assoc.GetDefaultIcon(".XYZ").found);
  reg.PutString(HKLM, "SOFTWARE\\Classes\\.mch", "", "mchfile");
  reg.PutString(HKLM, "SOFTWARE\\Classes\\mchfile\\DefaultIcon", "", "C:\\m.dll,3");
  DefaultIcon icon = assoc.GetDefaultIcon(".MCH");
  EXPECT_EQ(icon.file, "C:\\m.dll");
  EXPECT_EQ(icon.index, 3);
  EXPECT_FALSE(assoc.GetDefaultIcon(".NONE").found);
}

TEST_F(AssociationsTest, UserChosenBrowserWinsOverTheMachineHandler) {
  reg.PutString(HKCR, "http\\shell\\open\\command", "", "\"C:\\Browsers\\machine.exe\" -- \"%1\"");
  EXPECT_EQ(assoc.GetDefaultHandler(HandlerKind::kWebBrowser), "C:\\Browsers\\machine.exe");
  reg.PutString(HKCU, "Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\http\\UserChoice",
                "Progid", "MyBrowserHTML");
  reg.PutString(HKCR, "MyBrowserHTML\\shell\\open\\command", "", "C:\\Browsers\\mine.exe -url \"%1\"");
  EXPECT_EQ(assoc.GetDefaultHandler(HandlerKind::kWebBrowser), "C:\\Browsers\\mine.exe");
  EXPECT_EQ(assoc.GetDefaultHandler(HandlerKind::kMail), "");
  reg.PutString(HKCR, "mailto\\shell\\open\\command", "", "rundll32 mail,open %1");
  EXPECT_EQ(assoc.GetDefaultHandler(HandlerKind::kMail), "RUNDLL32 MAIL,OPEN %1");
}

}  // namespace
}  // namespace vek
