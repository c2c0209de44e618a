#pragma once

#include <string>
#include <vector>

namespace orvane {

// The state of the dialog's controls, kept as plain data. The window layer only draws these and
// forwards the user's input to the dialog's event handlers.

// A slider with a range, a page size, tick marks every Frequency steps and a highlighted band
// SelStart .. SelEnd (none while they are equal).
struct TTrackBar {
  int Min = 0;
  int Max = 10;
  int Position = 0;
  int SelStart = 0;
  int SelEnd = 0;
  int PageSize = 1;
  int Frequency = 1;
};

struct TLabelControl {
  std::string Caption;
};

struct TCheckBoxControl {
  std::string Caption;
  bool Checked = false;
  bool Enabled = true;
};

// MaxLength limits what the user types; 0 means no limit.
struct TEditControl {
  std::string Text;
  bool Enabled = true;
  int MaxLength = 0;
};

struct TPanelControl {
  bool Visible = false;
};

struct TButtonControl {
  std::string Caption;
  bool Enabled = true;
};

// A picture; only whether it is shown is the program's business.
struct TImageControl {
  bool Visible = false;
};

// A list of rows of text cells under column titles, one row selected (-1: none).
struct TListControl {
  std::vector<std::string> Columns;
  std::vector<std::vector<std::string>> Items;
  int ItemIndex = -1;
};

struct TRadioControl {
  std::string Caption;
  bool Checked = false;
  bool Enabled = true;
};

}  // namespace orvane
