#pragma once

class QKeyEvent;

namespace orvane {

// The virtual-key code the game's key handlers take for a key of the window system: letters
// by their upper-case codes (A = 65), digits by theirs (1 = 49), Tab 9, Esc 27, Space 32, the
// arrows 37 to 40, F1 to F24 from 112; 0 for a key the game has no code for.
int VirtualKeyCode(const QKeyEvent& event);

}  // namespace orvane
