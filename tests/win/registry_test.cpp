// The registry values of the program against the real registry (under Wine in CI). Each
// test works below its own key under HKEY_CURRENT_USER\Software and removes it.
#include <gtest/gtest.h>
#include <windows.h>

#include "core/mod_registry.h"
#include "text/text.h"
#include "platform/win/ansi_codec_win.h"
#include "platform/win/handles.h"
#include "platform/win/registry_win.h"
#include "platform/win/text_win.h"

namespace vek::win {
namespace {

constexpr char kMe[] = "C:\\Program Files\\VEK Desktop\\VekDesktop.exe";

class RegistryTest : public ::testing::Test {
 protected:
  RegistryTest()
      : sub_("Software\\VEK Desktop Tests\\" + std::to_string(GetCurrentProcessId()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name()),
        key_("HKEY_CURRENT_USER\\" + sub_) {}
  ~RegistryTest() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, Wide(sub_).c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\VEK Desktop Tests");
  }

  // The value as the wide API holds it.
  bool Raw(const std::string& name, DWORD& type, std::wstring& text) {
    UniqueHKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, Wide(sub_).c_str(), 0, KEY_QUERY_VALUE, key.put()) != 0)
      return false;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), Wide(name).c_str(), nullptr, &type, nullptr, &size) != 0)
      return false;
    text.assign(size / 2, L'\0');
    return RegQueryValueExW(key.get(), Wide(name).c_str(), nullptr, &type,
                            reinterpret_cast<BYTE*>(text.data()), &size) == 0;
  }

  // A string value as the program uses it: trimmed of the terminating NUL.
  std::string Text(const std::string& name) { return TrimFixed(ReadRegValue(reg, key_, name).text); }

  Win32Registry reg;
  const std::string sub_;
  const std::string key_;
};

TEST_F(RegistryTest, LowerCaseRootWritesAndReadsTheSameKey) {
  std::string lower = key_;
  for (size_t i = 0; i < 17; ++i) lower[i] = static_cast<char>(tolower(lower[i]));
  ASSERT_EQ(lower.substr(0, 18), "hkey_current_user\\");
  EXPECT_EQ(WriteRegValue(reg, lower, "Name", "Value", reg_type::kSz), 0);
  EXPECT_EQ(Text("Name"), "Value");
  EXPECT_EQ(TrimFixed(ReadRegValue(reg, lower, "Name").text), "Value");
  EXPECT_EQ(DeleteRegValue(reg, lower, "Name"), 0);
  EXPECT_TRUE(ReadRegValue(reg, key_, "Name").empty());
  EXPECT_EQ(DeleteRegValue(reg, lower, "Name"), ERROR_FILE_NOT_FOUND);
  EXPECT_TRUE(ReadRegValue(reg, "HKEY_NOWHERE\\" + sub_, "Name").empty());
  EXPECT_EQ(WriteRegValue(reg, "HKEY_NOWHERE\\" + sub_, "Name", "x", reg_type::kSz), 0);
}

TEST_F(RegistryTest, PathWithoutBackslashAddressesTheRootItself) {
  const std::string name = "VEK Desktop test value " + std::to_string(GetCurrentProcessId());
  EXPECT_EQ(WriteRegValue(reg, "HKEY_CURRENT_USER", name, "at the root", reg_type::kSz), 0);
  EXPECT_EQ(TrimFixed(ReadRegValue(reg, "hkey_current_user", name).text), "at the root");
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExW(HKEY_CURRENT_USER, Wide(name).c_str(), nullptr, nullptr, nullptr, &size), 0);
  EXPECT_EQ(DeleteRegValue(reg, "HKEY_CURRENT_USER", name), 0);
  EXPECT_TRUE(ReadRegValue(reg, "HKEY_CURRENT_USER", name).empty());
}

