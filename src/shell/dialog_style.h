#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>

namespace orvalen::shell {

// The look the dialogs share: light blue background, navy Arial captions, and no
// title-bar buttons, so that only the dialog's own controls close it.
inline const QColor kDialogBlue(215, 237, 251);
inline const QColor kNavy(0, 0, 128);

void applyDialogLook(QWidget& dialog);
QFont navyArial(int pointSize, bool bold);

} // namespace orvalen::shell
