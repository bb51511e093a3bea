#include "shell/dialog_style.h"

#include <QPalette>

namespace orvalen::shell {

void applyDialogLook(QWidget& dialog) {
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    QPalette palette = dialog.palette();
    palette.setColor(QPalette::Window, kDialogBlue);
    palette.setColor(QPalette::WindowText, kNavy);
    dialog.setPalette(palette);
    dialog.setAutoFillBackground(true);
}

QFont navyArial(int pointSize, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace orvalen::shell
