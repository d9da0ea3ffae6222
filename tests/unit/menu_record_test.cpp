#include <gtest/gtest.h>

#include <functional>

#include "core/group_title.h"
#include "core/menu_record.h"
#include "core/record_io.h"
#include "support/fake_config.h"

namespace vek {
namespace {

using test::FakeAnsiCodec;
using test::FakeConfigEnv;

constexpr size_t kGroup4 = 4114;  // group 3 takes 10 + 4 * 1025 + 4 bytes
constexpr size_t GroupAt(int g) { return g == 3 ? 0 : kGroup4 + (g - 4) * 162; }
constexpr size_t ItemAt(int i) { return 9460 + static_cast<size_t>(i) * 1297; }

Bytes Encode(const Model& m, AnsiCodec& codec) {
  Bytes out;
  EncodeMenu(m.Groups, m.Items, codec, out);
  return out;
}

class MenuRecordTest : public ::testing::Test {
 protected:
  FakeConfigEnv env;
  Model model = test::SampleModel(env);
  Bytes bytes = Encode(model, env.codec);
};

TEST_F(MenuRecordTest, DecodesWhatItEncodes) {
  ASSERT_EQ(bytes.size(), 1338885u);
  MenuContents back;
  const MenuDecodeResult r = DecodeMenu(bytes.data(), bytes.size(), env.codec, back);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.size, bytes.size());
  for (int g = 3; g <= 36; ++g) {
    EXPECT_EQ(back.Groups[g].Members, model.Groups[g].Members) << g;
    EXPECT_EQ(back.Groups[g].ShownItem, model.Groups[g].ShownItem) << g;
  }
  ASSERT_EQ(back.Items.size(), 1025u);
  for (int i = 0; i < 1025; ++i) EXPECT_EQ(back.Items[i], model.Items[i]) << i;
  Bytes again;
  EncodeMenu(back.Groups, back.Items, env.codec, again);
  EXPECT_EQ(again, bytes);
}

TEST_F(MenuRecordTest, ElementsAfterTheMembersAreNotReadAndGoBackAsZero) {
  // A removed member may leave its index behind in the list: it is no member.
  Bytes stale = bytes;
  record::PutI32(stale.data() + GroupAt(5) + 10 + 4 * 7, 99999);
  MenuContents back;
  ASSERT_TRUE(DecodeMenu(stale.data(), stale.size(), env.codec, back).ok);
  EXPECT_EQ(back.Groups[5], model.Groups[5]);
  Bytes again;
  EncodeMenu(back.Groups, back.Items, env.codec, again);
  EXPECT_EQ(again, bytes);
}

TEST(MenuGroupRecordTest, AGroupIsStoredAsItsShownItemItsMembersAndTheirCount) {
  struct Case {
    int position;
    int32_t shown;
    int members;      // in memory: 129, 130, ...
    int32_t stored;   // the stored count
  };
  const Case cases[] = {
      {5, 5, 0, 0},        {6, 200, 3, 3},  // a position showing another item
      {7, 7, 36, 36},      {8, 8, 40, 36},  // more than the group holds: the first 36
      {3, 3, 896, 896},
  };
  FakeAnsiCodec codec;
  for (const Case& c : cases) {
    Model m;
    m.Groups[c.position].ShownItem = c.shown;
    for (int k = 0; k < c.members; ++k) m.Groups[c.position].Members.push_back(129 + k);
    const Bytes out = Encode(m, codec);
    const uint8_t* list = out.data() + GroupAt(c.position) + 10;
    const int capacity = GroupCapacity(c.position);
    EXPECT_EQ(record::GetI32(list), c.shown) << c.position;
    for (int e = 1; e <= capacity; ++e)
      ASSERT_EQ(record::GetI32(list + 4 * e), e <= c.stored ? 128 + e : 0) << c.position << " " << e;
    EXPECT_EQ(record::GetI32(list + 4 * (capacity + 1)), c.stored) << c.position;
    MenuContents back;
    ASSERT_TRUE(DecodeMenu(out.data(), out.size(), codec, back).ok) << c.position;
    EXPECT_EQ(back.Groups[c.position].ShownItem, c.shown);
    EXPECT_EQ(back.Groups[c.position].MemberCount(), c.stored);
    if (c.stored > 0) {
      EXPECT_EQ(back.Groups[c.position].Members.back(), 128 + c.stored);
    }
  }
}

TEST_F(MenuRecordTest, ACompletelyFullGroupIsAccepted) {
  for (int m = 1; m <= 36; ++m) record::PutI32(bytes.data() + GroupAt(7) + 10 + 4 * m, 200 + m);
  record::PutI32(bytes.data() + GroupAt(7) + 10 + 4 * 37, 36);
  MenuContents back;
  EXPECT_TRUE(DecodeMenu(bytes.data(), bytes.size(), env.codec, back).ok);
}

// Every way the member lists can lie about themselves, each applied to a valid image.
struct Corruption {
  const char* name;
  std::function<void(Bytes&)> apply;
};

void Put(Bytes& b, size_t at, int32_t v) { record::PutI32(b.data() + at, v); }

const Corruption kCorruptions[] = {
    {"truncated by one byte", [](Bytes& b) { b.pop_back(); }},
    {"truncated inside the lists", [](Bytes& b) { b.resize(5000); }},
    {"empty", [](Bytes& b) { b.clear(); }},
    {"two dimensions", [](Bytes& b) { record::PutI16(b.data() + GroupAt(4), 2); }},
    {"zero dimensions", [](Bytes& b) { record::PutI16(b.data() + GroupAt(3), 0); }},
    {"lower bound 1", [](Bytes& b) { Put(b, GroupAt(9) + 6, 1); }},
    {"36 elements", [](Bytes& b) { Put(b, GroupAt(4) + 2, 36); }},
    {"huge element count", [](Bytes& b) { Put(b, GroupAt(36) + 2, 0x7FFFFFFF); }},
    {"negative element count", [](Bytes& b) { Put(b, GroupAt(12) + 2, -37); }},
    {"All Programs with 37 elements", [](Bytes& b) { Put(b, GroupAt(3) + 2, 37); }},
    {"count -1", [](Bytes& b) { Put(b, GroupAt(5) + 10 + 4 * 37, -1); }},
    {"count 37", [](Bytes& b) { Put(b, GroupAt(5) + 10 + 4 * 37, 37); }},
    {"All Programs count 1025", [](Bytes& b) { Put(b, GroupAt(3) + 10 + 4 * 1025, 1025); }},
    {"member 0", [](Bytes& b) { Put(b, GroupAt(5) + 10 + 4, 0); }},
    {"member in the catalogue", [](Bytes& b) { Put(b, GroupAt(5) + 10 + 4, 128); }},
    {"member past the pool", [](Bytes& b) { Put(b, GroupAt(5) + 10 + 8, 1025); }},
    {"negative member", [](Bytes& b) { Put(b, GroupAt(3) + 10 + 4, -5); }},
    {"owner outside the pool", [](Bytes& b) { Put(b, GroupAt(20) + 10, 5000); }},
    {"member twice in a group", [](Bytes& b) { Put(b, GroupAt(5) + 10 + 8, 129); }},
    {"member in two groups", [](Bytes& b) { Put(b, GroupAt(3) + 10 + 4, 129); }},
};

TEST_F(MenuRecordTest, RejectsEveryCorruptionOfTheLists) {
  for (const Corruption& c : kCorruptions) {
    Bytes broken = bytes;
    c.apply(broken);
    MenuContents back;
    const MenuDecodeResult r = DecodeMenu(broken.data(), broken.size(), env.codec, back);
    EXPECT_FALSE(r.ok) << c.name;
    EXPECT_FALSE(r.error.empty()) << c.name;
  }
}

TEST(ItemRecordTest, NulPaddedAndSpacePaddedTextsShowTheSameCaption) {
  FakeAnsiCodec codec;
  Bytes spaces(kItemRecordSize, 0), nuls(kItemRecordSize, 0);
  std::fill(spaces.begin() + 272, spaces.begin() + 400, ' ');
  for (Bytes* b : {&spaces, &nuls}) std::copy_n("Games", 5, b->begin() + 272);
  const ShortcutItem a = DecodeItemRecord(spaces.data(), codec);
  const ShortcutItem n = DecodeItemRecord(nuls.data(), codec);
  EXPECT_EQ(a.Title, "Games");
  EXPECT_EQ(n.Title, "Games");
  // A field of NUL bytes only was never assigned and is written back as NUL bytes.
  EXPECT_EQ(n.Link, "");
  Bytes again(kItemRecordSize);
  EncodeItemRecord(n, codec, again.data());
  EXPECT_EQ(again, nuls);
}

TEST(ItemRecordTest, TextsAreCutToTheirWidthAndUnrepresentableTextIsReported) {
  FakeAnsiCodec codec;
  ShortcutItem item;
  item.Title = std::string(200, 'x');
  item.Arguments = "\xE6\x97\xA5\xE6\x9C\xAC";  // two CJK characters: not in Windows-1252
  Bytes b(kItemRecordSize);
  EXPECT_FALSE(EncodeItemRecord(item, codec, b.data()));
  EXPECT_EQ(b[272 + 127], 'x');
  EXPECT_EQ(b[400], 0);  // CustomIconFile untouched by the long title
  EXPECT_EQ(b[1165], '?');
  EXPECT_EQ(b[1166], '?');
  EXPECT_EQ(b[1167], ' ');
}


TEST(ItemRecordTest, ARecordWritesBackAsReadUntilItsTextChanges) {
  FakeAnsiCodec codec;
  auto padded = [](std::string text, char pad) { return text + std::string(128 - text.size(), pad); };
  struct Case {
    std::string stored;  // the title's 128 bytes
    std::string reads;
    std::string changedTo;
    std::string written;  // the title's bytes after the change
  };
  const Case cases[] = {
      {std::string(128, '\0'), "", "X", padded("X", ' ')},                       // never assigned
      {std::string(128, ' '), "", "X", padded("X", ' ')},                         // assigned, empty
      {padded(std::string("  Notes  \0\0junk", 15), ' '), "Notes", "", std::string(128, '\0')},
      {padded("M\xFChle", ' '), "M\xC3\xBChle", "Games", padded("Games", ' ')},
  };
  for (const Case& c : cases) {
    Bytes record(kItemRecordSize, 0);
    record::PutI16(&record[11], 7);  // the field nothing uses
    std::copy(c.stored.begin(), c.stored.end(), record.begin() + 272);
    std::copy_n("C:\\a.exe", 8, record.begin() + 17);
    ShortcutItem item = DecodeItemRecord(record.data(), codec);
    EXPECT_EQ(item.Title, c.reads) << c.reads;
    Bytes again(kItemRecordSize);
    EncodeItemRecord(item, codec, again.data());
    EXPECT_EQ(again, record) << c.reads;
    item.Title = c.changedTo;
    EncodeItemRecord(item, codec, again.data());
    std::copy(c.written.begin(), c.written.end(), record.begin() + 272);
    EXPECT_EQ(again, record) << c.reads;
  }
  // An item the program makes has nothing kept: the unused field is 0.
  ShortcutItem fresh;
  fresh.Title = "Games";
  Bytes out(kItemRecordSize, 0xFF);
  EncodeItemRecord(fresh, codec, out.data());
  EXPECT_EQ(record::GetI16(&out[11]), 0);
  EXPECT_EQ(out[17], 0);
}

TEST(ItemRecordTest, TextsTheCodePageCannotGiveBackGoBackAsStored) {
  // Western Windows gives back every byte, so its readers skip the check; a double-byte
  // page does not, and a title holding bytes it cannot give back is kept as stored.
  test::FakeAnsiCodec western;
  test::FakeDoubleByteCodec doubleByte;
  EXPECT_TRUE(western.GivesBackEveryByte());
  EXPECT_FALSE(doubleByte.GivesBackEveryByte());
  Bytes record(kItemRecordSize, 0);
  const std::string stored = "Caf\xE9" + std::string(124, ' ');
  std::copy(stored.begin(), stored.end(), record.begin() + 272);
  for (AnsiCodec* codec : {static_cast<AnsiCodec*>(&western), static_cast<AnsiCodec*>(&doubleByte)}) {
    const ShortcutItem item = DecodeItemRecord(record.data(), *codec);
    Bytes again(kItemRecordSize);
    EncodeItemRecord(item, *codec, again.data());
    EXPECT_EQ(again, record) << item.Title;
  }
}

TEST(GroupTitleTest, SuffixFollowsTheCount) {
  test::FakeAnsiCodec western;
  Model m;
  m.Items[5].Title = "Games (Full)";
  m.Groups[5].Members.clear();
  UpdateGroupTitle(m, 5, western);
  EXPECT_EQ(m.Items[5].Title, "Games (Empty)");
  m.Groups[5].Members.resize(3);
  UpdateGroupTitle(m, 5, western);
  EXPECT_EQ(m.Items[5].Title, "Games");
  m.Groups[5].Members.resize(36);
  UpdateGroupTitle(m, 5, western);
  EXPECT_EQ(m.Items[5].Title, "Games (Full)");
  UpdateGroupTitle(m, 5, western);
  EXPECT_EQ(m.Items[5].Title, "Games (Full)");
  // The All Programs group holds 1,024 members: 36 is not full there.
  m.Items[3].Title = "All Programs Group (Empty)";
  m.Groups[3].Members.resize(36);
  UpdateGroupTitle(m, 3, western);
  EXPECT_EQ(m.Items[3].Title, "All Programs Group");
  m.Groups[3].Members.resize(1024);
  UpdateGroupTitle(m, 3, western);
  EXPECT_EQ(m.Items[3].Title, "All Programs Group (Full)");
  m.Groups[3].Members.clear();
  UpdateGroupTitle(m, 3, western);
  EXPECT_EQ(m.Items[3].Title, "All Programs Group (Empty)");
  // Only one suffix is stripped, and positions outside the model are ignored.
  m.Items[6].Title = "A (Empty) (Full)";
  m.Groups[6].Members.resize(1);
  UpdateGroupTitle(m, 6, western);
  EXPECT_EQ(m.Items[6].Title, "A (Empty)");
  m.Items[7].Title = std::string(124, 'x');  // " (Empty)" would be stored cut short
  UpdateGroupTitle(m, 7, western);
  EXPECT_EQ(m.Items[7].Title, std::string(124, 'x'));
  // The room is the code page's: 61 "é" take 61 bytes there, 122 in UTF-8.
  std::string accents;
  for (int i = 0; i < 61; ++i) accents += "\xC3\xA9";
  m.Items[7].Title = accents;
  UpdateGroupTitle(m, 7, western);
  EXPECT_EQ(m.Items[7].Title, accents + " (Empty)");
  UpdateGroupTitle(m, 37, western);
  UpdateGroupTitle(m, -1, western);
}

}  // namespace
}  // namespace vek
