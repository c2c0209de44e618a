#include <tuple>

#include <gtest/gtest.h>

#include "frontend/Program.h"

namespace orvane {
namespace {

class HintQueue : public ::testing::Test {
 protected:
  TProgram Program;
  TForm1& Form = Program.Form1;
  THintPanel& Panel = Program.Form1.Panel_PopInfo;
  const std::vector<std::string>& Queue = Program.Form1.HintQueue();
};

// Texts no longer than their three-character code are ignored; a topic's hints leave together.
TEST_F(HintQueue, AlertsLeadBulletinsFollowThemInformationWaits) {
  for (const char* hint :
       {"HN1Welcome", "BR1", "HW1First hint", "AS1Scanned", "AN0Paused", "BB1Boulder", "BT1Tree"})
    Form.AddHint(hint);
  EXPECT_EQ(Queue, (std::vector<std::string>{"AN0Paused", "AS1Scanned", "BT1Tree", "BB1Boulder",
                                             "HN1Welcome", "HW1First hint"}));
  Form.RemoveHints('N');
  EXPECT_EQ(Queue,
            (std::vector<std::string>{"AS1Scanned", "BT1Tree", "BB1Boulder", "HW1First hint"}));
}

TEST_F(HintQueue, ARandomTipReplacesTheLastOneAndDrawsOnce) {
  Program.Random.RandomSeed = 77;
  TRandom expected;
  expected.RandomSeed = 77;
  const std::string tip = std::string("H*0Tip: ") + RandomTips[expected.Random(13)];
  Form.ShowRandomTip();
  EXPECT_EQ(Program.Random.RandomSeed, expected.RandomSeed);
  EXPECT_EQ(Queue, std::vector<std::string>{tip});
  Form.ShowRandomTip();
  EXPECT_EQ(Queue.size(), 1u);
}

TEST_F(HintQueue, ThePanelGrowsWithTheHeadMessageAndShowsItsSign) {
  using TSign = std::tuple<int, std::string, bool, uint32_t>;  // height, sign, italic, colour
  const auto sign = [&] {
    return TSign(Panel.Height, Panel.Sign, Panel.SignItalic, Panel.SignColour);
  };
  Form.AddHint("HT1" + std::string(17, 'x'));
  EXPECT_EQ(sign(), TSign(57, "i", true, 16711680u));
  Form.AddHint("AS1" + std::string(197, 'y'));
  EXPECT_EQ(sign(), TSign(126, "!", false, 255u));
  Form.AddHint("AN0" + std::string(99, 'z'));
  EXPECT_EQ(Panel.Height, 60);
  Form.RemoveHints('N');
  Form.AddHint("XQ1odd class");  // queued behind, changing nothing
  Form.RemoveHints('S');
  EXPECT_EQ(sign(), TSign(57, "i", true, 16711680u));
}

TEST_F(HintQueue, ThePanelFollowsTheSettingsAndTheQueue) {
  Program.Settings.gs_CC_Sensitivity(60);
  EXPECT_FLOAT_EQ(Form.Look.LookSensitivity, 3.0f);

  using TState = std::tuple<bool, bool, bool, std::string>;  // shown, closable, "more", text
  const auto state = [&] {
    return TState(Panel.Visible, Panel.CloseEnabled, Panel.MoreVisible, Panel.Text);
  };
  Program.Settings.gs_H_ShowHints(false);
  Form.AddHint("HN1Welcome");
  EXPECT_EQ(state(), TState(false, false, false, "Welcome"));
  Program.Settings.gs_H_ShowHints(true);
  EXPECT_EQ(state(), TState(true, true, false, "Welcome"));
  Form.AddHint("BB1Boulder");
  EXPECT_EQ(state(), TState(true, true, true, "Boulder"));
  EXPECT_EQ(Panel.SignColour, 32768u);

  Form.ButtonCloseHintClick();
  EXPECT_EQ(state(), TState(true, true, false, "Welcome"));
  Form.ButtonCloseHintClick();
  EXPECT_EQ(state(), TState(false, false, false, ""));
  Form.ButtonCloseHintClick();
  EXPECT_TRUE(Queue.empty());
}

}  // namespace
}  // namespace orvane
