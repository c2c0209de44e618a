#include "dialogs/qt/NewGameDialog.h"

#include <algorithm>

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QStyle>
#include <QTabWidget>
#include <QTreeWidget>

#include "dialogs/NewGameCaptions.h"
#include "dialogs/qt/PreviewPanel.h"
#include "dialogs/qt/Strips.h"

namespace orvane {

namespace caption = newgame_captions;

// A slider that shows a band of its range (a selection) as a strip above its groove.
class TBandSlider : public QSlider {
 public:
  explicit TBandSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {}

  void SetBand(int start, int end) {
    if (start == BandStart && end == BandEnd) return;
    BandStart = start;
    BandEnd = end;
    update();
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QSlider::paintEvent(event);
    if (BandStart >= BandEnd) return;
    const int handle = style()->pixelMetric(QStyle::PM_SliderLength, nullptr, this);
    const int span = width() - handle;
    auto x = [&](int value) {
      return handle / 2 + QStyle::sliderPositionFromValue(minimum(), maximum(), value, span);
    };
    QPainter painter(this);
    painter.fillRect(QRect(QPoint(x(BandStart), 0), QPoint(x(BandEnd), 2)),
                     palette().color(QPalette::Highlight));
  }

 private:
  int BandStart = 0;
  int BandEnd = 0;
};

namespace {

// The layout, in client pixels.
constexpr int Margin = 4;
constexpr int StripWidth = TNewGameDialog::ClientWidth - 2 * Margin;
constexpr int TitleHeight = StripTitleHeight;
constexpr int TopStripHeight = 52;
constexpr int TabsTop = Margin + TopStripHeight + 4;
constexpr int TabsHeight = 396;
constexpr int ButtonTop = TabsTop + TabsHeight + 8;
constexpr int ButtonWidth = 100;
constexpr int ButtonHeight = 27;
constexpr int LeftWidth = 370;
constexpr int OptionsTop = 82;
constexpr int OptionsHeight = 278;
constexpr int InnerWidth = LeftWidth - 8;
constexpr int RowCaptionWidth = 92;
constexpr int SliderLeft = 8 + RowCaptionWidth;
constexpr int SliderWidth = 200;
constexpr int SliderHeight = 30;
constexpr int ValueLeft = SliderLeft + SliderWidth + 8;

// A sunken frame with a title band along its top.
QFrame* Strip(QWidget* parent, QRect place, const char* title) {
  return TitledStrip(parent, place, title).Frame;
}

QPushButton* Button(QWidget* parent, QRect place, const char* name, const char* text) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setGeometry(place);
  button->setAutoDefault(false);
  return button;
}

void ShowEdit(QLineEdit* edit, const TEditControl& state) {
  edit->setMaxLength(state.MaxLength > 0 ? state.MaxLength : 32767);
  edit->setEnabled(state.Enabled);
  const QString text = Text(state.Text);
  if (edit->text() == text) return;
  // The cursor stays where it was, or at the end of a shorter text.
  const int cursor = edit->cursorPosition();
  edit->setText(text);
  edit->setCursorPosition(std::min<int>(cursor, text.size()));
}

void ShowRadio(QRadioButton* radio, const TRadioControl& state) {
  radio->setText(Text(state.Caption));
  radio->setChecked(state.Checked);
  radio->setEnabled(state.Enabled);
}

}  // namespace

TNewGameDialog::TNewGameDialog(TDlgNewGame& logic, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), Logic(logic) {
  setObjectName("DlgNewGame");
  setWindowTitle(caption::Window);
  setFixedSize(ClientWidth, ClientHeight);
  BuildTopStrip();
  auto* tabs = new QTabWidget(this);
  tabs->setObjectName("PageControl");
  tabs->setGeometry(Margin, TabsTop, StripWidth, TabsHeight);
  tabs->addTab(BuildGameOptions(), caption::TabGameOptions);
  tabs->addTab(BuildConfiguration(), caption::TabConfiguration);
  tabs->addTab(BuildHelp(), caption::TabHelp);
  BuildBottom();
  Refresh();
}

QFrame* TNewGameDialog::BuildTopStrip() {
  QFrame* strip = Strip(this, QRect(Margin, Margin, StripWidth, TopStripHeight), caption::TopTitle);
  LabelSuggestion = new QLabel(strip);
  LabelSuggestion->setObjectName("LabelSuggestion");
  LabelSuggestion->setWordWrap(true);
  LabelSuggestion->setGeometry(6, TitleHeight + 2, StripWidth - 12,
                               TopStripHeight - TitleHeight - 4);
  return strip;
}

