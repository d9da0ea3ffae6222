#include <gtest/gtest.h>

#include "dialogs/file_dialog_request.h"
#include "dialogs/getting_started.h"
#include "dialogs/input_box.h"
#include "platform/modal_state.h"

namespace vek {
namespace {

TEST(GettingStartedPages, OpensOnTheSavedPageAndEnablesTheButtonsAtTheEnds) {
  struct Case {
    GettingStartedState setting;
    int page;
    bool last, next;
  };
  const Case cases[] = {{{true, 0}, 0, false, true}, {{true, 3}, 3, true, true}, {{true, 5}, 5, true, false},
                        {{false, 0}, 0, false, true}, {{false, 4}, 4, true, true}, {{true, 6}, 0, false, true},
                        {{true, -7}, 0, false, true}};
  for (const Case& c : cases) {
    GettingStartedPages pages(c.setting);
    EXPECT_EQ(pages.page(), c.page) << c.setting.Page;
    EXPECT_EQ(pages.lastEnabled(), c.last) << c.setting.Page;
    EXPECT_EQ(pages.nextEnabled(), c.next) << c.setting.Page;
  }
}

TEST(GettingStartedPages, NextThreeTimesThenCloseKeepsPageThreeUnlessTurnedOff) {
  GettingStartedPages pages(GettingStartedState{});
  for (int i = 0; i < 3; ++i) pages.Next();
  EXPECT_TRUE(pages.SettingOnClose(false).AtStart);
  EXPECT_EQ(pages.SettingOnClose(false).Page, 3);
  EXPECT_FALSE(pages.SettingOnClose(true).AtStart);
  for (int i = 0; i < 5; ++i) pages.Next();
  EXPECT_EQ(pages.page(), 5);
  for (int i = 0; i < 9; ++i) pages.Last();
  EXPECT_EQ(pages.page(), 0);
}

TEST(InputBox, BlankOrCancelledGivesTheDefaultAndBlanksAroundAreKept) {
  EXPECT_EQ(AcceptedInput(std::nullopt, "New Group"), "New Group");
  EXPECT_EQ(AcceptedInput(std::string(" \t "), "New Group"), "New Group");
  EXPECT_EQ(AcceptedInput(std::string("  Games "), "New Group"), "  Games ");
}

TEST(ModalState, RefusesAndBringsTheWindowToTheFrontOnlyWhileOneIsOpen) {
  ModalState modal;
  int fronts = 0;
  modal.SetBringToFront([&] { ++fronts; });
  EXPECT_FALSE(modal.Refuse());
  {
    ModalState::Scope outer(modal);
    ModalState::Scope inner(modal);
    EXPECT_TRUE(modal.Refuse());
  }
  EXPECT_FALSE(modal.Refuse());
  EXPECT_EQ(fronts, 1);
}

TEST(FileDialogFilter, BarsBecomeNulsAndTheListEndsWithTwo) {
  using namespace std::string_literals;
  const std::pair<std::string, std::string> cases[] = {
      {"*.bak|*.bak|*.*|*.*", "*.bak\0*.bak\0*.*\0*.*\0\0"s},
      {"*.ico;*.png|*.ico;*.png|", "*.ico;*.png\0*.ico;*.png\0\0"s},
      {"", "\0\0"s},
  };
  for (const auto& [bars, system] : cases) EXPECT_EQ(SystemFilterText(bars), system) << bars;
}

}  // namespace
}  // namespace vek
