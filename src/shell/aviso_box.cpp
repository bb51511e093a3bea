#include "shell/aviso_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace orvalen::shell {

namespace {

// The window the box stands over: the one the operator works in, else a full-screen one
// (the terminal), else the box's own parent. A box owned by a window behind the
// full-screen terminal could open behind it, where nobody sees it.
QWidget* ownerFor(QWidget* parent) {
    if (QWidget* active = QApplication::activeWindow()) {
        return active;
    }
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->isFullScreen()) {
            return window;
        }
    }
    return parent;
}

} // namespace

int AvisoBox::AVISO(const QString& kind, const QString& text, const QString& detail) {
    QApplication::beep();
    const bool information = kind == QLatin1String("!");
    QMessageBox box(information ? QMessageBox::Information : QMessageBox::Question,
                    QStringLiteral("Orvalen"), Aviso::message(text, detail),
                    information ? QMessageBox::Ok : (QMessageBox::Yes | QMessageBox::No),
                    ownerFor(parent_));
    box.setWindowModality(Qt::ApplicationModal);
    if (!information) {
        // The operators read Portuguese; the box's own words follow the rest of the screens.
        box.button(QMessageBox::Yes)->setText(QStringLiteral("&Sim"));
        box.button(QMessageBox::No)->setText(QStringLiteral("&Não"));
    }
    const int answer = box.exec();
    if (information) {
        return kOk;
    }
    return answer == QMessageBox::Yes ? kYes : kNo;
}

} // namespace orvalen::shell