QWidget* TNewGameDialog::BuildGameOptions() {
  auto* page = new QWidget;
  QFrame* type = Strip(page, QRect(6, 6, LeftWidth, 70), caption::GameTypeTitle);
  RB_QuickPlay = new QRadioButton(type);
  RB_QuickPlay->setObjectName("RB_QuickPlay");
  RB_Campaign = new QRadioButton(type);
  RB_Campaign->setObjectName("RB_Campaign");
  int top = TitleHeight + 4;
  for (QRadioButton* radio : {RB_QuickPlay, RB_Campaign}) {
    // The logic ticks the one chosen.
    radio->setAutoExclusive(false);
    radio->setGeometry(10, top, LeftWidth - 20, 20);
    top += 22;
  }
  connect(RB_QuickPlay, &QRadioButton::clicked, this,
          [this] { Forward([this] { Logic.RB_QuickPlayClick(); }); });
  connect(RB_Campaign, &QRadioButton::clicked, this,
          [this] { Forward([this] { Logic.RB_CampaignClick(); }); });

  PanelQuickPlay = BuildQuickPlay(page);
  PanelCampaign = BuildCampaign(page);

  QFrame* preview = Strip(page, QRect(6 + LeftWidth + 6, 6, StripWidth - LeftWidth - 30, 354),
                          caption::PreviewTitle);
  preview->setObjectName("PanelPreview");
  Preview = new TPreviewPanel(preview);
  Preview->setGeometry(2, TitleHeight + 2, preview->width() - 4,
                       preview->height() - TitleHeight - 4);
  return page;
}

QWidget* TNewGameDialog::BuildQuickPlay(QWidget* parent) {
  QFrame* panel =
      Strip(parent, QRect(6, OptionsTop, LeftWidth, OptionsHeight), caption::QuickPlayTitle);
  panel->setObjectName("PanelQuickPlay");
  auto* tabs = new QTabWidget(panel);
  tabs->setObjectName("PageControlQuickPlay");
  tabs->setGeometry(4, TitleHeight + 4, InnerWidth, OptionsHeight - TitleHeight - 8);
  tabs->addTab(BuildDifficulty(), caption::TabDifficulty);
  tabs->addTab(BuildTweaks(), caption::TabTweaks);
  return panel;
}

QWidget* TNewGameDialog::BuildDifficulty() {
  auto* page = new QWidget;
  AddSlider(page, 10, "TB_S_Difficulty", caption::Difficulty, &TDlgNewGame::TB_S_Difficulty,
            &TDlgNewGame::L_S_Difficulty, &TDlgNewGame::TB_S_DifficultyChange);
  AddSlider(page, 58, "TB_S_DiffVariation", caption::Variation, &TDlgNewGame::TB_S_DiffVariation,
            &TDlgNewGame::L_S_DiffVariation, &TDlgNewGame::TB_S_DiffVariationChange);
  return page;
}

QWidget* TNewGameDialog::BuildTweaks() {
  auto* page = new QWidget;
  const struct {
    const char* Name;
    const char* Caption;
    TTrackBar TDlgNewGame::*State;
    TLabelControl TDlgNewGame::*Label;
    void (TDlgNewGame::*Handler)(int);
  } rows[] = {
      {"TB_S_Resources", caption::Resources, &TDlgNewGame::TB_S_Resources,
       &TDlgNewGame::L_S_Resources, &TDlgNewGame::TB_S_ResourcesChange},
      {"TB_S_GameSpeed", caption::GameSpeed, &TDlgNewGame::TB_S_GameSpeed,
       &TDlgNewGame::L_S_GameSpeed, &TDlgNewGame::TB_S_GameSpeedChange},
      {"TB_S_SentrySpeed", caption::SentrySpeed, &TDlgNewGame::TB_S_SentrySpeed,
       &TDlgNewGame::L_S_SentrySpeed, &TDlgNewGame::TB_S_SentrySpeedChange},
      {"TB_S_ScanSpeed", caption::ScanSpeed, &TDlgNewGame::TB_S_ScanSpeed,
       &TDlgNewGame::L_S_ScanSpeed, &TDlgNewGame::TB_S_ScanSpeedChange},
      {"TB_S_ScanSector", caption::ScanSector, &TDlgNewGame::TB_S_ScanSector,
       &TDlgNewGame::L_S_ScanSector, &TDlgNewGame::TB_S_ScanSectorChange},
  };
  int top = 4;
  for (const auto& row : rows) {
    AddSlider(page, top, row.Name, row.Caption, row.State, row.Label, row.Handler);
    top += 32;
  }
  AddCheckBox(page, QRect(8, top + 10, 110, 22), "cbLandscapeCode", &TDlgNewGame::cbLandscapeCode,
              &TDlgNewGame::cbLandscapeCodeClick);
  E_S_LandscapeNumber = new QLineEdit(page);
  E_S_LandscapeNumber->setObjectName("E_S_LandscapeNumber");
  E_S_LandscapeNumber->setGeometry(SliderLeft + 20, top + 10, 120, 22);
  connect(E_S_LandscapeNumber, &QLineEdit::textEdited, this,
          [this](const QString& text) { LandscapeNumberEdited(text); });
  return page;
}

