#include <cstdint>
#include <exception>
#include <limits>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "dialogs/GameSettings.h"
#include "dialogs/WholeNumberText.h"

namespace orvane {
namespace {

// A dialog with the number fixed at 77, as a player would see it before typing.
class LandscapeNumberBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    dlg.ApplyDefaultSettings();
    dlg.gs_S_LandscapeRandom(false);
    dlg.gs_S_LandscapeNumber(77);
  }
  TDlgNewGame dlg;
};

TEST_F(LandscapeNumberBoxTest, TypedNumberIsStored) {
  dlg.SetLandscapeNumberText("12345");
  EXPECT_EQ(dlg.GameSpec().S_LandscapeNumber, 12345);
  EXPECT_EQ(dlg.E_S_LandscapeNumber.Text, "12345");
  EXPECT_EQ(dlg.ReadLandscapeNumberBox(), 12345);
}

TEST_F(LandscapeNumberBoxTest, TooLargeNumberIsClampedInBoxAndStore) {
  dlg.SetLandscapeNumberText("99999999999");
  EXPECT_EQ(dlg.E_S_LandscapeNumber.Text, "2147483647");
  EXPECT_EQ(dlg.GameSpec().S_LandscapeNumber, 2147483647);

  dlg.SetLandscapeNumberText("-99999999999");
  EXPECT_EQ(dlg.E_S_LandscapeNumber.Text, "-2147483647");
  EXPECT_EQ(dlg.GameSpec().S_LandscapeNumber, -2147483647);

  dlg.SetLandscapeNumberText("-2147483648");
  EXPECT_EQ(dlg.E_S_LandscapeNumber.Text, "-2147483647");
  EXPECT_EQ(dlg.GameSpec().S_LandscapeNumber, -2147483647);
}

TEST_F(LandscapeNumberBoxTest, NumberIsWrittenBackInPlainForm) {
  dlg.SetLandscapeNumberText("0042");
  EXPECT_EQ(dlg.E_S_LandscapeNumber.Text, "42");
  EXPECT_EQ(dlg.GameSpec().S_LandscapeNumber, 42);

  dlg.SetLandscapeNumberText("+42");
  EXPECT_EQ(dlg.E_S_LandscapeNumber.Text, "42");

  dlg.SetLandscapeNumberText("-0");
  EXPECT_EQ(dlg.E_S_LandscapeNumber.Text, "0");
  EXPECT_EQ(dlg.GameSpec().S_LandscapeNumber, 0);
}

class RejectedLandscapeText : public LandscapeNumberBoxTest,
                              public testing::WithParamInterface<const char*> {};

TEST_P(RejectedLandscapeText, KeepsStoredNumberAndTypedTextAndThrows) {
  const std::string text = GetParam();
  EXPECT_THROW(dlg.SetLandscapeNumberText(text), std::exception);
  EXPECT_EQ(dlg.GameSpec().S_LandscapeNumber, 77);
  EXPECT_EQ(dlg.E_S_LandscapeNumber.Text, text);
}

INSTANTIATE_TEST_SUITE_P(NotWholeNumbers, RejectedLandscapeText,
                         testing::Values("", "-", "+", "abc", "12x", "x12", " 12", "12 ", "1.5",
                                         "--3", "+-3", "99999999999999999999"));

TEST_F(LandscapeNumberBoxTest, TypingOnAfterRejectedTextWorks) {
  EXPECT_THROW(dlg.SetLandscapeNumberText("-"), std::exception);
  dlg.SetLandscapeNumberText("-5");
  EXPECT_EQ(dlg.GameSpec().S_LandscapeNumber, -5);
  EXPECT_EQ(dlg.E_S_LandscapeNumber.Text, "-5");
}

TEST_F(LandscapeNumberBoxTest, UnchangedTextRunsNothing) {
  EXPECT_THROW(dlg.SetLandscapeNumberText("abc"), std::exception);
  EXPECT_NO_THROW(dlg.SetLandscapeNumberText("abc"));
  EXPECT_EQ(dlg.GameSpec().S_LandscapeNumber, 77);
}

TEST_F(LandscapeNumberBoxTest, SetterRewritesBoxOnlyWhenNumberChanges) {
  EXPECT_THROW(dlg.SetLandscapeNumberText("abc"), std::exception);
  dlg.gs_S_LandscapeNumber(77);  // the stored number: nothing to write
  EXPECT_EQ(dlg.E_S_LandscapeNumber.Text, "abc");
  dlg.gs_S_LandscapeNumber(78);
  EXPECT_EQ(dlg.E_S_LandscapeNumber.Text, "78");
  EXPECT_EQ(dlg.GameSpec().S_LandscapeNumber, 78);
}

TEST_F(LandscapeNumberBoxTest, ProgramWritesBoxEvenWhenDisabled) {
  dlg.gs_S_LandscapeRandom(true);
  dlg.SetLandscapeNumberText("-1929384756");
  EXPECT_EQ(dlg.GameSpec().S_LandscapeNumber, -1929384756);
  EXPECT_FALSE(dlg.E_S_LandscapeNumber.Enabled);
}

// ---- Reading the box as the world does ----

TEST_F(LandscapeNumberBoxTest, ReadBoxRefusesText) {
  EXPECT_THROW(dlg.SetLandscapeNumberText("abc"), std::exception);
  EXPECT_THROW(dlg.ReadLandscapeNumberBox(), std::invalid_argument);
}

TEST_F(LandscapeNumberBoxTest, ReadBoxRefusesNumberBeyond32Bits) {
  dlg.E_S_LandscapeNumber.Text = "2147483648";
  EXPECT_THROW(dlg.ReadLandscapeNumberBox(), std::out_of_range);
}

TEST_F(LandscapeNumberBoxTest, ReadBoxGivesLowestLandscapeNumber) {
  dlg.SetLandscapeNumberText("-2147483647");
  EXPECT_EQ(dlg.ReadLandscapeNumberBox(), -2147483647);
}

// ---- Whole-number text ----

TEST(WholeNumberText, ReadsSignedDecimals) {
  EXPECT_EQ(ReadWholeNumber64("0"), 0);
  EXPECT_EQ(ReadWholeNumber64("+7"), 7);
  EXPECT_EQ(ReadWholeNumber64("-7"), -7);
  EXPECT_EQ(ReadWholeNumber64("9223372036854775807"), std::numeric_limits<int64_t>::max());
  EXPECT_EQ(ReadWholeNumber64("-9223372036854775808"), std::numeric_limits<int64_t>::min());
  EXPECT_EQ(ReadWholeNumber32("-2147483648"), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(ReadWholeNumber32("2147483647"), std::numeric_limits<int32_t>::max());
}

TEST(WholeNumberText, RefusesWhatDoesNotFit) {
  EXPECT_THROW(ReadWholeNumber64("9223372036854775808"), std::out_of_range);
  EXPECT_THROW(ReadWholeNumber32("2147483648"), std::out_of_range);
  EXPECT_THROW(ReadWholeNumber32("-2147483649"), std::out_of_range);
}

TEST(WholeNumberText, RefusesText) {
  for (const char* text : {"", "-", "+", "0x10", "1e3", "abc", "+-1", "-+1", "1 "}) {
    EXPECT_THROW(ReadWholeNumber64(text), std::invalid_argument) << '"' << text << '"';
  }
}

}  // namespace
}  // namespace orvane
