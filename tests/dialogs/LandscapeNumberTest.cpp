#include <cstdint>
#include <exception>
#include <stdexcept>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "dialogs/NewGame.h"

namespace orvane {
namespace {

// A dialog with the number fixed at 77, as a player sees it before typing.
struct LandscapeNumberTest : testing::Test {
  LandscapeNumberTest() {
    store.ApplyDefaultSettings();
    dlg.cbLandscapeCodeClick();
    store.gs_S_LandscapeNumber(77);
  }
  TGameSettings store;
  TDlgNewGame dlg{store};
};

// The box takes typing only while the landscape-code box is ticked.
TEST_F(LandscapeNumberTest, TypedNumberIsStoredClampedAndShownPlain) {
  struct Case {
    const char* typed;
    const char* shown;
    int32_t stored;
  };
  for (const Case c : {Case{"12345", "12345", 12345}, Case{"0042", "42", 42}, Case{"+42", "42", 42},
                       Case{"99999999999", "2147483647", 2147483647},
                       Case{"-2147483648", "-2147483647", -2147483647}}) {
    dlg.SetLandscapeNumberText(c.typed);
    EXPECT_EQ(dlg.E_S_LandscapeNumber.Text, c.shown) << c.typed;
    EXPECT_EQ(store.GameSpec().S_LandscapeNumber, c.stored) << c.typed;
  }
  store.gs_S_LandscapeNumber(-5);
  EXPECT_EQ(dlg.E_S_LandscapeNumber.Text, "-5");
  EXPECT_EQ(dlg.ReadLandscapeNumberBox(), -5);
  for (const bool ticked : {true, false}) {
    EXPECT_EQ(std::tuple(dlg.cbLandscapeCode.Checked, dlg.E_S_LandscapeNumber.Enabled,
                         store.GameSpec().LandscapeFixed),
              std::tuple(ticked, ticked, ticked));
    dlg.cbLandscapeCodeClick();
  }
}

// Reading such text back from the box is refused, as is a number beyond 32 bits.
TEST_F(LandscapeNumberTest, TextThatIsNoWholeNumberIsKeptButNotStored) {
  for (const char* text : {"", "-", "12x", " 12", "1.5", "+-3", "99999999999999999999", "abc"}) {
    EXPECT_THROW(dlg.SetLandscapeNumberText(text), std::exception) << '"' << text << '"';
    EXPECT_EQ(dlg.E_S_LandscapeNumber.Text, text);
    EXPECT_EQ(store.GameSpec().S_LandscapeNumber, 77) << '"' << text << '"';
  }
  EXPECT_THROW(dlg.ReadLandscapeNumberBox(), std::invalid_argument);
  dlg.E_S_LandscapeNumber.Text = "2147483648";
  EXPECT_THROW(dlg.ReadLandscapeNumberBox(), std::out_of_range);
  dlg.SetLandscapeNumberText("-5");  // typing on afterwards works
  EXPECT_EQ(store.GameSpec().S_LandscapeNumber, -5);
}

}  // namespace
}  // namespace orvane