QWidget* TNewGameDialog::BuildCampaign(QWidget* parent) {
  QFrame* panel =
      Strip(parent, QRect(6, OptionsTop, LeftWidth, OptionsHeight), caption::CampaignTitle);
  panel->setObjectName("PanelCampaign");
  const auto box = [&](int top, const char* name, const char* title, int width) {
    auto* label = new QLabel(title, panel);
    label->setGeometry(8, top + 2, 118, 20);
    auto* edit = new QLineEdit(panel);
    edit->setObjectName(name);
    edit->setGeometry(128, top, width, 22);
    label->setBuddy(edit);
    return edit;
  };
  E_C_PlayerName = box(TitleHeight + 6, "E_C_PlayerName", caption::PlayerName, 160);
  connect(E_C_PlayerName, &QLineEdit::textEdited, this, [this](const QString& text) {
    Forward([this, typed = text.toStdString()] { Logic.E_C_PlayerNameChange(typed); });
  });
  const int row = TitleHeight + 34;
  E_C_CampaignNo = box(row, "E_C_CampaignNo", caption::CampaignNumber, 54);
  connect(E_C_CampaignNo, &QLineEdit::textEdited, this, [this](const QString& text) {
    Forward([this, typed = text.toStdString()] { Logic.E_C_CampaignNoChange(typed); });
  });
  const struct {
    QRect Place;
    const char* Name;
    TButtonControl TDlgNewGame::*State;
    void (TDlgNewGame::*Handler)();
  } buttons[] = {
      {QRect(192, row - 1, 90, 24), "BtnCreateCampaign", &TDlgNewGame::BtnCreateCampaign,
       &TDlgNewGame::BtnCreateCampaignClick},
      {QRect(286, row - 1, 32, 24), "BtnPreviousCampaign", &TDlgNewGame::BtnPreviousCampaign,
       &TDlgNewGame::BtnPreviousCampaignClick},
      {QRect(322, row - 1, 32, 24), "BtnNextCampaign", &TDlgNewGame::BtnNextCampaign,
       &TDlgNewGame::BtnNextCampaignClick},
  };
  for (const auto& button : buttons) {
    QPushButton* pushed =
        Button(panel, button.Place, button.Name, (Logic.*button.State).Caption.c_str());
    connect(pushed, &QPushButton::clicked, this,
            [this, handler = button.Handler] { Forward([this, handler] { (Logic.*handler)(); }); });
    CampaignButtons.push_back({pushed, button.State});
  }
  L_C_Campaign = new QLabel(panel);
  L_C_Campaign->setObjectName("L_C_Campaign");
  L_C_Campaign->setWordWrap(true);
  L_C_Campaign->setGeometry(8, row + 28, InnerWidth - 8, 34);
  const int levelsTop = row + 64;
  QFrame* levels = Strip(panel, QRect(4, levelsTop, InnerWidth, OptionsHeight - levelsTop - 4),
                         caption::ChooseLevel);
  LB_C_Levels = new QTreeWidget(levels);
  LB_C_Levels->setObjectName("LB_C_Levels");
  LB_C_Levels->setGeometry(2, TitleHeight + 2, InnerWidth - 4, levels->height() - TitleHeight - 4);
  LB_C_Levels->setRootIsDecorated(false);
  LB_C_Levels->setUniformRowHeights(true);
  LB_C_Levels->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QStringList titles;
  for (const std::string& title : Logic.LB_C_Levels.Columns)
    titles.push_back(Text(title));
  LB_C_Levels->setHeaderLabels(titles);
  const int widths[] = {44, 86, 66, 76};
  for (int column = 0; column < 4; ++column)
    LB_C_Levels->setColumnWidth(column, widths[column]);
  connect(LB_C_Levels, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    const int index = LB_C_Levels->indexOfTopLevelItem(item);
    if (!Refreshing && index >= 0) Forward([this, index] { Logic.LB_C_LevelsClick(index); });
  });
  return panel;
}

