#include <algorithm>

#include "frontend/Form1.h"
#include "world/Random.h"

namespace orvane {

const char* const RandomTips[13] = {
    "If you can see a Sentry or Tolmarch, then chances are, it can see you!",
    "Keep a reserve of energy. That way, if you are scanned, you'll have time to escape.",
    "Try to plan ahead. If you use only the number of boulders that you need, then you'll have "
    "more free on your next move.",
    "The Tolmarch does not activate until you change the energy balance of the landscape. Use "
    "this time to look around you, and look at the map [M].",
    "When you're in trouble, and have 3 or more units of energy, use the [H] key to "
    "'Hyperspace' to a random location on the landscape.",
    "The higher you climb, the more you can see.",
    "Absorb [A] trees as you go - that way, you gain more energy.",
    "When you see the red light (below), it means you're being scanned, and losing energy to "
    "the Tolmarch. Get away as quickly as you can!",
    "Read the included Orvane Player's Guide (PDF) for a detailed playing guide and strategy "
    "hints.",
    "The Tolmarch sometimes has friends: Sentries, which can sap your energy just like the "
    "Tolmarch. Absorb Sentries to gain 3 energy units.",
    "Is the game too easy or too difficult? Use the Difficulty slider on the 'New Game' [Esc] "
    "box, and play at a level that challenges you!",
    "[F1] shows more hints.\n[F2] takes a screenshot.\n[F3] sets anti-aliasing.\n[F9] shows the "
    "console.",
    "[F4] switches hints ON and OFF. If you're just starting out, keep the hints on.",
};

void TForm1::AddHint(const std::string& text) {
  if (text.size() < 4) return;
  size_t index = Queue.size();
  if (text[0] == 'A') {
    index = 0;
  } else if (text[0] == 'B') {
    // Bulletins go behind the leading alerts.
    index = 0;
    while (index < Queue.size() && Queue[index][0] == 'A')
      ++index;
  }
  Queue.insert(Queue.begin() + static_cast<std::ptrdiff_t>(index), text);
  UpdateHintPanel();
}

void TForm1::RemoveHints(char topic) {
  if (Queue.empty()) return;
  for (size_t i = Queue.size(); i-- > 0;)
    if (Queue[i][1] == topic) Queue.erase(Queue.begin() + static_cast<std::ptrdiff_t>(i));
  UpdateHintPanel();
}

void TForm1::ClearHintQueue() {
  Queue.clear();
  UpdateHintPanel();
}

void TForm1::ButtonCloseHintClick() {
  if (!Queue.empty()) Queue.erase(Queue.begin());
  UpdateHintPanel();
}

void TForm1::SetShowHints(bool on) {
  ShowHints = on;
  UpdateHintPanel();
}

namespace {

// The sign beside a message, by its class letter; other letters leave it as it was.
void SetHintSign(THintPanel& panel, char hintClass) {
  struct TSign {
    char Class;
    const char* Text;
    const char* Font;
    bool Italic;
    int Size;
    uint32_t Colour;
  };
  static constexpr TSign Signs[] = {{'A', "!", "Tahoma", false, 44, clRed},
                                    {'B', "!", "Tahoma", false, 44, clGreen},
                                    {'H', "i", "Times New Roman", true, 48, clBlue}};
  for (const TSign& sign : Signs) {
    if (sign.Class != hintClass) continue;
    panel.Sign = sign.Text;
    panel.SignFont = sign.Font;
    panel.SignItalic = sign.Italic;
    panel.SignSize = sign.Size;
    panel.SignColour = sign.Colour;
  }
}

}  // namespace

void TForm1::UpdateHintPanel() {
  THintPanel& panel = Panel_PopInfo;
  if (!Queue.empty()) {
    const std::string& m = Queue.front();
    // The length counts the three-character code.
    panel.Height = std::max(57, static_cast<int>(m.size() / 18) * 11 + 5);
    panel.Text = m.substr(3);
    SetHintSign(panel, m[0]);
  } else {
    panel.Text.clear();
  }
  const bool shown = Settings.H_ShowHints() && !Queue.empty();
  panel.CloseEnabled = shown;
  panel.Visible = shown;
  panel.MoreVisible = Queue.size() > 1;
}

void TForm1::ShowRandomTip() {
  const int r = Random.Random(13);
  RemoveHints('*');
  AddHint(std::string("H*0Tip: ") + RandomTips[r]);
}

}  // namespace orvane
