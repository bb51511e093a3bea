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
    // A thin edge keeps the dialog apart from the main window's light background even where
    // no window manager draws a frame (a kiosk session, a virtual display).
    if (!dialog.objectName().isEmpty()) {
        const QString look = QStringLiteral("#%1 { border: 1px solid rgb(90, 130, 180); }"
                                            "#%1 QLabel, #%1 QGroupBox { color: rgb(0, 0, 128); }");
        dialog.setStyleSheet(look.arg(dialog.objectName()));
    }
}

QFont navyArial(int pointSize, bool bold) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace orvalen::shell