QWidget* TNewGameDialog::BuildConfiguration() {
  auto* page = new QWidget;
  AddSlider(page, 14, "TB_CC_Sensitivity", caption::Sensitivity, &TDlgNewGame::TB_CC_Sensitivity,
            &TDlgNewGame::L_CC_Sensitivity, &TDlgNewGame::TB_CC_SensitivityChange);
  const struct {
    const char* Name;
    TCheckBoxControl TDlgNewGame::*State;
    void (TDlgNewGame::*Handler)();
  } boxes[] = {
      {"CB_CC_ReverseVertical", &TDlgNewGame::CB_CC_ReverseVertical,
       &TDlgNewGame::CB_CC_ReverseVerticalClick},
      {"CB_CC_ReverseHorizontal", &TDlgNewGame::CB_CC_ReverseHorizontal,
       &TDlgNewGame::CB_CC_ReverseHorizontalClick},
      {"CB_CC_ReverseZoom", &TDlgNewGame::CB_CC_ReverseZoom, &TDlgNewGame::CB_CC_ReverseZoomClick},
      {"CB_CC_LockCursor", &TDlgNewGame::CB_CC_LockCursor, &TDlgNewGame::CB_CC_LockCursorClick},
  };
  int top = 64;
  for (const auto& box : boxes) {
    AddCheckBox(page, QRect(10, top, 320, 22), box.Name, box.State, box.Handler);
    top += 26;
  }
  return page;
}

QWidget* TNewGameDialog::BuildHelp() {
  auto* page = new QWidget;
  AddCheckBox(page, QRect(10, 14, 340, 22), "CB_H_ShowHints", &TDlgNewGame::CB_H_ShowHints,
              &TDlgNewGame::CB_H_ShowHintsClick);
  QPushButton* keys = Button(page, QRect(10, 46, 180, 27), "BtnViewKeyboardControls",
                             caption::ViewKeyboardControls);
  connect(keys, &QPushButton::clicked, this, [this] {
    if (OnViewKeyboardControls) Forward(OnViewKeyboardControls);
  });
  return page;
}

void TNewGameDialog::BuildBottom() {
  const auto place = [](int left) { return QRect(left, ButtonTop, ButtonWidth, ButtonHeight); };
  QPushButton* newGame = Button(this, place(10), "BtnNewGame", caption::ButtonNewGame);
  connect(newGame, &QPushButton::clicked, this, [this] { Close(nc_NewGame); });
  QPushButton* back = Button(this, place(10 + ButtonWidth + 8), "BtnReturn", caption::ButtonReturn);
  back->setDefault(true);
  connect(back, &QPushButton::clicked, this, [this] { Close(nc_Return); });
  QPushButton* about =
      Button(this, place(ClientWidth - 10 - 2 * ButtonWidth - 8), "BtnAbout", caption::ButtonAbout);
  connect(about, &QPushButton::clicked, this, [this] {
    if (OnAbout) Forward(OnAbout);
  });
  QPushButton* exit =
      Button(this, place(ClientWidth - 10 - ButtonWidth), "BtnExit", caption::ButtonExit);
  connect(exit, &QPushButton::clicked, this, [this] { Close(nc_Exit); });
}

void TNewGameDialog::AddSlider(QWidget* page, int top, const char* name, const char* caption,
                               TTrackBar TDlgNewGame::*state, TLabelControl TDlgNewGame::*label,
                               void (TDlgNewGame::*handler)(int)) {
  auto* slider = new TBandSlider(page);
  slider->setObjectName(name);
  slider->setTickPosition(QSlider::TicksBelow);
  slider->setGeometry(SliderLeft, top, SliderWidth, SliderHeight);
  auto* title = new QLabel(caption, page);
  title->setGeometry(8, top + 4, RowCaptionWidth, 20);
  title->setBuddy(slider);
  auto* value = new QLabel(page);
  value->setObjectName(QString(name).replace("TB_", "L_"));
  value->setGeometry(ValueLeft, top + 4, 50, 20);
  connect(slider, &QSlider::valueChanged, this, [this, handler](int position) {
    if (!Refreshing) Forward([this, handler, position] { (Logic.*handler)(position); });
  });
  Sliders.push_back({slider, value, state, label});
}