TEST_F(RegistryTest, StoresTheTextsTheAnsiFunctionsWouldStore) {
  // Through the ANSI function: the text in the code page, its length without a NUL.
  Win32AnsiCodec codec;
  const std::string text = "Caf\xC3\xA9 Men\xC3\xBC";
  std::string ansi;
  ASSERT_TRUE(codec.ToAnsi(text, ansi)) << "code page " << codec.codePage();
  {
    UniqueHKey key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Wide(sub_).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, key.put(), nullptr),
              0);
    ASSERT_EQ(RegSetValueExA(key.get(), "ansi", 0, REG_SZ, reinterpret_cast<const BYTE*>(ansi.data()),
                             static_cast<DWORD>(ansi.size())),
              0);
  }
  ASSERT_EQ(WriteRegValue(reg, key_, "wide", text, reg_type::kSz), 0);
  DWORD typeA = 0, typeW = 0;
  std::wstring a, w;
  ASSERT_TRUE(Raw("ansi", typeA, a));
  ASSERT_TRUE(Raw("wide", typeW, w));
  EXPECT_EQ(typeA, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(typeW, typeA);
  EXPECT_EQ(w, a);
  EXPECT_EQ(w, Wide(text) + L'\0');
  EXPECT_EQ(ReadRegValue(reg, key_, "ansi").text, text + '\0');

  ASSERT_EQ(WriteRegValue(reg, key_, "expand", "%SystemRoot%\\x", reg_type::kExpandSz), 0);
  ASSERT_TRUE(Raw("expand", typeW, w));
  EXPECT_EQ(typeW, static_cast<DWORD>(REG_EXPAND_SZ));
  EXPECT_EQ(Text("expand"), "%SystemRoot%\\x");

  ASSERT_EQ(WriteRegValue(reg, key_, "number", "41.5", reg_type::kDword), 0);
  const RegValue number = ReadRegValue(reg, key_, "number");
  EXPECT_EQ(number.type, RegValue::Type::kNumber);
  EXPECT_EQ(number.number, 42);
}

TEST_F(RegistryTest, ValueOf2000BytesReadsAsEmpty) {
  ASSERT_EQ(WriteRegValue(reg, key_, "long", std::string(2000, 'x'), reg_type::kSz), 0);
  EXPECT_TRUE(ReadRegValue(reg, key_, "long").empty());
  // 1023 characters and the NUL fill the 1024 characters a read takes; one more is too many.
  ASSERT_EQ(WriteRegValue(reg, key_, "limit", std::string(1023, 'y'), reg_type::kSz), 0);
  EXPECT_EQ(Text("limit"), std::string(1023, 'y'));
  ASSERT_EQ(WriteRegValue(reg, key_, "over", std::string(1024, 'z'), reg_type::kSz), 0);
  EXPECT_TRUE(ReadRegValue(reg, key_, "over").empty());
  // The terminating NUL stays in what is read; callers trim it.
  UniqueHKey key;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, Wide(sub_).c_str(), 0, KEY_SET_VALUE, key.put()), 0);
  const wchar_t counted[] = L"abc";
  ASSERT_EQ(RegSetValueExW(key.get(), L"counted", 0, REG_SZ, reinterpret_cast<const BYTE*>(counted),
                           sizeof(counted)),
            0);
  EXPECT_EQ(ReadRegValue(reg, key_, "counted").text, std::string("abc\0", 4));
  EXPECT_EQ(TrimFixed(ReadRegValue(reg, key_, "counted").text), "abc");
}

TEST_F(RegistryTest, FirstRunOnlyForTheTextZero) {
  struct Case {
    const char* value;  // nullptr: missing
    bool want;
  };
  for (Case c : {Case{"0", true}, Case{"1", false}, Case{"", false}, Case{nullptr, false}}) {
    const std::string label = c.value ? std::string("'") + c.value + "'" : "missing";
    DeleteRegValue(reg, key_, "FirstRun");
    if (c.value) {
      ASSERT_EQ(WriteRegValue(reg, key_, "FirstRun", c.value, reg_type::kSz), 0);
    }
    EXPECT_EQ(IsFirstRun(reg, key_), c.want) << label;
    const RegValue after = ReadRegValue(reg, key_, "FirstRun");
    if (c.want) {
      EXPECT_EQ(TrimFixed(after.text), "1") << label;
      EXPECT_FALSE(IsFirstRun(reg, key_)) << label;
    } else {
      // Nothing was written.
      EXPECT_EQ(TrimFixed(after.text), c.value ? c.value : "") << label;
      EXPECT_EQ(after.empty(), c.value == nullptr) << label;
    }
  }
}

TEST_F(RegistryTest, AutostartPointingToAnotherCopy) {
  const std::string other = "D:\\Old Copy\\VekDesktop.exe";
  ASSERT_EQ(WriteRegValue(reg, key_, kRunValueName, other, reg_type::kSz), 0);
  EXPECT_EQ(SetAutoRun(reg, false, kMe, key_), 0);
  EXPECT_EQ(Text(kRunValueName), other);
  EXPECT_EQ(SetAutoRun(reg, true, kMe, key_), 1);
  EXPECT_EQ(Text(kRunValueName), kMe);
  EXPECT_EQ(SetAutoRun(reg, true, kMe, key_), 1);
  EXPECT_EQ(SetAutoRun(reg, false, kMe, key_), 0);
  EXPECT_TRUE(ReadRegValue(reg, key_, kRunValueName).empty());
}

}  // namespace
}  // namespace vek::win
