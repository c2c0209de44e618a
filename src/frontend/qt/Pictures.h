#pragma once

#include <QCursor>
#include <QPixmap>

#include "frontend/Form1.h"

namespace orvane {

// The energy meter's icons, 32 by 32, drawn here: a tree, a boulder, a robot shell, and a
// shell with "15" for fifteen units.
QPixmap MeterIconPicture(TMeterIcon icon);
// The viewer's cross-hair cursor.
QCursor CrossHairCursor();
// A window-system colour number as a Qt colour.
QColor QColourOfNumber(uint32_t number);

}  // namespace orvane