QCheckBox* TNewGameDialog::AddCheckBox(QWidget* page, QRect place, const char* name,
                                       TCheckBoxControl TDlgNewGame::*state,
                                       void (TDlgNewGame::*handler)()) {
  auto* box = new QCheckBox(page);
  box->setObjectName(name);
  box->setGeometry(place);
  connect(box, &QCheckBox::clicked, this,
          [this, handler] { Forward([this, handler] { (Logic.*handler)(); }); });
  Checks.push_back({box, state});
  return box;
}

void TNewGameDialog::Call(const std::function<void()>& call) {
  if (Guard)
    Guard(call);
  else
    call();
}

void TNewGameDialog::Forward(const std::function<void()>& call) {
  Call(call);
  Refresh();
}

// Every change of the text goes to the logic, which may write the box anew.
void TNewGameDialog::LandscapeNumberEdited(const QString& text) {
  Forward([this, typed = text.toStdString()] { Logic.SetLandscapeNumberText(typed); });
}

void TNewGameDialog::Refresh() {
  Refreshing = true;
  LabelSuggestion->setText(Text(Logic.LabelSuggestion.Caption));
  ShowRadio(RB_QuickPlay, Logic.RB_QuickPlay);
  ShowRadio(RB_Campaign, Logic.RB_Campaign);
  PanelQuickPlay->setVisible(Logic.PanelQuickPlay.Visible);
  PanelCampaign->setVisible(Logic.PanelCampaign.Visible);
  for (const TSliderBinding& binding : Sliders) {
    const TTrackBar& state = Logic.*binding.State;
    binding.Slider->setRange(state.Min, state.Max);
    binding.Slider->setPageStep(state.PageSize);
    binding.Slider->setTickInterval(state.Frequency);
    binding.Slider->setValue(state.Position);
    binding.Slider->SetBand(state.SelStart, state.SelEnd);
    binding.Value->setText(Text((Logic.*binding.Label).Caption));
  }
  for (const TCheckBinding& binding : Checks) {
    const TCheckBoxControl& state = Logic.*binding.State;
    binding.Box->setText(Text(state.Caption));
    binding.Box->setChecked(state.Checked);
    binding.Box->setEnabled(state.Enabled);
  }
  ShowEdit(E_S_LandscapeNumber, Logic.E_S_LandscapeNumber);
  ShowEdit(E_C_PlayerName, Logic.E_C_PlayerName);
  E_C_PlayerName->setPlaceholderText(Text(Logic.PlayerPlaceholder));
  ShowEdit(E_C_CampaignNo, Logic.E_C_CampaignNo);
  for (const TButtonBinding& binding : CampaignButtons)
    binding.Button->setEnabled((Logic.*binding.State).Enabled);
  L_C_Campaign->setText(Text(Logic.L_C_Campaign.Caption));
  Preview->SetPicture(Logic.PreviewPicture());
  if (Logic.LB_C_Levels.Items != ShownLevels) {
    ShownLevels = Logic.LB_C_Levels.Items;
    LB_C_Levels->clear();
    for (const std::vector<std::string>& row : ShownLevels) {
      QStringList cells;
      for (const std::string& cell : row)
        cells.push_back(Text(cell));
      LB_C_Levels->addTopLevelItem(new QTreeWidgetItem(cells));
    }
  }
  LB_C_Levels->setCurrentItem(LB_C_Levels->topLevelItem(Logic.LB_C_Levels.ItemIndex));
  Refreshing = false;
}

void TNewGameDialog::Close(TNewGameChoice choice) {
  Chosen = choice;
  done(choice);
}

void TNewGameDialog::reject() {
  Close(nc_Return);
}

void TNewGameDialog::showEvent(QShowEvent* event) {
  Chosen = nc_Return;
  CentreOnScreen();
  QDialog::showEvent(event);
  Refresh();
}

void TNewGameDialog::CentreOnScreen() {
  const QScreen* screen = parentWidget() ? parentWidget()->screen() : this->screen();
  if (!screen) return;
  const QRect area = screen->geometry();
  move(area.center() - QPoint(ClientWidth / 2, ClientHeight / 2));
}

}  // namespace orvane
