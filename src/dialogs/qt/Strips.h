#pragma once

#include <string>

#include <QRect>
#include <QString>

class QFrame;
class QLabel;
class QWidget;

namespace orvane {

// The dialogs' panels: a sunken frame with a title band, white on dark blue, along its top.
constexpr int StripTitleHeight = 20;

struct TStrip {
  QFrame* Frame;
  QLabel* Title;
};

TStrip TitledStrip(QWidget* parent, QRect place, const QString& title = QString());

inline QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace orvane
