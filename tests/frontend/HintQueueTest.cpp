#include <gtest/gtest.h>

#include "frontend/Program.h"

namespace orvane {
namespace {

class HintQueue : public ::testing::Test {
 protected:
  TProgram Program;
  TForm1& Form = Program.Form1;
  const std::vector<std::string>& Queue = Program.Form1.HintQueue();
};

TEST_F(HintQueue, AlertsLeadBulletinsFollowThemInformationWaits) {
  Form.AddHint("HN1Welcome");
  Form.AddHint("HW1First hint");
  Form.AddHint("AS1Scanned");
  Form.AddHint("AN0Paused");
  Form.AddHint("BB1Boulder");
  Form.AddHint("BT1Tree");
  EXPECT_EQ(Queue, (std::vector<std::string>{"AN0Paused", "AS1Scanned", "BT1Tree", "BB1Boulder",
                                             "HN1Welcome", "HW1First hint"}));
}

TEST_F(HintQueue, ShortTextsAreIgnoredAndTopicsRemovedTogether) {
  Form.AddHint("BR1");
  EXPECT_TRUE(Queue.empty());
  Form.AddHint("HN1Welcome");
  Form.AddHint("AN0Game Paused");
  Form.AddHint("HW1Hint");
  Form.RemoveHints('N');
  EXPECT_EQ(Queue, std::vector<std::string>{"HW1Hint"});
  Form.RemoveHints('X');
  EXPECT_EQ(Queue.size(), 1u);
}

TEST_F(HintQueue, ARandomTipReplacesTheLastOneAndDrawsOnce) {
  Program.Random.RandomSeed = 77;
  TRandom expected;
  expected.RandomSeed = 77;
  const int tip = expected.Random(13);
  Form.ShowRandomTip();
  EXPECT_EQ(Program.Random.RandomSeed, expected.RandomSeed);
  Form.ShowRandomTip();
  ASSERT_EQ(Queue.size(), 1u);
  EXPECT_EQ(Queue[0].substr(0, 8), "H*0Tip: ");
  Form.RemoveHints('*');
  Program.Random.RandomSeed = 77;
  Form.ShowRandomTip();
  EXPECT_EQ(Queue[0], std::string("H*0Tip: ") + RandomTips[tip]);
}

TEST_F(HintQueue, TheSettingsReachTheMainWindow) {
  Program.Settings.ApplyDefaultSettings();
  Program.Settings.gs_CC_Sensitivity(60);
  EXPECT_FLOAT_EQ(Form.Look.LookSensitivity, 3.0f);
  Program.Settings.gs_H_ShowHints(false);
  EXPECT_FALSE(Form.ShowHints);
}

TEST_F(HintQueue, ThePanelGrowsWithTheHeadMessageAndShowsItsSign) {
  Program.Settings.ApplyDefaultSettings();
  THintPanel& panel = Form.Panel_PopInfo;
  Form.AddHint("HT1" + std::string(17, 'x'));
  EXPECT_EQ(panel.Height, 57);
  EXPECT_EQ(panel.Text, std::string(17, 'x'));
  EXPECT_EQ(panel.Sign, "i");
  EXPECT_TRUE(panel.SignItalic);
  EXPECT_EQ(panel.SignColour, 16711680u);

  Form.AddHint("AS1" + std::string(197, 'y'));
  EXPECT_EQ(panel.Height, 126);
  EXPECT_EQ(panel.Sign, "!");
  EXPECT_EQ(panel.SignColour, 255u);
  EXPECT_FALSE(panel.SignItalic);

  Form.AddHint("AN0" + std::string(99, 'z'));
  EXPECT_EQ(panel.Height, 60);
  Form.RemoveHints('N');

  Form.AddHint("XQ1odd class");
  EXPECT_EQ(panel.Sign, "!") << "an unknown class is queued behind and changes nothing";
  Form.RemoveHints('S');
  EXPECT_EQ(panel.Height, 57);
  EXPECT_EQ(panel.SignColour, 16711680u);
}

TEST_F(HintQueue, ThePanelFollowsTheHintsSettingAndTheQueue) {
  THintPanel& panel = Form.Panel_PopInfo;
  TGameSettings& settings = Program.Settings;
  settings.gs_H_ShowHints(false);
  Form.AddHint("HN1Welcome");
  EXPECT_FALSE(panel.Visible);
  EXPECT_FALSE(panel.CloseEnabled);
  EXPECT_EQ(panel.Text, "Welcome");

  settings.gs_H_ShowHints(true);
  EXPECT_TRUE(panel.Visible);
  EXPECT_TRUE(panel.CloseEnabled);
  EXPECT_FALSE(panel.MoreVisible);
  Form.AddHint("BB1Boulder");
  EXPECT_TRUE(panel.MoreVisible);
  EXPECT_EQ(panel.Text, "Boulder");
  EXPECT_EQ(panel.SignColour, 32768u);

  Form.ButtonCloseHintClick();
  EXPECT_EQ(Queue, std::vector<std::string>{"HN1Welcome"});
  EXPECT_FALSE(panel.MoreVisible);
  Form.ButtonCloseHintClick();
  EXPECT_FALSE(panel.Visible);
  EXPECT_FALSE(panel.CloseEnabled);
  EXPECT_EQ(panel.Text, "");
  Form.ButtonCloseHintClick();
  EXPECT_TRUE(Queue.empty());
}

}  // namespace
}  // namespace orvane
